#include "RenderProductEditors.h"

#include "store/editors/product/frmStoreListItem.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/editors/product/frmStoreProductItem.h"
#include "store/editors/product/frmStoreProductItemSell.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CListItem.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/records/CStoreProductItemSell.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QDir>
#include <iostream>

namespace {

// The demo's lift ticket store: its day tickets, the adult ticket with its two links, and the featured
// list's first entry.
constexpr int32_t StoreNo = 1;
constexpr int32_t ProductNo = 100;

int Shot(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << '\n';
    window.hide();
    return saved ? 1 : 0;
}

} // namespace

int RenderProductEditors(CStoreMaint& maint, const QString& folder) {
    const auto db = maint.DBConnection();
    const auto error = maint.ErrorObject();
    int shots = 0;

    CProduct product;
    product.OpenProduct(db, error, StoreNo, ProductNo);
    frmStoreProduct productEditor;
    productEditor.Setup(maint, product);
    shots += Shot(productEditor, folder, QStringLiteral("product-editor"));
    productEditor.tabProperties->SelectKey(QStringLiteral("ITEMS"));
    shots += Shot(productEditor, folder, QStringLiteral("product-editor-items"));

    CProductItem item;
    item.OpenProductItem(db, error, StoreNo, ProductNo, 1);
    frmStoreProductItem itemEditor;
    itemEditor.Setup(maint, item, product.ProductName());
    shots += Shot(itemEditor, folder, QStringLiteral("product-item-editor"));

    CStoreProductItemSell link;
    // The rental store's three day up-sell, priced on both sides.
    link.OpenStoreProductItemSell(db, error, 2, ProductNo, 1, 113, ProductNo, 2, 114);
    frmStoreProductItemSell linkEditor;
    linkEditor.Setup(maint, link);
    shots += Shot(linkEditor, folder, QStringLiteral("sell-link-editor"));

    CListItem entry;
    entry.OpenListItem(db, error, StoreNo, QStringLiteral("FEATURED"), 1);
    frmStoreListItem listEditor;
    listEditor.Setup(maint, entry);
    shots += Shot(listEditor, folder, QStringLiteral("list-item-editor"));
    return shots;
}
