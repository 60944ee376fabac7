#include "store/records/CProductItem.h"

#include "RecordTest.h"

namespace {

const QString GetItem = "ZEV_SP_STORE_GetProductItem";
const QString InsertItem = "ZEV_SP_STORE_InsertProductItem";
const QString UpdateItem = "ZEV_SP_STORE_UpdateProductItem";
const QString Defaults = "ZEV_SP_STORE_ProductItemDefaults";

const QDateTime May1(QDate(2026, 5, 1), QTime(0, 0));
const QDateTime Sep30(QDate(2026, 9, 30), QTime(0, 0));

class CProductItemTest : public RecordTest {
protected:
    CProductItemTest() {
        db->declare(GetItem, {"@store_no", "@product_no", "@seq_no"});
        const QStringList tail = {"@product_item_name",
                                  "@package_no",
                                  "@item_no",
                                  "@description",
                                  "@price_no",
                                  "@product_url",
                                  "@prompt_rental",
                                  "@prompt_lesson",
                                  "@prompt_customer",
                                  "@prompt_photo",
                                  "@available_start_date",
                                  "@available_end_date",
                                  "@advance_purchase_days",
                                  "@is_active",
                                  "@manual_invoice",
                                  "@min_age",
                                  "@max_age",
                                  "@prompt_alert",
                                  "@message"};
        db->declare(InsertItem, QStringList{"@store_no", "@product_no", "@seq_no"} + tail);
        db->declare(UpdateItem, QStringList{"@store_no", "@product_no", "@seq_no", "@seq_no_key"} + tail);
        db->declare(Defaults,
                    {"@store_no", "@product_no", "@item_no", "@price_no", "@package_no", "@description",
                     "@product_item_name", "@product_url", "@prompt_rental", "@prompt_lesson",
                     "@prompt_customer", "@prompt_photo", "@prompt_alert", "@available_start_date",
                     "@available_end_date", "@advance_purchase_days", "@is_active"});
    }

