#include "database/ConflictCheck.h"

#include "sdk/ChangeGuard.h"

#include <QVariant>

namespace {

qint64 Newest(SqlSession& session) {
    return session.firstRow(QStringLiteral("SELECT COALESCE(MAX(history_no), 0) FROM zev_change_history"))
        .value(0)
        .toLongLong();
}

// Every change of a record this transaction wrote (numbered after it began), made by anyone else after the
// saver's look: on SQLite the write lock was held from the start, so every change numbered above it is ours
// and every other one up to it came after a look numbered below it; on PostgreSQL the rows' own
// transactions tell.
// SQLite walks the others' changes by number and looks each up among this transaction's few: joined the other
// way round it would build an index of the whole history for every save.
const char* const SqliteConflict =
    "SELECT o.changed_by, o.changed_at, o.action, o.table_name, o.record_key FROM zev_change_history o "
    "WHERE o.history_no > ? AND o.history_no <= ? AND EXISTS (SELECT 1 FROM zev_change_history mine "
    "WHERE mine.history_no > ? AND +mine.table_name = o.table_name AND +mine.record_key = o.record_key) "
    "ORDER BY o.history_no DESC LIMIT 1";
// PostgreSQL: a record's changes are numbered in the order they committed, as each waited for the row lock
// of the one before; so only the newest change of each record by another transaction can be one the saver
// had not seen, and one index step per record finds it however long the record's history.
const char* const PostgresConflict =
    "SELECT o.changed_by, o.changed_at, o.action, o.table_name, o.record_key FROM (SELECT DISTINCT "
    "table_name, record_key FROM zev_change_history WHERE history_no > ? AND tx_id = pg_current_xact_id()) "
    "mine CROSS JOIN LATERAL (SELECT * FROM zev_change_history o WHERE o.table_name = mine.table_name AND "
    "o.record_key = mine.record_key AND o.tx_id <> pg_current_xact_id() ORDER BY o.history_no DESC LIMIT 1) "
    "o WHERE NOT pg_visible_in_snapshot(o.tx_id, CAST(? AS pg_snapshot)) ORDER BY o.history_no DESC LIMIT 1";

// The opened record's deletion by someone else since the saver's look.
const char* const SqliteDeleted =
    "SELECT changed_by, changed_at, action, table_name, record_key FROM zev_change_history "
    "WHERE table_name = ? AND record_key = ? AND action = 'DELETE' AND history_no > ? "
    "ORDER BY history_no DESC LIMIT 1";
const char* const PostgresDeleted =
    "SELECT changed_by, changed_at, action, table_name, record_key FROM zev_change_history "
    "WHERE table_name = ? AND record_key = ? AND action = 'DELETE' "
    "AND NOT pg_visible_in_snapshot(tx_id, CAST(? AS pg_snapshot)) ORDER BY history_no DESC LIMIT 1";

// PostgreSQL: the snapshot and, after a bar, the newest number then. Every change of a save made later is
// numbered above it, so the save's own are found among the few since without asking at the save's start.
const char* const PostgresSeen = "SELECT CAST(pg_current_snapshot() AS TEXT) || '|' || "
                                 "COALESCE(MAX(history_no), 0) FROM zev_change_history";

} // namespace

ConflictCheck::ConflictCheck(SqlSession& session, Guard guard)
    : m_session(session), m_guard(std::move(guard)),
      m_start(session.backend() == Backend::SQLite ? Newest(session)
                                                   : m_guard.seen.section(QLatin1Char('|'), 1).toLongLong()) {
    if (session.backend() == Backend::PostgreSQL)
        m_guard.seen = m_guard.seen.section(QLatin1Char('|'), 0, 0);
}

QString ConflictCheck::Seen(SqlSession& session) {
    if (session.backend() == Backend::SQLite)
        return QString::number(Newest(session));
    return session.firstRow(QString::fromLatin1(PostgresSeen)).value(0).toString();
}

void ConflictCheck::verify(bool refused) {
    const bool sqlite = m_session.backend() == Backend::SQLite;
    if (refused && m_guard.table.isEmpty())
        return;
    QVariantList row;
    if (refused)
        row = m_session.firstRow(QString::fromLatin1(sqlite ? SqliteDeleted : PostgresDeleted),
                                 {m_guard.table, m_guard.key,
                                  sqlite ? QVariant(m_guard.seen.toLongLong()) : QVariant(m_guard.seen)});
    else if (sqlite)
        row = m_session.firstRow(QString::fromLatin1(SqliteConflict),
                                 {m_guard.seen.toLongLong(), m_start, m_start});
    else
        row = m_session.firstRow(QString::fromLatin1(PostgresConflict), {m_start, m_guard.seen});
    if (row.isEmpty())
        return;
    throw ChangedMeanwhile(row[0].toString(), row[1].toString(), row[2].toString(), row[3].toString(),
                           row[4].toString());
}
