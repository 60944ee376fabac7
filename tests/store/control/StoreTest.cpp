#include "store/control/StoreTest.h"
#include "store/records/CStore.h"
#include "store/records/RecordTest.h"
#include "store/viewers/frmLogDetail.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

TEST_F(StoreTest, WithoutTheRightOrAValidatedUserOrWhenSuppressedSetupTakesNoConnection) {
    struct Case {
        bool permitted, validated, suppressed;
        const char* message;
    };
    const QString denied = "You do not have permission to use Store Maintenance.  ";
    for (const Case& c : {Case{false, true, false,
                               "Please contact your System Administrator to set up "
                               "appropriate permissions."},
                          Case{true, false, false, "Your user id could not be validated."},
                          Case{true, true, true, nullptr}}) {
        SCOPED_TRACE(c.permitted + 2 * c.validated);
        Store fresh;
        auto host = std::make_shared<FakeAppServer>();
        host->permitted = c.permitted;
        host->userValidated = c.validated;
        host->suppressSetup = c.suppressed;
        ScriptedMessages messages;
        if (c.message)
            messages.expect();
        fresh.SetAppServer(host);
        fresh.Setup();
        if (c.message) {
            EXPECT_EQ(messages.last(), "Security Alert: " + denied + c.message);
            EXPECT_EQ(messages.shown()[0].buttons, 64);
        }
        EXPECT_TRUE(host->connectionNames.isEmpty());
        EXPECT_EQ(fresh.cmbStore->count(), 0);
        EXPECT_EQ(host->statusTexts.last(), "Ready");
        fresh.cmdAddStore->click(); // no service, so no editor: nothing happens, nothing breaks
    }
}

// The stored default store opening is shown on the demo data; none, an unknown one or one out of range opens
// nothing.
TEST_F(StoreTest, WithoutAListedDefaultStoreNoneIsOpened) {
    for (const QString& stored : {QString(), QStringLiteral("9"), QStringLiteral("40000")}) {
        SCOPED_TRACE(stored.toStdString());
        Store fresh;
        auto host = std::make_shared<FakeAppServer>();
        auto connection = std::make_shared<ScriptedConnection>();
        connection->script("ZEV_SP_STORE_GetStore").row(StoreRow(3, "Summit Lifts"));
        host->db = connection;
        if (!stored.isNull())
            host->settings->values[DefaultKey] = stored;
        fresh.SetAppServer(host);
        fresh.Setup();
        EXPECT_EQ(host->settings->reads, 1);
        EXPECT_FALSE(fresh.CurrentStore());
        EXPECT_EQ(fresh.cmbStore->currentIndex(), -1);
        EXPECT_FALSE(fresh.tabStore->isEnabled());
        EXPECT_EQ(fresh.cmbStore->count(), stored == "40000" ? 0 : 1);
        ASSERT_EQ(host->error->reports.size(), stored == "40000" ? 1u : 0u);
        if (stored == "40000") {
            EXPECT_EQ(host->error->reports[0].source + QString::number(host->error->reports[0].number),
                      "ZevStore.Store (1.0.0) ApplicationServer6");
        }
    }
}

TEST_F(StoreTest, AStoreThatCannotBeOpenedLeavesNoStoreAndKeepsTheDefault) {
    scriptStores(3);
    start("3");
    ASSERT_TRUE(control.CurrentStore());
    db->script("ZEV_SP_STORE_GetStore"); // store 5 is gone
    control.cmbStore->setCurrentIndex(1);
    EXPECT_FALSE(control.CurrentStore());
    EXPECT_FALSE(control.tabStore->isEnabled());
    EXPECT_FALSE(control.gdData->isEnabled());
    EXPECT_EQ(server->settings->values[DefaultKey], "3");

    // Back to a store that opens, then choosing it again reloads nothing.
    db->script("ZEV_SP_STORE_GetStore").row(StoreRow(3, "Summit Lifts"));
    control.cmbStore->setCurrentIndex(0);
    const std::shared_ptr<CStore> current = control.CurrentStore();
    ASSERT_TRUE(current);
    const size_t calls = db->calls().size();
    emit control.cmbStore->activated(0);
    EXPECT_EQ(control.CurrentStore(), current) << "choosing the current store again keeps it";
    EXPECT_EQ(db->calls().size(), calls) << "and reloads nothing";
    EXPECT_TRUE(control.tabStore->isEnabled());
}

TEST_F(StoreTest, ProductsAndListsShowTheItemButtonsAndKeepTheirOrderTheOtherViewsSort) {
    openOn("CUST");
    control.show();
    for (const char* key : {"CUST", "ORDER", "PRODUCT", "LIST"}) {
        control.tabStore->SelectKey(key);
        const bool items = QString(key) == "PRODUCT" || QString(key) == "LIST";
        EXPECT_EQ(control.cmdAdd->isVisible(), items) << key;
        EXPECT_EQ(control.cmdEdit->isVisible(), items) << key;
        EXPECT_EQ(control.cmdDelete->isVisible(), items) << key;
        EXPECT_EQ(control.gdData->Sortable(), !items) << key;
    }
    EXPECT_GE(control.gdData->y(), control.picLists->y() + control.picLists->height());
    EXPECT_LE(control.gdData->y() + control.gdData->height(), control.cmdAdd->y());
}

