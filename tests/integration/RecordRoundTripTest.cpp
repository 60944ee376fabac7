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
    }

    void TearDown() override {
        EXPECT_TRUE(error->reports.empty()) << error->reports[0].description.toStdString();
    }

    // Whether the column of the store's first row in the table is null.
    bool isNull(const QString& table, const QString& column, int32_t storeNo) {
        return database()
            .scalar(QStringLiteral("SELECT %1 FROM %2 WHERE store_no = ?").arg(column, table), {storeNo})
            .isNull();
    }

    int32_t newStore() {
        CStore store;
        store.setDescription("Mountain shop");
        EXPECT_TRUE(store.Update(oDB, error));
        return store.StoreNo();
    }

    int32_t newProduct(int32_t storeNo, int32_t productNo) {
        CProduct product;
        product.setStoreNo(storeNo);
        product.setProductNo(productNo);
        product.setProductName(QStringLiteral("Product %1").arg(productNo));
        EXPECT_TRUE(product.Update(oDB, error));
        return productNo;
    }

    int32_t newItem(int32_t storeNo, int32_t productNo, int32_t itemNo) {
        CProductItem item;
        item.setItemNo(itemNo);
        EXPECT_TRUE(item.GetDefaults(oDB, error, storeNo, productNo));
        EXPECT_TRUE(item.Update(oDB, error));
        return item.SeqNo();
    }

    std::shared_ptr<SqlConnection> oDB;
    std::shared_ptr<RecordingErrorObject> error = std::make_shared<RecordingErrorObject>();
};

TEST_P(RecordRoundTripTest, StoreIsCreatedReopenedAndSavedAgain) {
    CStore store;
    store.setDescription("Mountain shop");
    store.setStoreURL("https://shop.example");
    store.setStoreLOGOURL("https://shop.example/logo.png");
    store.setEmailFrom("shop@example");
    store.setManualDocument("Invoice [ORDER_NO]");
    store.LocationRegister = true;
    ASSERT_TRUE(store.Update(oDB, error));
    ASSERT_GT(store.StoreNo(), 0);
    // An empty text and no sales order type are stored as null, not as an empty text.
    EXPECT_TRUE(isNull("zev_store", "so_type", store.StoreNo()));
    EXPECT_TRUE(isNull("zev_store", "ship_document", store.StoreNo()));

    CStore reopened;
    ASSERT_TRUE(reopened.OpenStore(oDB, error, store.StoreNo()));
    EXPECT_EQ(reopened.Description(), "Mountain shop");
    EXPECT_EQ(reopened.StoreURL(), "https://shop.example");
    EXPECT_EQ(reopened.StoreLOGOURL(), "https://shop.example/logo.png");
    EXPECT_EQ(reopened.EmailFrom(), "shop@example");
    EXPECT_EQ(reopened.ManualDocument(), "Invoice [ORDER_NO]");
    EXPECT_EQ(reopened.ShipDocument(), "");
    EXPECT_TRUE(reopened.LocationRegister);
    EXPECT_FALSE(reopened.RegisterInstalled());

    reopened.setStoreLOGOURL(QString());
    reopened.LocationRegister = false;
    ASSERT_TRUE(reopened.Update(oDB, error));
    EXPECT_EQ(reopened.StoreNo(), store.StoreNo());
    CStore again;
    ASSERT_TRUE(again.OpenStore(oDB, error, store.StoreNo()));
    EXPECT_EQ(again.StoreLOGOURL(), "");
    EXPECT_EQ(again.Description(), "Mountain shop");
    EXPECT_FALSE(again.LocationRegister);
    EXPECT_FALSE(again.OpenStore(oDB, error, store.StoreNo() + 1));
}

TEST_P(RecordRoundTripTest, ProductMovesToANewNumberAndARefusedSaveChangesNothing) {
    const int32_t storeNo = newStore();
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
    EXPECT_EQ(reopened.ProductName(), "Lift tickets");
    EXPECT_EQ(reopened.ProductType(), "Tickets");
    EXPECT_EQ(reopened.PhotoFamily, "HOLIDAY");
    EXPECT_EQ(reopened.ItemDisplayType, "GRID");
    EXPECT_EQ(reopened.NumCols, 2);
    EXPECT_TRUE(reopened.IsActive);
    EXPECT_TRUE(isNull("zev_store_product", "product_group_no", storeNo)); // no group: null, never 0

    reopened.setProductNo(101);
    reopened.IsActive = false;
    reopened.PhotoFamily = "<None>";
    ASSERT_TRUE(reopened.Update(oDB, error));
    CProduct moved;
    ASSERT_TRUE(moved.OpenProduct(oDB, error, storeNo, 101));
    EXPECT_EQ(moved.ProductName(), "Lift tickets");
    EXPECT_FALSE(moved.IsActive);
    EXPECT_TRUE(isNull("zev_store_product", "photo_family", storeNo));
    EXPECT_FALSE(CProduct().OpenProduct(oDB, error, storeNo, 100));

    ScriptedMessages messages;
    messages.expect();
    CProduct duplicate;
    duplicate.setStoreNo(storeNo);
    duplicate.setProductNo(101);
    duplicate.setProductName("Other");
    EXPECT_FALSE(duplicate.Update(oDB, error));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.contains(QLatin1String("101")))
        << messages.shown()[0].prompt.toStdString();
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(messages.shown()[0].title, "Product Update Error");
    ASSERT_TRUE(moved.OpenProduct(oDB, error, storeNo, 101));
    EXPECT_EQ(moved.ProductName(), "Lift tickets");
}

