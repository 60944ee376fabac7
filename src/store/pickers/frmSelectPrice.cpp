#include "store/pickers/frmSelectPrice.h"

#include "store/data/StoredProcedureCall.h"

frmSelectPrice::frmSelectPrice(QWidget* parent)
    : PricePicker(QStringLiteral("Select Price"), Buttons::OkCancel, DoubleClick::Confirms, {4, 6}, parent) {}

void frmSelectPrice::Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>&,
                           int32_t lStoreNo, int32_t lItemNo, int32_t lProductNo, int32_t lSeqNo,
                           int32_t lPackageNo) {
    const QuietGrid quiet(gdItems);
    ResetGrid(QStringLiteral("Price #|Season|Discount|Unit|UnitQty|Unit Price|Price"));
    FormatPriceColumns();
    Load(
        oDB, QStringLiteral("ZEV_SP_STORE_GetProductItemPrices"),
        [&](StoredProcedureCall& call) {
            call.setNullIfZero(QStringLiteral("@item_no"), lItemNo)
                .setNullIfZero(QStringLiteral("@package_no"), lPackageNo)
                .setNullIfZero(QStringLiteral("@store_no"), lStoreNo)
                .setNullIfZero(QStringLiteral("@product_no"), lProductNo)
                .setNullIfZero(QStringLiteral("@seq_no"), lSeqNo);
        },
        Cells);
}

QString frmSelectPrice::DiscountText(const StoredProcedureCall& row) {
    const QString id = row.readText(QStringLiteral("discount_id"));
    if (id.isEmpty())
        return {};
    return id + QLatin1Char(':') + row.readText(QStringLiteral("discount_desc"));
}

QStringList frmSelectPrice::Cells(const StoredProcedureCall& row) {
    QStringList cells = PriceCells(row);
    cells.insert(2, DiscountText(row));
    return cells;
}
