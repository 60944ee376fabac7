#include "database/ChangeHistory.h"

#include "database/Schema.h"
#include "database/Transaction.h"
#include "sdk/ChangedColumns.h"

std::vector<HistoryChange> ChangeHistory::Read(SqlSession& session, const HistoryFilter& filter,
                                               qint64 olderThan, int limit) {
    QStringList where{QStringLiteral("1 = 1")};
    QVariantList values;
    const auto add = [&](const QString& condition, const QVariant& value) {
        where << condition;
        values << value;
    };
    if (filter.storeNo)
        add(QStringLiteral("store_no = ?"), *filter.storeNo);
    if (!filter.user.isEmpty())
        add(QStringLiteral("changed_by = ?"), filter.user);
    // A table alone is a large share of the history: newest first through the history's own order finds a
    // page at once, where the record index would hand over all of the table's changes to be sorted.
    if (!filter.table.isEmpty() && !filter.recordKey.isEmpty())
        where << RecordCondition(session.backend(), filter.table, filter.recordKey, values);
    else if (!filter.table.isEmpty())
        add(QStringLiteral("(table_name || '') = ?"), filter.table);
    else if (!filter.recordKey.isEmpty())
        add(QStringLiteral("record_key = ?"), filter.recordKey);
    // "yyyy-MM-dd HH:mm:ss" text sorts as the time it is.
    if (filter.from.isValid())
        add(QStringLiteral("changed_at >= ?"), filter.from.toString(QStringLiteral("yyyy-MM-dd")));
    if (filter.to.isValid())
        add(QStringLiteral("changed_at < ?"), filter.to.addDays(1).toString(QStringLiteral("yyyy-MM-dd")));
    if (olderThan > 0)
        add(QStringLiteral("history_no < ?"), olderThan);
    values << limit;
    QSqlQuery rows = session.run(
        QStringLiteral(
            "SELECT history_no, changed_at, changed_by, table_name, record_key, action, old_values, "
            "new_values FROM %1 WHERE %2 ORDER BY history_no DESC LIMIT ?")
            .arg(Schema::History, where.join(QStringLiteral(" AND "))),
        values);
    std::vector<HistoryChange> changes;
    while (rows.next()) {
        HistoryChange change;
        change.no = rows.value(0).toLongLong();
        change.when = rows.value(1).toString();
        change.who = rows.value(2).toString();
        change.table = rows.value(3).toString();
        change.recordKey = rows.value(4).toString();
        change.action = rows.value(5).toString();
        change.columns = ChangedColumns(rows.value(6).toString(), rows.value(7).toString());
        changes.push_back(std::move(change));
    }
    return changes;
}

int ChangeHistory::Prune(SqlSession& session, const QDate& before) {
    Transaction transaction(session);
    // "yyyy-MM-dd HH:mm:ss" text sorts as the time it is; the day alone sorts before its first second.
    const QString day = before.toString(QStringLiteral("yyyy-MM-dd"));
    if (session.backend() == Backend::SQLite)
        session.run(QStringLiteral("DELETE FROM zev_change_history_record WHERE history_no IN (SELECT "
                                   "history_no FROM %1 WHERE changed_at < ?)")
                        .arg(Schema::History),
                    {day});
    QSqlQuery removed =
        session.run(QStringLiteral("DELETE FROM %1 WHERE changed_at < ?").arg(Schema::History), {day});
    const int count = removed.numRowsAffected();
    // Numbers are handed out again from the newest left: the next batch starts there.
    if (session.backend() == Backend::SQLite)
        session.run(QStringLiteral("UPDATE zev_change_history_indexed SET upto = MIN(upto, (SELECT "
                                   "COALESCE(MAX(history_no), 0) FROM %1))")
                        .arg(Schema::History));
    transaction.commit();
    return count;
}

void ChangeHistory::IndexRecent(SqlSession& session) {
    session.run(
        QStringLiteral("INSERT OR IGNORE INTO zev_change_history_record SELECT table_name, record_key, "
                       "history_no FROM %1 WHERE history_no > (SELECT upto FROM "
                       "zev_change_history_indexed)")
            .arg(Schema::History));
    session.run(
        QStringLiteral("UPDATE zev_change_history_indexed SET upto = COALESCE((SELECT MAX(history_no) "
                       "FROM %1), upto)")
            .arg(Schema::History));
}

QString ChangeHistory::RecordCondition(Backend backend, const QString& table, const QString& key,
                                       QVariantList& values) {
    if (backend == Backend::PostgreSQL) {
        values << table << key;
        return QStringLiteral("table_name = ? AND record_key = ?");
    }
    values << table << key << table << key;
    return QStringLiteral(
               "history_no IN (SELECT history_no FROM zev_change_history_record WHERE table_name = ? "
               "AND record_key = ? UNION ALL SELECT history_no FROM %1 WHERE history_no > (SELECT "
               "upto FROM zev_change_history_indexed) AND table_name = ? AND record_key = ?)")
        .arg(Schema::History);
}
