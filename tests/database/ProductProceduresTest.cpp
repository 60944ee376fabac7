#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

class ProductProcedures : public DatabaseTest {
protected:
    int count(const char* table, const QString& where) {
        return database().count(QString::fromLatin1(table), "store_no = 1 AND " + where);
    }
};

// Refusals are in ProcedureRefusalsTest.
TEST_P(ProductProcedures, RenumberingOrDeletingAProductTakesItsItemsLinksAndListEntriesAlong) {
    auto db = connection();
    const auto inserted = ProcedureRun::Command(
        *db, "InsertProduct: store_no=1; product_no=500; product_type=TICKET; product_name=Night Skiing; "
             "product_group_no=10; is_active=-1; item_display_type=; num_cols=1; manual_invoice=0");
    EXPECT_EQ(inserted.returnValue, Variant(0)) << inserted.message.toStdString();
    EXPECT_EQ(ProcedureRun::Rows(*db, "GetProduct: store_no=1; product_no=500")
                  .cells(0, "item_display_type, is_active, short_description, product_group_no"),
              "NULL|1|NULL|10");

    const auto moved =
        ProcedureRun::Command(*db, "UpdateProduct: store_no=1; product_no=150; product_no_key=100; "
                                   "product_name=Day; product_group_no=10");
    EXPECT_EQ(moved.returnValue, Variant(0)) << moved.message.toStdString();
    EXPECT_EQ(count("zev_store_product_item", "product_no = 150"), 5);
    EXPECT_EQ(count("zev_store_product_item", "product_no = 100"), 0);
    EXPECT_EQ(count("zev_store_product_item_sell", "(product_no = 150 OR new_product_no = 150)"), 3);
    EXPECT_EQ(count("zev_store_list_item", "product_no = 150"), 2);

    EXPECT_EQ(ProcedureRun::Command(*db, "DeleteProduct: store_no=1; product_no=150").returnValue,
              Variant(0));
    EXPECT_EQ(count("zev_store_product_item", "product_no = 150"), 0);
    EXPECT_EQ(count("zev_store_product_item_sell", "(product_no = 150 OR new_product_no = 150)"), 0);
    EXPECT_EQ(count("zev_store_list_item", "product_no = 150"), 0);
    EXPECT_EQ(count("zev_store_product_item_sell", "1 = 1"), 1);
}

TEST_P(ProductProcedures, ItemsGetTheNextSequenceAndTakeTheirLinksAndListEntriesAlong) {
    auto db = connection();
    const auto inserted = ProcedureRun::Command(
        *db,
        "InsertProductItem: store_no=1; product_no=100; product_item_name=Twilight Ticket; item_no=1005; "
        "price_no=110; prompt_customer=1; available_start_date=2027-01-10; is_active=-1; max_age=0.5; "
        "prompt_alert=1");
    EXPECT_EQ(inserted.returnValue, Variant(0)) << inserted.message.toStdString();
    EXPECT_EQ(inserted.output("@seq_no"), Variant(6));
    EXPECT_EQ(ProcedureRun::Rows(*db, "GetProductItem: store_no=1; product_no=100; seq_no=6")
                  .cells(0, "available_start_date, available_end_date, is_active, max_age, prompt_alert"),
              "1/10/2027|NULL|1|0.5|1");

    const auto moved = ProcedureRun::Command(
        *db,
        "UpdateProductItem: store_no=1; product_no=100; seq_no=7; seq_no_key=1; item_no=1001; price_no=103");
    EXPECT_EQ(moved.returnValue, Variant(0)) << moved.message.toStdString();
    EXPECT_EQ(moved.output("@seq_no"), Variant(7));
    EXPECT_EQ(count("zev_store_product_item_sell", "product_no = 100 AND seq_no = 7"), 2);
    EXPECT_EQ(count("zev_store_list_item", "product_no = 100 AND product_item_seq_no = 7"), 1);

    EXPECT_EQ(
        ProcedureRun::Command(*db, "DeleteProductItem: store_no=1; product_no=100; seq_no=7").returnValue,
        Variant(0));
    EXPECT_EQ(count("zev_store_product_item_sell", "product_no = 100 AND seq_no = 7"), 0);
    EXPECT_EQ(count("zev_store_list_item", "product_no = 100 AND product_item_seq_no = 7"), 0);
}

// What a new product item starts from: the prompts its item or package needs, its only price, and the
// dates of the chosen price's season.
TEST_P(ProductProcedures, DefaultsPromptForWhatTheItemIs) {
    auto db = connection();
    const QString outputs = "product_item_name, description, prompt_rental, prompt_lesson, prompt_customer, "
                            "prompt_photo, prompt_alert, price_no, available_start_date, available_end_date, "
                            "package_no, advance_purchase_days, is_active, product_url";
    const struct {
        const char* inputs;
        const char* outputs;
    } cases[] = {
        {"item_no=2002",
         "Board Rental|Snowboard and Boots Rental|1|0|1|0|1|115|1/5/2027|4/15/2027|NULL|0|True|"
         "https://summitpeak.example/items/2002"},
        {"item_no=4002; description=One on one with a pro",
         "Private Lesson|One on one with a pro|0|1|1|0|1|122|1/5/2027|4/15/2027|NULL|2|True|"
         "https://summitpeak.example/items/4002"},
        {"item_no=1101", "Photo Package|On-Mountain Photo Package|0|0|1|1|0|111|NULL|NULL|NULL|0|True|"
                         "https://summitpeak.example/items/1101"},
        // Several prices: none is chosen for the user; a chosen one stays and gives the dates.
        {"item_no=1001", "Adult Day|Adult Day Lift Ticket|0|0|1|0|0|NULL|NULL|NULL|NULL|0|True|"
                         "https://summitpeak.example/items/1001"},
        {"item_no=1001; price_no=102",
         "Adult Day|Adult Day Lift Ticket|0|0|1|0|0|102|12/20/2026|1/4/2027|NULL|0|"
         "True|https://summitpeak.example/items/1001"},
        {"package_no=501",
         "Learn to Ski Package|Learn to Ski Package|1|1|1|0|1|130|1/5/2027|4/15/2027|501|1|True|"
         "https://summitpeak.example/learn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inputs);
        const auto run = ProcedureRun::Command(
            *db, QStringLiteral("ProductItemDefaults: store_no=2; product_no=100; ") + c.inputs);
        EXPECT_EQ(run.outputsOf(outputs), c.outputs);
    }
}

ZEV_INSTANTIATE_BACKENDS(ProductProcedures);

} // namespace
