#include "store/host/CStoreMaint.h"
#include "store/editors/store/frmSelectRegister.h"
#include "store/host/ServiceTest.h"
#include "store/records/CStore.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"

#include <QPushButton>

namespace {

class CStoreMaintTest : public ServiceTest {};

// Each delete judges the return value: a refusal shows the procedure's message under the operation's caption;
// only the list delete takes a positive value as success; null is no refusal. The rows each delete removes
// are checked on the demo data.
TEST_F(CStoreMaintTest, DeletesJudgeTheReturnValue) {
    struct Case {
        const char* procedure;
        const char* caption;
        std::function<bool()> call;
    };
    const Case cases[] = {
        {"DeleteProduct", "Product", [&] { return maint.DeleteStoreProduct(3, 12); }},
        {"DeleteStoreGroup", "Store Group", [&] { return maint.DeleteStoreGroup(3, 5); }},
        {"DeleteStoreFee", "Store Fee", [&] { return maint.DeleteStoreFee(3, "SHIP"); }},
        {"DeleteStoreList", "Store List", [&] { return maint.DeleteStoreList(3, "HOME"); }},
        {"DeleteStoreListItem", "Store List Item", [&] { return maint.DeleteStoreListItem(3, "HOME", 4); }},
        {"DeleteStore", "Store", [&] { return maint.DeleteStore(3); }},
        {"STORE_SCREEN_Delete", "Store Screen", [&] { return maint.DeleteStoreScreen(3, "CHECKOUT"); }},
        {"STORE_EXTENDABLE_delete", "Extendable", [&] { return maint.DeleteStoreExt(3, 900); }},
    };
    for (const Case& c : cases) {
        const QString procedure = QStringLiteral("ZEV_SP_STORE_") + c.procedure;
        const bool positiveIsSuccess = procedure.endsWith("DeleteStoreList");
        SCOPED_TRACE(c.procedure);
        db->script(procedure).returns(0);
        EXPECT_TRUE(c.call());
        EXPECT_EQ(db->lastCall().value("@store_no"), Variant(3));

        ScriptedMessages messages;
        if (!positiveIsSuccess)
            messages.expect();
        db->script(procedure).returns(1).output("@message", "Still in use.");
        EXPECT_EQ(c.call(), positiveIsSuccess);
        if (!positiveIsSuccess) {
            EXPECT_EQ(messages.last(), QStringLiteral("Delete %1 Error: Still in use.").arg(c.caption));
            EXPECT_EQ(messages.shown()[0].buttons, 64);
        }
        messages.expect();
        db->script(procedure).returns(-1);
        EXPECT_FALSE(c.call());
        db->script(procedure).returns(Variant::Null());
        EXPECT_TRUE(c.call());
    }
    EXPECT_TRUE(error->reports.empty());
}

// What the groups tab stores on the demo data is proved there; here the refusal and a missing number.
TEST_F(CStoreMaintTest, UpdateStoreGroupHandsBackTheGroupNumberOrFails) {
    int32_t groupNo = 0;
    db->script("ZEV_SP_STORE_UpdateProductGroup").returns(0).output("@product_group_no", 18);
    ASSERT_TRUE(maint.UpdateStoreGroup(2, 17, groupNo, "Lifts", "Button", "120", "80", 1, false));
    EXPECT_EQ(groupNo, 18);
    EXPECT_EQ(db->lastCall().value("@product_display_type"), Variant("BUTTON"));

    ScriptedMessages messages;
    messages.expect();
    db->script("ZEV_SP_STORE_UpdateProductGroup").returns(-1).output("@Message", "Group 18 exists.");
    EXPECT_FALSE(maint.UpdateStoreGroup(2, 18, groupNo, "Lifts", "", "", "", 1, false));
    EXPECT_EQ(messages.shown()[0].title, "Update Store Group Failed");
    EXPECT_EQ(groupNo, 18);

    // The procedure succeeded but handed back no number: a conversion failure, reported.
    db->script("ZEV_SP_STORE_InsertProductGroup").returns(0).output("@product_group_no", Variant::Null());
    groupNo = 0;
    EXPECT_FALSE(maint.UpdateStoreGroup(2, 0, groupNo, "New", "<None>", "", "", 1, false));
    ExpectReported("ZevStore.CStoreMaint (1.0.0) UpdateStoreGroup");
    EXPECT_EQ(error->reports[0].number, 94);
}

Row RegisterRow(const char* id) {
    return {{"Register_id", id},
            {"Register_Group_ID", "WEB"},
            {"Revenue_Center_ID", "RC1"},
            {"location_id", "BASE"}};
}

// A register is installed or uninstalled only when confirmed and accepted by the database.
TEST_F(CStoreMaintTest, RegisterIsInstalledAndUnInstalledOnlyWhenConfirmedAndAccepted) {
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

    // An installed register is refused before anything is asked.
    messages.expect();
    EXPECT_FALSE(maint.InstallRegister(store));
    EXPECT_EQ(messages.last(), "Install Register Canceled: WEB03 is already installed on this store");
    EXPECT_EQ(db->calls().size(), 5u);

    messages.expect();
    db->script("ZEV_SP_STORE_UnInstallRegister").returns(-1).output("@message", "Register is busy.");
    EXPECT_FALSE(maint.UnInstallRegister(store));
    EXPECT_EQ(messages.shown()[2].title, "Register UnInstall Failed");
    EXPECT_EQ(store.RegisterId(), "WEB03");
    EXPECT_TRUE(maint.UnInstallRegister(store));
    ExpectSent(db->lastCall(), {{"@store_no", 4}, {"@register_id", "WEB03"}});
    EXPECT_FALSE(store.RegisterInstalled());
    EXPECT_EQ(store.RegisterId(), "");
    const size_t calls = db->calls().size();
    EXPECT_FALSE(maint.UnInstallRegister(store)) << "nothing installed";
    EXPECT_EQ(db->calls().size(), calls);
    EXPECT_TRUE(error->reports.empty());
}

} // namespace
