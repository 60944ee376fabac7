#include "dbsupport/TestDatabase.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/frmStore.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectItem.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/records/CStore.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <set>

namespace {

using namespace SubTableKeys;
using Rows = std::set<QString>;

// The store editor against the real procedures on the demo data, on each backend: store 1 with a spare
// group, list and screen that nothing uses.
class StoreEditorOnDemoDataTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        db().execute(
            "INSERT INTO zev_store_product_group (store_no, product_group_no, description, num_cols, "
            "manual_invoice) VALUES (1, 70, 'Spare', 1, 0)");
        db().execute(
            "INSERT INTO zev_store_product_group (store_no, product_group_no, description, num_cols, "
            "manual_invoice) VALUES (1, 80, 'Old', 1, 0)");
        db().execute(
            "INSERT INTO zev_store_list (store_no, list_id, description) VALUES (1, 'SPARE', 'Spare')");
        server->db = connection();
        maint.setAppServer(server);
    }

    // Every row of the store's table as "name=value" cells in name order, without the store number.
    Rows Dump(const QString& table) {
        QSqlQuery query = db().session().run("SELECT * FROM " + table + " WHERE store_no = 1");
        Rows rows;
        while (query.next()) {
            QStringList cells;
            for (int i = 0; i < query.record().count(); ++i)
                if (query.record().fieldName(i).compare("store_no", Qt::CaseInsensitive) != 0)
                    cells << query.record().fieldName(i).toLower() + "=" + query.value(i).toString();
            cells.sort();
            rows.insert(cells.join('|'));
        }
        return rows;
    }
    std::map<QString, Rows> DumpAll() {
        std::map<QString, Rows> all;
        for (const char* table :
             {"zev_store", "zev_store_product_group", "zev_store_list", "zev_store_fee",
              "zev_store_pay_method", "zev_store_screen", "zev_store_extendable", "zev_store_extension"})
            all[table] = Dump(table);
        return all;
    }
    // The rows only in a, each shown by the values of the fields named, joined by "|"; sorted.
    static QStringList Only(const Rows& a, const Rows& b, const QStringList& fields) {
        QStringList only;
        for (const QString& row : a) {
            if (b.count(row))
                continue;
            QStringList values;
            for (const QString& field : fields)
                for (const QString& cell : row.split('|'))
                    if (cell.startsWith(field + "="))
                        values << cell.mid(field.size() + 1);
            only << values.join('|');
        }
        only.sort();
        return only;
    }

    void Open(frmStore& form) {
        store.OpenStore(server->db, server->error, 1);
        form.Setup(maint, store);
    }
    // A user's accepted edit on the current tab.
    static void Edit(frmStore& form, int32_t gridRow, int32_t col, const QString& text) {
        bool cancel = false;
        form.Tables().BeforeEdit(gridRow, col, cancel);
        form.Tables().ValidateEdit(gridRow, col, text, cancel);
        ASSERT_FALSE(cancel) << text.toStdString();
        form.gdData->gridModel()->CommitEdit(gridRow, col, text); // as the grid stores it
        form.Tables().AfterEdit(gridRow, col);
    }
    static int32_t RowOf(const FlexGrid& grid, int32_t col, const QString& text) {
        for (int32_t row = 1; row < grid.Rows(); ++row)
            if (grid.TextMatrix(row, col) == text)
                return row;
        ADD_FAILURE() << "no row " << text.toStdString();
        return 1;
    }
    void Delete(frmStore& form, int32_t col, const QString& key) {
        form.gdData->setRow(RowOf(*form.gdData, col, key));
        messages.expect(MsgBoxResult::Yes);
        form.cmdDelete->click();
    }
    // Add, then type the new row's key into the editor Add opened.
    static void AddAndName(frmStore& form, int32_t col, const QString& text) {
        form.cmdAdd->click();
        ASSERT_EQ(form.gdData->Col(), col);
        auto* editor = qobject_cast<QLineEdit*>(form.gdData->indexWidget(form.gdData->currentIndex()));
        ASSERT_TRUE(editor);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
    CStore store;
    ScriptedMessages messages;
};

