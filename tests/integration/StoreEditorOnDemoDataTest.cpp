#include "dbsupport/TestDatabase.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/SubTableCells.h"
#include "store/editors/store/frmStore.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectItem.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/records/CStore.h"
#include "support/FakeAppServer.h"
#include "support/GridText.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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
        if (IsSkipped())
            return;
        db().execute(
            "INSERT INTO zev_store_product_group (store_no, product_group_no, description, num_cols, "
            "manual_invoice) VALUES (1, 70, 'Spare', 1, 0), (1, 80, 'Old', 1, 0)");
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
    // A user's edit the editor refuses: true when refused.
    static bool Refused(frmStore& form, int32_t gridRow, int32_t col, const QString& text) {
        bool cancel = false;
        form.Tables().BeforeEdit(gridRow, col, cancel);
        if (!cancel)
            form.Tables().ValidateEdit(gridRow, col, text, cancel);
        return cancel;
    }
    static int32_t RowOf(const FlexGrid& grid, int32_t col, const QString& text) {
        const auto row = int32_t(GridColumn(grid, col).indexOf(text)) + 1;
        EXPECT_GT(row, 0) << "no row " << text.toStdString();
        return std::max(row, 1);
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
    const QString document =
        db().scalar("SELECT confirmation_document FROM zev_store WHERE store_no = 1").toString();
    ModalScript dialogs;
    frmStore form;
    Open(form);
    EXPECT_EQ(form.windowTitle(), "Store Maintenance (1)");
    EXPECT_EQ(form.cmbSalesorderType->SelectedKey(), "WEB");
    EXPECT_EQ(form.picTab[0]->x(), TwipsToPixels(180, &form));
    EXPECT_LT(form.picTab[1]->x(), -1000); // the hidden panel is parked and disabled
    EXPECT_FALSE(form.picTab[1]->isEnabled());
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
    Edit(form, fee, 5, "1.3"); // stored as 0.013, not 0.013000000000000001
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
    EXPECT_TRUE(form.cmdAdd->isHidden());
    EXPECT_TRUE(Refused(form, 1, 2, "x"));
    for (const char* on : {"False", "True", "False"}) // only the last state is written
        Edit(form, RowOf(*form.gdData, 2, "VISA"), 1, on);

    form.cmdOk->click();
    ASSERT_FALSE(form.UserCanceled());
    EXPECT_TRUE(form.ReportToOutsideListHasChanged());
    EXPECT_TRUE(server->error->reports.empty());

    auto after = DumpAll();
    const struct {
        const char* table;
        QStringList fields, added, removed;
    } changes[] = {
        {"zev_store_product_group",
         {"product_group_no", "description"},
         {"50|Gift Cards", "75|Spare"},
         {"70|Spare", "80|Old"}},
        {"zev_store_list",
         {"list_id", "description"},
         {"2028|Next season", "SALE|<New>"},
         {"2027|Next season", "SPARE|Spare"}},
        {"zev_store_screen",
         {"screen_id", "screen_title"},
         {"BASKET|Your Cart", "FAQ|"},
         {"CART|Your Cart", "CHECKOUT|Checkout"}},
        {"zev_store_fee", {"fee_id", "item_no", "price_no"}, {"BOOKING|1001|" + priceNo}, {}},
        {"zev_store_extendable", {"item_no"}, {"2001"}, {}},
        {"zev_store_pay_method", {"pay_method_id"}, {}, {"VISA"}},
        {"zev_store_extension", {"item_no"}, {}, {}},
        {"zev_store",
         {"description", "confirmation_document"},
         {"Summit Peak Shop|Thank you [CustomerName]"},
         {"Summit Peak Lift Tickets|" + document}},
    };
    for (const auto& change : changes) {
        EXPECT_EQ(Only(after[change.table], before.at(change.table), change.fields), change.added)
            << change.table;
        EXPECT_EQ(Only(before.at(change.table), after[change.table], change.fields), change.removed)
            << change.table;
    }
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
    EXPECT_EQ(db().scalar("SELECT fee_percent FROM zev_store_fee WHERE store_no = 1 AND fee_id = 'BOOKING'")
                  .toDouble(),
              0.013);
}

