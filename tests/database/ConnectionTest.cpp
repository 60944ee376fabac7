#include "database/DemoData.h"
#include "database/DriverError.h"
#include "database/ProcedureContext.h"
#include "database/Schema.h"
#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "sdk/RuntimeError.h"

#include <QTemporaryDir>

namespace {

int32_t RaisedNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        EXPECT_FALSE(error.description.isEmpty());
        return error.number;
    }
    ADD_FAILURE() << "nothing was raised";
    return 0;
}

std::shared_ptr<Command> Procedure(DBConnection& db, const QString& name) {
    auto command = db.CreateCommand(0);
    command->setCommandText(name);
    command->setCommandType(Command::StoredProcedure);
    command->Parameters()->Refresh();
    return command;
}

class Connection : public DatabaseTest {};

TEST_P(Connection, ParametersAreDescribedByTheCatalogAndFoundWithoutRegardToCase) {
    auto db = connection();
    auto command = Procedure(*db, "zev_sp_store_getstore");
    command->Parameters()->Item("@STORE_NO")->setValue(int32_t(1));
    EXPECT_TRUE(command->Parameters()->Item("@return_value")->Value().isEmpty());
    EXPECT_EQ(RaisedNumber([&] { command->Parameters()->Item("@nothing"); }), 3265);

    auto unknown = db->CreateCommand(0);
    unknown->setCommandText("ZEV_SP_STORE_NoSuchThing");
    unknown->setCommandType(Command::StoredProcedure);
    EXPECT_EQ(RaisedNumber([&] { unknown->Parameters()->Refresh(); }), 2812);
}

TEST_P(Connection, RecordSetsMoveForwardAndRefuseWhatHasNoRow) {
    auto db = connection();
    int16_t failed = 0;
    auto rows = db->ExecuteRecordset(Procedure(*db, "ZEV_SP_STORE_GetStore"), failed, 0);
    ASSERT_EQ(failed, 0);
    ASSERT_EQ(rows->State(), Recordset::StateOpen);
    QStringList names;
    for (; !rows->Eof(); rows->MoveNext()) {
        names << rows->Fields("DESCRIPTION")->Value().toText();
        EXPECT_EQ(rows->Fields("store_no")->Attributes(), 0);
    }
    EXPECT_EQ(names, QStringList({"Summit Peak Lift Tickets", "Summit Peak Rentals & Lessons",
                                  "Valley Lodge Gift Shop"}));
    EXPECT_EQ(RaisedNumber([&] { rows->Fields("store_no"); }), 3021);
    EXPECT_EQ(RaisedNumber([&] { rows->MoveNext(); }), 3021);
    rows->Close();
    EXPECT_EQ(rows->State(), Recordset::StateClosed);
    EXPECT_EQ(RaisedNumber([&] { rows->Eof(); }), 3704);

    auto one = db->OpenRecordset("SELECT store_no FROM zev_store WHERE store_no = 2", 0);
    EXPECT_EQ(RaisedNumber([&] { one->Fields("nothing"); }), 3265);
    EXPECT_EQ(one->Fields("store_no")->Value(), Variant(int32_t(2)));

    // Dates and large numbers come back as their kinds.
    const auto order = ProcedureRun::Rows(*db, "GetOrders: shopping_cart_no=5000000001.0");
    ASSERT_EQ(order.rows.size(), 1u);
    EXPECT_EQ(order.at(0, "shopping_cart_no"), Variant(5000000001.0));
    EXPECT_EQ(order.at(0, "inserted_datetime"), Variant(QDateTime(QDate(2027, 1, 2), QTime(13, 0))));
}

