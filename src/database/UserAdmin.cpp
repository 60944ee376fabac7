#include "database/UserAdmin.h"

#include "database/HostRights.h"
#include "database/LoginPassword.h"
#include "database/Schema.h"
#include "database/Transaction.h"
#include "sdk/RuntimeError.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int MaxNameLength = 50;
constexpr int MaxFullNameLength = 100;

[[noreturn]] void Refuse(const QString& sentence) {
    throw RuntimeError(ErrorNumbers::InvalidProcedureCall, sentence);
}

QStringList RightsOf(SqlSession& session, const QString& name) {
    QSqlQuery rows = session.run(
        QStringLiteral("SELECT right_id FROM zev_user_right WHERE user_id = ? ORDER BY right_id"), {name});
    QStringList rights;
    while (rows.next())
        rights << rows.value(0).toString();
    // In the order the rights are listed everywhere, whatever the server's collation.
    const QStringList known = UserAdmin::KnownRights();
    std::stable_sort(rights.begin(), rights.end(), [&](const QString& a, const QString& b) {
        return quint32(known.indexOf(a)) < quint32(known.indexOf(b));
    });
    return rights;
}

bool IsMember(SqlSession& session, const QString& login, const QString& group) {
    return session
        .scalar(QStringLiteral(
                    "SELECT 1 FROM pg_auth_members m JOIN pg_roles g ON g.oid = m.roleid JOIN pg_roles u "
                    "ON u.oid = m.member WHERE g.rolname = ? AND u.rolname = ?"),
                {group, login})
        .isValid();
}

} // namespace

QStringList UserAdmin::KnownRights() {
    return {HostRights::Store, HostRights::StoreAdmin, HostRights::ViewCardNumbers};
}

QStringList UserAdmin::ParseRights(const QString& list) {
    QStringList rights;
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString right = part.trimmed().toUpper();
        if (right.isEmpty())
            continue;
        if (!KnownRights().contains(right))
            Refuse(QStringLiteral("\"%1\" is not a right; the rights are %2.")
                       .arg(part.trimmed(), KnownRights().join(QStringLiteral(", "))));
        if (!rights.contains(right))
            rights << right;
    }
    return rights;
}

