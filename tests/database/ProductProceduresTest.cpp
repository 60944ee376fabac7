#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

const Variant Null = Variant::Null();
const QString Store = QStringLiteral("@store_no");
const QString Product = QStringLiteral("@product_no");
const QString Seq = QStringLiteral("@seq_no");

class ProductProcedures : public DatabaseTest {};

TEST_P(ProductProcedures, AStoresProductsComeGroupByGroupAndOneWithItsGroup) {
    auto db = connection();
    const auto all = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProduct"), {{Store, 1}});
    ASSERT_EQ(all.rows.size(), 7u);
    QList<int> groups;
    for (const auto& row : all.rows) {
        const Variant group = row.at(QStringLiteral("product_group_no"));
        const int number = group.isNull() ? 0 : group.toInt32();
        if (groups.isEmpty() || groups.last() != number) {
            EXPECT_FALSE(groups.contains(number)) << "group " << number << " is split";
            groups << number;
        }
    }
    EXPECT_EQ(groups, QList<int>({0, 10, 20, 30, 40}));

    const auto one =
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProduct"), {{Store, 1}, {Product, 400}});
    ASSERT_EQ(one.rows.size(), 1u);
    EXPECT_EQ(one.at(0, QStringLiteral("group_description")), Variant("Photos"));
    EXPECT_EQ(one.at(0, QStringLiteral("group_manual_invoice")), Variant(1));
    EXPECT_EQ(one.at(0, QStringLiteral("manual_invoice")), Null);
    EXPECT_EQ(one.at(0, QStringLiteral("photo_family")), Variant("HOLIDAY"));
    EXPECT_EQ(one.at(0, QStringLiteral("image_width")), Null);
    const auto ungrouped =
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProduct"), {{Store, 1}, {Product, 900}});
    EXPECT_EQ(ungrouped.at(0, QStringLiteral("group_description")), Null);
    EXPECT_EQ(ungrouped.at(0, QStringLiteral("is_active")), Variant(0));
}

ProcedureRun::Inputs ProductValues(int store, const Variant& number) {
    return {{Store, store},
            {Product, number},
            {QStringLiteral("@product_type"), "TICKET"},
            {QStringLiteral("@product_name"), "Night Skiing"},
            {QStringLiteral("@short_description"), Null},
            {QStringLiteral("@long_description"), Null},
            {QStringLiteral("@product_group_no"), 10},
            {QStringLiteral("@product_url"), Null},
            {QStringLiteral("@image_width"), 0},
            {QStringLiteral("@image_height"), 0},
            {QStringLiteral("@is_active"), true},
            {QStringLiteral("@item_display_type"), ""},
            {QStringLiteral("@photo_family"), Null},
            {QStringLiteral("@num_cols"), 1},
            {QStringLiteral("@manual_invoice"), int16_t(0)}};
}

TEST_P(ProductProcedures, InsertingRefusesAMissingOrTakenNumber) {
    auto db = connection();
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_InsertProduct"), ProductValues(1, 500))
                  .returnValue,
              Variant(0));
    const auto taken =
        ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_InsertProduct"), ProductValues(1, 500));
    EXPECT_EQ(taken.returnValue, Variant(-1));
    EXPECT_EQ(taken.output(QStringLiteral("@Message")), Variant("Product 500 already exists in store 1."));
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_InsertProduct"), ProductValues(1, Null))
                  .output(QStringLiteral("@Message")),
              Variant("You must supply a product number."));
    auto noGroup = ProductValues(1, 501);
    noGroup[6].second = 77;
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_InsertProduct"), noGroup)
                  .output(QStringLiteral("@Message")),
              Variant("Group 77 does not exist in store 1."));
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_InsertProduct"), ProductValues(9, 1))
                  .output(QStringLiteral("@Message")),
              Variant("Store 9 does not exist."));

    const auto saved =
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProduct"), {{Store, 1}, {Product, 500}});
    EXPECT_EQ(saved.at(0, QStringLiteral("item_display_type")), Null);
    EXPECT_EQ(saved.at(0, QStringLiteral("is_active")), Variant(1));
    EXPECT_EQ(saved.at(0, QStringLiteral("short_description")), Null);
}

