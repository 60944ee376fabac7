// The store control on a large store: the order search finding 1,000,000 orders (search click to filled grid)
// and the product view of 100,000 products, each beside the same procedure read by itself, with the share the
// grid adds. Not run by ctest. Usage: zev_control_bench [DATABASE_FILE] (made on first use, then reused).

#include "database/BulkData.h"
#include "database/SqlConnection.h"
#include "store/control/Store.h"
#include "store/data/StoredProcedureCall.h"
#include "support/FakeAppServer.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <cstdio>

namespace {

constexpr int64_t Orders = 1000000;
constexpr int32_t Products = 100000;

// Reads every row of a procedure the way the control does, column by column as text.
double ReadAll(const std::shared_ptr<DBConnection>& db, const QString& procedure, int32_t storeNo,
               const QStringList& columns, int64_t& rows) {
    QElapsedTimer timer;
    timer.start();
    StoredProcedureCall call(db, procedure);
    call.set(QStringLiteral("@store_no"), storeNo);
    rows = 0;
    qsizetype characters = 0;
    if (call.openRows())
        for (; !call.atEnd(); call.next(), ++rows)
            for (const QString& column : columns)
                characters += call.readText(column).size();
    return double(timer.nsecsElapsed()) / 1e9 + (characters < 0 ? 1 : 0);
}

void Report(const char* what, double database, double control, int64_t rows) {
    std::printf("%-34s %9lld rows  database %.2f s  control %.2f s  grid adds %.0f%% (target at most 50%%)\n",
                what, static_cast<long long>(rows), database, control,
                100.0 * (control - database) / database);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString file =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/zevstore-control-bench.db");
    const bool fresh = !QFileInfo::exists(file);
    const auto db = SqlConnection::Open(file, QStringLiteral("admin"));
    int32_t storeNo = 0;
    if (fresh) {
        std::printf("generating %lld orders and %d products in %s ...\n", static_cast<long long>(Orders),
                    Products, qPrintable(file));
        BulkDataSize size;
        size.stores = 1;
        size.productsPerStore = Products;
        size.itemsPerProduct = 1;
        size.orders = Orders;
        size.customers = 1000;
        storeNo = BulkData::Generate(*db->session(), size).firstStoreNo;
    } else {
        const auto rows = db->OpenRecordset(QStringLiteral("SELECT MAX(store_no) AS n FROM zev_store"), 0);
        storeNo = rows->Fields(QStringLiteral("n"))->Value().toInt32();
    }

    const QStringList orderColumns = {"shopping_cart_no",    "inserted_datetime", "status_id",
                                      "salesorder_no",       "customer_no",       "external_customer_no",
                                      "notify_email_address"};
    const QStringList productColumns = {"product_no", "product_group_no", "group_description", "product_type",
                                        "product_name"};
    int64_t orderRows = 0;
    int64_t productRows = 0;
    const double ordersDb =
        ReadAll(db, QStringLiteral("ZEV_SP_STORE_GetOrders"), storeNo, orderColumns, orderRows);
    const double productsDb =
        ReadAll(db, QStringLiteral("ZEV_SP_STORE_GetProduct"), storeNo, productColumns, productRows);

    auto server = std::make_shared<FakeAppServer>();
    server->db = db;
    Store control;
    control.resize(1100, 720);
    control.SetAppServer(server);
    control.Setup();
    const int index = control.cmbStore->IndexOfNumber(storeNo);
    control.cmbStore->setCurrentIndex(index);

    QElapsedTimer timer;
    control.tabStore->SelectKey(QStringLiteral("CUST"));
    timer.start();
    control.tabStore->SelectKey(QStringLiteral("PRODUCT"));
    const double productsControl = double(timer.nsecsElapsed()) / 1e9;

    control.tabStore->SelectKey(QStringLiteral("ORDER"));
    timer.restart();
    control.cmdFind->click();
    const double ordersControl = double(timer.nsecsElapsed()) / 1e9;

    Report("order search (1,000,000 orders)", ordersDb, ordersControl, control.gdData->Rows() - 1);
    Report("product view (100,000 products)", productsDb, productsControl, productRows);
    return control.gdData->Rows() - 1 == orderRows ? 0 : 1;
}
