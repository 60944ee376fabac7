#pragma once

#include "sdk/RuntimeError.h"

#include <QString>

// Someone else changed or deleted a record after it was read, and a guarded save would have written over it
// unseen: the save is refused whole, naming who did it and when.
struct ChangedMeanwhile : RuntimeError {
    ChangedMeanwhile(QString by, QString at, QString action, QString table, QString key)
        : RuntimeError(ErrorNumbers::InvalidProcedureCall,
                       QStringLiteral("%1 %2 %3/%4 at %5").arg(by, action, table, key, at)),
          changedBy(std::move(by)), changedAt(std::move(at)), action(std::move(action)),
          table(std::move(table)), key(std::move(key)) {}

    bool deleted() const { return action == QLatin1String("DELETE"); }

    QString changedBy;
    QString changedAt;
    // INSERT, UPDATE or DELETE: the other person's newest change of the record.
    QString action;
    QString table;
    QString key;
};

// What a host connection that keeps a change history offers its editors against overwriting someone else's
// save unseen. A connection without a history does not offer it, and saves go ahead as before.
class ChangeGuard {
public:
    virtual ~ChangeGuard() = default;
    // Which changes the database holds now, in a form only the connection reads; an editor notes it before it
    // reads its record.
    virtual QString ChangesSeen() = 0;
    // From now on a write that changes a record someone else changed since seen is refused with
    // ChangedMeanwhile, and so is a refused write of the opened record (its table and key) when someone else
    // deleted that record since; an empty seen lifts the guard.
    virtual void GuardWritesSince(const QString& seen, const QString& table, const QString& key) = 0;
};
