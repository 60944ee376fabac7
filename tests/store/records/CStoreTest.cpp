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

TEST_F(CStoreTest, OpenReadsEachColumnIntoItsOwnField) {
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
    EXPECT_EQ(store.StoreNo(), 4);
    EXPECT_EQ(store.Description(), "Main");
    EXPECT_EQ(store.StoreURL(), "http://s");
    EXPECT_EQ(store.StoreLOGOURL(), "http://l");
    EXPECT_EQ(store.DefaultProductURL(), "http://p");
    EXPECT_EQ(store.RegisterId(), "REG1");
    EXPECT_TRUE(store.RegisterInstalled());
    EXPECT_EQ(store.ErrorNotifyEmail(), "err@x");
    EXPECT_EQ(store.ConfirmationDocument(), "conf");
    EXPECT_EQ(store.ShipDocument(), "ship");
    EXPECT_EQ(store.ManualDocument(), "man");
    EXPECT_EQ(store.EmailFrom(), "from@x");
    EXPECT_TRUE(store.LocationRegister);
    EXPECT_EQ(store.SalesOrderType, "WEB");
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

TEST_F(CStoreTest, UpdateSendsEveryFieldAndNullsOnlyForEmptyTextsAndANewNumber) {
    store.setStoreNo(7);
    store.setDescription("Main");
    store.setStoreURL("u");
    store.setStoreLOGOURL("l");
    store.setDefaultProductURL("p");
    store.setErrorNotifyEmail("e");
    store.setConfirmationDocument("c");
    store.setManualDocument("m");
    store.setShipDocument("s");
    store.setEmailFrom("f");
    store.SalesOrderType = "WEB";
    store.LocationRegister = true;
    store.setRegisterId("never sent");
    ASSERT_TRUE(store.Update(db, error));
    ExpectSent(db->lastCall(), {{"@store_no", 7},
                                {"@description", "Main"},
                                {"@store_url", "u"},
                                {"@store_logo_url", "l"},
                                {"@default_product_url", "p"},
                                {"@error_notify_email", "e"},
                                {"@confirmation_document", "c"},
                                {"@manual_document", "m"},
                                {"@ship_document", "s"},
                                {"@email_from", "f"},
                                {"@so_type", "WEB"},
                                {"@location_register", int16_t(-1)}});

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
