#include "store/control/StoreTest.h"
#include "store/records/CStore.h"
#include "store/records/RecordTest.h"
#include "store/viewers/frmLogDetail.h"
#include "store/viewers/frmOrderDetail.h"
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

TEST_F(StoreTest, WithoutTheRightOneSecurityAlertAndNothingElse) {
    server->permitted = false;
    ScriptedMessages messages;
    messages.expect();
    start();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "You do not have permission to use Store Maintenance.  Please contact your "
              "System Administrator to set up appropriate permissions.");
    EXPECT_EQ(messages.shown()[0].title, "Security Alert");
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(server->permissionAsked, QStringList({"STORE/STOREADMIN/"}));
    EXPECT_EQ(server->validationsAsked, 0);
    EXPECT_TRUE(server->connectionNames.isEmpty());
    EXPECT_EQ(control.cmbStore->count(), 0);
    EXPECT_EQ(server->statusTexts.last(), "Ready");
    control.cmdAddStore->click(); // no service, so no editor: nothing happens, nothing breaks
}

TEST_F(StoreTest, SuppressedSetupAndUnvalidatedUserTakeNoConnection) {
    server->suppressSetup = true;
    start();
    EXPECT_TRUE(server->connectionNames.isEmpty());
    EXPECT_EQ(server->statusTexts.last(), "Ready");

    Store second;
    auto other = std::make_shared<FakeAppServer>();
    other->userValidated = false;
    ScriptedMessages messages;
    messages.expect();
    second.SetAppServer(other);
    second.Setup();
    EXPECT_EQ(messages.shown()[0].prompt,
              "You do not have permission to use Store Maintenance.  Your user id could not be validated.");
    EXPECT_TRUE(other->connectionNames.isEmpty());
}

