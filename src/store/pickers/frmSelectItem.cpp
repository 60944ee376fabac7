#include "store/pickers/frmSelectItem.h"

#include "store/data/StoredProcedureCall.h"
#include "store/host/CStoreMaint.h"
#include "widgets/FlexGrid.h"

namespace {
// Extension list columns.
constexpr int32_t TickCol = 0;
constexpr int32_t ExtensionItemCol = 1;
constexpr int32_t PricesCol = 3;
} // namespace

frmSelectItem::frmSelectItem(QWidget* parent)
    : GridPicker(QStringLiteral("Select Extendable Item"), Buttons::OkCancel, DoubleClick::Confirms, parent) {
    connect(gdItems, &FlexGrid::BeforeEdit, this, &frmSelectItem::on_gdItems_BeforeEdit);
    connect(gdItems, &FlexGrid::CellButtonClick, this, &frmSelectItem::on_gdItems_CellButtonClick);
}

void frmSelectItem::Setup(CStoreMaint& oStoreMaint, const std::shared_ptr<DBConnection>& oDB,
                          const std::shared_ptr<ErrorObject>&, bool, int32_t lStoreNo, int32_t lItemNo) {
    m_storeMaint = &oStoreMaint;
    m_storeNo = lStoreNo;
    m_itemNo = lItemNo;
    if (m_itemNo == 0) {
        ShowExtendable(oDB);
    } else {
        setWindowTitle(QStringLiteral("Select Available Extension Items"));
        ShowExtensions(oDB);
    }
}

void frmSelectItem::ShowExtendable(const std::shared_ptr<DBConnection>& oDB) {
    ResetGrid(QStringLiteral("ItemNo|Description"));
    gdItems->setEditable(false);
    Load(oDB, QStringLiteral("ZEV_SP_STORE_getExtendableItems"), {}, [](const StoredProcedureCall& row) {
        return QStringList{row.readText(QStringLiteral("item_no")),
                           row.readText(QStringLiteral("long_description"))};
    });
}

void frmSelectItem::ShowExtensions(const std::shared_ptr<DBConnection>& oDB) {
    ResetGrid(QStringLiteral("Selected|ItemNo|Description|View Prices"));
    gdItems->setColDataType(TickCol, FlexGrid::DataType::Boolean);
    gdItems->setColComboList(PricesCol, QStringLiteral("..."));
    gdItems->setEditable(true);
    Load(
        oDB, QStringLiteral("ZEV_SP_STORE_getExtensionItems"),
        [this](StoredProcedureCall& call) {
            call.set(QStringLiteral("@store_no"), m_storeNo).set(QStringLiteral("@item_no"), m_itemNo);
        },
        [](const StoredProcedureCall& row) {
            return QStringList{row.readText(QStringLiteral("Checked")),
                               row.readText(QStringLiteral("item_no")),
                               row.readText(QStringLiteral("long_description")), QString()};
        });
}

void frmSelectItem::getSelectedItemNo(int32_t lIndex, int32_t& lItemNo, QString& sDescription) const {
    const int32_t row = SelectedDataRow(lIndex);
    ReadLong(row, 0, lItemNo);
    ReadText(row, 1, sDescription);
}

int32_t frmSelectItem::Rows() const {
    return gdItems->Rows() - 1;
}

void frmSelectItem::getItemNoSelected(int32_t lRow, int32_t& lItemNo, bool& bSelected) const {
    if (lRow < 1 || lRow >= gdItems->Rows())
        return;
    ReadLong(lRow, ExtensionItemCol, lItemNo);
    // The tick as the user sees it; a cell the database left empty shows unticked.
    bSelected = gdItems->gridModel()->Checked(lRow, TickCol);
}

void frmSelectItem::on_gdItems_BeforeEdit(int32_t, int32_t col, bool& cancel) {
    // Only the tick and the price button can be used.
    cancel = col != TickCol && col != PricesCol;
}

void frmSelectItem::on_gdItems_CellButtonClick(int32_t row, int32_t col) {
    if (col != PricesCol || Rows() < 1 || !m_storeMaint)
        return;
    int32_t childItemNo = 0;
    ReadLong(row, ExtensionItemCol, childItemNo);
    if (childItemNo == 0)
        return;
    try {
        m_storeMaint->ShowPrices(m_itemNo, m_storeNo, 0, childItemNo);
    } catch (...) {
        // the price viewer is only a look-up; its failures do not concern the picker
    }
}
