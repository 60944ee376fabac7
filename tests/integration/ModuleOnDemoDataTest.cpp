#include "dbsupport/TestDatabase.h"
#include "store/control/Store.h"
#include "store/host/CStoreMaint.h"
#include "store/viewers/frmLogDetail.h"
#include "store/viewers/frmOrderDetail.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QPushButton>

namespace {

// The control and the service against the demo database, on each backend.
class ModuleOnDemoDataTest : public DatabaseTest {
protected:
    std::shared_ptr<FakeAppServer> serverFor(const QString& user) {
        auto server = std::make_shared<FakeAppServer>();
        server->db = connection(user);
        return server;
    }

    double first(const QString& sql) { return database().scalar(sql).toDouble(); }

    // A cart whose document holds a card number, and the store it belongs to.
    std::pair<int32_t, double> cartWithCard() {
        const double cart = first(QStringLiteral(
            "SELECT MIN(shopping_cart_no) FROM zev_shopping_cart WHERE shopping_cart_data LIKE '%CARD_NO%'"));
        const int32_t store =
            int32_t(first(QStringLiteral("SELECT store_no FROM zev_shopping_cart WHERE shopping_cart_no = %1")
                              .arg(qint64(cart))));
        return {store, cart};
    }
};

TEST_P(ModuleOnDemoDataTest, ControlListsTheStoresAndFindsTheirOrders) {
    auto server = serverFor("admin");
    const int32_t storeNo = int32_t(first("SELECT MIN(store_no) FROM zev_store"));
    server->settings->values["AppData\\Store|Environment|DefaultStoreNo"] = QString::number(storeNo);
    Store control;
    control.SetAppServer(server);
    control.Setup();
    EXPECT_EQ(control.cmbStore->count(), database().count("zev_store"));
    ASSERT_TRUE(control.CurrentStore());
    EXPECT_GT(control.gdData->Rows(), 1) << "the demo store has products";

    control.tabStore->SelectKey("ORDER");
    control.cmdFind->click();
    EXPECT_EQ(control.gdData->Rows() - 1, database().count("zev_shopping_cart", "store_no = ?", {storeNo}));
    EXPECT_TRUE(server->error->reports.empty());
}

TEST_P(ModuleOnDemoDataTest, OrderDetailShowsCardNumbersOnlyToThoseAllowed) {
    const auto [storeNo, cartNo] = cartWithCard();
    ASSERT_GT(cartNo, 0) << "the demo data holds a paid cart";
    for (const QString user : {"admin", "clerk"}) {
        SCOPED_TRACE(user.toStdString());
        CStoreMaint maint;
        maint.setAppServer(serverFor(user));
        QString cardCell;
        ModalScript dialogs;
        dialogs.on<frmOrderDetail>([&](frmOrderDetail& viewer) {
            EXPECT_GT(viewer.gdCartData->Rows(), 2);
            EXPECT_GT(viewer.gdLog->Rows(), 1) << "the order has a log";
            for (int row = 1; row < viewer.gdCartData->Rows(); ++row)
                if (viewer.gdCartData->TextMatrix(row, 0) == QLatin1String("CARD_NO"))
                    cardCell = viewer.gdCartData->TextMatrix(row, 1);
        });
        maint.DisplayOrderDetail(storeNo, cartNo);
        ASSERT_FALSE(cardCell.isEmpty());
        EXPECT_EQ(cardCell.startsWith(QLatin1String("XXXX")), user == QLatin1String("clerk"));
    }
}

TEST_P(ModuleOnDemoDataTest, CustomerLogEntryShowsOldAndNewData) {
    const double logNo =
        first("SELECT MIN(log_no) FROM zev_customer_log WHERE old_customer_data IS NOT NULL");
    ASSERT_GT(logNo, 0);
    CStoreMaint maint;
    maint.setAppServer(serverFor("admin"));
    ModalScript dialogs;
    dialogs.on<frmLogDetail>([](frmLogDetail& viewer) {
        EXPECT_GT(viewer.gdNew->Rows(), 1);
        EXPECT_GT(viewer.gdOld->Rows(), 1);
    });
    maint.DisplayCustomerLogDetail(logNo);
}

ZEV_INSTANTIATE_BACKENDS(ModuleOnDemoDataTest);

} // namespace
