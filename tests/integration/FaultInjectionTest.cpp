#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "dbsupport/WritingCalls.h"
#include "store/data/ErrorState.h"
#include "store/data/StoredProcedureCall.h"
#include "support/RecordingErrorObject.h"

#include <QSqlRecord>
#include <iostream>

namespace {

// A query whose answer is every table, every row, as one text: rows sorted, so that the order a server hands
// them back in is not a difference. One query, as it runs before and after each of several hundred faults.
QString DumpQuery(TestDatabase& db) {
    const bool sqlite = db.backend() == Backend::SQLite;
    const QString tables =
        sqlite ? QStringLiteral(
                     "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'")
               : QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                "current_schema() AND table_type = 'BASE TABLE'");
    QStringList parts;
    for (QSqlQuery query = db.session().run(tables); query.next();) {
        const QString table = query.value(0).toString();
        QStringList cells{QStringLiteral("t::text")};
        if (sqlite) {
            const QSqlRecord columns = db.session().run("SELECT * FROM " + table + " WHERE 1 = 0").record();
            cells.clear();
            for (int c = 0; c < columns.count(); ++c)
                cells << "quote(" + columns.fieldName(c) + ")";
        }
        parts << QStringLiteral(
                     "'%1:' || COALESCE((SELECT %2 FROM (SELECT %3 AS r FROM %1 t ORDER BY r) x), '')")
                     .arg(table, sqlite ? "group_concat(r, '#')" : "string_agg(r, '#' ORDER BY r)",
                          cells.join(" || '|' || "));
    }
    return "SELECT " + parts.join(" || '~' || ");
}

class FaultInjection : public DatabaseTest {};

// Every writing procedure, failed or cut off at each of its statements in turn, leaves every table as it was,
// is reported through the error object, and the next call on the same connection works.
TEST_P(FaultInjection, EveryStatementOfEveryWriteFailsWhole) {
    QStringList covered;
    for (const char* line : WritingCalls)
        covered << ProcedureRun::Parse(QString::fromLatin1(line)).first.toLower();
    for (const QString& name : ProcedureCatalog::Standard().names()) {
        const bool writes = !ProcedureCatalog::Standard().find(name)->readOnly;
        EXPECT_TRUE(!writes || covered.contains(name.toLower())) << name.toStdString() << " has no test call";
    }

    auto connection = this->connection();
    SqlSession& session = *connection->session();
    ErrorState state("FaultInjection");
    const QString dumpQuery = DumpQuery(db());
    const auto dump = [&] { return db().session().scalar(dumpQuery).toString(); };
    int statements = 0;
    for (const char* line : WritingCalls) {
        const auto [name, inputs] = ProcedureRun::Parse(QString::fromLatin1(line));
        const QString before = dump();
        bool whole = false;
        for (int statement = 1; !whole; ++statement) {
            for (const auto fault : {SqlSession::Fault::Fail, SqlSession::Fault::Drop}) {
                auto errors = std::make_shared<RecordingErrorObject>();
                Variant returned;
                session.injectFault(statement, fault);
                const bool completed = state.Guard(errors, "Run", [&] {
                    StoredProcedureCall call(connection, name);
                    for (const auto& [parameter, value] : inputs)
                        call.set(parameter, value);
                    const bool ran = call.run();
                    returned = call.returnValue();
                    return ran;
                });
                const std::string where = QStringLiteral("%1 at statement %2 (%3)")
                                              .arg(name)
                                              .arg(statement)
                                              .arg(int(fault))
                                              .toStdString();
                if (session.faultPending()) {
                    // Fewer statements than that: the call ran whole and must have written.
                    session.injectFault(0);
                    EXPECT_TRUE(completed && returned.toInt32() >= 0) << where;
                    EXPECT_NE(dump(), before) << where << ": nothing was written";
                    whole = true;
                    break;
                }
                statements += fault == SqlSession::Fault::Fail;
                EXPECT_FALSE(completed) << where;
                ASSERT_EQ(errors->reports.size(), 1u) << where;
                EXPECT_EQ(errors->reports[0].source, state.ErrorSource() + " Run");
                if (dump() != before) // not EXPECT_EQ: both texts hold every row
                    ADD_FAILURE() << where << ": a partial write";
            }
        }
    }
    std::cout << "Fault injection on " << db().backendName().toStdString() << ": " << std::size(WritingCalls)
              << " writing procedures, " << statements << " statements each failed and cut off\n";
}

ZEV_INSTANTIATE_BACKENDS(FaultInjection);

} // namespace
