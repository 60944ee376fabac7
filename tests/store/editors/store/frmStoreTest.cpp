#include "store/editors/store/frmStore.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/SubTableCells.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectItem.h"
#include "store/records/CStore.h"
#include "store/records/RecordTest.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

using namespace SubTableKeys;
const QString UpdateStore = "ZEV_SP_STORE_UpdateStore";

// The store editor over a scripted connection: store 3 with two groups, a list, a fee, two pay methods, a
// screen and an extendable item.
class frmStoreTest : public RecordTest {
protected:
    frmStoreTest() {
        server->db = db;
        server->error = error;
        maint.setAppServer(server);
        const QStringList store{"@store_no"};
        for (const char* get : {"ZEV_SP_STORE_GetGroups", "ZEV_SP_STORE_GetLists", "ZEV_SP_STORE_GetFee",
                                "ZEV_SP_STORE_GetPayMethods", "ZEV_SP_STORE_STORE_SCREEN_Get",
                                "ZEV_SP_STORE_STORE_EXTENDABLE_Get"})
            db->declare(get, store);
        db->declare("ZEV_SP_STORE_SALES_ORDER_TYPE_Get", {});
        db->declare("ZEV_SP_ESTORE_GetStoreDocumentFields", {});
        db->declare(UpdateStore,
                    {"@store_no", "@description", "@store_url", "@store_logo_url", "@default_product_url",
                     "@error_notify_email", "@confirmation_document", "@manual_document", "@ship_document",
                     "@email_from", "@so_type", "@location_register"});
        const QStringList group{"@store_no",
                                "@product_group_no",
                                "@product_group_no_key",
                                "@description",
                                "@product_display_type",
                                "@image_width",
                                "@image_height",
                                "@num_cols",
                                "@manual_invoice",
                                "@message"};
        db->declare("ZEV_SP_STORE_UpdateProductGroup", group);
        db->declare("ZEV_SP_STORE_InsertProductGroup", group);
        db->declare("ZEV_SP_STORE_DeleteStoreGroup", {"@store_no", "@product_group_no", "@message"});
        db->declare("ZEV_SP_STORE_UpdateStoreList",
                    {"@store_no", "@list_id_key", "@list_id", "@description", "@message"});
        db->declare("ZEV_SP_STORE_DeleteStoreList", {"@store_no", "@list_id", "@message"});
        db->declare("ZEV_SP_STORE_UpdateStoreFee",
                    {"@store_no", "@fee_id_key", "@fee_id", "@fee_amount", "@min_amount", "@fee_percent",
                     "@item_no", "@product_group_no", "@price_no", "@message"});
        db->declare("ZEV_SP_STORE_DeleteStoreFee", {"@store_no", "@fee_id", "@message"});
        for (const char* pay : {"ZEV_SP_STORE_UpdateStorePayMethod", "ZEV_SP_STORE_DeleteStorePayMethod"})
            db->declare(pay, {"@store_no", "@pay_method_id"});
        store_.setStoreNo(3);
        store_.setDescription("Summit");
        store_.SalesOrderType = "WEB";
        store_.setShipDocument("Ship to [ShipAddress]");
    }

