#pragma once

#include <QString>
#include <QUrl>

// Why a PostgreSQL server could not be reached or let us in, as one sentence for a person instead of the
// client library's report: a wrong or missing password, an unreachable server, an unknown database or user.
class ConnectionFailure {
public:
    // address: the "postgresql://" URL asked for; report: what the client library said.
    static QString Sentence(const QUrl& address, const QString& report);

private:
    static QString Server(const QUrl& address);
    static QString User(const QUrl& address);
    static QString FirstLine(const QString& report);
};
