#include "store/records/CListItem.h"

#include "RecordTest.h"

namespace {

const QString GetListItems = "ZEV_SP_STORE_GetListItems";
const QString InsertListItem = "ZEV_SP_STORE_InsertListItem";
const QString UpdateListItem = "ZEV_SP_STORE_UpdateListItem";

class CListItemTest : public RecordTest {
protected:
    CListItemTest() {
        db->declare(GetListItems, {"@store_no", "@list_id", "@seq_no"});
        db->declare(InsertListItem, {"@store_no", "@list_id", "@seq_no", "@product_no",
                                     "@product_item_seq_no", "@price_no", "@message"});
        db->declare(UpdateListItem, {"@store_no", "@list_id", "@seq_no", "@seq_no_key", "@product_no",
                                     "@product_item_seq_no", "@price_no", "@message"});
    }

    CListItem entry;
};

TEST_F(CListItemTest, AMissingPositionStillKeysALaterSaveAsAnUpdate) {
    db->script(GetListItems);
    EXPECT_FALSE(entry.OpenListItem(db, error, 1, "TOP", 4));
    EXPECT_EQ(entry.ListId(), "TOP");
    EXPECT_EQ(entry.SeqNo(), 4);
    EXPECT_EQ(entry.OriginalSeqNo(), 4);
    db->script(UpdateListItem).output("@seq_no", 4);
    ASSERT_TRUE(entry.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, UpdateListItem);
}

TEST_F(CListItemTest, ANewEntryInsertsWithNullsAndThenUpdatesAtTheAssignedPosition) {
    const Variant null = Variant::Null();
    entry.setStoreNo(1);
    entry.setListId("TOP");
    db->script(InsertListItem).output("@seq_no", 7);
    ASSERT_TRUE(entry.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, InsertListItem);
    ExpectSent(db->lastCall(), {{"@store_no", 1},
                                {"@list_id", "TOP"},
                                {"@seq_no", null},
                                {"@product_no", null},
                                {"@product_item_seq_no", null},
                                {"@price_no", null}});
    EXPECT_EQ(entry.SeqNo(), 7);
    EXPECT_EQ(entry.OriginalSeqNo(), 7);

    entry.setProductNo(8);
    entry.setProductItemSeqNo(2);
    entry.setPriceNo(40);
    db->script(UpdateListItem).output("@seq_no", 7);
    ASSERT_TRUE(entry.Update(db, error));
    EXPECT_EQ(db->lastCall().procedure, UpdateListItem);
    ExpectSent(db->lastCall(), {{"@store_no", 1},
                                {"@list_id", "TOP"},
                                {"@seq_no", 7},
                                {"@seq_no_key", 7},
                                {"@product_no", 8},
                                {"@product_item_seq_no", 2},
                                {"@price_no", 40}});
}

TEST_F(CListItemTest, AMovedEntrySendsWhatItReadUnderItsOldPositionUntilTheSaveSucceeds) {
    ScriptedMessages messages;
    messages.expect().expect();
    db->script(GetListItems)
        .row({{"product_no", 8},
              {"product_item_seq_no", 2},
              {"product_item_name", "Day pass"},
              {"price_no", 40},
              {"Price", 59.5},
              {"unit_qty", int16_t(3)}});
    ASSERT_TRUE(entry.OpenListItem(db, error, 1, "TOP", 3));
    ExpectSent(db->lastCall(), {{"@store_no", 1}, {"@list_id", "TOP"}, {"@seq_no", 3}});
    EXPECT_EQ(entry.ProductItemName(), "Day pass");
    EXPECT_EQ(entry.Price(), 59.5);
    EXPECT_EQ(entry.UnitQty(), 3);
    entry.setSeqNo(5);
    db->script(UpdateListItem).returns(-1).output("@message", "Position 5 is taken.").output("@seq_no", 5);
    EXPECT_FALSE(entry.Update(db, error));
    db->script(UpdateListItem).returns(Variant::Null()).output("@seq_no", 5);
    EXPECT_FALSE(entry.Update(db, error));
    EXPECT_EQ(entry.OriginalSeqNo(), 3);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].prompt, "Position 5 is taken.");
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(messages.shown()[0].title, "Update List Item Error");

    db->script(UpdateListItem).output("@seq_no", 5);
    ASSERT_TRUE(entry.Update(db, error));
    ExpectSent(db->lastCall(), {{"@store_no", 1},
                                {"@list_id", "TOP"},
                                {"@seq_no", 5},
                                {"@seq_no_key", 3},
                                {"@product_no", 8},
                                {"@product_item_seq_no", 2},
                                {"@price_no", 40}});
    EXPECT_EQ(entry.OriginalSeqNo(), 5);
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CListItemTest, RaisedFailuresAreReportedUnderTheOperation) {
    db->script(GetListItems).raises(-1, "Lost");
    EXPECT_FALSE(entry.OpenListItem(db, error, 1, "TOP", 3));
    ExpectReported("ZevStore.CListItem (1.0.0) OpenListItem");
    error->reports.clear();
    EXPECT_FALSE(entry.Update(nullptr, error));
    ExpectReported("ZevStore.CListItem (1.0.0) Update");
    EXPECT_EQ(error->reports[0].number, ErrorNumbers::ObjectVariableNotSet);
}

} // namespace
