#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

const Variant Null = Variant::Null();
const QString Store = "@store_no";
const QString Product = "@product_no";
const QString Seq = "@seq_no";

class ProductProcedures : public DatabaseTest {};


ProcedureRun::Inputs ProductValues(int store, const Variant& number) {
    return {{Store, store},
            {Product, number},
            {"@product_type", "TICKET"},
            {"@product_name", "Night Skiing"},
            {"@short_description", Null},
            {"@long_description", Null},
            {"@product_group_no", 10},
            {"@product_url", Null},
            {"@image_width", 0},
            {"@image_height", 0},
            {"@is_active", true},
            {"@item_display_type", ""},
            {"@photo_family", Null},
            {"@num_cols", 1},
            {"@manual_invoice", int16_t(0)}};
}

TEST_P(ProductProcedures, InsertingRefusesAMissingOrTakenNumber) {
    auto db = connection();
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProduct", ProductValues(1, 500)).returnValue,
              Variant(0));
    const auto taken = ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProduct", ProductValues(1, 500));
    EXPECT_EQ(taken.returnValue, Variant(-1));
    EXPECT_EQ(taken.output("@Message"), Variant("Product 500 already exists in store 1."));
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProduct", ProductValues(1, Null)).output("@Message"),
        Variant("You must supply a product number."));
    auto noGroup = ProductValues(1, 501);
    noGroup[6].second = 77;
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProduct", noGroup).output("@Message"),
              Variant("Group 77 does not exist in store 1."));
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProduct", ProductValues(9, 1)).output("@Message"),
        Variant("Store 9 does not exist."));

    const auto saved = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetProduct", {{Store, 1}, {Product, 500}});
    EXPECT_EQ(saved.at(0, "item_display_type"), Null);
    EXPECT_EQ(saved.at(0, "is_active"), Variant(1));
    EXPECT_EQ(saved.at(0, "short_description"), Null);
}

TEST_P(ProductProcedures, RenumberingAProductTakesItsItemsLinksAndListEntriesAlong) {
    auto db = connection();
    auto values = ProductValues(1, 150);
    values.emplace_back("@product_no_key", 100);
    const auto moved = ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateProduct", values);
    EXPECT_EQ(moved.returnValue, Variant(0)) << moved.output("@Message").toText().toStdString();
    EXPECT_EQ(database().count("zev_store_product_item", "store_no = 1 AND product_no = 150"), 5);
    EXPECT_EQ(database().count("zev_store_product_item", "store_no = 1 AND product_no = 100"), 0);
    EXPECT_EQ(database().count("zev_store_product_item_sell",
                               "store_no = 1 AND (product_no = 150 OR new_product_no = 150)"),
              3);
    EXPECT_EQ(database().count("zev_store_list_item", "store_no = 1 AND product_no = 150"), 2);

    auto clash = ProductValues(1, 200);
    clash.emplace_back("@product_no_key", 150);
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateProduct", clash).output("@Message"),
              Variant("Product 200 already exists in store 1."));
}

TEST_P(ProductProcedures, DeletingAProductRemovesItsItemsLinksAndListEntries) {
    auto db = connection();
    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteProduct", {{Store, 1}, {Product, 100}}).returnValue,
        Variant(0));
    EXPECT_EQ(database().count("zev_store_product_item", "store_no = 1 AND product_no = 100"), 0);
    EXPECT_EQ(database().count("zev_store_product_item_sell",
                               "store_no = 1 AND (product_no = 100 OR new_product_no = 100)"),
              0);
    EXPECT_EQ(database().count("zev_store_list_item", "store_no = 1 AND product_no = 100"), 0);
    EXPECT_EQ(database().count("zev_store_product_item_sell", "store_no = 1"), 1);
    const auto missing =
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteProduct", {{Store, 1}, {Product, 100}});
    EXPECT_NE(missing.returnValue, Variant(0));
    EXPECT_EQ(missing.message, "Product 100 does not exist in store 1.");
}