TEST_P(StoreEditorOnDemoDataTest, EveryTabsChangeIsStoredAndNothingElse) {
    const auto before = DumpAll();
    ModalScript dialogs;
    frmStore form;
    Open(form);
    form.txtDescription->setText("Summit Peak Shop");
    form.tabTabs->SelectKey("CONFIRM");
    form.txtDocument->setPlainText("Thank you [CustomerName]");

    form.tabTabs->SelectKey(Groups);
    AddAndName(form, 2, "50");
    Edit(form, form.gdData->Rows() - 1, 8, "Gift Cards");
    Edit(form, RowOf(*form.gdData, 2, "70"), 2, "75");
    Delete(form, 2, "80");

    form.tabTabs->SelectKey(Lists);
    AddAndName(form, 2, "SALE");
    Edit(form, RowOf(*form.gdData, 2, "2027"), 2, "2028");
    Delete(form, 2, "SPARE");

    form.tabTabs->SelectKey(Screens);
    AddAndName(form, 2, "FAQ");
    Edit(form, RowOf(*form.gdData, 2, "CART"), 2, "BASKET");
    Delete(form, 2, "CHECKOUT");

    form.tabTabs->SelectKey(Fees);
    AddAndName(form, 2, "BOOKING");
    const int32_t fee = form.gdData->Rows() - 1;
    Edit(form, fee, 3, "1.5");
    server->items->choice = {{1001, "Adult Day Ticket"}};
    form.Tables().CellButtonClick(fee, 8);
    dialogs.on<frmSelectPrice>([](frmSelectPrice& picker) {
        picker.gdItems->setRow(1);
        picker.cmdOk->click();
    });
    form.Tables().CellButtonClick(fee, 9);
    const QString priceNo = form.Tables().Table(Fees).Value(10, fee - 1).toText();

    form.tabTabs->SelectKey(Extensions);
    dialogs.on<frmSelectItem>([](frmSelectItem& picker) {
        picker.gdItems->setIsSelected(RowOf(*picker.gdItems, 0, "2001"), true);
        picker.cmdOk->click();
    });
    form.cmdAdd->click();

    form.tabTabs->SelectKey(PayMethods);
    Edit(form, RowOf(*form.gdData, 2, "VISA"), 1, "False");

    form.cmdOk->click();
    ASSERT_FALSE(form.UserCanceled());
    EXPECT_TRUE(form.ReportToOutsideListHasChanged());
    EXPECT_TRUE(server->error->reports.empty());

    auto after = DumpAll();
    const auto added = [&](const char* table, const QStringList& fields) {
        return Only(after[table], before.at(table), fields);
    };
    const auto removed = [&](const char* table, const QStringList& fields) {
        return Only(before.at(table), after[table], fields);
    };
    const QStringList group{"product_group_no", "description"};
    EXPECT_EQ(added("zev_store_product_group", group), QStringList({"50|Gift Cards", "75|Spare"}));
    EXPECT_EQ(removed("zev_store_product_group", group), QStringList({"70|Spare", "80|Old"}));
    const QStringList list{"list_id", "description"};
    EXPECT_EQ(added("zev_store_list", list), QStringList({"2028|Next season", "SALE|<New>"}));
    EXPECT_EQ(removed("zev_store_list", list), QStringList({"2027|Next season", "SPARE|Spare"}));
    const QStringList screen{"screen_id", "screen_title"};
    EXPECT_EQ(added("zev_store_screen", screen), QStringList({"BASKET|Your Cart", "FAQ|"}));
    EXPECT_EQ(removed("zev_store_screen", screen), QStringList({"CART|Your Cart", "CHECKOUT|Checkout"}));
    EXPECT_EQ(added("zev_store_fee", {"fee_id", "item_no", "price_no"}),
              QStringList({"BOOKING|1001|" + priceNo}));
    EXPECT_EQ(removed("zev_store_fee", {"fee_id"}), QStringList());
    EXPECT_EQ(added("zev_store_extendable", {"item_no"}), QStringList({"2001"}));
    EXPECT_EQ(removed("zev_store_extendable", {"item_no"}), QStringList());
    EXPECT_EQ(removed("zev_store_pay_method", {"pay_method_id"}), QStringList({"VISA"}));
    EXPECT_EQ(added("zev_store_pay_method", {"pay_method_id"}), QStringList());
    EXPECT_EQ(after["zev_store_extension"], before.at("zev_store_extension"));
    EXPECT_EQ(added("zev_store", {"description", "confirmation_document"}),
              QStringList({"Summit Peak Shop|Thank you [CustomerName]"}));
    const auto otherStoreFields = [](const Rows& rows) {
        QStringList cells = rows.begin()->split('|');
        cells.removeIf([](const QString& cell) {
            return cell.startsWith("description=") || cell.startsWith("confirmation_document=");
        });
        return cells;
    };
    EXPECT_EQ(otherStoreFields(after["zev_store"]), otherStoreFields(before.at("zev_store")));
    EXPECT_EQ(db().scalar("SELECT fee_amount FROM zev_store_fee WHERE store_no = 1 AND fee_id = 'BOOKING'")
                  .toDouble(),
              1.5);

    CStore reopened;
    ASSERT_TRUE(reopened.OpenStore(server->db, server->error, 1));
    EXPECT_EQ(reopened.Description(), "Summit Peak Shop");
    EXPECT_EQ(reopened.ConfirmationDocument(), "Thank you [CustomerName]");
    EXPECT_EQ(reopened.ShipDocument(), store.ShipDocument());
    EXPECT_EQ(reopened.StoreURL(), store.StoreURL());
    EXPECT_EQ(reopened.SalesOrderType, store.SalesOrderType);
}

TEST_P(StoreEditorOnDemoDataTest, CancelAfterGridEditsWritesNoRowAndRefusalsKeepRowsPending) {
    const auto before = DumpAll();
    {
        frmStore form;
        Open(form);
        form.tabTabs->SelectKey(Groups);
        AddAndName(form, 2, "50");
        form.tabTabs->SelectKey(Lists);
        Delete(form, 2, "SPARE");
        form.cmdCancel->click();
        EXPECT_TRUE(form.UserCanceled());
    }
    auto after = DumpAll();
    for (const auto& [table, rows] : before) {
        EXPECT_EQ(after[table], rows) << table.toStdString();
    }

    // Group 10 is used by products: its delete is refused and shown, the other rows are still saved.
    frmStore form;
    Open(form);
    form.tabTabs->SelectKey(Groups);
    Delete(form, 2, "10");
    Edit(form, RowOf(*form.gdData, 2, "70"), 8, "Still spare");
    messages.expect();
    form.cmdUpdate->click();
    EXPECT_EQ(messages.shown().back().title, "Delete Store Group Error");
    EXPECT_TRUE(messages.shown().back().prompt.contains("Group 10"))
        << messages.shown().back().prompt.toStdString();
    EXPECT_FALSE(form.gdData->RowHidden(RowOf(*form.gdData, 2, "10")));
    EXPECT_EQ(db().scalar("SELECT description FROM zev_store_product_group WHERE store_no = 1 AND "
                          "product_group_no = 70")
                  .toString(),
              "Still spare");
}

ZEV_INSTANTIATE_BACKENDS(StoreEditorOnDemoDataTest);

} // namespace
