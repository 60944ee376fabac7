#include "database/UserAdmin.h"

#include "database/HostRights.h"
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

void UserAdmin::Add(const QString& name, const QString& fullName, const QStringList& rights) {
    CheckName(name);
    if (fullName.size() > MaxFullNameLength)
        Refuse(QStringLiteral("The full name is longer than %1 characters.").arg(MaxFullNameLength));
    Transaction transaction(m_session);
    if (Exists(name))
        Refuse(QStringLiteral("The user %1 exists already; \"user rights\" changes their rights.").arg(name));
    m_session.run(QStringLiteral("INSERT INTO zev_user (user_id, full_name) VALUES (?, ?)"),
                  {name, fullName.isEmpty() ? name : fullName});
    Grant(name, rights);
    transaction.commit();
}

void UserAdmin::SetRights(const QString& name, const QStringList& rights) {
    Transaction transaction(m_session);
    RequireExisting(name);
    m_session.run(QStringLiteral("DELETE FROM zev_user_right WHERE user_id = ?"), {name});
    Grant(name, rights);
    transaction.commit();
}

void UserAdmin::Remove(const QString& name) {
    Transaction transaction(m_session);
    RequireExisting(name);
    m_session.run(QStringLiteral("DELETE FROM zev_user_right WHERE user_id = ?"), {name});
    m_session.run(QStringLiteral("DELETE FROM zev_user WHERE user_id = ?"), {name});
    transaction.commit();
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

void UserAdmin::Grant(const QString& name, const QStringList& rights) {
    for (const QString& right : rights)
        m_session.run(QStringLiteral("INSERT INTO zev_user_right (user_id, right_id) VALUES (?, ?)"),
                      {name, right});
}