TEST_P(Connection, LongTextIsServedInChunksFromTheStartOfEachRow) {
    auto db = connection();
    auto rows = db->OpenRecordset(QStringLiteral("SELECT log_no, customer_data FROM zev_customer_log "
                                                 "WHERE log_no IN (1, 2) ORDER BY log_no"),
                                  0);
    for (int row = 0; row < 2; ++row) {
        auto field = rows->Fields("customer_data");
        EXPECT_EQ(field->Attributes() & Field::LongData, Field::LongData);
        const QString whole = field->Value().toText();
        ASSERT_EQ(field->ActualSize(), whole.size());
        QString read;
        for (Variant piece = field->GetChunk(50); !piece.isNull(); piece = field->GetChunk(50))
            read += piece.toText();
        EXPECT_EQ(read, whole);
        EXPECT_TRUE(field->GetChunk(10).isNull());
        rows->MoveNext();
    }
    auto nulls = db->OpenRecordset("SELECT old_customer_data FROM zev_customer_log WHERE log_no = 1", 0);
    auto field = nulls->Fields("old_customer_data");
    EXPECT_TRUE(field->Value().isNull());
    EXPECT_EQ(field->ActualSize(), 0);
    EXPECT_TRUE(field->GetChunk(10).isNull());
}

TEST_P(Connection, DriverErrorsAreRaisedWithTheDriversText) {
    auto db = connection();
    try {
        db->OpenRecordset("SELECT * FROM zev_no_such_table", 0);
        FAIL() << "nothing was raised";
    } catch (const RuntimeError& error) {
        EXPECT_NE(error.number, 0);
        EXPECT_TRUE(error.description.contains(QLatin1String("zev_no_such_table")))
            << error.description.toStdString();
    }
    // The connection stays usable.
    EXPECT_FALSE(db->OpenRecordset("SELECT store_no FROM zev_store", 0)->Eof());
}

// A read prepared once per connection follows its table as it changes, and one that failed is prepared again.
TEST_P(Connection, AOneRowReadPreparedOnceFollowsItsTable) {
    auto& s = database().session();
    const QString read = "SELECT a, b FROM zev_probe WHERE a < 5";
    s.execute("CREATE TABLE zev_probe (a INTEGER, b INTEGER)");
    s.run("INSERT INTO zev_probe VALUES (1, 2)");
    EXPECT_EQ(s.firstRow(read), (QVariantList{1, 2}));
    s.execute("ALTER TABLE zev_probe ADD COLUMN c INTEGER");
    s.run("UPDATE zev_probe SET a = 7");
    EXPECT_TRUE(s.firstRow(read).isEmpty());
    s.execute("DROP TABLE zev_probe");
    EXPECT_THROW(s.firstRow(read), RuntimeError);
    s.execute("CREATE TABLE zev_probe (b INTEGER, a INTEGER)");
    s.run("INSERT INTO zev_probe VALUES (4, 3)");
    EXPECT_EQ(s.firstRow(read), (QVariantList{3, 4}));
    s.execute("DROP TABLE zev_probe");
}

TEST_P(Connection, ABodyThatFailsHalfwayLeavesNothingWritten) {
    ProcedureCatalog catalog;
    catalog.add("ZEV_SP_HalfWay", {In("@store_no", ParameterType::Long)}, [](ProcedureContext& ctx) {
        ctx.run("UPDATE zev_store SET description = 'changed' WHERE store_no = ?",
                {*ctx.integer("@store_no")});
        ctx.run("INSERT INTO zev_store (store_no) VALUES (?)", {*ctx.integer("@store_no")});
    });
    catalog.add("ZEV_SP_Refusing", {Out("@message", ParameterType::Text)}, [](ProcedureContext& ctx) {
        ctx.run("DELETE FROM zev_store_screen");
        ctx.refuse(-1, "Not today.");
    });
    SqlConnection db(SqlSession::Open(database().target()), "admin", catalog);
    auto command = Procedure(db, "ZEV_SP_HalfWay");
    command->Parameters()->Item("@store_no")->setValue(int32_t(1));
    int16_t succeeded = 7;
    EXPECT_NE(RaisedNumber([&] { db.ExecuteCommand(command, 0, succeeded); }), 0);
    EXPECT_EQ(succeeded, 0);
    EXPECT_EQ(database().count("zev_store", "description = 'changed'"), 0);

    const auto refused = ProcedureRun::Command(db, "ZEV_SP_Refusing");
    EXPECT_EQ(refused.returnValue, Variant(int32_t(-1)));
    EXPECT_EQ(refused.message, "Not today.");
    EXPECT_EQ(database().count("zev_store_screen"), 5);
}

