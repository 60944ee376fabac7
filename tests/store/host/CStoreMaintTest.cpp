#include "store/host/CStoreMaint.h"
#include "store/editors/store/frmSelectRegister.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/pickers/frmShowPrices.h"
#include "store/records/CStore.h"
#include "store/records/RecordTest.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"

#include <QPushButton>

namespace {

class CStoreMaintTest : public RecordTest {
protected:
    CStoreMaintTest() {
        server->db = db;
        server->error = error;
        maint.setAppServer(server);
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
};

struct DeleteCase {
    const char* procedure;
    const char* caption;
    std::function<bool(CStoreMaint&)> call;
    Sent sent;
    bool positiveIsSuccess;
};

TEST_F(CStoreMaintTest, DeletesSendTheirKeysAndJudgeTheReturnValue) {
    const std::vector<DeleteCase> cases = {
        {"ZEV_SP_STORE_DeleteProduct",
         "Delete Product Error",
         [](CStoreMaint& m) { return m.DeleteStoreProduct(3, 12); },
         {{"@store_no", 3}, {"@product_no", 12}},
         false},
        {"ZEV_SP_STORE_DeleteStoreGroup",
         "Delete Store Group Error",
         [](CStoreMaint& m) { return m.DeleteStoreGroup(3, 5); },
         {{"@store_no", 3}, {"@product_group_no", 5}},
         false},
        {"ZEV_SP_STORE_DeleteStoreFee",
         "Delete Store Fee Error",
         [](CStoreMaint& m) { return m.DeleteStoreFee(3, "SHIP"); },
         {{"@store_no", 3}, {"@fee_id", "SHIP"}},
         false},
        {"ZEV_SP_STORE_DeleteStoreList",
         "Delete Store List Error",
         [](CStoreMaint& m) { return m.DeleteStoreList(3, "HOME"); },
         {{"@store_no", 3}, {"@list_id", "HOME"}},
         true},
        {"ZEV_SP_STORE_DeleteStoreListItem",
         "Delete Store List Item Error",
         [](CStoreMaint& m) { return m.DeleteStoreListItem(3, "HOME", 4); },
         {{"@store_no", 3}, {"@list_id", "HOME"}, {"@seq_no", 4}},
         false},
        {"ZEV_SP_STORE_DeleteStore",
         "Delete Store Error",
         [](CStoreMaint& m) { return m.DeleteStore(3); },
         {{"@store_no", 3}},
         false},
        {"ZEV_SP_STORE_STORE_SCREEN_Delete",
         "Delete Store Screen Error",
         [](CStoreMaint& m) { return m.DeleteStoreScreen(3, "CHECKOUT"); },
         {{"@store_no", 3}, {"@screen_id", "CHECKOUT"}},
         false},
        {"ZEV_SP_STORE_STORE_EXTENDABLE_delete",
         "Delete Extendable Error",
         [](CStoreMaint& m) { return m.DeleteStoreExt(3, 900); },
         {{"@store_no", 3}, {"@item_no", 900}},
         false},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.procedure);
        db->script(c.procedure).returns(0);
        EXPECT_TRUE(c.call(maint));
        ExpectSent(db->lastCall(), c.sent);

        ScriptedMessages messages;
        if (!c.positiveIsSuccess)
            messages.expect();
        db->script(c.procedure).returns(1).output("@message", "Still in use.");
        EXPECT_EQ(c.call(maint), c.positiveIsSuccess);
        if (!c.positiveIsSuccess) {
            EXPECT_EQ(messages.shown()[0].prompt, "Still in use.");
            EXPECT_EQ(messages.shown()[0].buttons, 64);
            EXPECT_EQ(messages.shown()[0].title, c.caption);
        }

        messages.expect();
        db->script(c.procedure).returns(-1);
        EXPECT_FALSE(c.call(maint));
        db->script(c.procedure).returns(Variant::Null());
        EXPECT_TRUE(c.call(maint)) << "a null return value is no refusal";
    }
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CStoreMaintTest, UpdateStoreGroupInsertsOrUpdatesAndHandsBackTheGroupNumber) {

    int32_t groupNo = 0;
    db->script("ZEV_SP_STORE_InsertProductGroup").returns(0).output("@product_group_no", 17);
    ASSERT_TRUE(maint.UpdateStoreGroup(2, 0, groupNo, "Lift Tickets", "<None>", "abc", "", 3, true));
    EXPECT_EQ(groupNo, 17);
    ExpectSent(db->lastCall(), {{"@store_no", 2},
                                {"@product_group_no", Variant::Null()},
                                {"@description", "Lift Tickets"},
                                {"@product_display_type", Variant::Null()},
                                {"@num_cols", 3},
                                {"@manual_invoice", true}});

    db->script("ZEV_SP_STORE_UpdateProductGroup").returns(0).output("@product_group_no", 18);
    ASSERT_TRUE(maint.UpdateStoreGroup(2, 17, groupNo, "Lifts", "Button", "120", "80", 1, false));
    EXPECT_EQ(groupNo, 18);
    ExpectSent(db->lastCall(), {{"@store_no", 2},
                                {"@product_group_no", 17},
                                {"@product_group_no_key", 17},
                                {"@description", "Lifts"},
                                {"@product_display_type", "BUTTON"},
                                {"@image_width", 120},
                                {"@image_height", 80},
                                {"@num_cols", 1},
                                {"@manual_invoice", false}});

    ScriptedMessages messages;
    messages.expect();
    db->script("ZEV_SP_STORE_UpdateProductGroup").returns(-1).output("@Message", "Group 18 exists.");
    EXPECT_FALSE(maint.UpdateStoreGroup(2, 18, groupNo, "Lifts", "", "", "", 1, false));
    EXPECT_EQ(messages.shown()[0].title, "Update Store Group Failed");
    EXPECT_EQ(db->lastCall().value("@product_display_type"), Variant(""));
    EXPECT_EQ(groupNo, 18);

    // The procedure succeeded but handed back no number: a conversion failure, reported.
    db->script("ZEV_SP_STORE_InsertProductGroup").returns(0).output("@product_group_no", Variant::Null());
    groupNo = 0;
    EXPECT_FALSE(maint.UpdateStoreGroup(2, 0, groupNo, "New", "<None>", "", "", 1, false));
    ExpectReported("ZevStore.CStoreMaint (1.0.0) UpdateStoreGroup");
    EXPECT_EQ(error->reports[0].number, 94);
}

TEST_F(CStoreMaintTest, UnInstallRegisterClearsTheStoreOnlyAfterTheDatabaseAccepted) {
    CStore store;
    store.setStoreNo(4);
    EXPECT_FALSE(maint.UnInstallRegister(store)) << "nothing installed";
    EXPECT_TRUE(db->calls().empty());

    store.setRegisterInstalled(true);
    store.setRegisterId("WEB01");
    ScriptedMessages messages;
    messages.expect();
    db->script("ZEV_SP_STORE_UnInstallRegister").returns(-1).output("@message", "Register is busy.");
    EXPECT_FALSE(maint.UnInstallRegister(store));
    EXPECT_EQ(messages.shown()[0].title, "Register UnInstall Failed");
    EXPECT_TRUE(store.RegisterInstalled());
    EXPECT_EQ(store.RegisterId(), "WEB01");

    EXPECT_TRUE(maint.UnInstallRegister(store));
    ExpectSent(db->lastCall(), {{"@store_no", 4}, {"@register_id", "WEB01"}});
    EXPECT_FALSE(store.RegisterInstalled());
    EXPECT_EQ(store.RegisterId(), "");
}

TEST_F(CStoreMaintTest, RaisedErrorsAreReportedUnderTheOperationName) {
    db->script("ZEV_SP_STORE_DeleteStore").raises(-2147217873, "The DELETE statement conflicted.");
    EXPECT_FALSE(maint.DeleteStore(9));
    ExpectReported("ZevStore.CStoreMaint (1.0.0) DeleteStore");
    EXPECT_EQ(maint.Errors().LastErrorDescription(), "The DELETE statement conflicted.");
    EXPECT_TRUE(maint.DeleteStore(9));
}

Row RegisterRow(const char* id) {
    return {{"Register_id", id},
            {"Register_Group_ID", "WEB"},
            {"Revenue_Center_ID", "RC1"},
            {"location_id", "BASE"}};
}

TEST_F(CStoreMaintTest, InstallRegisterRefusesAnInstalledRegisterBeforeAskingAnything) {
    CStore store;
    store.setRegisterInstalled(true);
    store.setRegisterId("WEB01");
    ScriptedMessages messages;
    messages.expect();
    ModalScript dialogs;
    EXPECT_FALSE(maint.InstallRegister(store));
    EXPECT_EQ(messages.shown()[0].prompt, "WEB01 is already installed on this store");
    EXPECT_EQ(messages.shown()[0].buttons, 16);
    EXPECT_EQ(messages.shown()[0].title, "Install Register Canceled");
    EXPECT_TRUE(db->calls().empty());
}

TEST_F(CStoreMaintTest, InstallRegisterInstallsThePickedRegisterOnlyWhenConfirmedAndAccepted) {
    CStore store;
    store.setStoreNo(4);
    auto pick = [&](bool confirm) {
        db->scriptQuery("zev_register").row(RegisterRow("WEB02")).row(RegisterRow("WEB03"));
        ModalScript dialogs;
        dialogs.on<frmSelectRegister>([confirm](frmSelectRegister& picker) {
            picker.dbgRegisters->setRow(2);
            (confirm ? picker.cmdOk : picker.cmdCancel)->click();
        });
        return maint.InstallRegister(store);
    };

    EXPECT_FALSE(pick(false));
    EXPECT_TRUE(db->callsOf("ZEV_SP_STORE_InstallRegister").empty());

    ScriptedMessages messages;
    messages.expect();
    db->script("ZEV_SP_STORE_InstallRegister").returns(-1).output("@message", "WEB03 is no longer free.");
    EXPECT_FALSE(pick(true));
    EXPECT_EQ(messages.shown()[0].title, "Register Installation Failed");
    EXPECT_FALSE(store.RegisterInstalled());

    EXPECT_TRUE(pick(true));
    ExpectSent(db->lastCall(), {{"@store_no", 4}, {"@register_id", "WEB03"}});
    EXPECT_TRUE(store.RegisterInstalled());
    EXPECT_EQ(store.RegisterId(), "WEB03");
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CStoreMaintTest, SelectPriceFillsItsOutputsFromTheCurrentRowUnlessCancelled) {
    auto price = [](int32_t no, double amount, int16_t qty) {
        return Row{{"price_no", no},    {"season_no", 0},       {"season_desc", ""},
                   {"discount_id", ""}, {"discount_desc", ""},  {"unit_id", "DAY"},
                   {"unit_qty", qty},   {"unit_price", amount}, {"Price", amount * qty}};
    };
    auto choose = [&](bool confirm, int32_t& priceNo, QString& text, int16_t& qty) {
        db->script("ZEV_SP_STORE_GetProductItemPrices").row(price(11, 59.0, 1)).row(price(12, 45.0, 2));
        ModalScript dialogs;
        dialogs.on<frmSelectPrice>([confirm](frmSelectPrice& picker) {
            picker.gdItems->setRow(2);
            (confirm ? picker.cmdOk : picker.cmdCancel)->click();
        });
        return maint.SelectPrice(900, 2, 10, 0, priceNo, text, qty);
    };
    int32_t priceNo = -1;
    QString text = "unchanged";
    int16_t qty = -1;
    EXPECT_FALSE(choose(false, priceNo, text, qty));
    EXPECT_EQ(priceNo, -1);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(qty, -1);

    EXPECT_TRUE(choose(true, priceNo, text, qty));
    EXPECT_EQ(priceNo, 12);
    EXPECT_EQ(text, "90");
    EXPECT_EQ(qty, 2);
    ExpectSent(db->lastCall(), {{"@item_no", 900},
                                {"@package_no", Variant::Null()},
                                {"@store_no", 2},
                                {"@product_no", 10},
                                {"@seq_no", Variant::Null()}});
}

} // namespace