TEST_P(ProductProcedures, RenumberingAProductTakesItsItemsLinksAndListEntriesAlong) {
    auto db = connection();
    auto values = ProductValues(1, 150);
    values.emplace_back(QStringLiteral("@product_no_key"), 100);
    const auto moved = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProduct"), values);
    EXPECT_EQ(moved.returnValue, Variant(0))
        << moved.output(QStringLiteral("@Message")).toText().toStdString();
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item"),
                               QStringLiteral("store_no = 1 AND product_no = 150")),
              5);
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item"),
                               QStringLiteral("store_no = 1 AND product_no = 100")),
              0);
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item_sell"),
                               QStringLiteral("store_no = 1 AND (product_no = 150 OR new_product_no = 150)")),
              3);
    EXPECT_EQ(database().count(QStringLiteral("zev_store_list_item"),
                               QStringLiteral("store_no = 1 AND product_no = 150")),
              2);

    auto clash = ProductValues(1, 200);
    clash.emplace_back(QStringLiteral("@product_no_key"), 150);
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProduct"), clash)
                  .output(QStringLiteral("@Message")),
              Variant("Product 200 already exists in store 1."));
}

TEST_P(ProductProcedures, DeletingAProductRemovesItsItemsLinksAndListEntries) {
    auto db = connection();
    EXPECT_EQ(
        ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteProduct"), {{Store, 1}, {Product, 100}})
            .returnValue,
        Variant(0));
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item"),
                               QStringLiteral("store_no = 1 AND product_no = 100")),
              0);
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item_sell"),
                               QStringLiteral("store_no = 1 AND (product_no = 100 OR new_product_no = 100)")),
              0);
    EXPECT_EQ(database().count(QStringLiteral("zev_store_list_item"),
                               QStringLiteral("store_no = 1 AND product_no = 100")),
              0);
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item_sell"), QStringLiteral("store_no = 1")),
              1);
    const auto missing = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteProduct"),
                                               {{Store, 1}, {Product, 100}});
    EXPECT_NE(missing.returnValue, Variant(0));
    EXPECT_EQ(missing.message, QStringLiteral("Product 100 does not exist in store 1."));
}

TEST_P(ProductProcedures, ProductItemsAreReadByOneTwoOrThreeKeys) {
    auto db = connection();
    const auto read = [&](const ProcedureRun::Inputs& keys) {
        return ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProductItem"), keys);
    };
    EXPECT_EQ(read({{Store, 1}}).rows.size(), 13u);
    EXPECT_EQ(read({{Store, 1}, {Product, 100}}).rows.size(), 5u);
    const auto one = read({{Store, 1}, {Product, 100}, {Seq, 2}});
    ASSERT_EQ(one.rows.size(), 1u);
    EXPECT_EQ(one.at(0, QStringLiteral("product_item_name")), Variant("Adult Day Ticket - Holiday"));
    EXPECT_EQ(one.at(0, QStringLiteral("product_name")), Variant("Day Tickets"));
    EXPECT_EQ(one.at(0, QStringLiteral("Price")), Variant(119.0));
    EXPECT_EQ(one.at(0, QStringLiteral("price_unit_qty")), Variant(1));
    EXPECT_EQ(one.at(0, QStringLiteral("available_start_date")),
              Variant(QDateTime(QDate(2026, 12, 20), QTime(0, 0))));
    EXPECT_EQ(one.at(0, QStringLiteral("min_age")), Variant(13.0));
    EXPECT_EQ(one.at(0, QStringLiteral("package_no")), Null);

    const auto unpriced = read({{Store, 1}, {Product, 400}, {Seq, 2}});
    EXPECT_EQ(unpriced.at(0, QStringLiteral("Price")), Null);
    EXPECT_EQ(unpriced.at(0, QStringLiteral("available_end_date")), Null);
    EXPECT_EQ(unpriced.at(0, QStringLiteral("group_manual_invoice")), Variant(1));
    EXPECT_EQ(read({{Store, 3}, {Product, 10}, {Seq, 1}}).at(0, QStringLiteral("allow_backorder")),
              Variant(1));
    EXPECT_EQ(read({{Store, 1}, {Product, 310}, {Seq, 1}}).at(0, QStringLiteral("product_manual_invoice")),
              Variant(1));
}

