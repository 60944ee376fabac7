#include "database/DemoData.h"
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
    auto command = Procedure(*db, QStringLiteral("zev_sp_store_getstore"));
    command->Parameters()->Item(QStringLiteral("@STORE_NO"))->setValue(int32_t(1));
    EXPECT_TRUE(command->Parameters()->Item(QStringLiteral("@return_value"))->Value().isEmpty());
    EXPECT_EQ(RaisedNumber([&] { command->Parameters()->Item(QStringLiteral("@nothing")); }), 3265);

    auto unknown = db->CreateCommand(0);
    unknown->setCommandText(QStringLiteral("ZEV_SP_STORE_NoSuchThing"));
    unknown->setCommandType(Command::StoredProcedure);
    EXPECT_EQ(RaisedNumber([&] { unknown->Parameters()->Refresh(); }), 2812);
}

TEST_P(Connection, RecordSetsMoveForwardAndRefuseWhatHasNoRow) {
    auto db = connection();
    int16_t failed = 0;
    auto rows = db->ExecuteRecordset(Procedure(*db, QStringLiteral("ZEV_SP_STORE_GetStore")), failed, 0);
    ASSERT_EQ(failed, 0);
    ASSERT_EQ(rows->State(), Recordset::StateOpen);
    int count = 0;
    QStringList names;
    while (!rows->Eof()) {
        names << rows->Fields(QStringLiteral("DESCRIPTION"))->Value().toText();
        EXPECT_EQ(rows->Fields(QStringLiteral("store_no"))->Attributes(), 0);
        rows->MoveNext();
        ++count;
    }
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names, QStringList({QStringLiteral("Summit Peak Lift Tickets"),
                                  QStringLiteral("Summit Peak Rentals & Lessons"),
                                  QStringLiteral("Valley Lodge Gift Shop")}));
    EXPECT_EQ(RaisedNumber([&] { rows->Fields(QStringLiteral("store_no")); }), 3021);
    EXPECT_EQ(RaisedNumber([&] { rows->MoveNext(); }), 3021);
    rows->Close();
    EXPECT_EQ(rows->State(), Recordset::StateClosed);
    EXPECT_EQ(RaisedNumber([&] { rows->Eof(); }), 3704);

    auto one = db->OpenRecordset(QStringLiteral("SELECT store_no FROM zev_store WHERE store_no = 2"), 0);
    EXPECT_EQ(RaisedNumber([&] { one->Fields(QStringLiteral("nothing")); }), 3265);
    EXPECT_EQ(one->Fields(QStringLiteral("store_no"))->Value(), Variant(int32_t(2)));
}

TEST_P(Connection, LongTextIsServedInChunksFromTheStartOfEachRow) {
    auto db = connection();
    auto rows = db->OpenRecordset(QStringLiteral("SELECT log_no, customer_data FROM zev_customer_log "
                                                 "WHERE log_no IN (1, 2) ORDER BY log_no"),
                                  0);
    for (int row = 0; row < 2; ++row) {
        auto field = rows->Fields(QStringLiteral("customer_data"));
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
    auto nulls = db->OpenRecordset(
        QStringLiteral("SELECT old_customer_data FROM zev_customer_log WHERE log_no = 1"), 0);
    auto field = nulls->Fields(QStringLiteral("old_customer_data"));
    EXPECT_TRUE(field->Value().isNull());
    EXPECT_EQ(field->ActualSize(), 0);
    EXPECT_TRUE(field->GetChunk(10).isNull());
}

TEST_P(Connection, DatesAndLargeNumbersComeBackAsTheirKinds) {
    auto db = connection();
    const auto run = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetOrders"),
                                        {{QStringLiteral("@shopping_cart_no"), 5000000001.0}});
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.at(0, QStringLiteral("shopping_cart_no")), Variant(5000000001.0));
    EXPECT_EQ(run.at(0, QStringLiteral("inserted_datetime")),
              Variant(QDateTime(QDate(2027, 1, 2), QTime(13, 0))));
    EXPECT_EQ(run.at(0, QStringLiteral("status_id")), Variant("PAID"));
}

TEST_P(Connection, DriverErrorsAreRaisedWithTheDriversText) {
    auto db = connection();
    try {
        db->OpenRecordset(QStringLiteral("SELECT * FROM zev_no_such_table"), 0);
        FAIL() << "nothing was raised";
    } catch (const RuntimeError& error) {
        EXPECT_NE(error.number, 0);
        EXPECT_TRUE(error.description.contains(QLatin1String("zev_no_such_table")))
            << error.description.toStdString();
    }
    // The connection stays usable.
    EXPECT_FALSE(db->OpenRecordset(QStringLiteral("SELECT store_no FROM zev_store"), 0)->Eof());
}

