#include "store/records/CProduct.h"

#include "RecordTest.h"

namespace {

const QString GetProduct = "ZEV_SP_STORE_GetProduct";
const QString InsertProduct = "ZEV_SP_STORE_InsertProduct";
const QString UpdateProduct = "ZEV_SP_STORE_UpdateProduct";

class CProductTest : public RecordTest {
protected:
    CProductTest() {
        db->declare(GetProduct, {"@store_no", "@product_no"});
        const QStringList tail = {
            "@product_type", "@product_name", "@short_description", "@long_description", "@product_group_no",
            "@product_url",  "@image_width",  "@image_height",      "@is_active",        "@item_display_type",
            "@photo_family", "@num_cols",     "@manual_invoice",    "@Message"};
        db->declare(InsertProduct, QStringList{"@store_no", "@product_no"} + tail);
        db->declare(UpdateProduct, QStringList{"@store_no", "@product_no", "@product_no_key"} + tail);
    }

    CProduct product;
};

// What an opened product reads is what its save sends back, under the number it was opened with.
TEST_F(CProductTest, AnOpenedProductSavesWhatItReadUnderTheNumberItWasOpenedWith) {
    db->script(GetProduct)
        .row({{"product_type", "T"},
              {"short_description", "short"},
              {"long_description", "long"},
              {"product_name", "name"},
              {"product_url", "url"},
              {"product_group_no", 6},
              {"group_description", "group"},
              {"is_active", false},
              {"photo_family", "Holiday"},
              {"item_display_type", "GRID"},
              {"image_width", 120},
              {"image_height", 80},
              {"num_cols", 3},
              {"manual_invoice", int16_t(1)},
              {"group_manual_invoice", false}});
    ASSERT_TRUE(product.OpenProduct(db, error, 3, 15));
    ExpectSent(db->lastCall(), {{"@store_no", 3}, {"@product_no", 15}});
    EXPECT_EQ(product.ProductGroupDescription(), "group");

    product.setProductNo(16);
    ASSERT_TRUE(product.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, UpdateProduct);
    ExpectSent(db->lastCall(), {{"@store_no", 3},
                                {"@product_no", 16},
                                {"@product_no_key", 15},
                                {"@product_type", "T"},
                                {"@product_name", "name"},
                                {"@short_description", "short"},
                                {"@long_description", "long"},
                                {"@product_group_no", 6},
                                {"@product_url", "url"},
                                {"@image_width", 120},
                                {"@image_height", 80},
                                {"@is_active", false},
                                {"@item_display_type", "GRID"},
                                {"@photo_family", "HOLIDAY"},
                                {"@num_cols", 3},
                                {"@manual_invoice", int16_t(1)}});
    EXPECT_EQ(product.OriginalProductNo(), 15);
}

TEST_F(CProductTest, NullColumnsReadAsZeroExceptTheColumnCountWhichReadsAsOne) {
    const Row nulls =
        NullRow({"product_type", "short_description", "long_description", "product_name", "product_url",
                 "product_group_no", "group_description", "is_active", "photo_family", "item_display_type",
                 "image_width", "image_height", "num_cols", "manual_invoice", "group_manual_invoice"});
    db->script(GetProduct).row(nulls);
    ASSERT_TRUE(product.OpenProduct(db, error, 1, 1));
    EXPECT_EQ(product.NumCols, 1);
    EXPECT_EQ(product.ImageWidth, 0);
    EXPECT_FALSE(product.IsActive);
    EXPECT_EQ(product.PhotoFamily, "");
}

TEST_F(CProductTest, ANewProductInsertsWithoutKeyAsActiveAndWithoutPhotoFamily) {
    const Variant null = Variant::Null();
    product.setStoreNo(3);
    ASSERT_TRUE(product.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, InsertProduct);
    ExpectSent(db->lastCall(), {{"@store_no", 3},
                                {"@product_no", null},
                                {"@product_type", null},
                                {"@product_name", null},
                                {"@short_description", null},
                                {"@long_description", null},
                                {"@product_group_no", null},
                                {"@product_url", null},
                                {"@image_width", 0},
                                {"@image_height", 0},
                                {"@is_active", true},
                                {"@item_display_type", ""},
                                {"@photo_family", null},
                                {"@num_cols", 0},
                                {"@manual_invoice", int16_t(0)}});
    // Nothing is read back, so the next save inserts again.
    ASSERT_TRUE(product.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, InsertProduct);
    EXPECT_EQ(product.OriginalProductNo(), 0);
}

TEST_F(CProductTest, PhotoFamilyAndGroupInvoicingDecideWhatIsWritten) {
    const std::vector<std::pair<QString, Variant>> families = {
        {"<None>", Variant::Null()}, {"", Variant::Null()}, {"<none>", "<NONE>"}, {"Holiday", "HOLIDAY"}};
    for (const auto& [family, sent] : families) {
        product.PhotoFamily = family;
        ASSERT_TRUE(product.Update(db, error));
        EXPECT_EQ(db->lastCall().value("@photo_family"), sent) << family.toStdString();
    }
    product.ManualInvoice = 1;
    product.GroupManualInvoice = true;
    ASSERT_TRUE(product.Update(db, error));
    EXPECT_EQ(db->lastCall().value("@manual_invoice"), Variant::Null());
}

TEST_F(CProductTest, AReturnValueOfZeroOrMoreSucceedsAnythingElseShowsTheMessage) {
    ScriptedMessages messages;
    messages.expect().expect();
    const std::vector<std::pair<Variant, bool>> returns = {
        {0, true}, {7, true}, {-1, false}, {Variant::Null(), false}};
    for (const auto& [value, succeeds] : returns) {
        db->script(InsertProduct).returns(value).output("@Message", "Product 12 already exists in store 3.");
        EXPECT_EQ(product.Update(db, error), succeeds) << value.describe().toStdString();
    }
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].prompt, "Product 12 already exists in store 3.");
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(messages.shown()[0].title, "Product Update Error");

    db->script(InsertProduct).notSucceeded().returns(-1);
    EXPECT_FALSE(product.Update(db, error));
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CProductTest, RaisedFailuresAreReportedUnderTheOperation) {
    db->script(GetProduct).raises(3265, "Item cannot be found.");
    EXPECT_FALSE(product.OpenProduct(db, error, 1, 2));
    ExpectReported("ZevStore.CProduct (1.0.0) OpenProduct");
    error->reports.clear();
    db->script(UpdateProduct).raises(-1, "Lost");
    EXPECT_FALSE(product.Update(db, error));
    ExpectReported("ZevStore.CProduct (1.0.0) Update");
}

} // namespace
