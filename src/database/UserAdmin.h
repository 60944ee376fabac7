#pragma once

#include "database/SqlSession.h"

#include <QStringList>
#include <vector>

// The database's users and their rights, kept without writing SQL: what the administration command does.
// Every refusal (a bad name, an unknown right or user) is raised as a RuntimeError with a sentence for a
// person, and leaves the database as it was.
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
    void Add(const QString& name, const QString& fullName, const QStringList& rights);
    // Replaces the user's rights with these.
    void SetRights(const QString& name, const QStringList& rights);
    void Remove(const QString& name);
    // Every user by name, with the rights held.
    std::vector<User> List();
    bool Exists(const QString& name);

private:
    void RequireExisting(const QString& name);
    void Grant(const QString& name, const QStringList& rights);

    SqlSession& m_session;
};