    CProductItem item;
};

// What an opened item reads is what its save sends back, under the number it was opened with.
TEST_F(CProductItemTest, AnOpenedItemSavesWhatItReadUnderItsOpenedSequenceNumber) {
    db->script(GetItem).row({{"Description", "desc"},
                             {"allow_backorder", true},
                             {"product_item_name", "name"},
                             {"package_no", 11},
                             {"item_no", 12},
                             {"price_no", 13},
                             {"Price", 9.5},
                             {"price_unit_qty", int16_t(2)},
                             {"product_url", "url"},
                             {"prompt_rental", true},
                             {"prompt_lesson", false},
                             {"prompt_customer", true},
                             {"prompt_photo", false},
                             {"available_start_date", May1},
                             {"available_end_date", Variant::Null()},
                             {"advance_purchase_days", 14},
                             {"is_active", false},
                             {"manual_invoice", int16_t(1)},
                             {"product_manual_invoice", false},
                             {"group_manual_invoice", false},
                             {"min_age", 3.5},
                             {"max_age", 65.0},
                             {"prompt_alert", true}});
    ASSERT_TRUE(item.OpenProductItem(db, error, 1, 2, 3));
    ExpectSent(db->lastCall(), {{"@store_no", 1}, {"@product_no", 2}, {"@seq_no", 3}});
    EXPECT_TRUE(item.AllowBackorder());
    EXPECT_EQ(item.Price(), 9.5);
    EXPECT_EQ(item.PriceUnitQty(), 2);

    item.setSeqNo(6);
    db->script(UpdateItem).output("@seq_no", 6);
    ASSERT_TRUE(item.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, UpdateItem);
    ExpectSent(db->lastCall(), {{"@store_no", 1},
                                {"@product_no", 2},
                                {"@seq_no", 6},
                                {"@seq_no_key", 3},
                                {"@product_item_name", "name"},
                                {"@package_no", 11},
                                {"@item_no", 12},
                                {"@description", "desc"},
                                {"@price_no", 13},
                                {"@product_url", "url"},
                                {"@prompt_rental", int16_t(1)},
                                {"@prompt_lesson", int16_t(0)},
                                {"@prompt_customer", int16_t(1)},
                                {"@prompt_photo", int16_t(0)},
                                {"@available_start_date", May1},
                                {"@available_end_date", Variant::Null()},
                                {"@advance_purchase_days", 14},
                                {"@is_active", int16_t(0)},
                                {"@manual_invoice", int16_t(1)},
                                {"@min_age", 3.5},
                                {"@max_age", 65.0},
                                {"@prompt_alert", int16_t(1)}});
    EXPECT_EQ(item.OriginalSeqNo(), 6);
    item.IsActive = true;
    ASSERT_TRUE(item.Update(db, error));
    EXPECT_EQ(db->lastCall().value("@is_active"), Variant(int16_t(-1)));
}

TEST_F(CProductItemTest, ProductTypeAndIDValueFollowTheCatalogueNumbers) {
    struct Case {
        int32_t itemNo, packageNo, productNo;
        const char* type;
        int32_t id;
    };
    for (const Case& c : {Case{5, 0, 1, "ITEM", 5}, Case{0, 7, 1, "PKG", 7}, Case{0, 7, 0, "PKG", 0},
                          Case{5, 7, 1, "PKG", 5}, Case{0, 0, 1, "ITEM", 0}}) {
        item.setItemNo(c.itemNo);
        item.setPackageNo(c.packageNo);
        item.setProductNo(c.productNo);
        item.setProductType("assigned");
        EXPECT_EQ(item.ProductType(), c.type) << c.itemNo << "/" << c.packageNo << "/" << c.productNo;
        EXPECT_EQ(item.IDValue(), c.id) << c.itemNo << "/" << c.packageNo << "/" << c.productNo;
    }
}

TEST_F(CProductItemTest, ANewItemInsertsWithNullsForEveryEmptyValue) {
    const Variant null = Variant::Null();
    item.setStoreNo(1);
    item.setProductNo(2);
    db->script(InsertItem).output("@seq_no", 4);
    ASSERT_TRUE(item.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, InsertItem);
    ExpectSent(db->lastCall(), {{"@store_no", 1},
                                {"@product_no", 2},
                                {"@seq_no", null},
                                {"@product_item_name", null},
                                {"@package_no", null},
                                {"@item_no", null},
                                {"@description", null},
                                {"@price_no", null},
                                {"@product_url", null},
                                {"@prompt_rental", int16_t(0)},
                                {"@prompt_lesson", int16_t(0)},
                                {"@prompt_customer", int16_t(0)},
                                {"@prompt_photo", int16_t(0)},
                                {"@available_start_date", Variant()},
                                {"@available_end_date", Variant()},
                                {"@advance_purchase_days", 0},
                                {"@is_active", int16_t(-1)},
                                {"@manual_invoice", int16_t(0)},
                                {"@min_age", null},
                                {"@max_age", null},
                                {"@prompt_alert", int16_t(0)}});
    EXPECT_EQ(item.SeqNo(), 4);
    EXPECT_EQ(item.OriginalSeqNo(), 4);
}

TEST_F(CProductItemTest, ManualInvoiceIsNullWhenTheProductOrItsGroupIsInvoicedByHand) {
    item.ManualInvoice = 1;
    for (const auto& [product, group] : {std::pair{true, false}, std::pair{false, true}}) {
        item.ProductManualInvoice = product;
        item.GroupManualInvoice = group;
        ASSERT_TRUE(item.Update(db, error));
        EXPECT_EQ(db->lastCall().value("@manual_invoice"), Variant::Null());
    }
}

TEST_F(CProductItemTest, ARefusedSaveShowsTheMessageAndKeepsTheKeys) {
    ScriptedMessages messages;
    messages.expect().expect();
    item.setSeqNo(5);
    db->script(InsertItem).returns(-1).output("@message", "Sequence 5 is taken.").output("@seq_no", 5);
    EXPECT_FALSE(item.Update(db, error));
    EXPECT_EQ(item.OriginalSeqNo(), 0) << "a failed insert must insert again";
    db->script(InsertItem).returns(Variant::Null()).output("@seq_no", 5);
    EXPECT_FALSE(item.Update(db, error));
    EXPECT_EQ(item.OriginalSeqNo(), 0);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].prompt, "Sequence 5 is taken.");
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(messages.shown()[0].title, "Update Product Item Error");

    db->script(InsertItem).notSucceeded().output("@seq_no", 5);
    EXPECT_FALSE(item.Update(db, error));
    EXPECT_EQ(item.OriginalSeqNo(), 0);

    db->script(InsertItem).returns(3).output("@seq_no", Variant::Null());
    EXPECT_TRUE(item.Update(db, error));
    EXPECT_EQ(item.SeqNo(), 0);
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CProductItemTest, DefaultsAreAskedForTheChosenItemAndFillTheRecordWithoutAStatusCheck) {
    item.setItemNo(12);
    item.setDescription("typed");
    db->script(Defaults)
        .returns(-1)
        .output("@Description", "Day pass")
        .output("@product_item_name", "Pass")
        .output("@package_no", Variant::Null())
        .output("@item_no", 12)
        .output("@price_no", 40)
        .output("@product_url", "url")
        .output("@prompt_rental", true)
        .output("@prompt_lesson", false)
        .output("@prompt_customer", true)
        .output("@prompt_photo", false)
        .output("@prompt_alert", true)
        .output("@available_start_date", May1)
        .output("@available_end_date", Variant::Null())
        .output("@advance_purchase_days", 2)
        .output("@is_active", false);
    ASSERT_TRUE(item.GetDefaults(db, error, 1, 2));
    ExpectSent(db->lastCall(), {{"@store_no", 1},
                                {"@product_no", 2},
                                {"@item_no", 12},
                                {"@price_no", Variant::Null()},
                                {"@package_no", Variant::Null()},
                                {"@description", "typed"}});
    EXPECT_EQ(item.StoreNo(), 1);
    EXPECT_EQ(item.ProductNo(), 2);
    EXPECT_EQ(item.Description(), "Day pass");
    EXPECT_EQ(item.ProductItemName(), "Pass");
    EXPECT_EQ(item.PackageNo(), 0);
    EXPECT_EQ(item.ItemNo(), 12);
    EXPECT_EQ(item.PriceNo(), 40);
    EXPECT_EQ(item.ProductURL(), "url");
    EXPECT_TRUE(item.PromptRental());
    EXPECT_FALSE(item.PromptLesson());
    EXPECT_TRUE(item.PromptCustomer());
    EXPECT_FALSE(item.PromptPhoto());
    EXPECT_TRUE(item.PromptAlert);
    EXPECT_EQ(item.AvailableStartDate(), Variant(May1));
    EXPECT_EQ(item.AvailableEndDate(), Variant::Null());
    EXPECT_EQ(item.AdvancePurchaseDays(), 2);
    EXPECT_FALSE(item.IsActive);

    db->script(Defaults).notSucceeded();
    EXPECT_FALSE(item.GetDefaults(db, error, 1, 2));
    EXPECT_FALSE(item.GetDefaults(nullptr, error, 8, 9));
    EXPECT_EQ(item.StoreNo(), 8);
    EXPECT_EQ(item.ProductNo(), 9);
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CProductItemTest, RaisedFailuresAreReportedUnderTheOperation) {
    const std::vector<std::pair<QString, std::function<bool()>>> operations = {
        {"OpenProductItem", [&] { return item.OpenProductItem(db, error, 1, 2, 3); }},
        {"Update", [&] { return item.Update(db, error); }},
        {"GetDefaults", [&] { return item.GetDefaults(db, error, 1, 2); }},
    };
    for (const QString& procedure : {GetItem, UpdateItem, Defaults}) // opening sets the key: the save updates
        db->script(procedure).raises(-2147217873, "Violation");
    for (const auto& [operation, run] : operations) {
        error->reports.clear();
        EXPECT_FALSE(run());
        ExpectReported("ZevStore.CProductItem (1.0.0) " + operation);
    }
}

} // namespace
