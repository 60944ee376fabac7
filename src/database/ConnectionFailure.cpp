#include "database/ConnectionFailure.h"

#include <QRegularExpression>

QString ConnectionFailure::Sentence(const QUrl& address, const QString& report) {
    const QString server = Server(address);
    const QString user = User(address);
    const auto says = [&](const char* text) {
        return report.contains(QLatin1String(text), Qt::CaseInsensitive);
    };
    if (says("password authentication failed"))
        return QStringLiteral("The database server %1 refused the password of %2.").arg(server, user);
    if (says("no password supplied"))
        return QStringLiteral("The database server %1 wants a password for %2: put it in ~/.pgpass or "
                              "PGPASSWORD.")
            .arg(server, user);
    if (says("does not exist") && says("database \""))
        return QStringLiteral("The database server %1 has no database %2.")
            .arg(server, address.path().mid(1));
    if (says("does not exist") && says("role \""))
        return QStringLiteral("The database server %1 does not know the user %2.").arg(server, user);
    if (says("no pg_hba.conf entry"))
        return QStringLiteral("The database server %1 does not let %2 in from this computer (pg_hba.conf).")
            .arg(server, user);
    if (says("connection refused") || says("could not translate host name") || says("timeout expired") ||
        says("no route to host") || says("network is unreachable") || says("no such file or directory"))
        return QStringLiteral("The database server %1 cannot be reached: check the address and that the "
                              "server is running.")
            .arg(server);
    return QStringLiteral("The database server %1 refused the connection: %2").arg(server, FirstLine(report));
}

QString ConnectionFailure::Server(const QUrl& address) {
    QString host = address.host();
    if (host.isEmpty())
        host = qEnvironmentVariable("PGHOST", QStringLiteral("localhost"));
    return address.port() > 0 ? QStringLiteral("%1:%2").arg(host).arg(address.port()) : host;
}

QString ConnectionFailure::User(const QUrl& address) {
    if (!address.userName().isEmpty())
        return address.userName();
    return qEnvironmentVariable("PGUSER", qEnvironmentVariable("USER", QStringLiteral("your login name")));
}

QString ConnectionFailure::FirstLine(const QString& report) {
    static const QRegularExpression severity(QStringLiteral("^\\s*(FATAL|ERROR):\\s*"));
    QString line = report.section(QLatin1Char('\n'), 0, 0).trimmed();
    line.remove(severity);
    if (line.isEmpty())
        line = QStringLiteral("no reason was given");
    return line.endsWith(QLatin1Char('.')) ? line : line + QLatin1Char('.');
}
