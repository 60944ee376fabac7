#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

// The store and its tables; refusals are in ProcedureRefusalsTest.
class StoreTables : public DatabaseTest {
protected:
    // Runs the call; a failure when it does not succeed.
    ProcedureRun ok(DBConnection& db, const QString& call) {
        auto run = ProcedureRun::Command(db, call);
        EXPECT_GE(run.returnValue.toInt32(), 0) << call.toStdString() << ": " << run.message.toStdString();
        return run;
    }
    // The column of every row, joined by " ".
    static std::string column(const ProcedureRun& run, const QString& name) {
        std::string cells;
        for (size_t i = 0; i < run.rows.size(); ++i)
            cells += (i ? " " : "") + run.cells(i, name);
        return cells;
    }
    QString registerStatus(const char* id) {
        return database().scalar("SELECT status_id FROM zev_register WHERE register_id = ?", {id}).toString();
    }
};

TEST_P(StoreTables, AFreeRegisterIsInstalledAndFreedAgain) {
    auto db = connection();
    // Which registers are free is shown by the register picker.
    ok(*db, "InstallRegister: store_no=3; register_id=WEB04");
    EXPECT_EQ(registerStatus("WEB04"), "Installed");
    ok(*db, "UnInstallRegister: store_no=3; register_id=WEB04");
    EXPECT_EQ(ProcedureRun::Rows(*db, "GetStore: store_no=3").cells(0, "register_id, register_installed"),
              "NULL|0");
    EXPECT_EQ(registerStatus("WEB04"), "Avail");
}

TEST_P(StoreTables, DeletingAStoreRemovesEverythingItOwnsAndFreesItsRegister) {
    auto db = connection();
    ok(*db, "DeleteStore: store_no=2");
    for (const char* table :
         {"zev_store", "zev_store_product_group", "zev_store_product", "zev_store_product_item",
          "zev_store_product_item_sell", "zev_store_list", "zev_store_list_item", "zev_store_fee",
          "zev_store_pay_method", "zev_store_screen", "zev_store_extendable", "zev_store_extension",
          "zev_store_customer", "zev_shopping_cart"})
        EXPECT_EQ(database().count(QString::fromLatin1(table), "store_no = 2"), 0) << table;
    EXPECT_EQ(database().count("zev_shopping_cart_log", "shopping_cart_no = 200001"), 0);
    EXPECT_EQ(registerStatus("WEB08"), "Avail");
    // The other stores and the customers' own change log stay.
    EXPECT_EQ(database().count("zev_store_product", "store_no = 1"), 7);
    EXPECT_EQ(database().count("zev_customer_log"), 4);
    // A store with prices of its own loses them too.
    ok(*db, "DeleteStore: store_no=3");
    EXPECT_EQ(database().count("zev_price", "store_no = 3"), 0);
}

TEST_P(StoreTables, GroupsGetTheNextNumberAndCarryTheirProductsAlong) {
    auto db = connection();
    EXPECT_EQ(
        ok(*db,
           "InsertProductGroup: store_no=1; product_group_no=NULL; description=Night Skiing; num_cols=2; "
           "manual_invoice=-1")
            .output("@product_group_no"),
        Variant(41));
    // Renumbering group 10 to 15 takes its products and fees along.
    EXPECT_EQ(ok(*db, "UpdateProductGroup: store_no=1; product_group_no=15; product_group_no_key=10; "
                      "description=Lift Tickets; product_display_type=Button; image_width=120")
                  .output("@product_group_no"),
              Variant(15));
    EXPECT_EQ(database().count("zev_store_product", "store_no = 1 AND product_group_no = 15"), 2);
    EXPECT_EQ(database().count("zev_store_fee", "store_no = 1 AND product_group_no = 15"), 1);

    const auto groups = ProcedureRun::Rows(*db, "GetGroups: store_no=1");
    ASSERT_EQ(groups.rows.size(), 5u);
    EXPECT_EQ(
        groups.cells(0, "product_group_no, Description, product_display_type, image_width, image_height"),
        "15|Lift Tickets|BUTTON|120|NULL");
    EXPECT_EQ(groups.cells(4, "product_display_type, manual_invoice"), "NULL|1");

    ok(*db, "InsertProductGroup: store_no=3; product_group_no=7; description=Spare");
    ok(*db, "DeleteStoreGroup: store_no=3; product_group_no=7");
    EXPECT_EQ(database().count("zev_store_product_group", "store_no = 3"), 3);
}