TEST_F(StoreTest, DefaultStoreIsOpenedAndViewsFollowTheCurrentStore) {
    scriptStores(5);
    start("5");
    ASSERT_EQ(control.cmbStore->count(), 2);
    EXPECT_EQ(control.cmbStore->currentText(), "Valley Rentals");
    ASSERT_TRUE(control.CurrentStore());
    EXPECT_EQ(control.CurrentStore()->StoreNo(), 5);
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_GetStore").at(1).value("@store_no"), Variant(5));
    EXPECT_TRUE(control.tabStore->isEnabled());
    EXPECT_TRUE(control.gdData->isEnabled());
    EXPECT_EQ(server->settings->values[DefaultKey], "5");
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(StoreTest, DefaultStoreZeroMissingOrOutOfRangeSelectsNothing) {
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
        if (stored == "40000") {
            EXPECT_EQ(fresh.cmbStore->count(), 0);
            ASSERT_EQ(host->error->reports.size(), 1u);
            EXPECT_EQ(host->error->reports[0].source, "ZevStore.Store (1.0.0) ApplicationServer");
            EXPECT_EQ(host->error->reports[0].number, 6);
        } else {
            EXPECT_EQ(fresh.cmbStore->count(), 1);
            EXPECT_TRUE(host->error->reports.empty());
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

TEST_F(StoreTest, ProductOutlineMarksTheFirstRowOfEachGroup) {
    scriptStores(3);
    auto product = [](int32_t no, Variant group, const char* description) {
        return Row{{"product_no", no},
                   {"product_group_no", group},
                   {"group_description", description},
                   {"product_type", "ITEM"},
                   {"product_name", QStringLiteral("P%1").arg(no)}};
    };
    // Opening the store shows the products, and the end of set-up shows them again.
    for (int shown = 0; shown < 2; ++shown)
        db->script("ZEV_SP_STORE_GetProduct")
            .row(product(1, 0, "none"))
            .row(product(2, Variant::Null(), ""))
            .row(product(3, 5, "Lifts"))
            .row(product(4, 5, "Lifts"))
            .row(product(5, 7, "Rentals"));
    start("3");
    ASSERT_EQ(control.gdData->Rows(), 6);
    EXPECT_EQ(column(0), QStringList({"0 none", " ", "5 Lifts", "5 Lifts", "7 Rentals"}));
    EXPECT_EQ(column(1), QStringList({"1", "2", "3", "4", "5"}));
    std::vector<bool> nodes;
    for (int row = 1; row <= 5; ++row)
        nodes.push_back(control.gdData->IsSubtotal(row));
    EXPECT_EQ(nodes, std::vector<bool>({false, false, true, false, true}));
    EXPECT_FALSE(control.gdData->RowShown(4)) << "switching to products collapses the groups";
    EXPECT_TRUE(control.gdData->RowShown(3));
    EXPECT_EQ(db->lastCall().value("@store_no"), Variant(3));
    EXPECT_FALSE(db->lastCall().value("@product_no").has_value());
}

TEST_F(StoreTest, TabsShowTheItemButtonsOnlyForProductsAndLists) {
    scriptStores(3);
    start("3");
    control.show();
    for (const char* key : {"CUST", "ORDER", "PRODUCT", "LIST"}) {
        control.tabStore->SelectKey(key);
        const bool items = QString(key) == "PRODUCT" || QString(key) == "LIST";
        EXPECT_EQ(control.cmdAdd->isVisible(), items) << key;
        EXPECT_EQ(control.cmdEdit->isVisible(), items) << key;
        EXPECT_EQ(control.cmdDelete->isVisible(), items) << key;
    }
    EXPECT_GT(control.picLists->x(), 0);
    EXPECT_LT(control.picOrderSearch->x(), 0);
    EXPECT_GE(control.gdData->y(), control.picLists->y() + control.picLists->height());
    EXPECT_LE(control.gdData->y() + control.gdData->height(), control.cmdAdd->y());
}

TEST_F(StoreTest, ListViewLoadsTheFirstListAndNothingWithoutLists) {
    scriptStores(3);
    db->script("ZEV_SP_STORE_GetLists"); // at set-up, before the store
    db->script("ZEV_SP_STORE_GetLists")
        .row({{"list_id", "123"}, {"Description", "Front page"}})
        .row({{"list_id", "SKI"}, {"Description", Variant::Null()}});
    db->script("ZEV_SP_STORE_GetListItems")
        .row({{"seq_no", 1},
              {"product_no", 10},
              {"product_item_seq_no", 2},
              {"product_item_name", "Day Pass"},
              {"price_no", Variant::Null()},
              {"Price", 59.5}});
    start("3");
    EXPECT_EQ(control.cmbList->Key(0), "'123");
    EXPECT_EQ(control.cmbList->currentIndex(), -1);
    control.tabStore->SelectKey("LIST");
    EXPECT_EQ(control.cmbList->currentIndex(), 0);
    ExpectSent(db->lastCall(), {{"@store_no", 3}, {"@list_id", "123"}});
    EXPECT_EQ(column(4), QStringList({"0"}));
    EXPECT_EQ(control.gdData->ColFormat(5), "Currency");

    // A store without lists: empty grid, no list-item call.
    db->script("ZEV_SP_STORE_GetStore").row(StoreRow(5, "Valley Rentals"));
    control.cmbStore->setCurrentIndex(1);
    EXPECT_EQ(control.cmbList->count(), 0);
    EXPECT_EQ(control.gdData->Rows(), 1);
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_GetListItems").size(), 1u);
}

TEST_F(StoreTest, OrderFiltersAreSentOnlyWhenNumericAndAnyStatusIsNoFilter) {
    scriptStores(3);
    start("3");
    control.tabStore->SelectKey("ORDER");
    EXPECT_EQ(control.cmbStatus->itemText(0), "<ANY>");
    control.cmbStatus->setCurrentText("<any>");
    control.txtCartNo->setText("5000000000");
    control.txtSalesOrderNo->setText("abc");
    control.txtCustomerNo->setText("42");
    db->script("ZEV_SP_STORE_GetOrders")
        .row({{"shopping_cart_no", 5000000000.0},
              {"inserted_datetime", QDateTime(QDate(2006, 3, 7), QTime(14, 5))},
              {"status_id", "PAID"},
              {"salesorder_no", Variant::Null()},
              {"customer_no", 42},
              {"external_customer_no", 7},
              {"notify_email_address", "ann@example.com"}});
    control.cmdFind->click();
    ExpectSent(db->lastCall(), {{"@store_no", 3},
                                {"@status_id", Variant::Null()},
                                {"@shopping_cart_no", 5000000000.0},
                                {"@customer_no", 42}});
    EXPECT_EQ(column(0), QStringList({"5000000000"}));
    EXPECT_EQ(column(2), QStringList({"PAID"}));
    EXPECT_EQ(control.gdData->ColFormat(1), "MM/DD/YYYY hh:nn AMPM");

    control.cmbStatus->setCurrentText("PAID");
    control.cmdFind->click();
    EXPECT_EQ(db->lastCall().value("@status_id"), Variant("PAID"));

    control.cmdNewSearch->click();
    EXPECT_EQ(control.cmbStatus->currentText(), "<ANY>");
    EXPECT_EQ(control.txtCustomerNo->text(), "");
    EXPECT_EQ(control.gdData->Rows(), 1);
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(StoreTest, CustomerPickingFillsThePanelAndListsTheLog) {
    scriptStores(3);
    start("3");
    control.tabStore->SelectKey("CUST");
    picker->choice = std::make_shared<FakeCustomer>(Variant(88.0), "", "Ann", "Lee");
    db->script("ZEV_SP_STORE_GetStoreCustomer")
        .row({{"external_customer_no", 9001},
              {"inserted_by_store", true},
              {"modified_datetime", QDateTime(QDate(2006, 3, 7), QTime(14, 5))},
              {"inserted_datetime", Variant::Null()}});
    db->script("ZEV_SP_STORE_GetCustomerLogs")
        .row({{"log_no", 77}, {"log_datetime", "x"}, {"customer_no", 88}, {"external_customer_no", 9001}});
    control.cmdCustFind->click();
    EXPECT_EQ(picker->flags, std::make_pair(false, true));
    EXPECT_EQ(picker->receivedDb, db);
    EXPECT_EQ(control.lblCustomerName->text(), "Ann Lee");
    EXPECT_EQ(control.lblCustomerNo->property("Tag").toString(), "88");
    EXPECT_EQ(control.lblCustomerExternalNo->text(), "9001");
    EXPECT_TRUE(control.ckbInsertedByStore->isChecked());
    EXPECT_EQ(control.lblLastModified->text(), "03/07/2006");
    EXPECT_EQ(control.lblInsertedDate->text(), "");
    ExpectSent(db->callsOf("ZEV_SP_STORE_GetStoreCustomer").at(0), {{"@store_no", 3}, {"@customer_no", 88}});
    EXPECT_EQ(column(0), QStringList({"77"}));

    picker->choice.reset();
    control.cmdCustFind->click();
    EXPECT_EQ(control.lblCustomerName->text(), "");
    EXPECT_EQ(control.lblCustomerNo->property("Tag").toString(), "0");
    EXPECT_FALSE(control.ckbInsertedByStore->isChecked());
    EXPECT_EQ(control.gdData->Rows(), 1);
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_GetCustomerLogs").size(), 1u);
}

TEST_F(StoreTest, DoubleClickOpensTheOrderOrTheLogEntryOfTheCurrentRowOnly) {
    scriptStores(3);
    start("3");
    control.tabStore->SelectKey("ORDER");
    ScriptedMessages messages;
    ModalScript dialogs;
    emit control.gdData->DblClick();
    EXPECT_TRUE(db->callsOf("ZEV_SP_STORE_GetOrderData").empty()) << "an empty grid opens nothing";

    db->script("ZEV_SP_STORE_GetOrders")
        .row({{"shopping_cart_no", 5000000000.0},
              {"inserted_datetime", ""},
              {"status_id", "PAID"},
              {"salesorder_no", ""},
              {"customer_no", 1},
              {"external_customer_no", 2},
              {"notify_email_address", ""}});
    control.cmdFind->click();

    db->script("ZEV_SP_STORE_GetOrderData")
        .output("@view_card", false)
        .row({{"shopping_cart_data", "<CART/>"}});
    dialogs.on<frmOrderDetail>([](frmOrderDetail& viewer) {
        EXPECT_EQ(viewer.windowTitle(), "Order Detail for Cart (5000000000)");
    });
    control.gdData->setRow(1);
    emit control.gdData->DblClick();
    ExpectSent(db->callsOf("ZEV_SP_STORE_GetOrderData").at(0),
               {{"@store_no", 3}, {"@shopping_cart_no", 5000000000.0}, {"@zev_user", "tester"}});

    control.tabStore->SelectKey("CUST");
    picker->choice = std::make_shared<FakeCustomer>(Variant(88), "Ann Lee");
    db->script("ZEV_SP_STORE_GetCustomerLogs")
        .row({{"log_no", 77}, {"log_datetime", ""}, {"customer_no", 88}, {"external_customer_no", 0}});
    control.cmdCustFind->click();
    db->script("ZEV_SP_STORE_GetCustomerLogData")
        .row({{"customer_data", "<C/>"}, {"old_customer_data", "<C/>"}});
    dialogs.on<frmLogDetail>(
        [](frmLogDetail& viewer) { EXPECT_EQ(viewer.windowTitle(), "Customer Log for log (77)"); });
    control.gdData->setRow(1);
    emit control.gdData->DblClick();
    EXPECT_EQ(dialogs.shownCount(), 2);
}

TEST_F(StoreTest, LoadingFailuresAreReportedWithTheNativeConnection) {
    scriptStores(3);
    start("3");
    db->script("ZEV_SP_STORE_GetOrders").raises(-2147467259, "Connection lost");
    control.tabStore->SelectKey("ORDER");
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
    control.setFocus();
    QTest::keyClick(&control, Qt::Key_X);
    EXPECT_EQ(keys.join(", ").toStdString(), "down 88, press 120, up 88");
}

} // namespace