// The first list's entries on showing the view are checked on the demo data.
TEST_F(StoreTest, AStoreWithoutListsShowsNoEntries) {
    scriptStores(3);
    db->script("ZEV_SP_STORE_GetLists"); // at set-up, before the store
    db->script("ZEV_SP_STORE_GetLists").row({{"list_id", "123"}, {"Description", "Front page"}});
    start("3");
    control.tabStore->SelectKey("LIST");
    db->script("ZEV_SP_STORE_GetStore").row(StoreRow(5, "Valley Rentals"));
    control.cmbStore->setCurrentIndex(1);
    EXPECT_EQ(control.cmbList->count(), 0);
    EXPECT_EQ(control.gdData->Rows(), 1);
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_GetListItems").size(), 1u);
}

// The rows each search finds are checked on the demo data; here what is sent.
TEST_F(StoreTest, OrderFiltersAreSentOnlyWhenNumericAndAnyStatusIsNoFilter) {
    openOn("ORDER");
    control.cmbStatus->setCurrentText("<any>");
    control.txtCartNo->setText("5000000000");
    control.txtSalesOrderNo->setText("abc");
    control.txtCustomerNo->setText("42");
    control.cmdFind->click();
    ExpectSent(db->lastCall(), {{"@store_no", 3},
                                {"@status_id", Variant::Null()},
                                {"@shopping_cart_no", 5000000000.0},
                                {"@customer_no", 42}});
}

TEST_F(StoreTest, LoadingFailuresAreReportedWithTheNativeConnection) {
    openOn("ORDER");
    db->script("ZEV_SP_STORE_GetOrders").raises(-2147467259, "Connection lost");
    control.cmdFind->click();
    ExpectReported("ZevStore.Store (1.0.0) FindOrders");
    EXPECT_EQ(error->reports[0].object, db->NativeConnection());
    EXPECT_TRUE(control.gdData->Redraw());
}

TEST_F(StoreTest, ClicksAndKeysOnTheSurfaceAreRaisedButNotThoseOfChildControls) {
    int clicks = 0;
    QObject::connect(&control, &Store::Click, [&] { ++clicks; });
    QStringList keys;
    QObject::connect(&control, &Store::KeyDown,
                     [&](int16_t& key, int16_t&) { keys << "down " + QString::number(key); });
    QObject::connect(&control, &Store::KeyPress,
                     [&](int16_t& ascii) { keys << "press " + QString::number(ascii); });
    QObject::connect(&control, &Store::KeyUp,
                     [&](int16_t& key, int16_t&) { keys << "up " + QString::number(key); });
    control.show();
    QApplication::setActiveWindow(&control);
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(2, control.height() - 2));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(control.gdData->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);

    // A button and the store selector do not use "x": it passes up, but is not the control's own key.
    for (QWidget* child : std::initializer_list<QWidget*>{control.cmdAddStore, control.cmbStore}) {
        child->setFocus();
        QTest::keyClick(child, Qt::Key_X);
    }
    EXPECT_TRUE(keys.isEmpty()) << keys.join(", ").toStdString();
    QApplication::focusWidget()->clearFocus(); // nothing has the focus: the surface's keys are the control's
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    QTest::keyClick(&control, Qt::Key_Y);
    control.setFocus();
    QTest::keyClick(&control, Qt::Key_X);
    EXPECT_EQ(keys.join(", ").toStdString(), "down 89, press 121, up 89, down 88, press 120, up 88");
}

TEST_F(StoreTest, SearchesSayHowManyRowsTheyFoundEndTheSortAndADoubleClickOpensTheCurrentLogEntry) {
    openOn("ORDER");
    control.cmdFind->click();
    EXPECT_EQ(server->statusTexts.back(), "No orders found");
    db->script("ZEV_SP_STORE_GetOrders").row(OrderRow(1)).row(OrderRow(2));
    control.cmdFind->click();
    EXPECT_EQ(server->statusTexts.back(), "2 rows found");
    control.gdData->SortBy(0); // sorting itself is the grid's: a new search comes in the database's order
    control.gdData->SortBy(0);
    EXPECT_EQ(control.gdData->TextMatrix(1, 0), "2");
    db->script("ZEV_SP_STORE_GetOrders").row(OrderRow(1)).row(OrderRow(2));
    control.cmdFind->click();
    EXPECT_EQ(control.gdData->TextMatrix(1, 0), "1");
    EXPECT_EQ(control.gdData->SortCol(), -1);
    control.cmdNewSearch->click();
    EXPECT_EQ(server->statusTexts.back(), "Ready") << "no rows, nothing found to speak of";

    control.tabStore->SelectKey("CUST");
    ModalScript dialogs;
    emit control.gdData->DblClick(); // an empty grid opens nothing
    picker->choice = std::make_shared<FakeCustomer>(Variant(88), "Ann Lee");
    db->script("ZEV_SP_STORE_GetCustomerLogs")
        .row({{"log_no", 77}, {"log_datetime", ""}, {"customer_no", 88}, {"external_customer_no", 0}});
    control.cmdCustFind->click();
    EXPECT_EQ(server->statusTexts.back(), "1 row found");

    // A double click opens the current row's log entry (an order's is checked on the demo data).
    db->script("ZEV_SP_STORE_GetCustomerLogData")
        .row({{"customer_data", "<C/>"}, {"old_customer_data", "<C/>"}});
    dialogs.on<frmLogDetail>(
        [](frmLogDetail& viewer) { EXPECT_EQ(viewer.windowTitle(), "Customer Log for log (77)"); });
    control.gdData->setRow(1);
    emit control.gdData->DblClick();
    EXPECT_EQ(dialogs.shownCount(), 1);
}

} // namespace
