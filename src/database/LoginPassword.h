#pragma once

#include "database/SqlSession.h"

// A login's password as the PostgreSQL server keeps it (scram-sha-256, or what the server is set to),
// worked out on this computer, so that the password itself never reaches the server, its logs or its
// statement list.
namespace LoginPassword {
QString Encrypted(SqlSession& session, const QString& login, const QString& password);
} // namespace LoginPassword
