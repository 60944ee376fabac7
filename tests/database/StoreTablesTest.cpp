#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

const Variant Null = Variant::Null();
const QString Store = "@store_no";

class StoreTables : public DatabaseTest {};

TEST_P(StoreTables, GroupsGetTheNextNumberRefuseDuplicatesAndCarryTheirProductsAlong) {
    auto db = connection();
    const auto inserted = ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProductGroup",
                                                {{Store, 1},
                                                 {"@product_group_no", Null},
                                                 {"@description", "Night Skiing"},
                                                 {"@product_display_type", Null},
                                                 {"@num_cols", 2},
                                                 {"@manual_invoice", true}});
    EXPECT_EQ(inserted.returnValue, Variant(0));
    EXPECT_EQ(inserted.output("@product_group_no"), Variant(41));

    const auto duplicate = ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProductGroup",
                                                 {{Store, 1}, {"@product_group_no", 10}});
    EXPECT_EQ(duplicate.returnValue, Variant(-1));
    EXPECT_EQ(duplicate.output("@Message"), Variant("Group 10 already exists in store 1."));

    // Renumbering group 10 to 15 takes its products and fees along.
    const auto moved = ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateProductGroup",
                                             {{Store, 1},
                                              {"@product_group_no", 15},
                                              {"@product_group_no_key", 10},
                                              {"@description", "Lift Tickets"},
                                              {"@product_display_type", "Button"},
                                              {"@image_width", 120}});
    EXPECT_EQ(moved.returnValue, Variant(0));
    EXPECT_EQ(moved.output("@product_group_no"), Variant(15));
    EXPECT_EQ(database().count("zev_store_product", "store_no = 1 AND product_group_no = 15"), 2);
    EXPECT_EQ(database().count("zev_store_fee", "store_no = 1 AND product_group_no = 15"), 1);

    const auto groups = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetGroups", {{Store, 1}});
    ASSERT_EQ(groups.rows.size(), 5u);
    EXPECT_EQ(groups.at(0, "product_group_no"), Variant(15));
    EXPECT_EQ(groups.at(0, "Description"), Variant("Lift Tickets"));
    EXPECT_EQ(groups.at(0, "product_display_type"), Variant("BUTTON"));
    EXPECT_EQ(groups.at(0, "image_width"), Variant(120));
    EXPECT_EQ(groups.at(0, "image_height"), Null);
    EXPECT_EQ(groups.at(4, "product_display_type"), Null);
    EXPECT_EQ(groups.at(4, "manual_invoice"), Variant(1));

    const auto missing =
        ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateProductGroup",
                              {{Store, 1}, {"@product_group_no", 16}, {"@product_group_no_key", 99}});
    EXPECT_EQ(missing.output("@Message"), Variant("Group 99 does not exist in store 1."));
}

// A text one character longer than its column is refused with the reason, and nothing is written.
TEST_P(StoreTables, TextsLongerThanTheirColumnsAreRefusedAndWriteNothing) {
    auto db = connection();
    const QString tooLong(51, QLatin1Char('x'));
    struct Case {
        const char* procedure;
        ProcedureRun::Inputs inputs;
        const char* message;
        const char* table;
    };
    const Case cases[] = {
        {"ZEV_SP_STORE_InsertProductGroup",
         {{Store, 1}, {"@product_group_no", Null}, {"@description", tooLong}},
         "Description can not be longer than 50 characters.",
         "zev_store_product_group"},
        {"ZEV_SP_STORE_UpdateStoreList",
         {{Store, 1}, {"@list_id_key", Null}, {"@list_id", "SALE"}, {"@description", tooLong}},
         "List id and description can not be longer than 50 characters.",
         "zev_store_list"},
        {"ZEV_SP_STORE_UpdateStoreFee",
         {{Store, 1}, {"@fee_id_key", Null}, {"@fee_id", tooLong}, {"@item_no", 1001}},
         "A fee needs a fee id of at most 50 characters.",
         "zev_store_fee"},
        {"ZEV_SP_STORE_STORE_SCREEN_Insert",
         {{Store, 1}, {"@screen_id", tooLong}, {"@screen_title", "FAQ"}},
         "Screen id can not be longer than 50 characters.",
         "zev_store_screen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.procedure);
        const QString table = QString::fromLatin1(c.table);
        const int before = database().count(table);
        const auto refused = ProcedureRun::Command(*db, QString::fromLatin1(c.procedure), c.inputs);
        EXPECT_EQ(refused.returnValue, Variant(-1));
        EXPECT_EQ(refused.message, QString::fromLatin1(c.message));
        EXPECT_EQ(database().count(table), before);
    }
}

TEST_P(StoreTables, AGroupStillInUseIsNotDeleted) {
    auto db = connection();
    const auto inUse =
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreGroup", {{Store, 1}, {"@product_group_no", 10}});
    EXPECT_NE(inUse.returnValue, Variant(0));
    EXPECT_EQ(inUse.message, "Group 10 is still used by 2 products and 1 fee and can not be deleted.");

    ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProductGroup",
                          {{Store, 3}, {"@product_group_no", 7}, {"@description", "Spare"}});
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreGroup", {{Store, 3}, {"@product_group_no", 7}})
            .returnValue,
        Variant(0));
    EXPECT_EQ(database().count("zev_store_product_group", "store_no = 3"), 2);
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreGroup", {{Store, 3}, {"@product_group_no", 7}})
            .message,
        "Group 7 does not exist in store 3.");
}