TEST_P(Connection, ABodyThatFailsHalfwayLeavesNothingWritten) {
    ProcedureCatalog catalog;
    catalog.add(QStringLiteral("HalfWay"), {In(QStringLiteral("@store_no"), ParameterType::Long)},
                [](ProcedureContext& ctx) {
                    ctx.run(QStringLiteral("UPDATE zev_store SET description = 'changed' WHERE store_no = ?"),
                            {*ctx.integer(QStringLiteral("@store_no"))});
                    ctx.run(QStringLiteral("INSERT INTO zev_store (store_no) VALUES (?)"),
                            {*ctx.integer(QStringLiteral("@store_no"))});
                });
    catalog.add(QStringLiteral("Refusing"), {Out(QStringLiteral("@message"), ParameterType::Text)},
                [](ProcedureContext& ctx) {
                    ctx.run(QStringLiteral("DELETE FROM zev_store_screen"));
                    ctx.refuse(-1, QStringLiteral("Not today."));
                });
    SqlConnection db(SqlSession::Open(database().target()), QStringLiteral("admin"), catalog);
    auto command = Procedure(db, QStringLiteral("HalfWay"));
    command->Parameters()->Item(QStringLiteral("@store_no"))->setValue(int32_t(1));
    int16_t succeeded = 7;
    EXPECT_NE(RaisedNumber([&] { db.ExecuteCommand(command, 0, succeeded); }), 0);
    EXPECT_EQ(succeeded, 0);
    EXPECT_EQ(database().count(QStringLiteral("zev_store"), QStringLiteral("description = 'changed'")), 0);

    const auto refused = ProcedureRun::Command(db, QStringLiteral("Refusing"));
    EXPECT_EQ(refused.returnValue, Variant(int32_t(-1)));
    EXPECT_EQ(refused.message, QStringLiteral("Not today."));
    EXPECT_EQ(database().count(QStringLiteral("zev_store_screen")), 5);
}

TEST_P(Connection, OutputsAreReadableWhileRowsAreOpenAndCallsMayFollow) {
    auto db = connection();
    auto command = Procedure(*db, QStringLiteral("ZEV_SP_STORE_GetOrderData"));
    command->Parameters()->Item(QStringLiteral("@store_no"))->setValue(int32_t(1));
    command->Parameters()->Item(QStringLiteral("@shopping_cart_no"))->setValue(100001.0);
    command->Parameters()->Item(QStringLiteral("@zev_user"))->setValue(db->CurrentUser());
    int16_t failed = 0;
    auto rows = db->ExecuteRecordset(command, failed, -1);
    EXPECT_EQ(command->Parameters()->Item(QStringLiteral("@view_card"))->Value(), Variant(true));
    ASSERT_FALSE(rows->Eof());
    // Another call while these rows are still open.
    const auto stores = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetStore"));
    EXPECT_EQ(stores.rows.size(), 3u);
    EXPECT_TRUE(rows->Fields(QStringLiteral("shopping_cart_data"))
                    ->Value()
                    .toText()
                    .contains(QLatin1String("CARD_NO")));
    rows->Close();
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
    // Take the schema back to version 1 by hand: drop what version 2 added.
    auto& s = database().session();
    s.execute(QStringLiteral("DROP INDEX zev_shopping_cart_store"));
    s.execute(QStringLiteral("ALTER TABLE zev_store DROP COLUMN location_register"));
    s.execute(QStringLiteral("ALTER TABLE zev_store_product_item DROP COLUMN prompt_alert"));
    s.run(QStringLiteral("UPDATE zev_schema_version SET version = 1"));
    s.run(QStringLiteral("INSERT INTO zev_store (store_no, description) VALUES (7, 'Old Store')"));
    ASSERT_EQ(Schema::Version(s), 1);

    auto upgraded = SqlConnection::Open(database().target(), QStringLiteral("admin"));
    EXPECT_EQ(Schema::Version(*upgraded->session()), Schema::CurrentVersion);
    const auto store = ProcedureRun::Rows(*upgraded, QStringLiteral("ZEV_SP_STORE_GetStore"),
                                          {{QStringLiteral("@store_no"), int32_t(7)}});
    ASSERT_EQ(store.rows.size(), 1u);
    EXPECT_EQ(store.at(0, QStringLiteral("description")), Variant("Old Store"));
    EXPECT_EQ(store.at(0, QStringLiteral("location_register")), Variant(int32_t(0)));

    s.run(QStringLiteral("UPDATE zev_schema_version SET version = 99"));
    try {
        SqlConnection::Open(database().target(), QStringLiteral("admin"));
        FAIL() << "a newer database was opened";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(error.description.contains(QLatin1String("newer program")));
    }
}

ZEV_INSTANTIATE_BACKENDS(EmptySchema);

TEST(DemoDatabase, IsCreatedOnceAndMakesTheLoginAnAdministrator) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("demo.db"));
    {
        auto db = DemoData::CreateDemoDatabase(path, QStringLiteral("jdoe"));
        EXPECT_EQ(db->CurrentUser(), QStringLiteral("jdoe"));
    }
    auto again = DemoData::CreateDemoDatabase(path, QStringLiteral("jdoe"));
    EXPECT_EQ(again->session()->scalar(QStringLiteral("SELECT COUNT(*) FROM zev_store")).toInt(), 3);
    EXPECT_EQ(again->session()
                  ->scalar(QStringLiteral("SELECT COUNT(*) FROM zev_user_right WHERE user_id = 'jdoe'"))
                  .toInt(),
              3);
    EXPECT_EQ(again->session()->scalar(QStringLiteral("PRAGMA journal_mode")).toString(),
              QStringLiteral("wal"));
    EXPECT_EQ(again->session()->scalar(QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);
}

} // namespace
