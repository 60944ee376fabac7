#include "dbsupport/TestDatabase.h"
#include "store/control/Store.h"
#include "store/viewers/frmOrderDetail.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ControlOnDemoDataTest = DatabaseTest;

// The control's searches and views on the demo data of its first store: the rows shown are those the tables
// hold.
TEST_P(ControlOnDemoDataTest, SearchesAndViewsShowWhatTheTablesHold) {
    auto server = std::make_shared<FakeAppServer>();
    auto picker = std::make_shared<ScriptedCustomerPicker>();
    server->db = connection();
    server->customers = picker;
    server->settings->values["AppData\\Store|Environment|DefaultStoreNo"] = "1";
    Store control;
    control.SetAppServer(server);
    control.Setup();
    const auto shown = [&] { return control.gdData->Rows() - 1; };
    const auto count = [&](const char* table, const QString& where, const QVariant& value = {}) {
        return db().count(table, "store_no = 1 AND " + where,
                          value.isValid() ? QVariantList{value} : QVariantList{});
    };

    // Orders: "any" status and a sales order number that is no number filter nothing.
    control.tabStore->SelectKey("ORDER");
    control.cmbStatus->setCurrentText("<any>");
    control.txtSalesOrderNo->setText("abc");
    control.cmdFind->click();
    EXPECT_EQ(shown(), count("zev_shopping_cart", "1 = 1"));
    control.cmbStatus->setCurrentText("PAID");
    control.cmdFind->click();
    EXPECT_EQ(shown(), count("zev_shopping_cart", "status_id = 'PAID'"));
    ASSERT_GT(shown(), 0);
    const QString cart = control.gdData->TextMatrix(1, 0);
    const QString customer = control.gdData->TextMatrix(1, 4);
    control.cmdNewSearch->click();
    EXPECT_EQ(shown(), 0);
    control.txtCustomerNo->setText(customer);
    control.cmdFind->click();
    EXPECT_EQ(shown(), count("zev_shopping_cart", "customer_no = ?", customer));
    control.gdData->setRow(1);
    ModalScript dialogs;
    dialogs.on<frmOrderDetail>([&](frmOrderDetail& viewer) {
        EXPECT_EQ(viewer.windowTitle(), "Order Detail for Cart (" + control.gdData->TextMatrix(1, 0) + ")");
    });
    emit control.gdData->DblClick();

    // The picked customer's record with the store, cleared when the picker is cancelled.
    control.tabStore->SelectKey("CUST");
    picker->choice = std::make_shared<FakeCustomer>(Variant(customer.toInt()), "", "Ann", "Lee");
    control.cmdCustFind->click();
    EXPECT_EQ(picker->flags, std::make_pair(false, true));
    EXPECT_EQ(control.lblCustomerName->text(), "Ann Lee");
    EXPECT_EQ(control.lblCustomerExternalNo->text(),
              db().scalar("SELECT external_customer_no FROM zev_store_customer WHERE store_no = 1 AND "
                          "customer_no = ?",
                          {customer})
                  .toString());
    picker->choice.reset();
    control.cmdCustFind->click();
    EXPECT_EQ(control.lblCustomerName->text() + control.lblCustomerExternalNo->text(), "");
    EXPECT_EQ(shown(), 0);

    // Lists load when their view is shown: the first one's entries.
    EXPECT_EQ(control.cmbList->currentIndex(), -1);
    control.tabStore->SelectKey("LIST");
    ASSERT_EQ(control.cmbList->currentIndex(), 0);
    EXPECT_EQ(shown(), count("zev_store_list_item", "list_id = ?", control.cmbList->SelectedKey().mid(1)));
    control.cmbList->setSelectedIndex(control.cmbList->IndexOfKey("'FEATURED"));
    EXPECT_EQ(shown(), count("zev_store_list_item", "list_id = 'FEATURED'"));
    EXPECT_GT(shown(), 0);
    EXPECT_TRUE(server->error->reports.empty());
}

ZEV_INSTANTIATE_BACKENDS(ControlOnDemoDataTest);

} // namespace
