#include "dbsupport/TestDatabase.h"
#include "store/records/CListItem.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/records/CStore.h"
#include "store/records/CStoreProductItemSell.h"
#include "support/RecordingErrorObject.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace {

// The catalogue a store sells from: two items with a price each.
constexpr int32_t TicketItem = 501, LessonItem = 502, TicketPrice = 601, LessonPrice = 602;

// Each record saved, read back, moved to a new key, and a save onto a taken key refused with its caption
// and nothing changed.
class RecordRoundTripTest : public DatabaseTest {
protected:
    bool seeded() const override { return false; }

    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        oDB = connection();
        const QString item = "INSERT INTO zev_item (item_no, item_type, short_description) VALUES (?, ?, ?)";
        database().execute(item, {TicketItem, 6, "Day ticket"});
        database().execute(item, {LessonItem, 4, "Group lesson"});
        const QString price =
            "INSERT INTO zev_price (price_no, item_no, unit_qty, price) VALUES (?, ?, ?, ?)";
        database().execute(price, {TicketPrice, TicketItem, 1, 59.5});
        database().execute(price, {LessonPrice, LessonItem, 2, 30.0});
        CStore store;
        store.setDescription("Mountain shop");
        ASSERT_TRUE(store.Update(oDB, error));
        storeNo = store.StoreNo();
        // An empty text and no sales order type are stored as null, not as an empty text. The store's other
        // fields are read and written back whole by the store editor on the demo data.
        EXPECT_TRUE(isNull("so_type", "zev_store"));
        EXPECT_TRUE(isNull("ship_document", "zev_store"));
        EXPECT_FALSE(CStore().OpenStore(oDB, error, storeNo + 1));
    }

    void TearDown() override {
        EXPECT_TRUE(error->reports.empty()) << error->reports[0].description.toStdString();
    }

    bool isNull(const QString& column, const QString& table) {
        return database()
            .scalar(QStringLiteral("SELECT %1 FROM %2 WHERE store_no = ?").arg(column, table), {storeNo})
            .isNull();
    }

    // A save the database refuses: false, one message under the caption, nothing else.
    static void Refused(const char* caption, const std::function<bool()>& save) {
        ScriptedMessages messages;
        messages.expect();
        EXPECT_FALSE(save());
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_FALSE(messages.shown()[0].prompt.isEmpty());
        EXPECT_EQ(messages.shown()[0].title, caption);
    }

    void newProduct(int32_t productNo) {
        CProduct product;
        product.setStoreNo(storeNo);
        product.setProductNo(productNo);
        product.setProductName(QStringLiteral("Product %1").arg(productNo));
        EXPECT_TRUE(product.Update(oDB, error));
    }

    int32_t newItem(int32_t itemNo) {
        CProductItem item;
        item.setItemNo(itemNo);
        EXPECT_TRUE(item.GetDefaults(oDB, error, storeNo, 10));
        EXPECT_TRUE(item.Update(oDB, error));
        return item.SeqNo();
    }

    std::shared_ptr<SqlConnection> oDB;
    std::shared_ptr<RecordingErrorObject> error = std::make_shared<RecordingErrorObject>();
    int32_t storeNo = 0;
};

TEST_P(RecordRoundTripTest, ProductMovesToANewNumberAndARefusedSaveChangesNothing) {
    CProduct product;
    product.setStoreNo(storeNo);
    product.setProductNo(100);
    product.setProductName("Lift tickets");
    product.setProductType("Tickets");
    product.PhotoFamily = "Holiday";
    product.ItemDisplayType = "GRID";
    product.NumCols = 2;
    ASSERT_TRUE(product.Update(oDB, error));

    CProduct reopened;
    ASSERT_TRUE(reopened.OpenProduct(oDB, error, storeNo, 100));
    EXPECT_EQ(QStringList({reopened.ProductName(), reopened.ProductType(), reopened.PhotoFamily,
                           reopened.ItemDisplayType, QString::number(reopened.NumCols)}),
              QStringList({"Lift tickets", "Tickets", "HOLIDAY", "GRID", "2"}));
    EXPECT_TRUE(reopened.IsActive);
    EXPECT_TRUE(isNull("product_group_no", "zev_store_product")); // no group: null, never 0

    reopened.setProductNo(101);
    reopened.IsActive = false;
    reopened.PhotoFamily = "<None>";
    ASSERT_TRUE(reopened.Update(oDB, error));
    CProduct moved;
    ASSERT_TRUE(moved.OpenProduct(oDB, error, storeNo, 101));
    EXPECT_EQ(moved.ProductName(), "Lift tickets");
    EXPECT_FALSE(moved.IsActive);
    EXPECT_TRUE(isNull("photo_family", "zev_store_product"));
    EXPECT_FALSE(CProduct().OpenProduct(oDB, error, storeNo, 100));

    CProduct duplicate;
    duplicate.setStoreNo(storeNo);
    duplicate.setProductNo(101);
    duplicate.setProductName("Other");
    Refused("Product Update Error", [&] { return duplicate.Update(oDB, error); });
    ASSERT_TRUE(moved.OpenProduct(oDB, error, storeNo, 101));
    EXPECT_EQ(moved.ProductName(), "Lift tickets");
}

