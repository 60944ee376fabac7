#include "store/records/CListItem.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/records/CStore.h"
#include "store/records/CStoreProductItemSell.h"
#include "support/RecordingErrorObject.h"
#include "support/ScriptedConnection.h"

#include <functional>
#include <gtest/gtest.h>

// What the records decide without a database; what they store is proved by the round trips on the demo
// database.

namespace {

// A connection that knows no procedure: every call raises, and the record must report it under the
// operation that made the call.
TEST(RecordRulesTest, AFailingCallIsReportedUnderTheOperationThatMadeIt) {
    const auto db = std::make_shared<ScriptedConnection>();
    db->hostProcedures = false;
    const auto error = std::make_shared<RecordingErrorObject>();
    CStore store;
    CProduct product;
    CProductItem item;
    CListItem entry;
    CStoreProductItemSell link;
    const std::vector<std::pair<QString, std::function<bool()>>> operations = {
        {"CStore (1.0.0) OpenStore", [&] { return store.OpenStore(db, error, 1); }},
        {"CStore (1.0.0) Update", [&] { return store.Update(db, error); }},
        {"CStore (1.0.0) UpdatePayMethod", [&] { return store.UpdatePayMethod(db, error, "VISA", true); }},
        {"CProduct (1.0.0) OpenProduct", [&] { return product.OpenProduct(db, error, 1, 2); }},
        {"CProduct (1.0.0) Update", [&] { return product.Update(db, error); }},
        {"CProductItem (1.0.0) OpenProductItem", [&] { return item.OpenProductItem(db, error, 1, 2, 3); }},
        {"CProductItem (1.0.0) Update", [&] { return item.Update(db, error); }},
        {"CProductItem (1.0.0) GetDefaults", [&] { return item.GetDefaults(db, error, 1, 2); }},
        {"CListItem (1.0.0) OpenListItem", [&] { return entry.OpenListItem(db, error, 1, "TOP", 3); }},
        {"CListItem (1.0.0) Update", [&] { return entry.Update(db, error); }},
        {"CStoreProductItemSell (1.0.0) OpenStoreProductItemSell",
         [&] { return link.OpenStoreProductItemSell(db, error, 1, 2, 3, 4, 5, 6, 7); }},
        {"CStoreProductItemSell (1.0.0) Update", [&] { return link.Update(db, error); }},
        {"CStoreProductItemSell (1.0.0) Delete", [&] { return link.Delete(db, error); }},
    };
    for (const auto& [operation, run] : operations) {
        error->reports.clear();
        EXPECT_FALSE(run()) << operation.toStdString();
        ASSERT_EQ(error->reports.size(), 1u) << operation.toStdString();
        EXPECT_EQ(error->reports[0].source, "ZevStore." + operation);
        EXPECT_EQ(error->reports[0].number, 2812);
    }
    // Without a connection the store and the defaults quietly fail; the others report.
    error->reports.clear();
    EXPECT_FALSE(store.OpenStore(nullptr, error, 98));
    EXPECT_EQ(store.StoreNo(), 98);
    EXPECT_FALSE(item.GetDefaults(nullptr, error, 8, 9));
    EXPECT_TRUE(error->reports.empty());
    EXPECT_FALSE(entry.Update(nullptr, error));
    ASSERT_EQ(error->reports.size(), 1u);
    EXPECT_EQ(error->reports[0].number, ErrorNumbers::ObjectVariableNotSet);
}

TEST(RecordRulesTest, ProductItemTypeAndIDValueFollowTheCatalogueNumbers) {
    struct Case {
        int32_t itemNo, packageNo, productNo;
        const char* type;
        int32_t id;
    };
    CProductItem item;
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

TEST(RecordRulesTest, SellLinkUnitQuantitiesConvertAtAssignmentAndRefuseText) {
    CStoreProductItemSell link;
    link.setUnitQty("12.5");
    EXPECT_EQ(link.UnitQty(), Variant(int16_t(12)));
    link.setNewUnitQty(3.5);
    EXPECT_EQ(link.NewUnitQty(), Variant(int16_t(4)));
    // Refused with the conversion's own error numbers, and the quantities kept.
    for (const Variant& value : {Variant("two"), Variant(40000), Variant::Null()}) {
        EXPECT_THROW(link.setUnitQty(value), RuntimeError);
        EXPECT_THROW(link.setNewUnitQty(value), RuntimeError);
    }
    EXPECT_EQ(link.UnitQty(), Variant(int16_t(12)));
    EXPECT_EQ(link.NewUnitQty(), Variant(int16_t(4)));
}

} // namespace
