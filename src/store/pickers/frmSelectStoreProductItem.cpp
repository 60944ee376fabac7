#include "store/pickers/frmSelectStoreProductItem.h"

#include "store/data/StoredProcedureCall.h"
#include "widgets/FlexGrid.h"

frmSelectStoreProductItem::frmSelectStoreProductItem(QWidget* parent)
    : GridPicker(QStringLiteral("Select Product Item"), Buttons::OkCancel, DoubleClick::Confirms, parent) {}

void frmSelectStoreProductItem::Setup(const std::shared_ptr<DBConnection>& oDB,
                                      const std::shared_ptr<ErrorObject>&, int32_t lStoreNo, bool) {
    ResetGrid(QStringLiteral("ProductNo|Prod Name|^SeqNo|^Type|Item Name"));
    // Only the store narrows the list, so every product item of the store comes back.
    Load(
        oDB, QStringLiteral("ZEV_SP_STORE_GetProductItem"),
        [&](StoredProcedureCall& call) { call.set(QStringLiteral("@store_no"), lStoreNo); }, Cells);
}

void frmSelectStoreProductItem::LeaveOut(int32_t lProductNo, int32_t lSeqNo) {
    const QString productNo = QString::number(lProductNo);
    const QString seqNo = QString::number(lSeqNo);
    for (int32_t row = gdItems->Rows() - 1; row >= 1; --row)
        if (gdItems->TextMatrix(row, 0) == productNo && gdItems->TextMatrix(row, 2) == seqNo)
            gdItems->RemoveItem(row);
}

void frmSelectStoreProductItem::getSelectedProductSeqNo(int32_t lIndex, int32_t& lProductNo, int32_t& lSeqNo,
                                                        QString& sItemName, QString& sProductName) const {
    const int32_t row = SelectedDataRow(lIndex);
    ReadLong(row, 0, lProductNo);
    ReadLong(row, 2, lSeqNo);
    ReadText(row, 4, sItemName);
    ReadText(row, 1, sProductName);
}

QString frmSelectStoreProductItem::TypeText(const StoredProcedureCall& row) {
    if (row.readLong(QStringLiteral("item_no")) != 0)
        return QStringLiteral("Item");
    if (row.readLong(QStringLiteral("package_no")) != 0)
        return QStringLiteral("Pkg");
    return {};
}

QStringList frmSelectStoreProductItem::Cells(const StoredProcedureCall& row) {
    return {row.readText(QStringLiteral("product_no")), row.readText(QStringLiteral("product_name")),
            row.readText(QStringLiteral("seq_no")), TypeText(row),
            row.readText(QStringLiteral("product_item_name"))};
}