TEST_P(RecordRoundTripTest, ProductItemFromDefaultsMovesToANewSequenceNumber) {
    newProduct(10);
    const QDateTime start(QDate(2026, 12, 1), QTime(0, 0));
    CProductItem item;
    item.setItemNo(TicketItem);
    item.setPriceNo(TicketPrice);
    ASSERT_TRUE(item.GetDefaults(oDB, error, storeNo, 10));
    EXPECT_FALSE(item.ProductItemName().isEmpty());
    item.setAvailableStartDate(start);
    item.setAvailableEndDate(Variant::Null());
    item.MinAge = 0.5;
    item.setPromptCustomer(true);
    ASSERT_TRUE(item.Update(oDB, error));
    const int32_t seqNo = item.SeqNo();
    ASSERT_GT(seqNo, 0);
    EXPECT_EQ(item.OriginalSeqNo(), seqNo);

    CProductItem reopened;
    ASSERT_TRUE(reopened.OpenProductItem(oDB, error, storeNo, 10, seqNo));
    EXPECT_EQ(std::tuple(reopened.ItemNo(), reopened.PriceNo(), reopened.Price(), reopened.PriceUnitQty(),
                         reopened.MinAge, reopened.MaxAge, reopened.PromptCustomer(), reopened.IsActive),
              std::tuple(TicketItem, TicketPrice, 59.5, 1, 0.5, 0.0, true, true));
    EXPECT_EQ(QStringList({reopened.ProductItemName(), reopened.ProductType()}),
              QStringList({item.ProductItemName(), "ITEM"}));
    EXPECT_EQ(reopened.AvailableStartDate(), Variant(start));
    EXPECT_EQ(reopened.AvailableEndDate(), Variant::Null());

    reopened.setSeqNo(seqNo + 10);
    ASSERT_TRUE(reopened.Update(oDB, error));
    EXPECT_EQ(reopened.OriginalSeqNo(), seqNo + 10);
    CProductItem moved;
    ASSERT_TRUE(moved.OpenProductItem(oDB, error, storeNo, 10, seqNo + 10));
    EXPECT_EQ(moved.AvailableEndDate(), Variant::Null());
    EXPECT_FALSE(CProductItem().OpenProductItem(oDB, error, storeNo, 10, seqNo));

    CProductItem clash;
    clash.setStoreNo(storeNo);
    clash.setProductNo(10);
    clash.setSeqNo(seqNo + 10);
    clash.setItemNo(LessonItem);
    Refused("Update Product Item Error", [&] { return clash.Update(oDB, error); });
    EXPECT_EQ(clash.OriginalSeqNo(), 0);
    ASSERT_TRUE(moved.OpenProductItem(oDB, error, storeNo, 10, seqNo + 10));
    EXPECT_EQ(moved.ItemNo(), TicketItem);
}