    void ScriptStoreTables() {
        db->script("ZEV_SP_STORE_SALES_ORDER_TYPE_Get")
            .row({{"so_type", "WEB"}, {"Description", "Web Order"}})
            .row({{"so_type", "PHONE"}, {"Description", "Phone Order"}});
        db->script("ZEV_SP_ESTORE_GetStoreDocumentFields").row({{"field_id", "[OrderNo]"}});
        db->script("ZEV_SP_STORE_GetGroups").row(Group(5, "Lifts")).row(Group(6, "Rentals"));
        db->script("ZEV_SP_STORE_GetLists").row({{"list_id", "HOME"}, {"Description", "Home page"}});
        db->script("ZEV_SP_STORE_GetFee")
            .row({{"fee_id", "TAX"},
                  {"fee_amount", Variant::Null()},
                  {"min_amount", 1.0},
                  {"fee_percent", 0.025},
                  {"item_no", 1001},
                  {"item_desc", "Lift ticket"},
                  {"product_group_no", 5},
                  {"price_no", 103},
                  {"Price", 12.5}});
        db->script("ZEV_SP_STORE_GetPayMethods")
            .row({{"store_no", 3},
                  {"pay_method_id", "VISA"},
                  {"pay_method_type_id", "CC"},
                  {"Description", "Visa"}})
            .row({{"store_no", Variant::Null()},
                  {"pay_method_id", "MC"},
                  {"pay_method_type_id", "CC"},
                  {"Description", "MasterCard"}});
        db->script("ZEV_SP_STORE_STORE_SCREEN_Get")
            .row({{"screen_id", "HOME"}, {"screen_title", "Welcome"}, {"screen_url", "https://x/"}});
        db->script("ZEV_SP_STORE_STORE_EXTENDABLE_Get")
            .row({{"item_no", 900}, {"num_ext", 2}, {"long_description", "Skis"}});
    }
    static Row Group(int32_t no, const char* description) {
        return {{"product_group_no", no},
                {"Description", description},
                {"product_display_type", Variant::Null()},
                {"image_width", 120},
                {"image_height", Variant::Null()},
                {"num_cols", Variant::Null()},
                {"manual_invoice", Variant::Null()}};
    }

    // The editor set up on the store, showing the tab.
    frmStore& Open(const QString& tab = Groups) {
        ScriptStoreTables();
        form.Setup(maint, store_);
        form.tabTabs->SelectKey(tab);
        return form;
    }

    VariantTable& Table(const QString& key) { return form.Tables().Table(key); }
    // A user's edit of a grid cell on the current tab: false when refused.
    bool Edit(int32_t gridRow, int32_t col, const QString& text) {
        bool cancel = false;
        form.Tables().BeforeEdit(gridRow, col, cancel);
        if (!cancel)
            form.Tables().ValidateEdit(gridRow, col, text, cancel);
        if (cancel)
            return false;
        form.gdData->gridModel()->CommitEdit(gridRow, col, text); // as the grid stores it
        form.Tables().AfterEdit(gridRow, col);
        return true;
    }
    void DeleteRow(int32_t gridRow) {
        form.gdData->setRow(gridRow);
        messages.expect(MsgBoxResult::Yes);
        form.cmdDelete->click();
    }
    StatusTypes Status(const QString& key, int32_t row) { return SubTableCells::Status(Table(key), row); }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
    CStore store_;
    ScriptedMessages messages;
    frmStore form;
};

TEST_F(frmStoreTest, SetupShowsTheStoreAndOkWithUntouchedDataWritesOnlyTheStore) {
    Open();
    EXPECT_EQ(form.windowTitle(), "Store Maintenance (3)");
    EXPECT_EQ(form.txtDescription->text(), "Summit");
    EXPECT_EQ(form.cmbSalesorderType->SelectedKey(), "WEB");
    EXPECT_TRUE(form.ckbStoreRegister->isChecked());
    EXPECT_EQ(form.gdData->Rows(), 3);
    EXPECT_EQ(form.gdData->TextMatrix(0, 8), "Description");
    EXPECT_EQ(form.picTab[0]->x(), TwipsToPixels(180, &form));
    EXPECT_LT(form.picTab[1]->x(), -1000);
    EXPECT_FALSE(form.picTab[1]->isEnabled());
    const size_t before = db->calls().size();
    form.txtDescription->setText("Summit Peak");
    form.cmdOk->click();
    ASSERT_EQ(db->calls().size(), before + 1);
    EXPECT_EQ(db->lastCall().procedure, UpdateStore);
    EXPECT_EQ(db->lastCall().value("@description"), Variant("Summit Peak"));
    EXPECT_FALSE(form.UserCanceled());
    EXPECT_FALSE(form.ReportToOutsideListHasChanged());
}