TEST_P(StoreEditorOnDemoDataTest, CancelWritesNothingNorDoRowsLeftWithoutAKey) {
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
    frmStore form;
    Open(form);
    form.tabTabs->SelectKey(Groups);
    AddAndName(form, 2, "50"); // added, then deleted: never sent
    Delete(form, 2, "50");
    form.cmdAdd->click(); // its number left at 0 with Escape
    QTest::keyClick(form.gdData->indexWidget(form.gdData->currentIndex()), Qt::Key_Escape);
    messages.expect();
    form.cmdUpdate->click();
    EXPECT_EQ(messages.last(), "Cancel update of group with zero.: Zero is not a valid group number.");
    form.tabTabs->SelectKey(Lists);
    form.cmdAdd->click(); // left "<New>": dropped
    form.cmdOk->click();
    EXPECT_FALSE(form.UserCanceled());
    auto after = DumpAll();
    for (const auto& [table, rows] : before)
        EXPECT_EQ(after[table], rows) << table.toStdString();
}

// Group 10 is used by products: its delete is refused and shown, the other rows are still saved.
TEST_P(StoreEditorOnDemoDataTest, ARefusedDeleteShowsTheRowAgainAndTheOtherRowsAreSaved) {
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

struct RefusedEdit {
    QString tab;
    int32_t col;
    QString text;
    const char* message;
    const char* caption;
};

TEST_P(StoreEditorOnDemoDataTest, BadCellInputIsRefusedWithItsMessageAndKeepsTheValue) {
    const QString tooLong(51, 'x');
    const char* const groupNumber = "You must supply a valid group number.";
    const char* const description = "Description can not be longer than 50 characters.";
    const std::vector<RefusedEdit> cases = {
        {Groups, 2, "0", groupNumber, "Invalid group number"},
        {Groups, 2, "", groupNumber, "Invalid group number"},
        {Groups, 2, "abc", groupNumber, "Invalid group number"},
        {Groups, 2, "1234567890", groupNumber, "Invalid group number"},
        {Groups, 8, tooLong, description, "Description Too Long"},
        {Lists, 3, tooLong, description, "Description Too Long"},
        {Fees, 2, tooLong, "Fee Id can not be longer than 50 characters.", "Description Too Long"},
        {Fees, 3, "abc", "Fee Amount must be a numeric value.", "Invalid Fee Amount"},
        {Fees, 3, "", "Fee Amount must be a numeric value.", "Invalid Fee Amount"},
        {Fees, 5, "2,5", "Fee percentage must be a numeric value.", "Invalid Fee Percentage"},
    };
    frmStore form;
    Open(form);
    for (const RefusedEdit& c : cases) {
        form.tabTabs->SelectKey(c.tab);
        const QString before = form.gdData->TextMatrix(1, c.col);
        messages.expect();
        EXPECT_TRUE(Refused(form, 1, c.col, c.text)) << c.text.toStdString();
        EXPECT_EQ(messages.last(), QString(c.caption) + QString(": ") + c.message);
        EXPECT_EQ(messages.shown().back().buttons, MsgBoxStyle::Information);
        EXPECT_EQ(form.gdData->TextMatrix(1, c.col), before);
        EXPECT_FALSE(form.Tables().Changed(c.tab));
    }
    // Accepted without a check: a long screen title, a list id, a fee's minimum amount.
    for (const auto& [tab, col] : {std::pair{Screens, 3}, {Lists, 2}, {Fees, 4}}) {
        form.tabTabs->SelectKey(tab);
        EXPECT_FALSE(Refused(form, 1, col, tooLong));
    }
    EXPECT_EQ(messages.shown().size(), cases.size());
}

TEST_P(StoreEditorOnDemoDataTest, AFeeKeepsItsPriceOnlyForTheSameItemAndNeedsAnItem) {
    frmStore form;
    Open(form);
    form.tabTabs->SelectKey(Fees);
    const int32_t tax = RowOf(*form.gdData, 2, "RESORT TAX");
    EXPECT_EQ(form.gdData->gridModel()->DisplayText(tax, 5), "2.50");
    EXPECT_EQ(form.gdData->gridModel()->DisplayText(tax, 9), "$99.00(103)");
    EXPECT_EQ(form.gdData->gridModel()->DisplayText(tax, 6), "Day Tickets");
    server->items->choice = {{1001, "Adult Day Ticket"}};
    messages.expect(MsgBoxResult::Yes);
    form.Tables().CellButtonClick(tax, 8);
    EXPECT_EQ(SubTableCells::LongOrZero(form.Tables().Table(Fees), 10, tax - 1), 103);
    server->items->choice = {{2001, "Rental"}};
    messages.expect(MsgBoxResult::Yes);
    form.Tables().CellButtonClick(tax, 8);
    EXPECT_EQ(form.gdData->TextMatrix(tax, 8), "Rental");
    EXPECT_EQ(server->items->requestedTypes.back(), ttoAll);

    // A new fee has no item: no price button, and saving it stops with "Item Required".
    AddAndName(form, 2, "BOOKING");
    EXPECT_TRUE(Refused(form, form.gdData->Rows() - 1, 9, ""));
    messages.expect();
    form.cmdOk->click();
    EXPECT_EQ(messages.last(), "Item Required: Fee must be tied to an item.");
    EXPECT_TRUE(form.UserCanceled());
    EXPECT_TRUE(form.Tables().Changed(Fees));
    EXPECT_EQ(
        db().scalar("SELECT item_no FROM zev_store_fee WHERE store_no = 1 AND fee_id = 'RESORT TAX'").toInt(),
        2001);
    EXPECT_TRUE(db().scalar("SELECT price_no FROM zev_store_fee WHERE store_no = 1 AND fee_id = 'RESORT TAX'")
                    .isNull());
}

TEST_P(StoreEditorOnDemoDataTest, ExtensionTicksAreWrittenAtOnce) {
    const int extensions = db().count("zev_store_extension", "store_no = 1 AND item_no = 1001");
    frmStore form;
    Open(form);
    form.tabTabs->SelectKey(Extensions);
    ModalScript dialogs;
    dialogs.on<frmSelectItem>([](frmSelectItem& picker) {
        for (int32_t row = 1; row < picker.gdItems->Rows(); ++row)
            picker.gdItems->gridModel()->CommitEdit(row, 0, "True");
        picker.cmdOk->click();
    });
    form.Tables().CellButtonClick(RowOf(*form.gdData, 1, "1001"), 2);
    ASSERT_GT(dialogs.shownCount(), 0);
    form.cmdCancel->click();
    EXPECT_GT(db().count("zev_store_extension", "store_no = 1 AND item_no = 1001"), extensions);
}

TEST_P(StoreEditorOnDemoDataTest, RegisterRuleDocumentsAndANewStore) {
    frmStore form;
    Open(form); // store 1 has register WEB02 installed
    const QString manual = store.ManualDocument();
    EXPECT_TRUE(form.ckbStoreRegister->isChecked());
    messages.expect();
    form.ckbStoreRegister->click();
    EXPECT_TRUE(form.ckbStoreRegister->isChecked());
    EXPECT_EQ(messages.last(),
              "Uninstall Register: Please uninstall the register before changing the store register type");

    // A field goes in at the caret, over a selection; the text is kept on a tab switch.
    form.tabTabs->SelectKey("SHIP");
    const QString field = form.cmbDocumentFields->currentText();
    QPlainTextEdit& text = *form.txtDocument;
    ASSERT_EQ(text.toPlainText(), "Shipped to [ShipAddress].");
    QTextCursor cursor = text.textCursor();
    cursor.setPosition(7);
    cursor.setPosition(10, QTextCursor::KeepAnchor); // " to" selected
    text.setTextCursor(cursor);
    form.cmdInsert->click();
    EXPECT_EQ(text.toPlainText(), "Shipped" + field + " [ShipAddress].");
    EXPECT_EQ(text.textCursor().position(), 7 + field.size());
    form.tabTabs->SelectKey("MANUAL");
    EXPECT_EQ(store.ShipDocument(), "Shipped" + field + " [ShipAddress].");
    text.setPlainText("Typed, then the close box");
    form.close(); // hides without saving
    EXPECT_TRUE(form.UserCanceled());
    EXPECT_EQ(store.ManualDocument(), manual);

    CStore fresh;
    frmStore added;
    added.Setup(maint, fresh);
    EXPECT_EQ(added.windowTitle(), "Store Maintenance (0)");
    EXPECT_FALSE(added.tabTabs->isEnabled());
    messages.expect(MsgBoxResult::No);
    added.cmdInstallRegister->click();
    EXPECT_EQ(messages.last(), "Confirm Store Update: The store must be updated before installing a "
                               "register.  Would you like to update the store now?");
    messages.expect(MsgBoxResult::No);
    added.Tables().Apply();
    EXPECT_EQ(messages.shown().back().prompt,
              "The Groups can not be updated until the new store is saved.\r\n"
              "Would you like to update store now?");
    EXPECT_EQ(db().count("zev_store"), 3);
    added.txtDescription->setText("Valley Outlet");
    added.cmdApply->click();
    const int32_t storeNo = db().scalar("SELECT MAX(store_no) FROM zev_store").toInt();
    EXPECT_EQ(added.windowTitle(), QString("Store Maintenance (%1)").arg(storeNo));
    EXPECT_TRUE(added.tabTabs->isEnabled());
    EXPECT_TRUE(added.cmdAdd->isEnabled());

    // Without a register installed the store register rule can be switched off.
    frmStore again;
    Open(again);
    store.setRegisterInstalled(false);
    again.ckbStoreRegister->click();
    EXPECT_FALSE(again.ckbStoreRegister->isChecked());
    EXPECT_FALSE(again.cmdInstallRegister->isEnabled());
    again.cmdOk->click();
    EXPECT_NE(db().scalar("SELECT location_register FROM zev_store WHERE store_no = 1").toInt(), 0);
}

// Rows pasted into each grid tab: the valid ones are saved by OK, the refused ones are listed in one message,
// marked and never written; Ctrl+Z takes a paste back whole before it is saved.
TEST_P(StoreEditorOnDemoDataTest, PastedRowsAreCheckedMarkedUndoneAndSaved) {
    server->items->known = {{1001, "Adult Day Lift Ticket"}};
    const QString tooLong(51, 'x');
    const struct {
        QString tab;
        QStringList selected; // rows the paste replaces, by their key
        QString text;
        QStringList reasons;
        const char* table;
        QStringList fields, added, removed;
    } cases[] = {
        {Groups,
         {},
         "GroupNo\tDisplay Product As\tDisplay Width\tDisplay Height\tNum Cols\tManual Inv\tDescription\r\n"
         "60\tbutton\t100\t80\t2\tTrue\tPasted group\r\n6x\tButton\t\t\t1\tFalse\tBad number\r\n"
         "61\tButton\t\t\t1\tFalse\t" +
             tooLong + "\r\n62\tNowhere\t\t\t1\tFalse\tx\r\n63\t1\r\n",
         {"Row 2, GroupNo: You must supply a valid group number.",
          "Row 3, Description: Description can not be longer than 50 characters.",
          "Row 4, Display Product As: \"Nowhere\" is not one of the choices.",
          "Row 5, 2 cells where the grid has 7 columns."},
         "zev_store_product_group",
         {"product_group_no", "product_display_type", "manual_invoice", "description"},
         {"60|BUTTON|1|Pasted group"},
         {}},
        {Lists,
         {},
         "PASTED\tFrom a sheet\n\"LONG\"\t\"" + tooLong + "\"\n",
         {"Row 2, Description: Description can not be longer than 50 characters."},
         "zev_store_list",
         {"list_id", "description"},
         {"LONG|Long list", "PASTED|From a sheet"},
         {}},
        {Screens,
         {"CART", "CHECKOUT"},
         "CART\tBasket\thttps://x/cart\r\nCHECKOUT\t\"Pay\there\"\thttps://x/pay\r\nFAQ\tQuestions\thttps://"
         "x/"
         "faq\r\nA\tB\r\n",
         {"Row 4, 2 cells where the grid has 3 columns."},
         "zev_store_screen",
         {"screen_id", "screen_title"},
         {"CART|Basket", "CHECKOUT|Pay\there", "FAQ|Questions"},
         {"CART|Your Cart", "CHECKOUT|Checkout"}},
        {Fees,
         {},
         "BOOKING\t$1,001.50\t\t1.30\t \tadult day lift ticket\t\r\nNOITEM\t1\t\t0\t\tNo Such Thing\t\r\n"
         "NOAMOUNT\tabc\t\t0\t\t1001\t\r\n",
         {"Row 2, Item: There is no item \"No Such Thing\".",
          "Row 3, Amount: Fee Amount must be a numeric value."},
         "zev_store_fee",
         {"fee_id", "item_no", "fee_amount"},
         {"BOOKING|1001|1001.5"},
         {}},
    };
    const auto before = DumpAll();
    frmStore form;
    Open(form);
    FlexGrid& grid = *form.gdData;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab.toStdString());
        form.tabTabs->SelectKey(c.tab);
        for (const QString& key : c.selected) {
            grid.setIsSelected(RowOf(grid, 2, key), true);
        }
        const QStringList shown = GridColumn(grid, 2);
        const size_t start = messages.shown().size();
        messages.expect().expect();
        QApplication::clipboard()->setText(c.text);
        QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(messages.shown().size(), start + 1);
        const auto& shownMessage = messages.shown().back();
        EXPECT_EQ(shownMessage.title, "Rows Refused");
        EXPECT_EQ(shownMessage.prompt.split("\r\n").mid(2), c.reasons);
        const auto& refused = form.Tables().RefusedRows(c.tab);
        ASSERT_FALSE(refused.empty());
        EXPECT_TRUE(grid.CellBackColor(*refused.begin() + 1, 2).isValid());
        EXPECT_FALSE(grid.CellBackColor(1, 2).isValid());
        EXPECT_TRUE(form.Tables().Changed(c.tab));

        QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(GridColumn(grid, 2), shown);
        EXPECT_FALSE(form.Tables().Changed(c.tab));
        EXPECT_TRUE(form.Tables().RefusedRows(c.tab).empty());

        for (const QString& key : c.selected)
            grid.setIsSelected(RowOf(grid, 2, key), true);
        grid.findChild<QAction*>("mnuPaste")->trigger();
        EXPECT_EQ(messages.shown().size(), start + 2);
    }
    // A refused row put right in the grid is saved with the others.
    form.tabTabs->SelectKey(Lists);
    ASSERT_EQ(form.Tables().RefusedRows(Lists).size(), 1u);
    const int32_t fixed = *form.Tables().RefusedRows(Lists).begin() + 1;
    Edit(form, fixed, 3, "Long list");
    EXPECT_TRUE(form.Tables().RefusedRows(Lists).empty());
    EXPECT_FALSE(grid.CellBackColor(fixed, 2).isValid());
    form.cmdOk->click();
    ASSERT_FALSE(form.UserCanceled());
    EXPECT_TRUE(server->error->reports.empty());
    const auto after = DumpAll();
    for (const auto& c : cases) {
        EXPECT_EQ(Only(after.at(c.table), before.at(c.table), c.fields), c.added) << c.table;
        EXPECT_EQ(Only(before.at(c.table), after.at(c.table), c.fields), c.removed) << c.table;
    }
}

ZEV_INSTANTIATE_BACKENDS(StoreEditorOnDemoDataTest);

} // namespace