ProcedureRun::Inputs ItemValues(const Variant& seq, const Variant& item, const Variant& package,
                                const Variant& price) {
    return {{Store, 1},
            {Product, 100},
            {Seq, seq},
            {"@product_item_name", "Twilight Ticket"},
            {"@package_no", package},
            {"@item_no", item},
            {"@description", Null},
            {"@price_no", price},
            {"@product_url", Null},
            {"@prompt_rental", int16_t(0)},
            {"@prompt_lesson", int16_t(0)},
            {"@prompt_customer", int16_t(1)},
            {"@prompt_photo", int16_t(0)},
            {"@available_start_date", QDateTime(QDate(2027, 1, 10), QTime(0, 0))},
            {"@available_end_date", Null},
            {"@advance_purchase_days", 0},
            {"@is_active", int16_t(-1)},
            {"@manual_invoice", Null},
            {"@min_age", Null},
            {"@max_age", 0.5},
            {"@prompt_alert", int16_t(1)}};
}

TEST_P(ProductProcedures, ProductItemsGetTheNextSequenceAndRefuseWhatDoesNotFit) {
    auto db = connection();
    const auto inserted =
        ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProductItem", ItemValues(Null, 1005, Null, 110));
    EXPECT_EQ(inserted.returnValue, Variant(0)) << inserted.message.toStdString();
    EXPECT_EQ(inserted.output(Seq), Variant(6));
    const auto saved =
        ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetProductItem", {{Store, 1}, {Product, 100}, {Seq, 6}});
    EXPECT_EQ(saved.at(0, "available_start_date"), Variant(QDateTime(QDate(2027, 1, 10), QTime(0, 0))));
    EXPECT_EQ(saved.at(0, "is_active"), Variant(1));
    EXPECT_EQ(saved.at(0, "max_age"), Variant(0.5));
    EXPECT_EQ(saved.at(0, "prompt_alert"), Variant(1));

    const auto message = [&](const ProcedureRun::Inputs& values) {
        return ProcedureRun::Command(*db, "ZEV_SP_STORE_InsertProductItem", values).message;
    };
    EXPECT_EQ(message(ItemValues(6, 1005, Null, Null)), "Product item 6 already exists for product 100.");
    EXPECT_EQ(message(ItemValues(Null, 1005, 501, Null)),
              "A product item sells either one item or one package.");
    EXPECT_EQ(message(ItemValues(Null, Null, Null, Null)),
              "A product item sells either one item or one package.");
    EXPECT_EQ(message(ItemValues(Null, 1005, Null, 103)), "Price 103 is not a price of item 1005.");
    EXPECT_EQ(message(ItemValues(Null, Null, 501, 131)), "Price 131 is not a price of package 501.");
    EXPECT_EQ(message(ItemValues(Null, 9999, Null, Null)), "Item 9999 does not exist.");
    auto backwards = ItemValues(Null, 1005, Null, Null);
    backwards[14].second = QDateTime(QDate(2027, 1, 1), QTime(0, 0));
    EXPECT_EQ(message(backwards), "The item's availability ends before it starts.");
    EXPECT_EQ(database().count("zev_store_product_item", "store_no = 1 AND product_no = 100"), 6);
}

TEST_P(ProductProcedures, RenumberingAnItemMovesItsLinksAndListEntriesAndDeletingRemovesThem) {
    auto db = connection();
    auto values = ItemValues(7, 1001, Null, 103);
    values.emplace_back("@seq_no_key", 1);
    const auto moved = ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateProductItem", values);
    EXPECT_EQ(moved.returnValue, Variant(0)) << moved.message.toStdString();
    EXPECT_EQ(moved.output(Seq), Variant(7));
    EXPECT_EQ(
        database().count("zev_store_product_item_sell", "store_no = 1 AND product_no = 100 AND seq_no = 7"),
        2);
    EXPECT_EQ(database().count("zev_store_list_item",
                               "store_no = 1 AND product_no = 100 AND product_item_seq_no = 7"),
              1);

    auto missing = ItemValues(8, 1001, Null, Null);
    missing.emplace_back("@seq_no_key", 1);
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateProductItem", missing).message,
              "Product item 1 of product 100 does not exist.");

    EXPECT_EQ(
        ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteProductItem", {{Store, 1}, {Product, 100}, {Seq, 7}})
            .returnValue,
        Variant(0));
    EXPECT_EQ(
        database().count("zev_store_product_item_sell", "store_no = 1 AND product_no = 100 AND seq_no = 7"),
        0);
    EXPECT_EQ(database().count("zev_store_list_item",
                               "store_no = 1 AND product_no = 100 AND product_item_seq_no = 7"),
              0);
}