ProcedureRun::Inputs ItemValues(const Variant& seq, const Variant& item, const Variant& package,
                                const Variant& price) {
    return {{Store, 1},
            {Product, 100},
            {Seq, seq},
            {QStringLiteral("@product_item_name"), "Twilight Ticket"},
            {QStringLiteral("@package_no"), package},
            {QStringLiteral("@item_no"), item},
            {QStringLiteral("@description"), Null},
            {QStringLiteral("@price_no"), price},
            {QStringLiteral("@product_url"), Null},
            {QStringLiteral("@prompt_rental"), int16_t(0)},
            {QStringLiteral("@prompt_lesson"), int16_t(0)},
            {QStringLiteral("@prompt_customer"), int16_t(1)},
            {QStringLiteral("@prompt_photo"), int16_t(0)},
            {QStringLiteral("@available_start_date"), QDateTime(QDate(2027, 1, 10), QTime(0, 0))},
            {QStringLiteral("@available_end_date"), Null},
            {QStringLiteral("@advance_purchase_days"), 0},
            {QStringLiteral("@is_active"), int16_t(-1)},
            {QStringLiteral("@manual_invoice"), Null},
            {QStringLiteral("@min_age"), Null},
            {QStringLiteral("@max_age"), 0.5},
            {QStringLiteral("@prompt_alert"), int16_t(1)}};
}

TEST_P(ProductProcedures, ProductItemsGetTheNextSequenceAndRefuseWhatDoesNotFit) {
    auto db = connection();
    const auto inserted = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_InsertProductItem"),
                                                ItemValues(Null, 1005, Null, 110));
    EXPECT_EQ(inserted.returnValue, Variant(0)) << inserted.message.toStdString();
    EXPECT_EQ(inserted.output(Seq), Variant(6));
    const auto saved = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProductItem"),
                                          {{Store, 1}, {Product, 100}, {Seq, 6}});
    EXPECT_EQ(saved.at(0, QStringLiteral("available_start_date")),
              Variant(QDateTime(QDate(2027, 1, 10), QTime(0, 0))));
    EXPECT_EQ(saved.at(0, QStringLiteral("is_active")), Variant(1));
    EXPECT_EQ(saved.at(0, QStringLiteral("max_age")), Variant(0.5));
    EXPECT_EQ(saved.at(0, QStringLiteral("prompt_alert")), Variant(1));

    const auto message = [&](const ProcedureRun::Inputs& values) {
        return ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_InsertProductItem"), values).message;
    };
    EXPECT_EQ(message(ItemValues(6, 1005, Null, Null)),
              QStringLiteral("Product item 6 already exists for product 100."));
    EXPECT_EQ(message(ItemValues(Null, 1005, 501, Null)),
              QStringLiteral("A product item sells either one item or one package."));
    EXPECT_EQ(message(ItemValues(Null, Null, Null, Null)),
              QStringLiteral("A product item sells either one item or one package."));
    EXPECT_EQ(message(ItemValues(Null, 1005, Null, 103)),
              QStringLiteral("Price 103 is not a price of item 1005."));
    EXPECT_EQ(message(ItemValues(Null, Null, 501, 131)),
              QStringLiteral("Price 131 is not a price of package 501."));
    EXPECT_EQ(message(ItemValues(Null, 9999, Null, Null)), QStringLiteral("Item 9999 does not exist."));
    auto backwards = ItemValues(Null, 1005, Null, Null);
    backwards[14].second = QDateTime(QDate(2027, 1, 1), QTime(0, 0));
    EXPECT_EQ(message(backwards), QStringLiteral("The item's availability ends before it starts."));
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item"),
                               QStringLiteral("store_no = 1 AND product_no = 100")),
              6);
}