TEST_P(StoreTables, ListsAreWrittenWithOneProcedureAndTheirEntriesFollowARename) {
    auto db = connection();
    const auto list = [&](const Variant& key, const Variant& id, const Variant& description) {
        return ProcedureRun::Command(
            *db, "ZEV_SP_STORE_UpdateStoreList",
            {{Store, 1}, {"@list_id_key", key}, {"@list_id", id}, {"@description", description}});
    };
    EXPECT_EQ(list(Null, "SPRING", "Spring break").returnValue, Variant(0));
    EXPECT_EQ(list(Null, "SPRING", "Again").output("@Message"),
              Variant("List SPRING already exists in store 1."));
    EXPECT_EQ(list("HOLIDAY", "XMAS", "Christmas week").returnValue, Variant(0));
    EXPECT_EQ(database().count("zev_store_list_item", "list_id = 'XMAS'"), 2);
    EXPECT_EQ(list("GONE", "X", Null).returnValue, Variant(-1));

    const auto lists = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetLists", {{Store, 1}});
    QStringList ids;
    for (const auto& row : lists.rows)
        ids << row.at("list_id").toText();
    EXPECT_EQ(ids, QStringList({"2027", "FEATURED", "SPRING", "XMAS"}));
    EXPECT_TRUE(ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetLists", {{Store, Null}}).rows.empty());

    // Deleting succeeds with a positive value and takes the entries along.
    const auto deleted =
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreList", {{Store, 1}, {"@list_id", "XMAS"}});
    EXPECT_GT(deleted.returnValue.toInt32(), 0);
    EXPECT_EQ(database().count("zev_store_list_item", "list_id = 'XMAS'"), 0);
    const auto missing =
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreList", {{Store, 1}, {"@list_id", "XMAS"}});
    EXPECT_LT(missing.returnValue.toInt32(), 0);
    EXPECT_EQ(missing.message, "List XMAS does not exist in store 1.");
}

TEST_P(StoreTables, FeesNeedAnItemAndKeepTheirPriceAndGroup) {
    auto db = connection();
    const auto fee = [&](const Variant& key, const Variant& id, const Variant& item, const Variant& price) {
        return ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateStoreFee",
                                     {{Store, 1},
                                      {"@fee_id_key", key},
                                      {"@fee_id", id},
                                      {"@fee_amount", Null},
                                      {"@min_amount", 2.0},
                                      {"@fee_percent", 0.025},
                                      {"@item_no", item},
                                      {"@product_group_no", 20},
                                      {"@price_no", price}});
    };
    EXPECT_EQ(fee(Null, "PASS FEE", Null, Null).message, "Fee PASS FEE must be tied to an existing item.");
    EXPECT_EQ(fee(Null, "PASS FEE", 1004, 103).message, "Price 103 is not a price of item 1004.");
    EXPECT_EQ(fee(Null, "PASS FEE", 1004, 109).returnValue, Variant(0));
    EXPECT_EQ(fee(Null, "SERVICE", 1004, Null).message, "Fee SERVICE already exists in store 1.");
    EXPECT_EQ(fee("PASS FEE", "PASS PROCESSING", 1004, Null).returnValue, Variant(0));

    const auto fees = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetFee", {{Store, 1}});
    ASSERT_EQ(fees.rows.size(), 3u);
    EXPECT_EQ(fees.at(0, "fee_id"), Variant("PASS PROCESSING"));
    EXPECT_EQ(fees.at(0, "fee_amount"), Null);
    EXPECT_EQ(fees.at(0, "fee_percent"), Variant(0.025));
    EXPECT_EQ(fees.at(0, "item_desc"), Variant("Unlimited Season Pass"));
    EXPECT_EQ(fees.at(0, "price_no"), Null);
    EXPECT_EQ(fees.at(0, "Price"), Null);
    EXPECT_EQ(fees.at(1, "price_no"), Variant(103));
    EXPECT_EQ(fees.at(1, "Price"), Variant(99.0));

    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreFee",
                                    {{Store, 1}, {"@fee_id", "PASS PROCESSING"}})
                  .returnValue,
              Variant(0));
    EXPECT_NE(ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreFee",
                                    {{Store, 1}, {"@fee_id", "PASS PROCESSING"}})
                  .returnValue,
              Variant(0));
}