TEST_P(Connection, OutputsAreReadableWhileRowsAreOpenAndCallsMayFollow) {
    auto db = connection();
    auto command = Procedure(*db, "ZEV_SP_STORE_GetOrderData");
    command->Parameters()->Item("@store_no")->setValue(int32_t(1));
    command->Parameters()->Item("@shopping_cart_no")->setValue(100001.0);
    command->Parameters()->Item("@zev_user")->setValue(db->CurrentUser());
    int16_t failed = 0;
    auto rows = db->ExecuteRecordset(command, failed, -1);
    EXPECT_EQ(command->Parameters()->Item("@view_card")->Value(), Variant(true));
    ASSERT_FALSE(rows->Eof());
    // Another call while these rows are still open.
    const auto stores = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetStore");
    EXPECT_EQ(stores.rows.size(), 3u);
    EXPECT_TRUE(rows->Fields("shopping_cart_data")->Value().toText().contains(QLatin1String("CARD_NO")));
    rows->Close();

    // A long result read part-way: a write runs meanwhile, the rest still arrives whole and in order.
    const QString numbers = "SELECT x FROM (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c "
                            "WHERE x < 5000) SELECT x FROM c) AS t ORDER BY x";
    const auto readUpTo = [](Recordset& open, int32_t last) {
        for (int32_t expected = open.Fields("x")->Value().toInt32(); expected <= last; ++expected) {
            ASSERT_EQ(open.Fields("x")->Value(), Variant(expected));
            open.MoveNext();
        }
    };
    auto many = db->OpenRecordset(numbers, 0);
    readUpTo(*many, 1000);
    const ProcedureRun::Inputs payPal{{"@store_no", 3}, {"@pay_method_id", "PAYPAL"}};
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateStorePayMethod", payPal).returnValue,
              Variant(0));
    readUpTo(*many, 5000);
    EXPECT_TRUE(many->Eof());
    EXPECT_EQ(database().count("zev_store_pay_method", "store_no = 3 AND pay_method_id = 'PAYPAL'"), 1);

    // Left half-way, or cut off by the server: no transaction stays open and the next call works.
    many = db->OpenRecordset(numbers, 0);
    readUpTo(*many, 300);
    many.reset();
    EXPECT_FALSE(db->session()->inTransaction());
    if (database().backend() == Backend::PostgreSQL) {
        const QVariant pid = db->session()->scalar("SELECT pg_backend_pid()");
        many = db->OpenRecordset(numbers, 0);
        SqlSession::Open(database().target())->scalar("SELECT pg_terminate_backend(?)", {pid});
        EXPECT_EQ(RaisedNumber([&] { readUpTo(*many, 5000); }), ErrorNumbers::ConnectionFailed);
        EXPECT_FALSE(db->session()->inTransaction());
    }
    EXPECT_EQ(ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetStore").rows.size(), 3u);
}

TEST_P(Connection, ALockedDatabaseIsRaisedALostOneOpenedAgainAndTheNextCallWorks) {
    auto db = connection();
    auto other = SqlSession::Open(database().target());
    const ProcedureRun::Inputs payPal{{"@store_no", 3}, {"@pay_method_id", "PAYPAL"}};
    if (database().backend() == Backend::PostgreSQL) {
        // The server ends the connection between two calls: the next call opens it again.
        const QVariant pid = db->session()->scalar("SELECT pg_backend_pid()");
        other->scalar("SELECT pg_terminate_backend(?)", {pid});
        EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateStorePayMethod", payPal).returnValue,
                  Variant(0));
        EXPECT_EQ(database().count("zev_store_pay_method", "store_no = 3 AND pay_method_id = 'PAYPAL'"), 1);
        return;
    }
    // Another user holds the write lock; this connection gives up quickly instead of waiting.
    db->session()->execute("PRAGMA busy_timeout = 50");
    other->begin();
    other->run("UPDATE zev_store SET description = 'busy' WHERE store_no = 3");
    // Readers are not held up by the writer.
    EXPECT_EQ(ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetStore").rows.size(), 3u);
    try {
        ProcedureRun::Command(*db, "ZEV_SP_STORE_UpdateStorePayMethod", payPal);
        FAIL() << "nothing was raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number, 5) << error.description.toStdString();
    }
    other->rollback();
    EXPECT_EQ(database().count("zev_store_pay_method", "store_no = 3 AND pay_method_id = 'PAYPAL'"), 0);
    auto fresh = connection();
    EXPECT_EQ(ProcedureRun::Rows(*fresh, "ZEV_SP_STORE_GetStore").rows.size(), 3u);
}

