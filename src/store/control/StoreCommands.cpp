#include "store/control/Store.h"

#include "sdk/RuntimeError.h"
#include "store/control/ListItemPaste.h"
#include "store/control/StoreShared.h"
#include "store/editors/product/frmStoreListItem.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/editors/store/frmStore.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CListItem.h"
#include "store/records/CProduct.h"
#include "store/records/CStore.h"
#include "widgets/BusyPointer.h"
#include "widgets/ClipboardRows.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/MsgBox.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"

#include <QAction>

// The commands: "Add", "Edit" and "Delete" in "Current Store"; "Add", "Edit" and "Delete" under the grid and
// a double click on a row; "Special Offers..." in "Tools". A failing step ends its command quietly: the
// records and the service report their own failures, and the pointer is restored on every path.

using namespace StoreShared;

namespace {

const QString EditStoreCanceled = QStringLiteral("Edit Store Canceled");
const QString ConfirmDelete = QStringLiteral("Confirm Delete");
constexpr int32_t DeleteQuestion = MsgBoxStyle::YesNo | MsgBoxStyle::Question | MsgBoxStyle::DefaultButton2;

void Quietly(const std::function<void()>& command) {
    try {
        command();
    } catch (const RuntimeError&) {
    }
}

} // namespace

// ---- the editors

// Before Setup, or for a user without the right, there is no service and no editor opens.
bool Store::EditStoreDialog(CStore& store, const QString& tab) {
    if (!m_maint)
        return false;
    frmStore editor;
    editor.Setup(*m_maint, store);
    if (!tab.isEmpty())
        editor.OpenOnTab(tab);
    ShowModal(&editor);
    const bool confirmed = !editor.UserCanceled();
    if (editor.ReportToOutsideListHasChanged())
        LoadSearches(true);
    return confirmed;
}

bool Store::EditProduct(CProduct& product, const QString& tab) {
    if (!m_maint)
        return false;
    frmStoreProduct editor;
    editor.Setup(*m_maint, product);
    if (!tab.isEmpty())
        editor.tabProperties->SelectKey(tab);
    ShowModal(&editor, this);
    return !editor.UserCanceled();
}

bool Store::EditListItem(CListItem& item) {
    if (!m_maint)
        return false;
    frmStoreListItem editor;
    editor.Setup(*m_maint, item);
    ShowModal(&editor, this);
    return !editor.UserCancelled();
}

// ---- "Current Store": "Add", "Edit", "Delete"

// The description a store has in the database: the editor's record may hold one whose save was refused.
// A null text when the store cannot be read back.
QString Store::StoredDescription(int32_t storeNo) const {
    CStore stored;
    if (storeNo != 0 && stored.OpenStore(m_db, m_error, storeNo))
        return stored.Description();
    return {};
}

// What the selector shows for an edited store: its stored name; the record's only when the editor was
// confirmed and the store cannot be read back.
QString Store::ShownDescription(const CStore& edited, bool confirmed) const {
    const QString stored = StoredDescription(edited.StoreNo());
    return stored.isNull() && confirmed ? edited.Description() : stored;
}

void Store::on_cmdAddStore_clicked() {
    if (Deferred([this] { on_cmdAddStore_clicked(); }))
        return;
    BusyPointer busy;
    Quietly([&] {
        CStore store;
        const bool confirmed = EditStoreDialog(store);
        // Nothing stored, even when confirmed with the store's own write refused; a store that Apply created
        // is listed even when the editor was then cancelled.
        const QString shown = ShownDescription(store, confirmed);
        if (store.StoreNo() == 0 || shown.isNull())
            return;
        cmbStore->setSelectedIndex(cmbStore->AddEntry(shown, {}, store.StoreNo()));
    });
}

// False, after telling the user, when no store is selected.
bool Store::StoreSelected() const {
    if (cmbStore->SelectedIndex() >= 0)
        return true;
    MsgBox(QStringLiteral("Please select a store to edit first."), MsgBoxStyle::Information,
           EditStoreCanceled);
    return false;
}

void Store::on_cmdEditStore_clicked() {
    if (Deferred([this] { on_cmdEditStore_clicked(); }))
        return;
    BusyPointer busy;
    Quietly([&] {
        if (StoreSelected())
            EditSelectedStore();
    });
}

void Store::EditSelectedStore(const QString& tab) {
    const int index = cmbStore->SelectedIndex();
    CStore store;
    if (!store.OpenStore(m_db, m_error, cmbStore->Number(index))) {
        MsgBox(QStringLiteral("Unable to open store details."));
        return;
    }
    // Confirmed, or cancelled after Apply: the entry shows the name that is stored.
    const QString shown = ShownDescription(store, EditStoreDialog(store, tab));
    if (!shown.isNull() && shown.compare(cmbStore->itemText(index), Qt::CaseInsensitive) != 0)
        cmbStore->setItemText(index, shown);
}