TEST_P(RecordRoundTripTest, ProductItemFromDefaultsMovesToANewSequenceNumber) {
    const int32_t storeNo = newStore();
    const int32_t productNo = newProduct(storeNo, 10);
    const QDateTime start(QDate(2026, 12, 1), QTime(0, 0));

    CProductItem item;
    item.setItemNo(TicketItem);
    item.setPriceNo(TicketPrice);
    ASSERT_TRUE(item.GetDefaults(oDB, error, storeNo, productNo));
    EXPECT_EQ(item.ItemNo(), TicketItem);
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
    ASSERT_TRUE(reopened.OpenProductItem(oDB, error, storeNo, productNo, seqNo));
    EXPECT_EQ(reopened.ItemNo(), TicketItem);
    EXPECT_EQ(reopened.PriceNo(), TicketPrice);
    EXPECT_EQ(reopened.Price(), 59.5);
    EXPECT_EQ(reopened.PriceUnitQty(), 1);
    EXPECT_EQ(reopened.ProductItemName(), item.ProductItemName());
    EXPECT_EQ(reopened.AvailableStartDate(), Variant(start));
    EXPECT_EQ(reopened.AvailableEndDate(), Variant::Null());
    EXPECT_EQ(reopened.MinAge, 0.5);
    EXPECT_EQ(reopened.MaxAge, 0);
    EXPECT_TRUE(reopened.PromptCustomer());
    EXPECT_TRUE(reopened.IsActive);
    EXPECT_EQ(reopened.ProductType(), "ITEM");

    reopened.setSeqNo(seqNo + 10);
    ASSERT_TRUE(reopened.Update(oDB, error));
    EXPECT_EQ(reopened.OriginalSeqNo(), seqNo + 10);
    CProductItem moved;
    ASSERT_TRUE(moved.OpenProductItem(oDB, error, storeNo, productNo, seqNo + 10));
    EXPECT_EQ(moved.AvailableEndDate(), Variant::Null());
    EXPECT_FALSE(CProductItem().OpenProductItem(oDB, error, storeNo, productNo, seqNo));

    ScriptedMessages messages;
    messages.expect();
    CProductItem clash;
    clash.setStoreNo(storeNo);
    clash.setProductNo(productNo);
    clash.setSeqNo(seqNo + 10);
    clash.setItemNo(LessonItem);
    EXPECT_FALSE(clash.Update(oDB, error));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_FALSE(messages.shown()[0].prompt.isEmpty());
    EXPECT_EQ(messages.shown()[0].title, "Update Product Item Error");
    EXPECT_EQ(clash.OriginalSeqNo(), 0);
    ASSERT_TRUE(moved.OpenProductItem(oDB, error, storeNo, productNo, seqNo + 10));
    EXPECT_EQ(moved.ItemNo(), TicketItem);
}

TEST_P(RecordRoundTripTest, ListEntryMovesToANewPosition) {
    const int32_t storeNo = newStore();
    const int32_t productNo = newProduct(storeNo, 10);
    const int32_t itemSeqNo = newItem(storeNo, productNo, TicketItem);
    database().execute("INSERT INTO zev_store_list (store_no, list_id, description) VALUES (?, ?, ?)",
                       {storeNo, "FEATURED", "Featured"});

    CListItem entry;
    entry.setStoreNo(storeNo);
    entry.setListId("FEATURED");
    entry.setProductNo(productNo);
    entry.setProductItemSeqNo(itemSeqNo);
    entry.setPriceNo(TicketPrice);
    ASSERT_TRUE(entry.Update(oDB, error));
    const int32_t position = entry.SeqNo();
    ASSERT_GT(position, 0);

    CListItem reopened;
    ASSERT_TRUE(reopened.OpenListItem(oDB, error, storeNo, "FEATURED", position));
    EXPECT_EQ(reopened.ProductNo(), productNo);
    EXPECT_EQ(reopened.ProductItemSeqNo(), itemSeqNo);
    EXPECT_EQ(reopened.PriceNo(), TicketPrice);
    EXPECT_EQ(reopened.Price(), 59.5);
    EXPECT_EQ(reopened.UnitQty(), 1);

    reopened.setSeqNo(position + 4);
    reopened.setPriceNo(0);
    ASSERT_TRUE(reopened.Update(oDB, error));
    CListItem moved;
    ASSERT_TRUE(moved.OpenListItem(oDB, error, storeNo, "FEATURED", position + 4));
    EXPECT_EQ(moved.PriceNo(), 0);
    EXPECT_TRUE(isNull("zev_store_list_item", "price_no", storeNo));
    EXPECT_FALSE(CListItem().OpenListItem(oDB, error, storeNo, "FEATURED", position));

    ScriptedMessages messages;
    messages.expect();
    CListItem clash;
    clash.setStoreNo(storeNo);
    clash.setListId("FEATURED");
    clash.setSeqNo(position + 4);
    clash.setProductNo(productNo);
    clash.setProductItemSeqNo(itemSeqNo);
    EXPECT_FALSE(clash.Update(oDB, error));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_FALSE(messages.shown()[0].prompt.isEmpty());
    EXPECT_EQ(messages.shown()[0].title, "Update List Item Error");
    ASSERT_TRUE(moved.OpenListItem(oDB, error, storeNo, "FEATURED", position + 4));
    EXPECT_EQ(moved.PriceNo(), 0);
}

