#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

const Variant Null = Variant::Null();

class StoreProcedures : public DatabaseTest {};

TEST_P(StoreProcedures, GetStoreListsEveryStoreWithoutANumberAndOneWithIt) {
    auto db = connection();
    const auto all = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetStore"));
    ASSERT_EQ(all.rows.size(), 3u);
    EXPECT_EQ(all.at(0, QStringLiteral("store_no")), Variant(1));

    const auto one =
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetStore"), {{QStringLiteral("@store_no"), 2}});
    ASSERT_EQ(one.rows.size(), 1u);
    EXPECT_EQ(one.at(0, QStringLiteral("Register_id")), Variant("WEB08"));
    EXPECT_EQ(one.at(0, QStringLiteral("register_installed")), Variant(1));
    EXPECT_EQ(one.at(0, QStringLiteral("location_register")), Variant(1));
    EXPECT_EQ(one.at(0, QStringLiteral("default_product_url")), Null);
    EXPECT_EQ(one.at(0, QStringLiteral("so_type")), Variant("PHONE"));

    EXPECT_TRUE(
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetStore"), {{QStringLiteral("@store_no"), 99}})
            .rows.empty());
}

TEST_P(StoreProcedures, PayMethodsAreSwitchedOnAndOffPerStore) {
    auto db = connection();
    const auto pay = [&](const char* procedure, const char* method) {
        return ProcedureRun::Command(
            *db, QString::fromLatin1(procedure),
            {{QStringLiteral("@store_no"), 3}, {QStringLiteral("@pay_method_id"), method}});
    };
    EXPECT_EQ(pay("ZEV_SP_STORE_UpdateStorePayMethod", "PAYPAL").returnValue, Variant(0));
    EXPECT_EQ(pay("ZEV_SP_STORE_UpdateStorePayMethod", "PAYPAL").returnValue, Variant(0));
    EXPECT_EQ(pay("ZEV_SP_STORE_DeleteStorePayMethod", "VISA").returnValue, Variant(0));
    const auto refused = pay("ZEV_SP_STORE_UpdateStorePayMethod", "BITCOIN");
    EXPECT_EQ(refused.returnValue, Variant(-1));
    EXPECT_EQ(refused.message, QStringLiteral("Pay method BITCOIN does not exist."));

    const auto methods = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetPayMethods"),
                                            {{QStringLiteral("@store_no"), 3}});
    ASSERT_EQ(methods.rows.size(), 7u);
    QStringList accepted;
    for (const auto& row : methods.rows)
        if (!row.at(QStringLiteral("store_no")).isNull())
            accepted << row.at(QStringLiteral("pay_method_id")).toText();
    EXPECT_EQ(accepted, QStringList({QStringLiteral("GIFT"), QStringLiteral("PAYPAL")}));
    EXPECT_EQ(methods.at(0, QStringLiteral("pay_method_type_id")), Variant("CC"));
    EXPECT_EQ(methods.at(0, QStringLiteral("description")), Variant("American Express"));

    // A store not yet saved sees every pay method as not accepted.
    const auto none = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetPayMethods"),
                                         {{QStringLiteral("@store_no"), 0}});
    ASSERT_EQ(none.rows.size(), 7u);
    for (const auto& row : none.rows)
        EXPECT_TRUE(row.at(QStringLiteral("store_no")).isNull());
}

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
        free << rows->Fields(QStringLiteral("Register_id"))->Value().toText();
        rows->Fields(QStringLiteral("Register_Group_ID"));
        rows->Fields(QStringLiteral("Revenue_Center_ID"));
        rows->Fields(QStringLiteral("location_id"));
    }
    EXPECT_EQ(free, QStringList({QStringLiteral("WEB01"), QStringLiteral("WEB03"), QStringLiteral("WEB04")}));

    const auto install = [&](const char* procedure, int store, const char* id) {
        return ProcedureRun::Command(
            *db, QString::fromLatin1(procedure),
            {{QStringLiteral("@store_no"), store}, {QStringLiteral("@register_id"), id}});
    };
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB05").message,
              QStringLiteral("Register WEB05 is no longer free: it is checked out to FRONTDESK-PC."));
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB06").message,
              QStringLiteral("Register WEB06 is no longer free (its status is Offline)."));
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 1, "WEB01").message,
              QStringLiteral("Store 1 already has register WEB02 installed. Please uninstall it first."));
    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB99").returnValue, Variant(-1));

    EXPECT_EQ(install("ZEV_SP_STORE_InstallRegister", 3, "WEB04").returnValue, Variant(0));
    EXPECT_EQ(database()
                  .scalar(QStringLiteral("SELECT status_id FROM zev_register WHERE register_id = 'WEB04'"))
                  .toString(),
              QStringLiteral("Installed"));
    const auto taken = install("ZEV_SP_STORE_InstallRegister", 2, "WEB04");
    EXPECT_EQ(taken.returnValue, Variant(-1));
    EXPECT_FALSE(taken.message.isEmpty());

    EXPECT_EQ(install("ZEV_SP_STORE_UnInstallRegister", 3, "WEB02").message,
              QStringLiteral("Register WEB02 is not installed on store 3."));
    EXPECT_EQ(install("ZEV_SP_STORE_UnInstallRegister", 3, "WEB04").returnValue, Variant(0));
    const auto store =
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetStore"), {{QStringLiteral("@store_no"), 3}});
    EXPECT_EQ(store.at(0, QStringLiteral("register_id")), Null);
    EXPECT_EQ(store.at(0, QStringLiteral("register_installed")), Variant(0));
    EXPECT_EQ(database()
                  .scalar(QStringLiteral("SELECT status_id FROM zev_register WHERE register_id = 'WEB04'"))
                  .toString(),
              QStringLiteral("Avail"));
}

