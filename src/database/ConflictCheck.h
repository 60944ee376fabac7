#pragma once

#include "database/SqlSession.h"

#include <QString>

// The check a guarded save runs inside its transaction, before it commits: has anyone else changed one of the
// records this save changed since the saver read it? Started right after the transaction begins; on SQLite
// it notes where the history stood, so that the save's own history rows can be told from everyone else's.
class ConflictCheck {
public:
    // What a guarded save holds: which changes its editor had seen, and the record it opened.
    struct Guard {
        QString seen;
        QString table;
        QString key;
    };

    ConflictCheck(SqlSession& session, Guard guard);
    // Raises ChangedMeanwhile with the other person's newest change of such a record; for a refused write,
    // when someone else deleted the opened record, which is why the procedure found nothing to change.
    void verify(bool refused);

    // Which changes the database holds now. SQLite: the newest change's number (one writer at a time, so
    // every later change has a higher one). PostgreSQL: the server's snapshot, since numbers are handed out
    // before their transactions commit, in any order, and the newest number.
    static QString Seen(SqlSession& session);

private:
    SqlSession& m_session;
    Guard m_guard;
    qint64 m_start;
};
