#include "store/control/Store.h"

#include "sdk/RuntimeError.h"
#include "store/editors/product/frmStoreProductItem.h"
#include "store/editors/product/frmStoreProductItemSell.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CListItem.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/records/CStore.h"
#include "store/records/CStoreProductItemSell.h"
#include "store/viewers/frmCheckStore.h"
#include "widgets/BusyPointer.h"
#include "widgets/KeyedCombo.h"
#include "widgets/ShowModal.h"

#include <QAction>

// "Tools", "Check Store...": the current store's findings, each opened in the editor the control's own
// commands use; a record that cannot be opened any more is left alone, and the check runs again.

void Store::on_mnuToolCheckStore_triggered() {
    if (Deferred([this] { on_mnuToolCheckStore_triggered(); }))
        return;
    if (!m_store || !m_maint)
        return;
    frmCheckStore check(this);
    if (check.Setup(*m_maint, m_store->StoreNo(), cmbStore->currentText(),
                    [this](const StoreCheck::Finding& found) { OpenFinding(found); }))
        ShowModal(&check, this);
}

void Store::OpenFinding(const StoreCheck::Finding& found) {
    using enum StoreCheck::Record;
    try {
        if (!m_store)
            return;
        switch (found.record) {
        case Product: {
            CProduct product;
            if (product.OpenProduct(m_db, m_error, m_store->StoreNo(), found.productNo) &&
                EditProduct(product, QStringLiteral("ITEMS")) && IsTab("PRODUCT"))
                DisplayProducts(false);
            break;
        }
        case ProductItem:
            OpenProductItem(found);
            break;
        case SellLink:
            OpenSellLink(found);
            break;
        case ListItem: {
            CListItem item;
            if (item.OpenListItem(m_db, m_error, m_store->StoreNo(), found.listId, found.listSeqNo) &&
                EditListItem(item) && IsTab("LIST") && SelectedListId() == found.listId)
                LoadListItems();
            break;
        }
        case Group:
        case Fee:
        case Document:
            EditSelectedStore(found.StoreTab());
            break;
        }
    } catch (const RuntimeError&) {
        // the record's own operations have reported what failed
    }
}

void Store::OpenProductItem(const StoreCheck::Finding& found) {
    CProduct product;
    CProductItem item;
    if (!product.OpenProduct(m_db, m_error, m_store->StoreNo(), found.productNo) ||
        !item.OpenProductItem(m_db, m_error, m_store->StoreNo(), found.productNo, found.seqNo))
        return;
    frmStoreProductItem editor(this);
    editor.Setup(*m_maint, item, product.ProductName());
    ShowModal(&editor, this);
}

void Store::OpenSellLink(const StoreCheck::Finding& found) {
    CStoreProductItemSell link;
    if (!link.OpenStoreProductItemSell(m_db, m_error, m_store->StoreNo(), found.productNo, found.seqNo,
                                       found.priceNo, found.newProductNo, found.newSeqNo, found.newPriceNo))
        return;
    frmStoreProductItemSell editor(this);
    editor.Setup(*m_maint, link);
    ShowModal(&editor, this);
}
