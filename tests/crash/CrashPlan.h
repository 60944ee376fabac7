#pragma once

#include "database/SqlConnection.h"

#include <QString>
#include <set>

// The saves the crash test makes, in an order fixed by their number: cycle k builds store 1000 + k with its
// group, fee, pay method, screen, list and register, a product with two items, a link and a list entry,
// adds a user with rights, moves the product to a new number (its items, link and entry follow), changes
// the user's rights, and deletes the store and the user of cycle k - 2. From a number of saves made, the
// rows the database must hold follow, so a check can tell a whole save from a part of one.
class CrashPlan {
public:
    static constexpr int Steps = 18; // saves per cycle
    static constexpr int FirstStore = 1000;

    // users: the prefix of the user names, unique on the server; logins: PostgreSQL keeps a login per user.
    CrashPlan(QString users, bool logins) : m_users(std::move(users)), m_logins(logins) {}
    const QString& userPrefix() const { return m_users; }

    // Makes save number `save` through the procedures; raises what the connection raises and a refusal.
    void save(SqlConnection& connection, qint64 save) const;
    // "cycle 3, step 16: DeleteStore", for a report.
    static QString Describe(qint64 save);
    // The oldest cycle whose store's history is still kept after `saves` saves; older history is pruned.
    static qint64 OldestKept(qint64 saves);
    // The rows of the test's stores, users, logins, the register and the stores' history (from cycle oldest
    // on, older history pruned) after the first `saves` saves, as CrashCheck reads them.
    std::set<QString> expected(qint64 saves, qint64 oldest) const;

private:
    QString user(qint64 cycle) const { return m_users + QString::number(cycle); }
    void cycleRows(std::set<QString>& rows, qint64 cycle, int made, bool deleted) const;
    void userRows(std::set<QString>& rows, qint64 cycle, int made) const;

    QString m_users;
    bool m_logins;
};
