#pragma once

#include "database/SqlSession.h"

#include <QStringList>
#include <set>

// What the crash test looks at after a kill: whether the database is whole by its own account, and the
// rows the saves wrote, in the form CrashPlan expects them.
class CrashCheck {
public:
    CrashCheck(SqlSession& session, QString userPrefix)
        : m_session(session), m_users(std::move(userPrefix)) {}

    // SQLite: the integrity and foreign key checks; PostgreSQL: every B-tree index against its table (when
    // the server has amcheck) and every foreign key row by row. What is wrong, empty when nothing is.
    QStringList health();
    // The test's stores' rows (store numbers from firstStore on), users, logins, the register, and the
    // stores' history from historyFrom on.
    std::set<QString> rows(int firstStore, int historyFrom);
    // Removes the history older than the store historyFrom, so the database stays small over many kills.
    void prune(int historyFrom);
    // How many separate checks health() runs.
    int healthChecks() const { return m_session.backend() == Backend::SQLite ? 2 : (m_amcheck ? 2 : 1); }

private:
    QStringList sqliteHealth();
    QStringList serverHealth();
    void addRows(std::set<QString>& rows, const QString& label, const QString& sql,
                 const QVariantList& values);
    void addHistory(std::set<QString>& rows, int historyFrom);
    void addLogins(std::set<QString>& rows);

    SqlSession& m_session;
    QString m_users;
    bool m_amcheck = false;
};
