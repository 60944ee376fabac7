#include "store/records/CStore.h"

#include "RecordTest.h"

namespace {

const QString GetStore = "ZEV_SP_STORE_GetStore";
const QString UpdateStore = "ZEV_SP_STORE_UpdateStore";

class CStoreTest : public RecordTest {
protected:
    CStoreTest() {
        db->declare(GetStore, {"@store_no"});
        db->declare(UpdateStore,
                    {"@store_no", "@description", "@store_url", "@store_logo_url", "@default_product_url",
                     "@error_notify_email", "@confirmation_document", "@manual_document", "@ship_document",
                     "@email_from", "@so_type", "@location_register"});
        db->declare("ZEV_SP_STORE_UpdateStorePayMethod", {"@store_no", "@pay_method_id"});
        db->declare("ZEV_SP_STORE_DeleteStorePayMethod", {"@store_no", "@pay_method_id"});
    }

    CStore store;
};

// What an opened store reads is what its save sends back; the register is read but never written.
TEST_F(CStoreTest, AnOpenedStoreSavesWhatItRead) {
    db->script(GetStore)
        .row({{"Description", "Main"},
              {"store_url", "http://s"},
              {"store_logo_url", "http://l"},
              {"default_product_url", "http://p"},
              {"Register_id", "REG1"},
              {"register_installed", -1},
              {"error_notify_email", "err@x"},
              {"confirmation_document", "conf"},
              {"ship_document", "ship"},
              {"manual_document", "man"},
              {"email_from", "from@x"},
              {"location_register", true},
              {"so_type", "WEB"}})
        .row({{"Description", "second row is never read"}});
    ASSERT_TRUE(store.OpenStore(db, error, 4));
    ExpectSent(db->lastCall(), {{"@store_no", 4}});
    EXPECT_EQ(db->lastCall().kind, RecordedCall::Kind::Rows);
    EXPECT_EQ(store.RegisterId(), "REG1");
    EXPECT_TRUE(store.RegisterInstalled());

    ASSERT_TRUE(store.Update(db, error));
    ExpectSent(db->lastCall(), {{"@store_no", 4},
                                {"@description", "Main"},
                                {"@store_url", "http://s"},
                                {"@store_logo_url", "http://l"},
                                {"@default_product_url", "http://p"},
                                {"@error_notify_email", "err@x"},
                                {"@confirmation_document", "conf"},
                                {"@manual_document", "man"},
                                {"@ship_document", "ship"},
                                {"@email_from", "from@x"},
                                {"@so_type", "WEB"},
                                {"@location_register", int16_t(-1)}});
}

TEST_F(CStoreTest, OpenWithNullsOrWithoutARow) {
    const Row nulls =
        NullRow({"Description", "store_url", "store_logo_url", "default_product_url", "Register_id",
                 "register_installed", "error_notify_email", "confirmation_document", "ship_document",
                 "manual_document", "email_from", "location_register", "so_type"});
    store.setDescription("old");
    store.LocationRegister = true;
    db->script(GetStore).row(nulls);
    ASSERT_TRUE(store.OpenStore(db, error, 2));
    EXPECT_EQ(store.Description(), "");
    EXPECT_FALSE(store.RegisterInstalled());
    EXPECT_FALSE(store.LocationRegister);

    store.setDescription("kept");
    db->script(GetStore);
    EXPECT_FALSE(store.OpenStore(db, error, 99));
    EXPECT_EQ(store.StoreNo(), 99);
    EXPECT_EQ(store.Description(), "kept");
    EXPECT_FALSE(store.OpenStore(nullptr, error, 98));
    EXPECT_EQ(store.StoreNo(), 98);
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CStoreTest, ANewStoreSendsNullsForEmptyTextsAndTakesItsNumberBack) {
    const Variant null = Variant::Null();
    CStore fresh;
    db->script(UpdateStore).output("@store_no", 31);
    ASSERT_TRUE(fresh.Update(db, error));
    ExpectSent(db->lastCall(), {{"@store_no", null},
                                {"@description", null},
                                {"@store_url", null},
                                {"@store_logo_url", null},
                                {"@default_product_url", null},
                                {"@error_notify_email", null},
                                {"@confirmation_document", null},
                                {"@manual_document", null},
                                {"@ship_document", null},
                                {"@email_from", null},
                                {"@so_type", ""},
                                {"@location_register", int16_t(0)}});
    EXPECT_EQ(fresh.StoreNo(), 31);
}

TEST_F(CStoreTest, UpdateTakesTheNumberBackWhateverTheReturnValueAndStopsWhenTheCallFails) {
    // No return-status check: a negative return value shows nothing (an unexpected message fails the test).
    ScriptedMessages messages;
    db->script(UpdateStore).returns(-1).output("@store_no", Variant::Null());
    store.setStoreNo(5);
    EXPECT_TRUE(store.Update(db, error));
    EXPECT_EQ(store.StoreNo(), 0);

    db->script(UpdateStore).notSucceeded().output("@store_no", 44);
    EXPECT_FALSE(store.Update(db, error));
    EXPECT_EQ(store.StoreNo(), 0);
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CStoreTest, PayMethodOnAndOffCallTheirOwnProcedureWithTheSameParameters) {
    store.setStoreNo(3);
    EXPECT_TRUE(store.UpdatePayMethod(db, error, "VISA", true));
    EXPECT_EQ(db->lastCall().procedure, "ZEV_SP_STORE_UpdateStorePayMethod");
    ExpectSent(db->lastCall(), {{"@store_no", 3}, {"@pay_method_id", "VISA"}});
    EXPECT_TRUE(store.UpdatePayMethod(db, error, "AMEX", false));
    EXPECT_EQ(db->lastCall().procedure, "ZEV_SP_STORE_DeleteStorePayMethod");
    ExpectSent(db->lastCall(), {{"@store_no", 3}, {"@pay_method_id", "AMEX"}});

    db->script("ZEV_SP_STORE_DeleteStorePayMethod").notSucceeded().returns(-1);
    EXPECT_FALSE(store.UpdatePayMethod(db, error, "AMEX", false));
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(CStoreTest, RaisedFailuresAreReportedUnderTheOperation) {
    db->script(UpdateStore).raises(-2147217900, "Invalid column");
    EXPECT_FALSE(store.Update(db, error));
    ExpectReported("ZevStore.CStore (1.0.0) Update");
    EXPECT_EQ(error->reports[0].number, -2147217900);
    EXPECT_EQ(error->reports[0].description, "Invalid column");

    error->reports.clear();
    db->script(GetStore).row({{"Description", "only"}});
    EXPECT_FALSE(store.OpenStore(db, error, 1));
    ExpectReported("ZevStore.CStore (1.0.0) OpenStore");

    error->reports.clear();
    EXPECT_FALSE(store.UpdatePayMethod(nullptr, error, "VISA", true));
    ExpectReported("ZevStore.CStore (1.0.0) UpdatePayMethod");
}

} // namespace
