#include "dbsupport/TestDatabase.h"
#include "store/control/Store.h"
#include "store/viewers/frmOrderDetail.h"
#include "support/FakeAppServer.h"
#include "support/GridText.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

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

// Rows pasted into the Lists view are checked as the list item editor checks an entry and written at once;
// the refused ones are listed in one message; Ctrl+Z deletes what the paste added and puts back what it
// changed.
TEST_P(ControlOnDemoDataTest, PastedListItemsAreCheckedWrittenAndTakenBack) {
    auto server = host(1);
    Store control;
    control.SetAppServer(server);
    control.Setup();
    control.tabStore->SelectKey("LIST");
    control.cmbList->setSelectedIndex(control.cmbList->IndexOfKey("'FEATURED"));
    FlexGrid& grid = *control.gdData;
    const auto entries = [&] {
        QStringList rows;
        QSqlQuery query = db().session().run(
            "SELECT seq_no, product_no, product_item_seq_no, price_no FROM zev_store_list_item WHERE "
            "store_no = 1 AND list_id = 'FEATURED' ORDER BY seq_no");
        while (query.next())
            rows << QStringList{query.value(0).toString(), query.value(1).toString(),
                                query.value(2).toString(),
                                query.value(3).isNull() ? "null" : query.value(3).toString()}
                        .join('|');
        return rows;
    };
    const QStringList before = entries();
    const auto paste = [&](const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    };

    ScriptedMessages messages;
    messages.expect();
    paste("Seq #\tProduct #\tItem Seq #\tProduct Name\tPrice #\tPrice\r\n10\t100\t2\tanything\t102\t$9.00\r\n"
          "11\t200\t2\tx\t102\t\r\n12\t999\t1\tx\t102\t\r\nabc\t100\t2\tx\t102\t\r\n2\t100\t2\tx\t102\t\r\n"
          "13\t100\t2\tx\t0\t\r\n14\t100\r\n");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Rows Refused");
    EXPECT_EQ(messages.shown()[0].prompt.split("\r\n"),
              QStringList({"6 of the 7 pasted rows were refused and were not saved:", "",
                           "Row 2: Price 102 is not a price of product item 200-2.",
                           "Row 3: There is no product item 999-1 in this store.",
                           "Row 4: Sequence Number must be numeric.",
                           "Row 5: Sequence number 2 is already in the list.", "Row 6: A price is required.",
                           "Row 7: 2 cells where the grid has 6 columns."}));
    EXPECT_EQ(entries(), before + QStringList{"10|100|2|102"});
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 1, 0), "10");
    EXPECT_NE(grid.TextMatrix(grid.Rows() - 1, 3), "anything"); // the product item's own name

    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"1", "2", "3"}));

    // Two selected rows are replaced, the first in place, the second moved to another position.
    grid.setIsSelected(1, true);
    grid.setIsSelected(2, true);
    paste(grid.SelectedText(true)
              .replace("\t109\t", "\t102\t")
              .replace("\n2\t300", "\n5\t300")
              .replace("\t200\t2\t", "\t100\t2\t"));
    EXPECT_EQ(entries(), QStringList({"1|100|2|102", "3|100|1|null", "5|300|1|130"}));
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(server->error->reports.empty());
}

ZEV_INSTANTIATE_BACKENDS(ControlOnDemoDataTest);

} // namespace
