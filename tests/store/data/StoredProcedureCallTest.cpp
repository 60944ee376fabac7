#include "store/data/StoredProcedureCall.h"
#include "store/data/ReadFirstRow.h"
#include "store/data/modDataTypes.h"
#include "store/records/RecordTest.h"

#include <gtest/gtest.h>

namespace {

const QString GetThing = "ZEV_SP_STORE_GetThing";
const QString SaveThing = "ZEV_SP_STORE_SaveThing";

// A record-like object built the way the module's records are, to drive the calling sequence end to end.
struct Thing {
    ErrorState errors{"CThing"};
    QString name = "unchanged";
    int32_t count = -1;
    bool active = true;

    bool Open(const std::shared_ptr<DBConnection>& db, const std::shared_ptr<ErrorObject>& error,
              int32_t key) {
        return ReadFirstRow(
            errors, db, error, "OpenThing", GetThing,
            [&](StoredProcedureCall& call) { call.set("@thing_no", key); },
            [&](const StoredProcedureCall& call) {
                name = call.readText("name");
                count = call.readLong("count");
                active = call.readBool("active");
            });
    }

    bool Save(const std::shared_ptr<DBConnection>& db, const std::shared_ptr<ErrorObject>& error,
              SuccessTest test) {
        return errors.Guard(error, "Update", [&] {
            StoredProcedureCall call(db, SaveThing);
            call.setNullIfEmpty("@name", name).setNullIfZero("@count", count);
            if (!call.run() || !call.accepted(test, "@message", "Save Thing Error"))
                return false;
            count = call.output("@count").toInt32();
            return true;
        });
    }
};

// Every command and record set is released and closed at the end (checked by the record fixture).
class StoredProcedureCallTest : public RecordTest {
protected:
    StoredProcedureCallTest() {
        db->declare(GetThing, {"@thing_no"});
        db->declare(SaveThing, {"@name", "@count", "@message"});
    }

    Thing thing;
};

TEST_F(StoredProcedureCallTest, ReadTakesTheFirstRowWithNullsAsEmptyZeroAndFalseOrIsQuietlyFalse) {
    db->script(GetThing)
        .row({{"NAME", Variant::Null()}, {"count", Variant::Null()}, {"active", Variant::Null()}})
        .row({{"name", "second"}, {"count", 2}, {"active", true}});
    EXPECT_TRUE(thing.Open(db, error, 7));
    EXPECT_EQ(std::tuple(thing.name, thing.count, thing.active), std::tuple(QString(), 0, false));
    EXPECT_EQ(db->lastCall().value("@thing_no"), Variant(7));

    // Without a connection, with the failed flag or without a row: false, and nothing reported.
    thing.name = "unchanged";
    EXPECT_FALSE(thing.Open(nullptr, error, 1));
    db->script(GetThing).failed();
    EXPECT_FALSE(thing.Open(db, error, 1));
    db->script(GetThing);
    EXPECT_FALSE(thing.Open(db, error, 1));
    EXPECT_EQ(thing.name, "unchanged");
    EXPECT_TRUE(error->reports.empty());
    EXPECT_EQ(thing.errors.LastErrorNumber(), 0);
}

TEST_F(StoredProcedureCallTest, WriteSendsNullForEmptyAndZeroAndReadsOutputsOnlyAfterSuccess) {
    thing.name.clear();
    thing.count = 0;
    db->script(SaveThing).returns(0).output("@count", 12);
    ASSERT_TRUE(thing.Save(db, error, SuccessTest::AtLeastZero));
    EXPECT_EQ(db->lastCall().names(), QStringList({"@name", "@count"}));
    EXPECT_EQ(db->lastCall().value("@name"), Variant::Null());
    EXPECT_EQ(db->lastCall().value("@count"), Variant::Null());
    EXPECT_EQ(thing.count, 12);

    // A refusal shows the procedure's message under the operation's caption; an unsuccessful run is silent.
    ScriptedMessages messages;
    messages.expect();
    db->script(SaveThing).returns(-1).output("@message", "Thing 3 already exists.").output("@count", 5);
    EXPECT_FALSE(thing.Save(db, error, SuccessTest::AtLeastZero));
    db->script(SaveThing).notSucceeded().returns(-5);
    EXPECT_FALSE(thing.Save(db, error, SuccessTest::AtLeastZero));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last(), "Save Thing Error: Thing 3 already exists.");
    EXPECT_EQ(messages.shown()[0].buttons, 64);
    EXPECT_EQ(thing.count, 12);
    EXPECT_TRUE(error->reports.empty());
}

// Those that look for a refusal are judged in the service's delete table.
TEST_F(StoredProcedureCallTest, NullReturnValueFailsTheTestsThatLookForSuccess) {
    EXPECT_FALSE(PassesSuccessTest(SuccessTest::AtLeastZero, Variant::Null()));
    EXPECT_FALSE(PassesSuccessTest(SuccessTest::ExactlyZero, Variant::Null()));
    EXPECT_TRUE(PassesSuccessTest(SuccessTest::AtLeastZero, 5));
    EXPECT_FALSE(PassesSuccessTest(SuccessTest::AtLeastZero, -1));
    EXPECT_FALSE(PassesSuccessTest(SuccessTest::ExactlyZero, 5));
    EXPECT_TRUE(PassesSuccessTest(SuccessTest::ExactlyZero, int16_t(0)));
}

TEST_F(StoredProcedureCallTest, FailuresAreReportedUnderTheOperationAndTheObjectWorksAgain) {
    db->script(GetThing).raises(-2147467259, "Connection lost");
    EXPECT_FALSE(thing.Open(db, error, 1));
    ASSERT_EQ(error->reports.size(), 1u);
    EXPECT_EQ(error->reports[0].number, -2147467259);
    EXPECT_EQ(error->reports[0].source + ": " + error->reports[0].description,
              "ZevStore.CThing (1.0.0) OpenThing: Connection lost");
    EXPECT_EQ(thing.errors.LastErrorNumber(), -2147467259);

    // A missing column is a failure of its own; fields keep what was read before it.
    db->script(GetThing).row({{"name", "x"}});
    EXPECT_FALSE(thing.Open(db, error, 1));
    EXPECT_EQ(thing.errors.LastErrorNumber(), ErrorNumbers::ItemNotFound);
    EXPECT_EQ(thing.name, "x");

    // So is an unknown parameter.
    EXPECT_FALSE(thing.errors.Guard(error, "Update", [&] {
        StoredProcedureCall call(db, SaveThing);
        call.set("@nope", 1);
        return true;
    }));
    EXPECT_EQ(error->reports.back().number, ErrorNumbers::ItemNotFound);
    EXPECT_EQ(error->reports.back().source, "ZevStore.CThing (1.0.0) Update");
    EXPECT_EQ(error->reports.size(), 3u);

    db->script(GetThing).row({{"name", "back"}, {"count", 3}, {"active", -1}});
    EXPECT_TRUE(thing.Open(db, error, 1));
    EXPECT_TRUE(thing.active);
}

// An array with no bounds, or an upper bound beyond 16 bits, is not dimensioned.
TEST(modDataTypesTest, ArrayIsDimensionedWhenItsBoundsFitSixteenBits) {
    EXPECT_FALSE(IsArrayDimensioned(Variant::Array({})));
    EXPECT_TRUE(IsArrayDimensioned(Variant::Array({Variant(1)})));
    EXPECT_FALSE(IsArrayDimensioned(Variant::Array({1, 2}, 32767)));
    EXPECT_FALSE(IsArrayDimensioned(Variant("not an array")));
}

} // namespace