TEST_P(ProductProcedures, RenumberingAnItemMovesItsLinksAndListEntriesAndDeletingRemovesThem) {
    auto db = connection();
    auto values = ItemValues(7, 1001, Null, 103);
    values.emplace_back(QStringLiteral("@seq_no_key"), 1);
    const auto moved = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProductItem"), values);
    EXPECT_EQ(moved.returnValue, Variant(0)) << moved.message.toStdString();
    EXPECT_EQ(moved.output(Seq), Variant(7));
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item_sell"),
                               QStringLiteral("store_no = 1 AND product_no = 100 AND seq_no = 7")),
              2);
    EXPECT_EQ(
        database().count(QStringLiteral("zev_store_list_item"),
                         QStringLiteral("store_no = 1 AND product_no = 100 AND product_item_seq_no = 7")),
        1);

    auto missing = ItemValues(8, 1001, Null, Null);
    missing.emplace_back(QStringLiteral("@seq_no_key"), 1);
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProductItem"), missing).message,
              QStringLiteral("Product item 1 of product 100 does not exist."));

    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteProductItem"),
                                    {{Store, 1}, {Product, 100}, {Seq, 7}})
                  .returnValue,
              Variant(0));
    EXPECT_EQ(database().count(QStringLiteral("zev_store_product_item_sell"),
                               QStringLiteral("store_no = 1 AND product_no = 100 AND seq_no = 7")),
              0);
    EXPECT_EQ(
        database().count(QStringLiteral("zev_store_list_item"),
                         QStringLiteral("store_no = 1 AND product_no = 100 AND product_item_seq_no = 7")),
        0);
}

ProcedureRun Defaults(DBConnection& db, const Variant& item, const Variant& package, const Variant& price,
                      const Variant& description = Null) {
    return ProcedureRun::Command(db, QStringLiteral("ZEV_SP_STORE_ProductItemDefaults"),
                                 {{Store, 2},
                                  {Product, 100},
                                  {QStringLiteral("@item_no"), item},
                                  {QStringLiteral("@price_no"), price},
                                  {QStringLiteral("@package_no"), package},
                                  {QStringLiteral("@description"), description}});
}

TEST_P(ProductProcedures, DefaultsPromptForWhatTheItemIs) {
    auto db = connection();
    const auto rental = Defaults(*db, 2002, Null, Null);
    EXPECT_EQ(rental.output(QStringLiteral("@Description")), Variant("Snowboard and Boots Rental"));
    EXPECT_EQ(rental.output(QStringLiteral("@product_item_name")), Variant("Board Rental"));
    EXPECT_TRUE(rental.output(QStringLiteral("@prompt_rental")).toBool());
    EXPECT_FALSE(rental.output(QStringLiteral("@prompt_lesson")).toBool());
    EXPECT_TRUE(rental.output(QStringLiteral("@prompt_customer")).toBool());
    EXPECT_TRUE(rental.output(QStringLiteral("@prompt_alert")).toBool());
    // Its only price is chosen, and the price's season gives the dates.
    EXPECT_EQ(rental.output(QStringLiteral("@price_no")), Variant(115));
    EXPECT_EQ(rental.output(QStringLiteral("@available_start_date")),
              Variant(QDateTime(QDate(2027, 1, 5), QTime(0, 0))));
    EXPECT_EQ(rental.output(QStringLiteral("@available_end_date")),
              Variant(QDateTime(QDate(2027, 4, 15), QTime(0, 0))));
    EXPECT_EQ(rental.output(QStringLiteral("@package_no")), Null);
    EXPECT_TRUE(rental.output(QStringLiteral("@is_active")).toBool());

    const auto lesson = Defaults(*db, 4002, Null, Null, "One on one with a pro");
    EXPECT_TRUE(lesson.output(QStringLiteral("@prompt_lesson")).toBool());
    EXPECT_FALSE(lesson.output(QStringLiteral("@prompt_rental")).toBool());
    EXPECT_EQ(lesson.output(QStringLiteral("@description")), Variant("One on one with a pro"));
    EXPECT_EQ(lesson.output(QStringLiteral("@advance_purchase_days")), Variant(2));

    const auto photo = Defaults(*db, 1101, Null, Null);
    EXPECT_TRUE(photo.output(QStringLiteral("@prompt_photo")).toBool());
    EXPECT_EQ(photo.output(QStringLiteral("@available_start_date")), Null);

    // Several prices: none is chosen for the user; a chosen one stays and its season gives the dates.
    EXPECT_EQ(Defaults(*db, 1001, Null, Null).output(QStringLiteral("@price_no")), Null);
    const auto holiday = Defaults(*db, 1001, Null, 102);
    EXPECT_EQ(holiday.output(QStringLiteral("@price_no")), Variant(102));
    EXPECT_EQ(holiday.output(QStringLiteral("@available_start_date")),
              Variant(QDateTime(QDate(2026, 12, 20), QTime(0, 0))));
    EXPECT_FALSE(holiday.output(QStringLiteral("@prompt_alert")).toBool());

    const auto package = Defaults(*db, Null, 501, Null);
    EXPECT_EQ(package.output(QStringLiteral("@product_item_name")), Variant("Learn to Ski Package"));
    EXPECT_TRUE(package.output(QStringLiteral("@prompt_rental")).toBool());
    EXPECT_TRUE(package.output(QStringLiteral("@prompt_lesson")).toBool());
    EXPECT_EQ(package.output(QStringLiteral("@product_url")), Variant("https://summitpeak.example/learn"));
    EXPECT_EQ(package.output(QStringLiteral("@price_no")), Variant(130));
    EXPECT_EQ(package.output(QStringLiteral("@advance_purchase_days")), Variant(1));

    EXPECT_EQ(Defaults(*db, 4242, Null, Null).message, QStringLiteral("Item 4242 does not exist."));
}

