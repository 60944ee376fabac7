#include "database/LoginPassword.h"

#include "database/DriverError.h"

#include <libpq-fe.h>

namespace LoginPassword {

QString Encrypted(SqlSession& session, const QString& login, const QString& password) {
    PGconn* connection = session.postgresHandle();
    if (!connection)
        throw RuntimeError(ErrorNumbers::ProviderError,
                           QStringLiteral("Passwords are kept only by a PostgreSQL server."));
    char* encrypted =
        PQencryptPasswordConn(connection, password.toUtf8().constData(), login.toUtf8().constData(), nullptr);
    if (!encrypted)
        throw RuntimeError(ErrorNumbers::ProviderError,
                           QStringLiteral("The password could not be encrypted: %1")
                               .arg(QString::fromUtf8(PQerrorMessage(connection)).trimmed()));
    const QString result = QString::fromUtf8(encrypted);
    PQfreemem(encrypted);
    return result;
}

} // namespace LoginPassword