void UserAdmin::CheckName(const QString& name) {
    static const QRegularExpression allowed(QStringLiteral("^[\\w.@\\\\-]+$"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    if (name.isEmpty() || name.size() > MaxNameLength || name.startsWith(QLatin1Char('-')) ||
        !allowed.match(name).hasMatch())
        Refuse(QStringLiteral("\"%1\" is not a user name: use 1 to %2 letters, digits or . _ - @ \\ , "
                              "without blanks, not starting with -.")
                   .arg(name)
                   .arg(MaxNameLength));
}

bool UserAdmin::MakeAdministrator(const QString& name) {
    Transaction transaction(m_session);
    const bool added = !Exists(name);
    if (added)
        m_session.run(QStringLiteral("INSERT INTO zev_user (user_id, full_name) VALUES (?, ?)"),
                      {name, name});
    const QStringList held = RightsOf(m_session, name);
    QStringList missing;
    for (const QString& right : KnownRights())
        if (!held.contains(right))
            missing << right;
    Grant(name, missing);
    transaction.commit();
    return added || !missing.isEmpty();
}

bool UserAdmin::Add(const QString& name, const QString& fullName, const QStringList& rights,
                    const QString& password) {
    CheckName(name);
    if (fullName.size() > MaxFullNameLength)
        Refuse(QStringLiteral("The full name is longer than %1 characters.").arg(MaxFullNameLength));
    if (UsesLogins()) {
        CheckLoginName(name);
        RequireGroups();
    }
    Transaction transaction(m_session);
    if (UsesLogins())
        LockRoles();
    if (Exists(name))
        Refuse(QStringLiteral("The user %1 exists already; \"user rights\" changes their rights.").arg(name));
    m_session.run(QStringLiteral("INSERT INTO zev_user (user_id, full_name) VALUES (?, ?)"),
                  {name, fullName.isEmpty() ? name : fullName});
    Grant(name, rights);
    bool made = false;
    if (UsesLogins()) {
        made = !LoginExists(name);
        if (made)
            m_session.execute(
                QStringLiteral("CREATE ROLE %1 LOGIN%2")
                    .arg(Schema::Quoted(name),
                         password.isEmpty()
                             ? QString()
                             : QStringLiteral(" PASSWORD '%1'")
                                   .arg(LoginPassword::Encrypted(m_session, name, password)
                                            .replace(QLatin1Char('\''), QStringLiteral("''")))));
        Join(name, rights);
    }
    transaction.commit();
    return made;
}

void UserAdmin::SetRights(const QString& name, const QStringList& rights) {
    Transaction transaction(m_session);
    if (UsesLogins())
        LockRoles();
    RequireExisting(name);
    m_session.run(QStringLiteral("DELETE FROM zev_user_right WHERE user_id = ?"), {name});
    Grant(name, rights);
    if (UsesLogins() && Schema::HasGroups(m_session) && LoginExists(name))
        Join(name, rights);
    transaction.commit();
}

bool UserAdmin::Remove(const QString& name) {
    Transaction transaction(m_session);
    if (UsesLogins())
        LockRoles();
    RequireExisting(name);
    m_session.run(QStringLiteral("DELETE FROM zev_user_right WHERE user_id = ?"), {name});
    m_session.run(QStringLiteral("DELETE FROM zev_user WHERE user_id = ?"), {name});
    bool dropped = true;
    if (UsesLogins() && LoginExists(name)) {
        if (Schema::HasGroups(m_session))
            for (const QString& group : Schema::Groups(m_session).all())
                if (IsMember(m_session, name, group))
                    m_session.execute(
                        QStringLiteral("REVOKE %1 FROM %2").arg(Schema::Quoted(group), Schema::Quoted(name)));
        // A login another database still uses, or the administering one itself, stays.
        dropped =
            !m_session
                 .scalar(QStringLiteral(
                             "SELECT 1 FROM pg_roles r WHERE r.rolname = ? AND (r.rolsuper OR "
                             "r.rolname = session_user OR EXISTS (SELECT 1 FROM pg_auth_members m WHERE "
                             "m.member = r.oid OR m.roleid = r.oid) OR EXISTS (SELECT 1 FROM "
                             "pg_shdepend d WHERE d.refclassid = 'pg_authid'::regclass AND d.refobjid = "
                             "r.oid))"),
                         {name})
                 .isValid();
        if (dropped)
            m_session.execute(QStringLiteral("DROP ROLE %1").arg(Schema::Quoted(name)));
    }
    transaction.commit();
    return dropped;
}

bool UserAdmin::UsesLogins() const {
    return m_session.backend() == Backend::PostgreSQL;
}

bool UserAdmin::LoginExists(const QString& name) {
    return UsesLogins() &&
           m_session.scalar(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"), {name}).isValid();
}

void UserAdmin::CheckLoginName(const QString& name) {
    const QString lower = name.toLower();
    if (name.toUtf8().size() > 63 || name.startsWith(QLatin1String("pg_")) ||
        QStringList{QStringLiteral("public"), QStringLiteral("none"), QStringLiteral("current_user"),
                    QStringLiteral("session_user"), QStringLiteral("current_role")}
            .contains(lower))
        Refuse(QStringLiteral("\"%1\" cannot be a login of the database server: it takes names of at most 63 "
                              "bytes, and public, none and names starting with pg_ are its own.")
                   .arg(name));
}

void UserAdmin::SetPassword(const QString& name, const QString& password) {
    if (!UsesLogins())
        Refuse(
            QStringLiteral("A SQLite file keeps no passwords: its file permissions decide who may open it."));
    if (password.isEmpty())
        Refuse(QStringLiteral("The password is empty; nothing was changed."));
    CheckLoginName(name);
    RequireGroups();
    Transaction transaction(m_session);
    LockRoles();
    RequireExisting(name);
    const QString encrypted =
        LoginPassword::Encrypted(m_session, name, password).replace(QLatin1Char('\''), QStringLiteral("''"));
    if (!LoginExists(name)) {
        m_session.execute(QStringLiteral("CREATE ROLE %1 LOGIN").arg(Schema::Quoted(name)));
        Join(name, RightsOf(m_session, name));
    }
    m_session.execute(
        QStringLiteral("ALTER ROLE %1 LOGIN PASSWORD '%2'").arg(Schema::Quoted(name), encrypted));
    transaction.commit();
}

QStringList UserAdmin::GiveLogins(const QStringList& names) {
    if (!UsesLogins())
        return {};
    RequireGroups();
    Transaction transaction(m_session);
    LockRoles();
    QStringList done;
    for (const QString& name : names) {
        try {
            CheckLoginName(name);
        } catch (const RuntimeError& refused) {
            done << QStringLiteral("No login for %1: %2").arg(name, refused.description);
            continue;
        }
        if (!LoginExists(name)) {
            m_session.execute(QStringLiteral("CREATE ROLE %1 LOGIN").arg(Schema::Quoted(name)));
            done << QStringLiteral("Login %1 created without a password; \"zevstore-admin user password %1\" "
                                   "gives it one.")
                        .arg(name);
        }
        const QStringList rights = RightsOf(m_session, name);
        if (Join(name, rights))
            done << QStringLiteral("%1 is in the group roles of: %2.")
                        .arg(name, rights.isEmpty()
                                       ? QStringLiteral("every user")
                                       : QStringLiteral("every user, ") + rights.join(QStringLiteral(", ")));
    }
    transaction.commit();
    return done;
}

std::vector<UserAdmin::User> UserAdmin::List() {
    Transaction reading(m_session, false);
    std::vector<User> users;
    QSqlQuery rows =
        m_session.run(QStringLiteral("SELECT user_id, full_name FROM zev_user ORDER BY user_id"));
    while (rows.next())
        users.push_back({rows.value(0).toString(), rows.value(1).toString(), {}});
    for (User& user : users)
        user.rights = RightsOf(m_session, user.name);
    return users;
}

bool UserAdmin::Exists(const QString& name) {
    return m_session.scalar(QStringLiteral("SELECT 1 FROM zev_user WHERE user_id = ?"), {name}).isValid();
}

void UserAdmin::RequireExisting(const QString& name) {
    if (!Exists(name))
        Refuse(QStringLiteral("The database has no user %1; \"user list\" shows who it knows.").arg(name));
}

bool UserAdmin::Join(const QString& name, const QStringList& rights) {
    const Schema::GroupRoles groups = Schema::Groups(m_session);
    bool changed = false;
    for (const QString& group : groups.all()) {
        bool wanted = group == groups.users;
        for (const QString& right : rights)
            wanted = wanted || groups.ofRight(right) == group;
        if (wanted == IsMember(m_session, name, group))
            continue;
        m_session.execute((wanted ? QStringLiteral("GRANT %1 TO %2") : QStringLiteral("REVOKE %1 FROM %2"))
                              .arg(Schema::Quoted(group), Schema::Quoted(name)));
        changed = true;
    }
    return changed;
}

void UserAdmin::RequireGroups() {
    if (!Schema::HasGroups(m_session))
        Refuse(QStringLiteral("The database has no group roles yet; \"init\" sets them up."));
}

void UserAdmin::LockRoles() {
    // Role names are the whole server's: two administrators at once wait for each other here.
    m_session.run(QStringLiteral("SELECT pg_advisory_xact_lock(2326)"));
}

void UserAdmin::Grant(const QString& name, const QStringList& rights) {
    for (const QString& right : rights)
        m_session.run(QStringLiteral("INSERT INTO zev_user_right (user_id, right_id) VALUES (?, ?)"),
                      {name, right});
}