void Store::on_cmdDeleteStore_clicked() {
    if (Deferred([this] { on_cmdDeleteStore_clicked(); }))
        return;
    BusyPointer busy;
    Quietly([&] {
        if (!StoreSelected())
            return;
        const int index = cmbStore->SelectedIndex();
        const int32_t storeNo = cmbStore->Number(index);
        const QString store = cmbStore->itemText(index) + QLatin1Char('(') + QString::number(storeNo) +
                              QStringLiteral(") and all it's related data?");
        if (MsgBox(QStringLiteral("Are you sure you want to delete store ") + store, DeleteQuestion,
                   QStringLiteral("Confirm Store Delete")) != MsgBoxResult::Yes)
            return;
        if (MsgBox(QStringLiteral("Are you sure absolutely sure you want to delete store ") + store,
                   DeleteQuestion, QStringLiteral("Confirm Store Absolute Delete")) != MsgBoxResult::Yes)
            return;
        if (!m_maint || !m_maint->DeleteStore(storeNo))
            return;
        // Leaving the deleted store first lets the selection handling close it; the entry before it, if
        // any, then opens.
        cmbStore->setSelectedIndex(-1);
        cmbStore->removeItem(index);
        if (index > 0)
            cmbStore->setSelectedIndex(index - 1);
    });
}

// ---- under the grid: "Add", "Edit", "Delete"; a double click edits

QString Store::SelectedListId() const {
    return cmbList->SelectedKey().mid(1);
}

// Selects the product's row, found by its row data, after the view was loaded again; row 1 is left as the
// grid put it.
void Store::SelectProductRow(int32_t productNo) {
    for (int32_t row = 1; row < gdData->Rows(); ++row) {
        const Variant data = gdData->RowData(row);
        if (IsNumeric(data) && data.toInt32() == productNo) {
            if (row > 1) {
                gdData->setRow(row);
                gdData->ShowCell(row, 0);
            }
            return;
        }
    }
}

void Store::on_cmdAdd_clicked() {
    if (Deferred([this] { on_cmdAdd_clicked(); }))
        return;
    Quietly([&] {
        if (!m_store)
            return;
        if (IsTab("PRODUCT"))
            AddProduct();
        else if (IsTab("LIST"))
            AddListItem();
    });
}

void Store::AddProduct() {
    CProduct product;
    product.setStoreNo(m_store->StoreNo());
    if (!EditProduct(product))
        return;
    DisplayProducts(false);
    SelectProductRow(product.ProductNo());
}

void Store::AddListItem() {
    if (m_listPaste)
        m_listPaste->Forget();
    CListItem item;
    item.setStoreNo(m_store->StoreNo());
    item.setListId(SelectedListId());
    const int32_t last = gdData->Rows() - 1;
    item.setSeqNo(last >= 1 ? Variant(gdData->TextMatrix(last, 0)).toInt32() + 1 : 1);
    if (!EditListItem(item))
        return;
    gdData->AddItem(ListItemRow(item));
}

QString Store::ListItemRow(const CListItem& item) {
    return Joined({QString::number(item.SeqNo()), QString::number(item.ProductNo()),
                   QString::number(item.ProductItemSeqNo()), item.ProductItemName(),
                   QString::number(item.PriceNo()), Variant(item.Price()).toText()});
}

void Store::on_cmdEdit_clicked() {
    if (Deferred([this] { on_cmdEdit_clicked(); }))
        return;
    EditCurrentRow();
}

void Store::on_gdData_DblClick() {
    if (Deferred([this] { on_gdData_DblClick(); }))
        return;
    EditCurrentRow();
}

void Store::EditCurrentRow() {
    Quietly([&] {
        if (IsTab("PRODUCT"))
            EditProductRow();
        else if (IsTab("LIST"))
            EditListItemRow();
        else if (IsTab("ORDER") || IsTab("CUST"))
            OpenDetail();
    });
}

void Store::EditProductRow() {
    if (!m_store || !gdData->DataRow())
        return;
    const int32_t row = gdData->Row();
    CProduct product;
    if (!product.OpenProduct(m_db, m_error, m_store->StoreNo(),
                             Variant(gdData->TextMatrix(row, 1)).toInt32()))
        return;
    if (!EditProduct(product))
        return;
    const QString group =
        QString::number(product.ProductGroupNo()) + QLatin1Char(' ') + product.ProductGroupDescription();
    if (group.compare(gdData->TextMatrix(row, 0), Qt::CaseInsensitive) != 0) {
        DisplayProducts(false);
        SelectProductRow(product.ProductNo());
        return;
    }
    gdData->setTextMatrix(row, 1, QString::number(product.ProductNo()));
    gdData->setTextMatrix(row, 0, group);
    gdData->setTextMatrix(row, 3, product.ProductName());
    gdData->setTextMatrix(row, 2, product.ProductType());
}

