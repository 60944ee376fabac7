#pragma once

#include "database/SqlSession.h"

#include <QStringList>
#include <vector>

// The database's users and their rights, kept without writing SQL: what the administration command does.
// Every refusal (a bad name, an unknown right or user) is raised as a RuntimeError with a sentence for a
// person, and leaves the database as it was. On PostgreSQL every user is also a login of the server, a
// member of the database's group role for each right held and of the one for every user (Schema::Groups);
// the administering login runs these, and it must be allowed to create roles.
class UserAdmin {
public:
    struct User {
        QString name;
        QString fullName;
        QStringList rights;
    };

    explicit UserAdmin(SqlSession& session) : m_session(session) {}

    // The rights the store module asks about, in the order they are listed.
    static QStringList KnownRights();
    // "store, STOREADMIN" as the known rights it names, in upper case; an empty text names none.
    static QStringList ParseRights(const QString& list);
    // Refuses a name the users table cannot hold or a command line would misread.
    static void CheckName(const QString& name);

    // Adds the user when missing and gives every known right; false when it had them all already. The name
    // is taken as it is (a first run makes the login name an administrator, whatever it looks like).
    bool MakeAdministrator(const QString& name);
    // On PostgreSQL also the login, with this password, unless the server has that login already (from
    // another database): then it keeps its own. True when a login was made.
    bool Add(const QString& name, const QString& fullName, const QStringList& rights,
             const QString& password = {});
    // Replaces the user's rights with these.
    void SetRights(const QString& name, const QStringList& rights);
    // False when the login stays because the server still uses it elsewhere.
    bool Remove(const QString& name);

    // PostgreSQL keeps a login per user; SQLite has no logins, its file's permissions guard it.
    bool UsesLogins() const;
    bool LoginExists(const QString& name);
    // A new password for the user's login (made when the user has none yet).
    void SetPassword(const QString& name, const QString& password);
    // Each of these users without a login gets one without a password (it cannot sign in until
    // SetPassword), and every login the group roles of its rights. What was done, for a person.
    QStringList GiveLogins(const QStringList& names);
    // Refuses a name the server cannot take for a login.
    static void CheckLoginName(const QString& name);
    // Every user by name, with the rights held.
    std::vector<User> List();
    bool Exists(const QString& name);

private:
    void RequireExisting(const QString& name);
    void Grant(const QString& name, const QStringList& rights);
    // Makes the login exactly a member of the group roles of the rights and the users' group; true when
    // that changed anything.
    bool Join(const QString& name, const QStringList& rights);
    void RequireGroups();
    void LockRoles();

    SqlSession& m_session;
};