ProcedureRun::Inputs LinkKeys(int product, int seq, int price, int newProduct, int newSeq, int newPrice) {
    return {{Store, 1},
            {Product, product},
            {Seq, seq},
            {QStringLiteral("@price_no"), price},
            {QStringLiteral("@new_product_no"), newProduct},
            {QStringLiteral("@new_seq_no"), newSeq},
            {QStringLiteral("@new_price_no"), newPrice}};
}

TEST_P(ProductProcedures, LinksAreReadWrittenUnderTheirOldKeyAndDeleted) {
    auto db = connection();
    const auto ofItem = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProductItemSell"),
                                           {{Store, 1}, {Product, 100}, {Seq, 1}});
    ASSERT_EQ(ofItem.rows.size(), 2u);
    EXPECT_EQ(ofItem.at(0, QStringLiteral("sell_code")), Variant("CROSSSELL"));
    EXPECT_EQ(ofItem.at(0, QStringLiteral("item_price")), Variant(99.0));
    EXPECT_EQ(ofItem.at(0, QStringLiteral("unit_qty")), Variant(1));
    EXPECT_EQ(ofItem.at(0, QStringLiteral("new_product_item_name")), Variant("Child Day Ticket"));
    EXPECT_EQ(ofItem.at(0, QStringLiteral("new_item_price")), Null);
    EXPECT_EQ(ofItem.at(1, QStringLiteral("item_price")), Null);

    // All seven keys, "any price" being 0.
    const auto exact = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProductItemSell"),
                                          LinkKeys(100, 1, 0, 200, 2, 0));
    ASSERT_EQ(exact.rows.size(), 1u);
    EXPECT_EQ(exact.at(0, QStringLiteral("sell_text")),
              Variant("Ski all winter for the price of nine days!"));

    auto link = LinkKeys(100, 3, 106, 110, 1, 110);
    link.emplace_back(QStringLiteral("@sell_code"), "UPSELL");
    link.emplace_back(QStringLiteral("@sell_text"), "Short on time?");
    EXPECT_EQ(
        ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProductItemSell"), link).returnValue,
        Variant(0));
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProductItemSell"), link).message,
              QStringLiteral("Product item 100-3 is already linked to product item 110-1 at these prices."));

    // Moving a link under its remembered key is proven through the link record.
    auto self = LinkKeys(100, 3, 0, 100, 3, 0);
    self.emplace_back(QStringLiteral("@sell_code"), "UPSELL");
    EXPECT_EQ(ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProductItemSell"), self).message,
              QStringLiteral("A product item can not be offered with itself."));
    auto badPrice = LinkKeys(100, 3, 113, 110, 1, 0);
    badPrice.emplace_back(QStringLiteral("@sell_code"), "UPSELL");
    EXPECT_EQ(
        ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_UpdateProductItemSell"), badPrice).message,
        QStringLiteral("A linked price must be a price of its product item."));

    const auto deleted = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteProductItemSell"),
                                               LinkKeys(100, 3, 106, 110, 1, 110));
    EXPECT_EQ(deleted.returnValue, Variant(0));
    const auto gone = ProcedureRun::Command(*db, QStringLiteral("ZEV_SP_STORE_DeleteProductItemSell"),
                                            LinkKeys(100, 3, 106, 110, 1, 110));
    EXPECT_NE(gone.returnValue, Variant(0));
    EXPECT_EQ(gone.message, QStringLiteral("The link no longer exists."));
}

ZEV_INSTANTIATE_BACKENDS(ProductProcedures);

} // namespace
