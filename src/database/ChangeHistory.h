#pragma once

#include "database/HistoryChange.h"
#include "database/HistoryFilter.h"
#include "database/SqlSession.h"

#include <QDate>
#include <vector>

// The change history the database's triggers keep (Schema::History): read a page at a time, and kept small.
class ChangeHistory {
public:
    // Up to limit changes that fit the filter, newest first, older than the change numbered olderThan (0:
    // from the newest). One indexed query, however long the history.
    static std::vector<HistoryChange> Read(SqlSession& session, const HistoryFilter& filter, qint64 olderThan,
                                           int limit);
    // Removes every change made before the day, in one transaction; how many. PostgreSQL: the owner of the
    // tables only.
    static int Prune(SqlSession& session, const QDate& before);
    // SQLite: adds the changes since the last batch to the record index, inside the caller's transaction.
    // Cheaper in batches than on every change; the writing connection calls it every so many saves.
    static void IndexRecent(SqlSession& session);
    // The condition that finds one record's changes by its index, its values added to values. On SQLite the
    // index is brought up to date in batches, so the changes since the last batch are read as well.
    static QString RecordCondition(Backend backend, const QString& table, const QString& key,
                                   QVariantList& values);
};