ZEV_INSTANTIATE_BACKENDS(Connection);

class EmptySchema : public DatabaseTest {
protected:
    bool seeded() const override { return false; }
};

TEST_P(EmptySchema, AnOlderDatabaseIsUpgradedInPlaceAndANewerOneRefused) {
    // Take the schema back to version 1 by hand: drop what the later versions added.
    auto& s = database().session();
    if (s.backend() == Backend::SQLite) {
        QStringList triggers;
        for (QSqlQuery q = s.run("SELECT name FROM sqlite_master WHERE type = 'trigger'"); q.next();)
            triggers << q.value(0).toString();
        for (const QString& trigger : triggers)
            s.execute("DROP TRIGGER " + trigger);
        s.execute("DROP TABLE zev_change_history_record");
        s.execute("DROP TABLE zev_change_history_indexed");
    } else {
        for (const QString& table : Schema::HistoryTables())
            s.execute("DROP FUNCTION zev_history_" + table + "() CASCADE");
    }
    s.execute("DROP TABLE " + Schema::History);
    s.execute("DROP INDEX zev_store_product_order");
    s.execute("DROP INDEX zev_shopping_cart_store");
    s.execute("ALTER TABLE zev_store DROP COLUMN location_register");
    s.execute("ALTER TABLE zev_store_product_item DROP COLUMN prompt_alert");
    s.run("UPDATE zev_schema_version SET version = 1");
    s.run("INSERT INTO zev_store (store_no, description) VALUES (7, 'Old Store')");
    ASSERT_EQ(Schema::Version(s), 1);

    auto upgraded = SqlConnection::Open(database().target(), "admin");
    EXPECT_EQ(Schema::Version(*upgraded->session()), Schema::CurrentVersion);
    const auto store = ProcedureRun::Rows(*upgraded, "ZEV_SP_STORE_GetStore", {{"@store_no", int32_t(7)}});
    ASSERT_EQ(store.rows.size(), 1u);
    EXPECT_EQ(store.at(0, "description"), Variant("Old Store"));
    EXPECT_EQ(store.at(0, "location_register"), Variant(int32_t(0)));
    // The upgraded database keeps its changes.
    ProcedureRun::Command(*upgraded, "UpdateStore: store_no=7; description=Renamed");
    EXPECT_EQ(database().count(Schema::History, "table_name = 'zev_store' AND record_key = '7'"), 1);
    // On SQLite a connection's first save brings the record index up to date.
    if (s.backend() == Backend::SQLite) {
        EXPECT_EQ(s.scalar("SELECT upto FROM zev_change_history_indexed").toLongLong(),
                  s.scalar("SELECT MAX(history_no) FROM " + Schema::History).toLongLong());
    }

    s.run("UPDATE zev_schema_version SET version = 99");
    try {
        SqlConnection::Open(database().target(), "admin");
        FAIL() << "a newer database was opened";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(error.description.contains(QLatin1String("newer program")));
    }
}

ZEV_INSTANTIATE_BACKENDS(EmptySchema);

TEST(DemoDatabase, IsCreatedOnceAndMakesTheLoginAnAdministrator) {
    QTemporaryDir folder;
    const QString path = folder.filePath("demo.db");
    {
        auto db = DemoData::CreateDemoDatabase(path, "jdoe");
        EXPECT_EQ(db->CurrentUser(), "jdoe");
    }
    auto again = DemoData::CreateDemoDatabase(path, "jdoe");
    EXPECT_EQ(again->session()->scalar("SELECT COUNT(*) FROM zev_store").toInt(), 3);
    EXPECT_EQ(again->session()->scalar("SELECT COUNT(*) FROM zev_user_right WHERE user_id = 'jdoe'").toInt(),
              3);
    EXPECT_EQ(again->session()->scalar("PRAGMA journal_mode").toString(), "wal");
    EXPECT_EQ(again->session()->scalar("PRAGMA foreign_keys").toInt(), 1);
}

} // namespace