TEST_P(StoreProcedures, DeletingAStoreRemovesEverythingItOwnsAndFreesItsRegister) {
    auto db = connection();
    const auto deleted = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteStore"),
                                               {{QStringLiteral("@store_no"), 2}});
    EXPECT_EQ(deleted.returnValue, Variant(0));
    for (const char* table :
         {"zev_store", "zev_store_product_group", "zev_store_product", "zev_store_product_item",
          "zev_store_product_item_sell", "zev_store_list", "zev_store_list_item", "zev_store_fee",
          "zev_store_pay_method", "zev_store_screen", "zev_store_extendable", "zev_store_extension",
          "zev_store_customer", "zev_shopping_cart"})
        EXPECT_EQ(database().count(QString::fromLatin1(table), QStringLiteral("store_no = 2")), 0) << table;
    EXPECT_EQ(database().count(QStringLiteral("zev_shopping_cart_log"),
                               QStringLiteral("shopping_cart_no = 200001")),
              0);
    EXPECT_EQ(database()
                  .scalar(QStringLiteral("SELECT status_id FROM zev_register WHERE register_id = 'WEB08'"))
                  .toString(),
              QStringLiteral("Avail"));
    // The other stores and the customers' own change log stay.
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product"), QStringLiteral("store_no = 1")), 7);
    EXPECT_EQ(database().count(QStringLiteral("zev_customer_log")), 4);

    // A store with prices of its own loses them too.
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteStore"),
                                    {{QStringLiteral("@store_no"), 3}})
                  .returnValue,
              Variant(0));
    EXPECT_EQ(database().count(QStringLiteral("zev_price"), QStringLiteral("store_no = 3")), 0);

    const auto again = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteStore"),
                                             {{QStringLiteral("@store_no"), 2}});
    EXPECT_NE(again.returnValue, Variant(0));
    EXPECT_EQ(again.message, QStringLiteral("Store 2 does not exist."));
}

ZEV_INSTANTIATE_BACKENDS(StoreProcedures);

} // namespace