ProcedureRun Defaults(DBConnection& db, const Variant& item, const Variant& package, const Variant& price,
                      const Variant& description = Null) {
    return ProcedureRun::Command(db, "ZEV_SP_STORE_ProductItemDefaults",
                                 {{Store, 2},
                                  {Product, 100},
                                  {"@item_no", item},
                                  {"@price_no", price},
                                  {"@package_no", package},
                                  {"@description", description}});
}

TEST_P(ProductProcedures, DefaultsPromptForWhatTheItemIs) {
    auto db = connection();
    const auto rental = Defaults(*db, 2002, Null, Null);
    EXPECT_EQ(rental.output("@Description"), Variant("Snowboard and Boots Rental"));
    EXPECT_EQ(rental.output("@product_item_name"), Variant("Board Rental"));
    EXPECT_TRUE(rental.output("@prompt_rental").toBool());
    EXPECT_FALSE(rental.output("@prompt_lesson").toBool());
    EXPECT_TRUE(rental.output("@prompt_customer").toBool());
    EXPECT_TRUE(rental.output("@prompt_alert").toBool());
    // Its only price is chosen, and the price's season gives the dates.
    EXPECT_EQ(rental.output("@price_no"), Variant(115));
    EXPECT_EQ(rental.output("@available_start_date"), Variant(QDateTime(QDate(2027, 1, 5), QTime(0, 0))));
    EXPECT_EQ(rental.output("@available_end_date"), Variant(QDateTime(QDate(2027, 4, 15), QTime(0, 0))));
    EXPECT_EQ(rental.output("@package_no"), Null);
    EXPECT_TRUE(rental.output("@is_active").toBool());

    const auto lesson = Defaults(*db, 4002, Null, Null, "One on one with a pro");
    EXPECT_TRUE(lesson.output("@prompt_lesson").toBool());
    EXPECT_FALSE(lesson.output("@prompt_rental").toBool());
    EXPECT_EQ(lesson.output("@description"), Variant("One on one with a pro"));
    EXPECT_EQ(lesson.output("@advance_purchase_days"), Variant(2));

    const auto photo = Defaults(*db, 1101, Null, Null);
    EXPECT_TRUE(photo.output("@prompt_photo").toBool());
    EXPECT_EQ(photo.output("@available_start_date"), Null);

    // Several prices: none is chosen for the user; a chosen one stays and its season gives the dates.
    EXPECT_EQ(Defaults(*db, 1001, Null, Null).output("@price_no"), Null);
    const auto holiday = Defaults(*db, 1001, Null, 102);
    EXPECT_EQ(holiday.output("@price_no"), Variant(102));
    EXPECT_EQ(holiday.output("@available_start_date"), Variant(QDateTime(QDate(2026, 12, 20), QTime(0, 0))));
    EXPECT_FALSE(holiday.output("@prompt_alert").toBool());

    const auto package = Defaults(*db, Null, 501, Null);
    EXPECT_EQ(package.output("@product_item_name"), Variant("Learn to Ski Package"));
    EXPECT_TRUE(package.output("@prompt_rental").toBool());
    EXPECT_TRUE(package.output("@prompt_lesson").toBool());
    EXPECT_EQ(package.output("@product_url"), Variant("https://summitpeak.example/learn"));
    EXPECT_EQ(package.output("@price_no"), Variant(130));
    EXPECT_EQ(package.output("@advance_purchase_days"), Variant(1));

    EXPECT_EQ(Defaults(*db, 4242, Null, Null).message, "Item 4242 does not exist.");
}

ZEV_INSTANTIATE_BACKENDS(ProductProcedures);

} // namespace