TEST_P(StoreTables, ScreensGetAnIdWhenNoneIsGivenAndCanBeRenamed) {
    auto db = connection();
    const auto inserted = ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_SCREEN_Insert",
                                                {{Store, 3},
                                                 {"@screen_id", Null},
                                                 {"@screen_title", "Gift Shop"},
                                                 {"@screen_url", "https://gifts.valleylodge.example/"}});
    EXPECT_EQ(inserted.returnValue, Variant(0));
    EXPECT_EQ(inserted.output("@screen_id"), Variant("SCREEN1"));
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_SCREEN_Insert",
                                    {{Store, 3}, {"@screen_id", "SCREEN1"}})
                  .output("@Message"),
              Variant("Screen SCREEN1 already exists in store 3."));

    const auto renamed = ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_SCREEN_Update",
                                               {{Store, 3},
                                                {"@screen_id", "HOME"},
                                                {"@original_screen_id", "SCREEN1"},
                                                {"@screen_title", "Welcome"},
                                                {"@screen_url", Null}});
    EXPECT_EQ(renamed.output("@screen_id"), Variant("HOME"));
    const auto screens = ProcedureRun::Rows(*db, "ZEV_SP_STORE_STORE_SCREEN_Get", {{Store, 3}});
    ASSERT_EQ(screens.rows.size(), 1u);
    EXPECT_EQ(screens.at(0, "screen_title"), Variant("Welcome"));
    EXPECT_EQ(screens.at(0, "screen_url"), Null);

    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_SCREEN_Delete", {{Store, 3}, {"@screen_id", "HOME"}})
            .returnValue,
        Variant(0));
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_SCREEN_Delete", {{Store, 3}, {"@screen_id", "HOME"}})
            .message,
        "Screen HOME does not exist in store 3.");
}

TEST_P(StoreTables, ExtendableItemsCountTheirExtensions) {
    auto db = connection();
    const auto extendables = ProcedureRun::Rows(*db, "ZEV_SP_STORE_STORE_EXTENDABLE_Get", {{Store, 2}});
    ASSERT_EQ(extendables.rows.size(), 2u);
    EXPECT_EQ(extendables.at(0, "item_no"), Variant(2001));
    EXPECT_EQ(extendables.at(0, "num_ext").toInt32(), 3);
    EXPECT_EQ(extendables.at(0, "long_description"), Variant("Ski Rental Package (skis, boots, poles)"));

    const auto candidates =
        ProcedureRun::Rows(*db, "ZEV_SP_STORE_getExtensionItems", {{Store, 2}, {"@item_no", 2001}});
    int ticked = 0;
    for (const auto& row : candidates.rows) {
        EXPECT_NE(row.at("item_no"), Variant(2001));
        ticked += row.at("checked").toBool() ? 1 : 0;
    }
    EXPECT_EQ(ticked, 3);

    const auto extension = [&](int item, int extensionItem, bool available) {
        return ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_EXTENSION_update",
                                     {{Store, 2},
                                      {"@item_no", item},
                                      {"@extension_item_no", extensionItem},
                                      {"@available", available}});
    };
    extension(2001, 2003, false);
    extension(2001, 6003, true);
    extension(2001, 6003, true);
    EXPECT_EQ(database().count("zev_store_extension", "store_no = 2 AND item_no = 2001"), 3);
    EXPECT_EQ(extension(2002, 6003, true).returnValue, Variant(-1));

    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_EXTENDABLE_Update", {{Store, 3}, {"@item_no", 5001}})
            .returnValue,
        Variant(0));
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_EXTENDABLE_Update", {{Store, 3}, {"@item_no", 99}})
            .output("@Message"),
        Variant("Item 99 does not exist."));
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_STORE_EXTENDABLE_delete", {{Store, 2}, {"@item_no", 2001}})
            .returnValue,
        Variant(0));
    EXPECT_EQ(database().count("zev_store_extension", "store_no = 2 AND item_no = 2001"), 0);
}

ZEV_INSTANTIATE_BACKENDS(StoreTables);

} // namespace
