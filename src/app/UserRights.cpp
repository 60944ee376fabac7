#include "app/UserRights.h"

#include "database/SqlSession.h"

UserRights::UserRights(std::shared_ptr<SqlSession> session, QString user)
    : m_session(std::move(session)), m_user(std::move(user)) {}

bool UserRights::Known() const {
    // A login that is no ZevStore user may not even read the users table: it is unknown, not a failure.
    if (m_session->backend() == Backend::PostgreSQL &&
        !m_session->scalar(QStringLiteral("SELECT has_table_privilege('zev_user', 'SELECT')")).toBool())
        return false;
    return m_session->scalar(QStringLiteral("SELECT 1 FROM zev_user WHERE user_id = ?"), {m_user}).isValid();
}

bool UserRights::Holds(const QString& right) const {
    if (right.isEmpty())
        return false;
    return m_session
        ->scalar(QStringLiteral("SELECT 1 FROM zev_user_right WHERE user_id = ? AND UPPER(right_id) = ?"),
                 {m_user, right.toUpper()})
        .isValid();
}
