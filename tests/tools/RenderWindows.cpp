// Renders every window of the store module on a fresh demo database to PNG files, for review and for the
// user guide: zev_render_windows DIR. Works without a display (offscreen platform).

#include "RenderProductEditors.h"
#include "RenderStoreEditor.h"
#include "database/DemoData.h"
#include "store/control/Store.h"
#include "store/host/CStoreMaint.h"
#include "store/host/frmAbout.h"
#include "store/pickers/frmSelectItem.h"
#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/records/CStore.h"
#include "support/FakeAppServer.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <iostream>

namespace {

QString g_folder;

bool Save(QWidget* window, const QString& name) {
    window->show();
    QApplication::processEvents();
    const QString path = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    const bool saved = window->grab().save(path);
    std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << '\n';
    return saved;
}

// The first value of a plain query, as a double.
double First(const std::shared_ptr<DBConnection>& db, const QString& sql) {
    const auto rows = db->OpenRecordset(sql, 0);
    const Variant value = rows->Eof() ? Variant() : rows->Fields(QStringLiteral("n"))->Value();
    return value.isNull() ? 0 : value.toDouble();
}

void RenderControl(const std::shared_ptr<FakeAppServer>& server, int32_t storeNo) {
    server->settings->values[QStringLiteral("AppData\\Store|Environment|DefaultStoreNo")] =
        QString::number(storeNo);
    Store control;
    control.resize(1100, 720);
    control.SetAppServer(server);
    control.Setup();
    control.Enable();
    for (const char* key : {"PRODUCT", "LIST", "CUST", "ORDER"}) {
        control.tabStore->SelectKey(QLatin1String(key));
        Save(&control, QStringLiteral("store-") + QLatin1String(key).toString().toLower());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZevStore"));
    if (argc < 2) {
        std::cerr << "usage: zev_render_windows DIR\n";
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    QTemporaryDir scratch;
    const auto db =
        DemoData::CreateDemoDatabase(scratch.filePath(QStringLiteral("demo.db")), QStringLiteral("admin"));

    auto server = std::make_shared<FakeAppServer>();
    server->db = db;
    CStoreMaint maint;
    maint.setAppServer(server);

    // Every dialog the service opens is saved instead of shown.
    int shots = 0;
    SetModalHook([&](QDialog* dialog) {
        dialog->resize(dialog->size().expandedTo(QSize(640, 420)));
        const QString name = dialog->objectName().startsWith(QLatin1String("frm"))
                                 ? dialog->objectName()
                                 : dialog->metaObject()->className();
        shots += Save(dialog, name) ? 1 : 0;
        dialog->hide();
    });

    const int32_t storeNo = int32_t(First(db, QStringLiteral("SELECT MIN(store_no) AS n FROM zev_store")));
    RenderControl(server, storeNo);
    frmAbout about;
    ShowModal(&about);
    maint.DisplayOrderDetail(
        storeNo, First(db, QStringLiteral(
                               "SELECT MIN(shopping_cart_no) AS n FROM zev_shopping_cart WHERE store_no = ") +
                               QString::number(storeNo)));
    maint.DisplayCustomerLogDetail(First(
        db,
        QStringLiteral("SELECT MAX(log_no) AS n FROM zev_customer_log WHERE old_customer_data IS NOT NULL")));
    const int32_t pricedItem = int32_t(First(
        db, QStringLiteral("SELECT MIN(item_no) AS n FROM zev_price WHERE store_no IS NULL OR store_no = %1")
                .arg(storeNo)));
    int32_t priceNo = 0;
    QString price;
    int16_t unitQty = 0;
    maint.SelectPrice(pricedItem, storeNo, 0, 0, priceNo, price, unitQty);
    maint.ShowPrices(pricedItem, storeNo);
    CStore store;
    store.OpenStore(db, server->error, storeNo);
    store.setRegisterInstalled(false);
    maint.InstallRegister(store);
    frmSelectItem items;
    items.Setup(maint, db, server->error, false, storeNo, 0);
    ShowModal(&items);
    frmSelectItem extensions;
    extensions.Setup(maint, db, server->error, false, storeNo,
                     int32_t(First(db, QStringLiteral("SELECT MIN(item_no) AS n FROM zev_store_extension "
                                                      "WHERE store_no = %1")
                                           .arg(storeNo))));
    extensions.setObjectName(QStringLiteral("frmSelectItem-extensions"));
    ShowModal(&extensions);
    frmSelectStoreProductItem productItems;
    productItems.Setup(db, server->error, storeNo, false);
    ShowModal(&productItems);
    shots += RenderProductEditors(maint, g_folder);
    shots += RenderStoreEditor(maint, storeNo, g_folder);
    std::cout << shots << " dialogs rendered\n";
    return shots > 0 ? 0 : 1;
}
