#include "database/Schema.h"
#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "dbsupport/WritingCalls.h"
#include "sdk/RuntimeError.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

namespace {

class ChangeHistory : public DatabaseTest {
protected:
    // The person making the changes: on PostgreSQL a login of their own with the STORE right only, so that
    // the history is written for a login that may not write it.
    std::shared_ptr<SqlConnection> Clerk() {
        if (db().backend() == Backend::SQLite)
            return connection(QStringLiteral("clerk"));
        login = db().login(QStringLiteral("clerk"), {QStringLiteral("STORE")});
        return SqlConnection::Open(db().targetAs(login, db().password(login)), QStringLiteral("admin"));
    }
    QString login;
    qint64 Last() {
        return db()
            .scalar(QStringLiteral("SELECT COALESCE(MAX(history_no), 0) FROM ") + Schema::History)
            .toLongLong();
    }
    static QJsonObject Json(const QVariant& text) {
        return QJsonDocument::fromJson(text.toString().toUtf8()).object();
    }
};

// Every writing procedure leaves history rows in its transaction, naming the signed-in person, a kept table,
// the record's key and the columns that changed with their old and new values; a refusal leaves none.
TEST_P(ChangeHistory, EveryWriteIsKeptWithItsPersonAndChangedColumnsAndARefusalLeavesNone) {
    auto clerk = Clerk();
    const QString who = clerk->CurrentUser();
    const QStringList kept = Schema::HistoryTables();
    for (const char* line : WritingCalls) {
        SCOPED_TRACE(line);
        const qint64 before = Last();
        const auto run = ProcedureRun::Command(*clerk, QString::fromLatin1(line));
        ASSERT_GE(run.returnValue.toInt32(), 0) << run.message.toStdString();
        QSqlQuery rows = db().session().run(
            QStringLiteral("SELECT changed_by, table_name, record_key, action, old_values, new_values, "
                           "changed_at FROM %1 WHERE history_no > ? ORDER BY history_no")
                .arg(Schema::History),
            {before});
        int count = 0;
        for (; rows.next(); ++count) {
            const QString table = rows.value(1).toString(), action = rows.value(3).toString();
            const QJsonObject old = Json(rows.value(4)), now = Json(rows.value(5));
            EXPECT_EQ(rows.value(0).toString(), who);
            EXPECT_TRUE(kept.contains(table)) << table.toStdString();
            EXPECT_EQ(rows.value(6).toString().size(), 19);
            // The key as the record has it after the change (before it, for a delete): an update names only
            // the key columns it changed.
            const QJsonObject record = action == QLatin1String("DELETE") ? old : now;
            const QStringList key = Schema::HistoryKey(table), parts = rows.value(2).toString().split(u'/');
            ASSERT_EQ(parts.size(), key.size()) << rows.value(2).toString().toStdString();
            for (qsizetype i = 0; i < key.size(); ++i) {
                if (record.contains(key[i]) || action != QLatin1String("UPDATE")) {
                    EXPECT_EQ(record.value(key[i]).toVariant().toString(), parts[i]) << table.toStdString();
                }
            }
            if (action == QLatin1String("UPDATE")) {
                // Only the columns that changed, each with both values.
                EXPECT_FALSE(old.isEmpty());
                EXPECT_EQ(old.keys(), now.keys());
                for (const QString& column : old.keys())
                    EXPECT_NE(old.value(column), now.value(column)) << column.toStdString();
            } else {
                EXPECT_TRUE(action == QLatin1String("INSERT") ? old.isEmpty() && !now.isEmpty()
                                                              : now.isEmpty() && !old.isEmpty())
                    << action.toStdString();
            }
        }
        EXPECT_GT(count, 0) << "no history";
    }

    // What the history says of one change: the store's new name, and the old one beside it.
    const auto [old, now] = [&] {
        QSqlQuery row = db().session().run(
            QStringLiteral("SELECT old_values, new_values FROM %1 WHERE table_name = 'zev_store' AND "
                           "record_key = '1' AND action = 'UPDATE'")
                .arg(Schema::History));
        EXPECT_TRUE(row.next());
        return std::pair{Json(row.value(0)), Json(row.value(1))};
    }();
    EXPECT_EQ(now.value("description").toString(), "Summit Peak");
    EXPECT_FALSE(old.value("description").toString().isEmpty());

    const qint64 before = Last();
    const auto refused = ProcedureRun::Command(*clerk, "UpdateStore: store_no=1; description=NULL");
    EXPECT_EQ(refused.message, "A store needs a description.");
    EXPECT_EQ(Last(), before);

    // The clerk reads the history and cannot change it.
    if (db().backend() == Backend::PostgreSQL) {
        auto plain = SqlSession::Open(db().targetAs(login, db().password(login)));
        EXPECT_EQ(plain->scalar("SELECT COUNT(*) FROM " + Schema::History).toLongLong(),
                  db().scalar("SELECT COUNT(*) FROM " + Schema::History).toLongLong());
        for (const QString& sql :
             {"DELETE FROM " + Schema::History, "UPDATE " + Schema::History + " SET changed_by = 'someone'"})
            EXPECT_THROW(plain->run(sql), RuntimeError) << sql.toStdString();
        EXPECT_EQ(Last(), before);
    }
}

// A change made outside the program is kept too, under the connection's own person.
TEST_P(ChangeHistory, APlainSqlChangeIsKeptAndAnUpdateChangingNothingIsNot) {
    auto& session = db().session();
    const qint64 before = Last();
    session.run(
        QStringLiteral("UPDATE zev_store_fee SET fee_amount = 9 WHERE store_no = 1 AND fee_id = 'SERVICE'"));
    session.run(QStringLiteral("UPDATE zev_store SET description = description WHERE store_no = 1"));
    ASSERT_EQ(Last(), before + 1);
    QSqlQuery row =
        session.run(QStringLiteral("SELECT table_name, record_key, action, changed_by, new_values "
                                   "FROM %1 WHERE history_no > ?")
                        .arg(Schema::History),
                    {before});
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), "zev_store_fee");
    EXPECT_EQ(row.value(1).toString(), "1/SERVICE");
    EXPECT_EQ(row.value(2).toString(), "UPDATE");
    EXPECT_FALSE(row.value(3).toString().isEmpty());
    EXPECT_EQ(Json(row.value(4)).value("fee_amount").toDouble(), 9.0);
}

ZEV_INSTANTIATE_BACKENDS(ChangeHistory);

} // namespace