TEST_F(frmStoreTest, AFormNotSetUpIgnoresItsControls) {
    frmStore bare;
    bare.tabTabs->SelectKey("SHIP");
    bare.ckbStoreRegister->click();
    bare.cmdInstallRegister->click();
    bare.cmdApply->click();
    bare.cmdOk->click();
    EXPECT_TRUE(bare.UserCanceled());
    EXPECT_TRUE(db->calls().empty());
}

TEST_F(frmStoreTest, AFailedStoreUpdateStillConfirmsWhenTheChangedTablesSave) {
    Open();
    db->script(UpdateStore).notSucceeded();
    ASSERT_TRUE(Edit(1, 8, "Lift tickets"));
    db->script("ZEV_SP_STORE_UpdateProductGroup").output("@product_group_no", 5).returns(0);
    form.cmdOk->click();
    EXPECT_FALSE(form.UserCanceled());
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_UpdateProductGroup").size(), 1u);
}

TEST_F(frmStoreTest, UncheckingStoreRegisterNeedsTheRegisterUninstalled) {
    store_.setRegisterInstalled(true);
    store_.setRegisterId("WEB01");
    Open();
    messages.expect();
    form.ckbStoreRegister->click();
    EXPECT_TRUE(form.ckbStoreRegister->isChecked());
    EXPECT_EQ(messages.shown().back().prompt,
              "Please uninstall the register before changing the store register type");
    EXPECT_EQ(messages.shown().back().title, "Uninstall Register");
    EXPECT_EQ(messages.shown().back().buttons, MsgBoxStyle::Information);

    store_.setRegisterInstalled(false);
    form.ckbStoreRegister->click();
    EXPECT_FALSE(form.cmdInstallRegister->isEnabled());
    EXPECT_FALSE(form.cmdUnInstallRegister->isEnabled());
    form.cmdOk->click();
    EXPECT_EQ(db->lastCall().value("@location_register"), Variant(int16_t(-1)));
}

TEST_F(frmStoreTest, DocumentsTakeFieldsAtTheCaretAndKeepTheirTextOnTabSwitch) {
    Open("SHIP");
    EXPECT_FALSE(form.picTab[0]->isEnabled());
    QPlainTextEdit& text = *form.txtDocument;
    EXPECT_EQ(text.toPlainText(), "Ship to [ShipAddress]");
    QTextCursor cursor = text.textCursor();
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor); // " to" selected
    text.setTextCursor(cursor);
    form.cmdInsert->click();
    EXPECT_EQ(text.toPlainText(), "Ship[OrderNo] [ShipAddress]");
    EXPECT_EQ(text.textCursor().position(), 13);
    cursor.setPosition(0);
    text.setTextCursor(cursor);
    form.cmdInsert->click();
    EXPECT_EQ(text.toPlainText(), "[OrderNo]Ship[OrderNo] [ShipAddress]");
    EXPECT_EQ(text.textCursor().position(), 9);

    form.tabTabs->SelectKey("MANUAL");
    EXPECT_EQ(store_.ShipDocument(), "[OrderNo]Ship[OrderNo] [ShipAddress]");
    text.setPlainText("Manual");
    form.close(); // the close box hides without saving
    EXPECT_TRUE(form.isHidden());
    EXPECT_TRUE(form.UserCanceled());
    EXPECT_EQ(store_.ManualDocument(), "");
}

