#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

const Variant Null = Variant::Null();

class StoreProcedures : public DatabaseTest {};


TEST_P(StoreProcedures, OnlyFreeRegistersAreListedAndInstalled) {
    auto db = connection();
    // The register picker's query, exactly as the module sends it.
    auto rows = db->OpenRecordset(
        QStringLiteral(
            "SELECT * FROM zev_register WHERE (status_id = 'Avail' OR status_id IS NULL) AND "
            "(check_out_computer IS NULL OR check_out_computer = '' OR check_out_computer = 'Avail') "
            "order by register_id"),
        0);
    QStringList free;
    for (; !rows->Eof(); rows->MoveNext()) {
        free << rows->Fields("Register_id")->Value().toText();
        rows->Fields("Register_Group_ID");
        rows->Fields("Revenue_Center_ID");
        rows->Fields("location_id");
    }
    EXPECT_EQ(free, QStringList({"WEB01", "WEB03", "WEB04"}));

    const auto install = [&](const char* procedure, int store, const char* id) {
        return ProcedureRun::Command(*db, QString::fromLatin1(procedure),
                                     {{"@store_no", store}, {"@register_id", id}});
    };
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB05").message,
              "Register WEB05 is no longer free: it is checked out to FRONTDESK-PC.");
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB06").message,
              "Register WEB06 is no longer free (its status is Offline).");
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 1, "WEB01").message,
              "Store 1 already has register WEB02 installed. Please uninstall it first.");
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB99").returnValue, Variant(-1));

    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB04").returnValue, Variant(0));
    EXPECT_EQ(database().scalar("SELECT status_id FROM zev_register WHERE register_id = 'WEB04'").toString(),
              "Installed");
    const auto taken = install("ZEV_SP_STORE_InstallRegister", 2, "WEB04");
    EXPECT_EQ(taken.returnValue, Variant(-1));
    EXPECT_FALSE(taken.message.isEmpty());

    EXPECT_EQ(install("ZEV_SP_STORE_UnInstallRegister", 3, "WEB02").message,
              "Register WEB02 is not installed on store 3.");
    EXPECT_EQ(install("ZEV_SP_STORE_UnInstallRegister", 3, "WEB04").returnValue, Variant(0));
    const auto store = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetStore", {{"@store_no", 3}});
    EXPECT_EQ(store.at(0, "register_id"), Null);
    EXPECT_EQ(store.at(0, "register_installed"), Variant(0));
    EXPECT_EQ(database().scalar("SELECT status_id FROM zev_register WHERE register_id = 'WEB04'").toString(),
              "Avail");
}

TEST_P(StoreProcedures, DeletingAStoreRemovesEverythingItOwnsAndFreesItsRegister) {
    auto db = connection();
    const auto deleted = ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStore", {{"@store_no", 2}});
    EXPECT_EQ(deleted.returnValue, Variant(0));
    for (const char* table :
         {"zev_store", "zev_store_product_group", "zev_store_product", "zev_store_product_item",
          "zev_store_product_item_sell", "zev_store_list", "zev_store_list_item", "zev_store_fee",
          "zev_store_pay_method", "zev_store_screen", "zev_store_extendable", "zev_store_extension",
          "zev_store_customer", "zev_shopping_cart"})
        EXPECT_EQ(database().count(QString::fromLatin1(table), "store_no = 2"), 0) << table;
    EXPECT_EQ(database().count("zev_shopping_cart_log", "shopping_cart_no = 200001"), 0);
    EXPECT_EQ(database().scalar("SELECT status_id FROM zev_register WHERE register_id = 'WEB08'").toString(),
              "Avail");
    // The other stores and the customers' own change log stay.
    EXPECT_EQ(database().count("zev_store_product", "store_no = 1"), 7);
    EXPECT_EQ(database().count("zev_customer_log"), 4);

    // A store with prices of its own loses them too.
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStore", {{"@store_no", 3}}).returnValue,
              Variant(0));
    EXPECT_EQ(database().count("zev_price", "store_no = 3"), 0);

    const auto again = ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStore", {{"@store_no", 2}});
    EXPECT_NE(again.returnValue, Variant(0));
    EXPECT_EQ(again.message, "Store 2 does not exist.");
}

ZEV_INSTANTIATE_BACKENDS(StoreProcedures);

} // namespace
