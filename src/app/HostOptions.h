#pragma once

#include <QString>
#include <QStringList>

// The host's command line.
struct HostOptions {
    // "--database": a SQLite file path or a "postgresql://" URL; empty for the one in the settings.
    QString database;
    // "--user": who signs in to a SQLite file; empty for the login name. Refused on PostgreSQL, where the
    // person is the connection's login.
    QString user;
    // "--screenshots DIR": render the main views there and exit.
    QString screenshotDir;
    // "--help" or "--version": the message is the answer, and the program ends without a failure.
    bool answered = false;

    // False with a message (or the help text) in message when the program should not start.
    static bool Parse(const QStringList& arguments, HostOptions& options, QString& message);
};
