#include "store/records/CStoreProductItemSell.h"

#include "RecordTest.h"

namespace {

const QString GetSell = "ZEV_SP_STORE_GetProductItemSell";
const QString UpdateSell = "ZEV_SP_STORE_UpdateProductItemSell";
const QString DeleteSell = "ZEV_SP_STORE_DeleteProductItemSell";

const QStringList KeyNames = {"@store_no",       "@product_no", "@seq_no",      "@price_no",
                              "@new_product_no", "@new_seq_no", "@new_price_no"};
const QStringList RememberedNames = {"@product_no_key",     "@seq_no_key",     "@price_no_key",
                                     "@new_product_no_key", "@new_seq_no_key", "@new_price_no_key"};

// The key parameters in order, with their values.
Sent Keys(const QStringList& names, const std::vector<int32_t>& values) {
    Sent sent;
    for (qsizetype i = 0; i < names.size(); ++i)
        sent.emplace_back(names[i], values[size_t(i)]);
    return sent;
}

Sent operator+(Sent left, const Sent& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

class CStoreProductItemSellTest : public RecordTest {
protected:
    CStoreProductItemSellTest() {
        db->declare(GetSell, KeyNames);
        db->declare(UpdateSell, KeyNames + QStringList{"@sell_code", "@sell_text"} + RememberedNames +
                                    QStringList{"@message"});
        db->declare(DeleteSell, KeyNames + QStringList{"@message"});
    }

    bool open() { return link.OpenStoreProductItemSell(db, error, 1, 2, 3, 4, 5, 6, 7); }

    CStoreProductItemSell link;
};

TEST_F(CStoreProductItemSellTest, OpenSendsTheSevenKeysAndReadsBothSidesOfTheLink) {
    db->script(GetSell).row({{"sell_code", "UPSELL"},
                             {"sell_text", "Add a lesson"},
                             {"product_item_name", "Pass"},
                             {"item_price", 59.5},
                             {"unit_qty", int16_t(2)},
                             {"new_product_item_name", "Lesson"},
                             {"new_item_price", 30.0},
                             {"new_unit_qty", int16_t(3)}});
    ASSERT_TRUE(open());
    ExpectSent(db->lastCall(), Keys(KeyNames, {1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(link.SellCode(), "UPSELL");
    EXPECT_EQ(link.SellText(), "Add a lesson");
    EXPECT_EQ(link.ProductItemName(), "Pass");
    EXPECT_EQ(link.Price(), 59.5);
    EXPECT_EQ(link.UnitQty(), Variant(int16_t(2)));
    EXPECT_EQ(link.NewProductItemName(), "Lesson");
    EXPECT_EQ(link.NewPrice(), 30.0);
    EXPECT_EQ(link.NewUnitQty(), Variant(int16_t(3)));
}

TEST_F(CStoreProductItemSellTest, ANewLinkIsSavedWithoutTheRememberedKeyAndTheNextSaveSendsIt) {
    link.setStoreNo(1);
    link.setProductNo(2);
    link.setSeqNo(3);
    link.setNewProductNo(5);
    link.setNewSeqNo(6);
    link.setSellCode("CROSSSELL");
    link.setSellText("");
    ASSERT_TRUE(link.Update(db, error));
    ExpectSent(db->lastCall(),
               Keys(KeyNames, {1, 2, 3, 0, 5, 6, 0}) + Sent{{"@sell_code", "CROSSSELL"}, {"@sell_text", ""}});

    link.setSellText("Try this");
    ASSERT_TRUE(link.Update(db, error));
    ExpectSent(db->lastCall(), Keys(KeyNames, {1, 2, 3, 0, 5, 6, 0}) +
                                   Sent{{"@sell_code", "CROSSSELL"}, {"@sell_text", "Try this"}} +
                                   Keys(RememberedNames, {2, 3, 0, 5, 6, 0}));
}

TEST_F(CStoreProductItemSellTest, AChangedKeyTravelsBesideTheKeyItWasOpenedWithUntilASaveSucceeds) {
    ScriptedMessages messages;
    messages.expect().expect();
    ASSERT_FALSE(open()); // no row: the key is remembered all the same
    link.setNewPriceNo(70);
    link.setSellCode("UPSELL");
    const Sent expected = Keys(KeyNames, {1, 2, 3, 4, 5, 6, 70}) +
                          Sent{{"@sell_code", "UPSELL"}, {"@sell_text", ""}} +
                          Keys(RememberedNames, {2, 3, 4, 5, 6, 7});

    db->script(UpdateSell).returns(-1).output("@message", "That link already exists.");
    EXPECT_FALSE(link.Update(db, error));
    db->script(UpdateSell).returns(Variant::Null());
    EXPECT_FALSE(link.Update(db, error));
    db->script(UpdateSell).notSucceeded();
    EXPECT_FALSE(link.Update(db, error));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].prompt, "That link already exists.");
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(messages.shown()[0].title, "Update Product Item Sell Error");

    db->script(UpdateSell).returns(2);
    ASSERT_TRUE(link.Update(db, error));
    ExpectSent(db->lastCall(), expected);
    ASSERT_TRUE(link.Update(db, error));
    EXPECT_EQ(db->lastCall().value("@new_price_no_key"), Variant(70));
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CStoreProductItemSellTest, DeleteAddressesTheCurrentKeyAndAcceptsOnlyZero) {
    ScriptedMessages messages;
    messages.expect().expect();
    ASSERT_FALSE(open());
    link.setSeqNo(9);
    ASSERT_TRUE(link.Delete(db, error));
    ExpectSent(db->lastCall(), Keys(KeyNames, {1, 2, 9, 4, 5, 6, 7}));

    db->script(DeleteSell).returns(1).output("@message", "The link is in use.");
    EXPECT_FALSE(link.Delete(db, error));
    db->script(DeleteSell).returns(Variant::Null());
    EXPECT_FALSE(link.Delete(db, error));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].prompt, "The link is in use.");
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(messages.shown()[0].title, "Delete Product Item Sell Error");
}

TEST_F(CStoreProductItemSellTest, UnitQuantitiesConvertAtAssignmentAndRefuseText) {
    link.setUnitQty("12.5");
    EXPECT_EQ(link.UnitQty(), Variant(int16_t(12)));
    link.setNewUnitQty(3.5);
    EXPECT_EQ(link.NewUnitQty(), Variant(int16_t(4)));

    const std::vector<std::pair<Variant, int32_t>> refused = {
        {"two", ErrorNumbers::TypeMismatch},
        {40000, ErrorNumbers::Overflow},
        {Variant::Null(), ErrorNumbers::InvalidUseOfNull}};
    for (const auto& [value, number] : refused) {
        try {
            link.setUnitQty(value);
            ADD_FAILURE() << value.describe().toStdString() << " was accepted";
        } catch (const RuntimeError& failure) {
            EXPECT_EQ(failure.number, number);
        }
        EXPECT_THROW(link.setNewUnitQty(value), RuntimeError);
    }
    EXPECT_EQ(link.UnitQty(), Variant(int16_t(12)));
    EXPECT_EQ(link.NewUnitQty(), Variant(int16_t(4)));
}

TEST_F(CStoreProductItemSellTest, RaisedFailuresAreReportedUnderTheOperation) {
    const std::vector<std::pair<QString, std::function<bool()>>> operations = {
        {"OpenStoreProductItemSell", [&] { return open(); }},
        {"Update", [&] { return link.Update(db, error); }},
        {"Delete", [&] { return link.Delete(db, error); }},
    };
    for (const QString& procedure : {GetSell, UpdateSell, DeleteSell})
        db->script(procedure).raises(-1, "Lost");
    for (const auto& [operation, run] : operations) {
        error->reports.clear();
        EXPECT_FALSE(run());
        ExpectReported("ZevStore.CStoreProductItemSell (1.0.0) " + operation);
    }
}

} // namespace