TEST_P(StoreTables, ListsFeesAndScreensAreWrittenRenamedAndDeleted) {
    auto db = connection();
    ok(*db, "UpdateStoreList: store_no=1; list_id_key=NULL; list_id=SPRING; description=Spring break");
    ok(*db, "UpdateStoreList: store_no=1; list_id_key=HOLIDAY; list_id=XMAS; description=Christmas week");
    EXPECT_EQ(database().count("zev_store_list_item", "list_id = 'XMAS'"), 2);
    EXPECT_EQ(column(ProcedureRun::Rows(*db, "GetLists: store_no=1"), "list_id"),
              "2027 FEATURED SPRING XMAS");
    EXPECT_TRUE(ProcedureRun::Rows(*db, "GetLists: store_no=NULL").rows.empty());
    // Deleting a list succeeds with a positive value and takes the entries along.
    EXPECT_GT(ok(*db, "DeleteStoreList: store_no=1; list_id=XMAS").returnValue.toInt32(), 0);
    EXPECT_EQ(database().count("zev_store_list_item", "list_id = 'XMAS'"), 0);

    const QString fee = "UpdateStoreFee: store_no=1; fee_amount=NULL; min_amount=2.0; fee_percent=0.025; "
                        "item_no=1004; product_group_no=20; ";
    ok(*db, fee + "fee_id_key=<New>; fee_id=PASS FEE; price_no=109"); // a fee added in the editor
    ok(*db, fee + "fee_id_key=PASS FEE; fee_id=PASS PROCESSING; price_no=NULL");
    const auto fees = ProcedureRun::Rows(*db, "GetFee: store_no=1");
    ASSERT_EQ(fees.rows.size(), 3u);
    EXPECT_EQ(fees.cells(0, "fee_id, fee_amount, fee_percent, item_desc, price_no, Price"),
              "PASS PROCESSING|NULL|0.025|Unlimited Season Pass|NULL|NULL");
    EXPECT_EQ(fees.cells(1, "price_no, Price"), "103|99");
    ok(*db, "DeleteStoreFee: store_no=1; fee_id=PASS PROCESSING");
    EXPECT_EQ(database().count("zev_store_fee", "store_no = 1"), 2);

    EXPECT_EQ(ok(*db, "STORE_SCREEN_Insert: store_no=3; screen_id=NULL; screen_title=Gift Shop; "
                      "screen_url=https://gifts.valleylodge.example/")
                  .output("@screen_id"),
              Variant("SCREEN1"));
    EXPECT_EQ(ok(*db, "STORE_SCREEN_Update: store_no=3; screen_id=HOME; original_screen_id=SCREEN1; "
                      "screen_title=Welcome; screen_url=NULL")
                  .output("@screen_id"),
              Variant("HOME"));
    const auto screens = ProcedureRun::Rows(*db, "STORE_SCREEN_Get: store_no=3");
    ASSERT_EQ(screens.rows.size(), 1u);
    EXPECT_EQ(screens.cells(0, "screen_title, screen_url"), "Welcome|NULL");
    ok(*db, "STORE_SCREEN_Delete: store_no=3; screen_id=HOME");
    EXPECT_EQ(database().count("zev_store_screen", "store_no = 3"), 0);
}

TEST_P(StoreTables, ExtendableItemsCountTheirExtensions) {
    auto db = connection();
    const auto extendables = ProcedureRun::Rows(*db, "STORE_EXTENDABLE_Get: store_no=2");
    ASSERT_EQ(extendables.rows.size(), 2u);
    EXPECT_EQ(extendables.cells(0, "item_no, num_ext, long_description"),
              "2001|3|Ski Rental Package (skis, boots, poles)");
    const auto candidates = ProcedureRun::Rows(*db, "getExtensionItems: store_no=2; item_no=2001");
    EXPECT_EQ((" " + column(candidates, "item_no") + " ").find(" 2001 "), std::string::npos);
    int ticked = 0;
    for (const auto& row : candidates.rows)
        ticked += row.at("checked").toBool() ? 1 : 0;
    EXPECT_EQ(ticked, 3);

    const QString extension = "STORE_EXTENSION_update: store_no=2; item_no=2001; extension_item_no=";
    ok(*db, extension + "2003; available=0");
    ok(*db, extension + "6003; available=-1");
    ok(*db, extension + "6003; available=-1");
    EXPECT_EQ(database().count("zev_store_extension", "store_no = 2 AND item_no = 2001"), 3);
    ok(*db, "STORE_EXTENDABLE_Update: store_no=3; item_no=5001");
    EXPECT_EQ(database().count("zev_store_extendable", "store_no = 3"), 1);
    ok(*db, "STORE_EXTENDABLE_delete: store_no=2; item_no=2001");
    EXPECT_EQ(database().count("zev_store_extension", "store_no = 2 AND item_no = 2001"), 0);
}

ZEV_INSTANTIATE_BACKENDS(StoreTables);

} // namespace