TEST_F(frmStoreTest, ApplyOnANewStoreNumbersItAndTheGridApplyAsksFirst) {
    store_.setStoreNo(0);
    ScriptStoreTables();
    form.Setup(maint, store_);
    EXPECT_EQ(form.windowTitle(), "Store Maintenance (0)");
    EXPECT_FALSE(form.tabTabs->isEnabled());
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_GetGroups").size(), 0u);

    messages.expect(MsgBoxResult::No);
    form.cmdInstallRegister->click();
    EXPECT_EQ(messages.shown().back().prompt,
              "The store must be updated before installing a register.  Would "
              "you like to update the store now?");
    EXPECT_EQ(messages.shown().back().title, "Confirm Store Update");
    messages.expect(MsgBoxResult::No);
    form.Tables().Apply();
    EXPECT_EQ(messages.shown().back().prompt,
              "The Groups can not be updated until the new store is saved.\r\n"
              "Would you like to update store now?");
    EXPECT_EQ(db->callsOf(UpdateStore).size(), 0u);

    db->script(UpdateStore).output("@store_no", 44);
    form.cmdApply->click();
    EXPECT_EQ(form.windowTitle(), "Store Maintenance (44)");
    EXPECT_TRUE(form.tabTabs->isEnabled());
    EXPECT_TRUE(form.cmdAdd->isEnabled());
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_STORE_SCREEN_Get").back().value("@store_no"), Variant(44));
}

struct RefusedEdit {
    QString tab;
    int32_t col;
    QString text;
    const char* message;
    const char* caption;
};

TEST_F(frmStoreTest, BadCellInputIsRefusedWithItsMessageAndKeepsTheValue) {
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
    Open();
    for (const RefusedEdit& c : cases) {
        form.tabTabs->SelectKey(c.tab);
        const Variant before = Table(c.tab).Value(c.col, 0);
        messages.expect();
        EXPECT_FALSE(Edit(1, c.col, c.text)) << c.text.toStdString();
        EXPECT_EQ(messages.shown().back().prompt, c.message);
        EXPECT_EQ(messages.shown().back().title, c.caption);
        EXPECT_EQ(messages.shown().back().buttons, MsgBoxStyle::Information);
        EXPECT_EQ(Table(c.tab).Value(c.col, 0), before);
        EXPECT_EQ(Status(c.tab, 0), stUnchanged);
    }
    // Accepted without a check: a long screen title, a list id, a fee's minimum amount.
    for (const auto& [tab, col] : {std::pair{Screens, 3}, {Lists, 2}, {Fees, 4}}) {
        form.tabTabs->SelectKey(tab);
        EXPECT_TRUE(Edit(1, col, tooLong));
    }
    EXPECT_TRUE(messages.shown().size() == cases.size());
}

TEST_F(frmStoreTest, GroupRowsMoveThroughTheirStatuses) {
    Open();
    ASSERT_TRUE(Edit(1, 2, "7")); // renamed 5 -> 7
    EXPECT_EQ(Status(Groups, 0), stModified);
    DeleteRow(2); // 6 refused below
    for (int i = 0; i < 2; ++i) {
        form.cmdAdd->click();
        // The new number's editor is left with Escape: the row keeps 0.
        QTest::keyClick(form.gdData->indexWidget(form.gdData->currentIndex()), Qt::Key_Escape);
    }
    ASSERT_TRUE(Edit(4, 8, "Added")); // stays stNew
    EXPECT_EQ(Status(Groups, 3), stNew);
    DeleteRow(3); // added then deleted: never sent

    db->script("ZEV_SP_STORE_UpdateProductGroup").output("@product_group_no", 7).returns(0);
    db->script("ZEV_SP_STORE_DeleteStoreGroup").output("@message", "Group 6 has products.").returns(1);
    messages.expect().expect();                                  // the refusal, then the zero group number
    db->script("ZEV_SP_STORE_GetGroups").row(Group(7, "Lifts")); // reload after Apply
    form.cmdUpdate->click();

    EXPECT_EQ(messages.shown()[messages.shown().size() - 2].title, "Delete Store Group Error");
    EXPECT_EQ(messages.shown().back().prompt, "Zero is not a valid group number.");
    EXPECT_EQ(messages.shown().back().title, "Cancel update of group with zero.");
    const auto updates = db->callsOf("ZEV_SP_STORE_UpdateProductGroup");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].value("@product_group_no_key"), Variant(5));
    EXPECT_EQ(updates[0].value("@product_group_no"), Variant(7));
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_DeleteStoreGroup").size(), 1u);
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_InsertProductGroup").size(), 0u);
    // The reload replaced the rows with what the database holds.
    EXPECT_EQ(Table(Groups).Rows(), 1);
    EXPECT_EQ(form.gdData->TextMatrix(1, 2), "7");
}