TEST_P(RecordRoundTripTest, ListEntryMovesToANewPosition) {
    newProduct(10);
    const int32_t itemSeqNo = newItem(TicketItem);
    database().execute("INSERT INTO zev_store_list (store_no, list_id, description) VALUES (?, ?, ?)",
                       {storeNo, "FEATURED", "Featured"});
    const auto entry = [&](int32_t seqNo, int32_t priceNo) {
        CListItem e;
        e.setStoreNo(storeNo);
        e.setListId("FEATURED");
        e.setSeqNo(seqNo);
        e.setProductNo(10);
        e.setProductItemSeqNo(itemSeqNo);
        e.setPriceNo(priceNo);
        return e;
    };
    CListItem added = entry(0, TicketPrice);
    ASSERT_TRUE(added.Update(oDB, error));
    const int32_t position = added.SeqNo();
    ASSERT_GT(position, 0);

    CListItem reopened;
    ASSERT_TRUE(reopened.OpenListItem(oDB, error, storeNo, "FEATURED", position));
    EXPECT_EQ(std::tuple(reopened.ProductNo(), reopened.ProductItemSeqNo(), reopened.PriceNo(),
                         reopened.Price(), reopened.UnitQty()),
              std::tuple(10, itemSeqNo, TicketPrice, 59.5, 1));

    reopened.setSeqNo(position + 4);
    reopened.setPriceNo(0);
    ASSERT_TRUE(reopened.Update(oDB, error));
    CListItem moved;
    ASSERT_TRUE(moved.OpenListItem(oDB, error, storeNo, "FEATURED", position + 4));
    EXPECT_EQ(moved.PriceNo(), 0);
    EXPECT_TRUE(isNull("price_no", "zev_store_list_item"));
    EXPECT_FALSE(CListItem().OpenListItem(oDB, error, storeNo, "FEATURED", position));

    CListItem clash = entry(position + 4, 0);
    Refused("Update List Item Error", [&] { return clash.Update(oDB, error); });
    ASSERT_TRUE(moved.OpenListItem(oDB, error, storeNo, "FEATURED", position + 4));
    EXPECT_EQ(moved.PriceNo(), 0);
}

TEST_P(RecordRoundTripTest, SellLinkMovesToAnotherOfferAndIsDeleted) {
    newProduct(10);
    const int32_t ticket = newItem(TicketItem), lesson = newItem(LessonItem),
                  secondLesson = newItem(LessonItem);
    const auto link = [&](int32_t newSeqNo, int32_t newPriceNo, const char* code) {
        CStoreProductItemSell l;
        l.setStoreNo(storeNo);
        l.setProductNo(10);
        l.setSeqNo(ticket);
        l.setPriceNo(TicketPrice);
        l.setNewProductNo(10);
        l.setNewSeqNo(newSeqNo);
        l.setNewPriceNo(newPriceNo);
        l.setSellCode(code);
        return l;
    };
    const auto open = [&](CStoreProductItemSell& l, int32_t newSeqNo, int32_t newPriceNo) {
        return l.OpenStoreProductItemSell(oDB, error, storeNo, 10, ticket, TicketPrice, 10, newSeqNo,
                                          newPriceNo);
    };
    CStoreProductItemSell added = link(lesson, 0, "UPSELL");
    added.setSellText("Add a lesson");
    ASSERT_TRUE(added.Update(oDB, error));

    CStoreProductItemSell reopened;
    ASSERT_TRUE(open(reopened, lesson, 0));
    EXPECT_EQ(reopened.SellCode(), "UPSELL");
    EXPECT_EQ(reopened.SellText(), "Add a lesson");
    EXPECT_EQ(reopened.Price(), 59.5);
    EXPECT_EQ(reopened.UnitQty(), Variant(int16_t(1)));

    reopened.setNewSeqNo(secondLesson);
    reopened.setNewPriceNo(LessonPrice);
    ASSERT_TRUE(reopened.Update(oDB, error));
    CStoreProductItemSell moved;
    ASSERT_TRUE(open(moved, secondLesson, LessonPrice));
    EXPECT_EQ(moved.NewPrice(), 30.0);
    EXPECT_EQ(moved.NewUnitQty(), Variant(int16_t(2)));
    CStoreProductItemSell gone;
    EXPECT_FALSE(open(gone, lesson, 0));

    CStoreProductItemSell clash = link(secondLesson, LessonPrice, "CROSSSELL");
    Refused("Update Product Item Sell Error", [&] { return clash.Update(oDB, error); });
    ASSERT_TRUE(open(moved, secondLesson, LessonPrice));
    EXPECT_EQ(moved.SellCode(), "UPSELL");

    ASSERT_TRUE(moved.Delete(oDB, error));
    Refused("Delete Product Item Sell Error", [&] { return moved.Delete(oDB, error); });
    EXPECT_FALSE(open(moved, secondLesson, LessonPrice));
}

ZEV_INSTANTIATE_BACKENDS(RecordRoundTripTest);

} // namespace