void Store::EditListItemRow() {
    if (m_listPaste)
        m_listPaste->Forget();
    if (!m_store || !gdData->DataRow())
        return;
    const int32_t row = gdData->Row();
    CListItem item;
    if (!item.OpenListItem(m_db, m_error, m_store->StoreNo(), SelectedListId(),
                           Variant(gdData->TextMatrix(row, 0)).toInt32()))
        return;
    if (!EditListItem(item))
        return;
    gdData->setRowText(row, ListItemRow(item));
}

void Store::on_cmdDelete_clicked() {
    if (Deferred([this] { on_cmdDelete_clicked(); }))
        return;
    Quietly([&] {
        if (!m_store || !gdData->DataRow())
            return;
        if (IsTab("PRODUCT"))
            DeleteProductRow();
        else if (IsTab("LIST"))
            DeleteListItemRow();
    });
}

void Store::DeleteProductRow() {
    const int32_t row = gdData->Row();
    const QString productText = gdData->TextMatrix(row, 1);
    CProduct product;
    if (!product.OpenProduct(m_db, m_error, m_store->StoreNo(), Variant(productText).toInt32()))
        return;
    if (MsgBox(QStringLiteral("Are you sure you want to delete product (") + productText + QLatin1Char(':') +
                   product.ProductName() + QStringLiteral(") and all of its support tables and items?"),
               DeleteQuestion, ConfirmDelete) != MsgBoxResult::Yes)
        return;
    if (m_maint && m_maint->DeleteStoreProduct(m_store->StoreNo(), Variant(productText).toInt32()))
        gdData->RemoveItem(row);
}

void Store::DeleteListItemRow() {
    if (m_listPaste)
        m_listPaste->Forget();
    const int32_t row = gdData->Row();
    const QString seqText = gdData->TextMatrix(row, 0);
    const QString listId = SelectedListId();
    CListItem item;
    if (!item.OpenListItem(m_db, m_error, m_store->StoreNo(), listId, Variant(seqText).toInt32()))
        return;
    if (MsgBox(QStringLiteral("Are you sure you want to delete list item (") + seqText + QLatin1Char(':') +
                   item.ProductItemName() + QStringLiteral(")?"),
               DeleteQuestion, ConfirmDelete) != MsgBoxResult::Yes)
        return;
    if (m_maint && m_maint->DeleteStoreListItem(m_store->StoreNo(), listId, Variant(seqText).toInt32()))
        gdData->RemoveItem(row);
}

// ---- Ctrl+V and Ctrl+Z on the Lists view

void Store::PasteListItems(const QList<QStringList>& rows) {
    Quietly([&] {
        const QString listId = SelectedListId();
        if (!m_store || !IsTab("LIST") || !m_listPaste || listId.isEmpty())
            return;
        std::vector<int32_t> listed;
        for (int32_t row = 1; row < gdData->Rows(); ++row)
            listed.push_back(Variant(gdData->TextMatrix(row, 0)).toInt32());
        std::vector<int32_t> replaced;
        for (int32_t i = 0; gdData->SelectedRows() > 1 && i < gdData->SelectedRows(); ++i)
            replaced.push_back(Variant(gdData->TextMatrix(gdData->SelectedRow(i), 0)).toInt32());
        QStringList refused;
        {
            BusyPointer busy;
            refused = m_listPaste->Paste(m_store->StoreNo(), listId, rows, listed, replaced);
            LoadListItems();
        }
        if (!refused.isEmpty())
            ClipboardRows::ShowRefused(refused.size(), rows.size(), refused,
                                       QStringLiteral("were not saved"));
    });
}

void Store::UndoListPaste() {
    Quietly([&] {
        if (!m_store || !IsTab("LIST") || !m_listPaste ||
            !m_listPaste->CanUndo(m_store->StoreNo(), SelectedListId()))
            return;
        BusyPointer busy;
        m_listPaste->Undo();
        LoadListItems();
    });
}

// ---- "Tools", "Special Offers..."

void Store::on_mnuToolSpecialOffer_triggered() {
    if (Deferred([this] { on_mnuToolSpecialOffer_triggered(); }))
        return;
    BusyPointer busy;
    Quietly([&] {
        if (const std::shared_ptr<ItemMaintenance> items = m_maint ? m_maint->ItemMaint() : nullptr)
            items->ShowSpecialOffer();
    });
}