TEST_F(frmStoreTest, ListsDropUnnamedRowsAndKeepRefusedOnesPending) {
    Open(Lists);
    form.cmdAdd->click(); // left "<New>": dropped
    form.cmdAdd->click();
    ASSERT_TRUE(Edit(3, 2, "SALE"));
    ASSERT_TRUE(Edit(1, 3, "Home"));
    db->script("ZEV_SP_STORE_UpdateStoreList").output("@message", "List HOME is locked.").returns(-1);
    messages.expect();
    EXPECT_TRUE(form.Tables().Save(Lists));
    EXPECT_EQ(messages.shown().back().prompt, "List HOME is locked.");
    EXPECT_EQ(messages.shown().back().title, "Update Store List Error");
    EXPECT_EQ(Status(Lists, 0), stModified); // kept pending
    EXPECT_EQ(Status(Lists, 1), stDelete);   // never named
    EXPECT_EQ(Status(Lists, 2), stUnchanged);
    const auto updates = db->callsOf("ZEV_SP_STORE_UpdateStoreList");
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[1].value("@list_id_key"), Variant::Null());
    EXPECT_EQ(updates[1].value("@list_id"), Variant("SALE"));
    EXPECT_TRUE(form.ReportToOutsideListHasChanged());
}

TEST_F(frmStoreTest, FeesConvertPercentagesAndNeedAnItem) {
    Open(Fees);
    FlexGrid& grid = *form.gdData;
    EXPECT_EQ(grid.gridModel()->DisplayText(1, 5), "2.50");
    EXPECT_EQ(grid.gridModel()->DisplayText(1, 9), "$12.50(103)");
    EXPECT_EQ(grid.gridModel()->DisplayText(1, 6), "Lifts");
    ASSERT_TRUE(Edit(1, 3, "4"));
    ASSERT_TRUE(Edit(1, 5, "1.3")); // 1.3 / 100 is 0.013000000000000001 unless rounded

    // The same item keeps the price; another drops it.
    server->items->choice = {{1001, "Lift ticket"}};
    messages.expect(MsgBoxResult::Yes);
    form.Tables().CellButtonClick(1, 8);
    EXPECT_EQ(SubTableCells::LongOrZero(Table(Fees), 10, 0), 103);
    server->items->choice = {{2001, "Rental"}};
    messages.expect(MsgBoxResult::Yes);
    form.Tables().CellButtonClick(1, 8);
    EXPECT_EQ(SubTableCells::LongOrZero(Table(Fees), 10, 0), 0);
    EXPECT_EQ(grid.TextMatrix(1, 8), "Rental");
    EXPECT_EQ(server->items->requestedTypes.back(), ttoAll);

    // A new fee has no item: no price button, and saving it stops with "Item Required".
    form.cmdAdd->click();
    bool cancel = false;
    form.Tables().BeforeEdit(2, 9, cancel);
    EXPECT_TRUE(cancel);
    ASSERT_TRUE(Edit(2, 2, "SERVICE"));
    db->script("ZEV_SP_STORE_UpdateStoreFee").returns(0);
    messages.expect();
    form.cmdOk->click();
    EXPECT_EQ(messages.shown().back().prompt, "Fee must be tied to an item.");
    EXPECT_EQ(messages.shown().back().title, "Item Required");
    EXPECT_TRUE(form.UserCanceled());
    EXPECT_TRUE(form.Tables().Changed(Fees));
    const auto sent = db->callsOf("ZEV_SP_STORE_UpdateStoreFee");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].value("@fee_percent"), Variant(0.013));
    EXPECT_EQ(sent[0].value("@fee_amount"), Variant(4.0));
    EXPECT_EQ(sent[0].value("@min_amount"), Variant(1.0));
    EXPECT_EQ(sent[0].value("@item_no"), Variant(2001));
    EXPECT_EQ(sent[0].value("@price_no"), Variant::Null());
}