TEST_P(RecordRoundTripTest, SellLinkMovesToAnotherOfferAndIsDeleted) {
    const int32_t storeNo = newStore();
    const int32_t productNo = newProduct(storeNo, 10);
    const int32_t ticket = newItem(storeNo, productNo, TicketItem);
    const int32_t lesson = newItem(storeNo, productNo, LessonItem);
    const int32_t secondLesson = newItem(storeNo, productNo, LessonItem);

    CStoreProductItemSell link;
    link.setStoreNo(storeNo);
    link.setProductNo(productNo);
    link.setSeqNo(ticket);
    link.setPriceNo(TicketPrice);
    link.setNewProductNo(productNo);
    link.setNewSeqNo(lesson);
    link.setSellCode("UPSELL");
    link.setSellText("Add a lesson");
    ASSERT_TRUE(link.Update(oDB, error));

    CStoreProductItemSell reopened;
    ASSERT_TRUE(reopened.OpenStoreProductItemSell(oDB, error, storeNo, productNo, ticket, TicketPrice,
                                                  productNo, lesson, 0));
    EXPECT_EQ(reopened.SellCode(), "UPSELL");
    EXPECT_EQ(reopened.SellText(), "Add a lesson");
    EXPECT_EQ(reopened.Price(), 59.5);
    EXPECT_EQ(reopened.UnitQty(), Variant(int16_t(1)));

    reopened.setNewSeqNo(secondLesson);
    reopened.setNewPriceNo(LessonPrice);
    ASSERT_TRUE(reopened.Update(oDB, error));
    CStoreProductItemSell moved;
    ASSERT_TRUE(moved.OpenStoreProductItemSell(oDB, error, storeNo, productNo, ticket, TicketPrice, productNo,
                                               secondLesson, LessonPrice));
    EXPECT_EQ(moved.NewPrice(), 30.0);
    EXPECT_EQ(moved.NewUnitQty(), Variant(int16_t(2)));
    EXPECT_FALSE(CStoreProductItemSell().OpenStoreProductItemSell(oDB, error, storeNo, productNo, ticket,
                                                                  TicketPrice, productNo, lesson, 0));

    ScriptedMessages messages;
    messages.expect().expect();
    CStoreProductItemSell clash;
    clash.setStoreNo(storeNo);
    clash.setProductNo(productNo);
    clash.setSeqNo(ticket);
    clash.setPriceNo(TicketPrice);
    clash.setNewProductNo(productNo);
    clash.setNewSeqNo(secondLesson);
    clash.setNewPriceNo(LessonPrice);
    clash.setSellCode("CROSSSELL");
    EXPECT_FALSE(clash.Update(oDB, error));
    ASSERT_TRUE(moved.OpenStoreProductItemSell(oDB, error, storeNo, productNo, ticket, TicketPrice, productNo,
                                               secondLesson, LessonPrice));
    EXPECT_EQ(moved.SellCode(), "UPSELL");

    ASSERT_TRUE(moved.Delete(oDB, error));
    EXPECT_FALSE(moved.Delete(oDB, error));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].title, "Update Product Item Sell Error");
    EXPECT_FALSE(messages.shown()[0].prompt.isEmpty());
    EXPECT_EQ(messages.shown()[1].title, "Delete Product Item Sell Error");
    EXPECT_FALSE(moved.OpenStoreProductItemSell(oDB, error, storeNo, productNo, ticket, TicketPrice,
                                                productNo, secondLesson, LessonPrice));
}

ZEV_INSTANTIATE_BACKENDS(RecordRoundTripTest);

} // namespace
