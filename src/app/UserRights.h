#pragma once

#include <QString>
#include <memory>

class SqlSession;

// What the host database's users and rights tables say about one signed-in user.
class UserRights {
public:
    UserRights(std::shared_ptr<SqlSession> session, QString user);

    // The user has a row in the users table.
    bool Known() const;
    // The user holds the right; rights are compared without regard to case.
    bool Holds(const QString& right) const;
    const QString& User() const { return m_user; }

private:
    std::shared_ptr<SqlSession> m_session;
    QString m_user;
};