TEST_F(frmStoreTest, PayMethodTogglesAreWrittenOnceWithTheFinalState) {
    Open(PayMethods);
    EXPECT_TRUE(form.cmdAdd->isHidden());
    EXPECT_TRUE(SubTableCells::Flag(Table(PayMethods), 1, 0));
    EXPECT_FALSE(SubTableCells::Flag(Table(PayMethods), 1, 1));
    bool cancel = false;
    form.Tables().BeforeEdit(1, 2, cancel);
    EXPECT_TRUE(cancel);
    ASSERT_TRUE(Edit(1, 1, "False"));
    ASSERT_TRUE(Edit(1, 1, "True"));
    ASSERT_TRUE(Edit(1, 1, "False"));
    form.cmdOk->click();
    EXPECT_FALSE(form.UserCanceled());
    ASSERT_EQ(db->callsOf("ZEV_SP_STORE_DeleteStorePayMethod").size(), 1u);
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_DeleteStorePayMethod")[0].value("@pay_method_id"), Variant("VISA"));
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_UpdateStorePayMethod").size(), 0u);
}

TEST_F(frmStoreTest, ExtensionItemsComeFromThePickerAndTheirTicksAreWrittenAtOnce) {
    db->declare("ZEV_SP_STORE_getExtendableItems", {});
    db->declare("ZEV_SP_STORE_getExtensionItems", {"@store_no", "@item_no"});
    db->declare("ZEV_SP_STORE_STORE_EXTENSION_update",
                {"@store_no", "@item_no", "@extension_item_no", "@available", "@message"});
    db->declare("ZEV_SP_STORE_STORE_EXTENDABLE_Update", {"@store_no", "@item_no", "@message"});
    Open(Extensions);
    ModalScript dialogs;
    db->script("ZEV_SP_STORE_getExtensionItems")
        .row({{"Checked", true}, {"item_no", 6001}, {"long_description", "Helmet"}})
        .row({{"Checked", false}, {"item_no", 6002}, {"long_description", "Goggles"}});
    dialogs.on<frmSelectItem>([](frmSelectItem& picker) { picker.cmdOk->click(); });
    form.Tables().CellButtonClick(1, 2);
    const auto ticks = db->callsOf("ZEV_SP_STORE_STORE_EXTENSION_update");
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].value("@item_no"), Variant(900));
    EXPECT_EQ(ticks[0].value("@extension_item_no"), Variant(6001));
    EXPECT_EQ(ticks[0].value("@available"), Variant(true));
    EXPECT_EQ(ticks[1].value("@available"), Variant(false));
    EXPECT_EQ(form.gdData->TextMatrix(1, 2), "1");
    EXPECT_FALSE(form.Tables().Changed(Extensions));

    db->script("ZEV_SP_STORE_getExtendableItems")
        .row({{"item_no", 2001}, {"long_description", "Rental"}})
        .row({{"item_no", 4001}, {"long_description", "Lesson"}});
    dialogs.on<frmSelectItem>([](frmSelectItem& picker) {
        picker.gdItems->setIsSelected(2, true);
        picker.cmdOk->click();
    });
    form.cmdAdd->click();
    ASSERT_EQ(Table(Extensions).Rows(), 2);
    EXPECT_EQ(Table(Extensions).Value(1, 1), Variant(4001));
    EXPECT_EQ(form.gdData->TextMatrix(2, 3), "Lesson");
    EXPECT_EQ(Status(Extensions, 1), stNew);
    form.cmdCancel->click();
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_STORE_EXTENDABLE_Update").size(), 0u);
}

} // namespace
