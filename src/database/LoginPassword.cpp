#include "database/LoginPassword.h"

#include "database/DriverError.h"

#include <QSqlDriver>
#include <libpq-fe.h>

namespace LoginPassword {

QString Encrypted(SqlSession& session, const QString& login, const QString& password) {
    const QVariant handle = session.database().driver()->handle();
    // The Qt driver names the handle by libpq's own struct.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        throw RuntimeError(ErrorNumbers::ProviderError,
                           QStringLiteral("Passwords are kept only by a PostgreSQL server."));
    PGconn* connection = *static_cast<PGconn* const*>(handle.data());
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
