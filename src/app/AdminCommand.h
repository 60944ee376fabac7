#pragma once

#include "app/PasswordPrompt.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

class SqlSession;

// The administration program's command line: sets up a database and keeps its users and rights, on a
// SQLite file or a PostgreSQL server (where every user is a login of the server too). What it did goes to
// out, what went wrong to err.
class AdminCommand {
public:
    enum ExitCode { Done = 0, Failed = 1, Misused = 2 };
    // A new password for the login named, when no --password-file is given.
    using PasswordSource = std::function<QString(const QString& login)>;

    AdminCommand(QTextStream& out, QTextStream& err, PasswordSource askPassword = PasswordPrompt::Ask);
    ~AdminCommand();

    // arguments[0] is the program; gives the program's exit code.
    int Run(const QStringList& arguments);

private:
    int Dispatch(const QStringList& words);
    int Init(const QString& target);
    int UserAdd(const QString& name);
    int UserRights(const QString& name, const QStringList& lists);
    int UserRemove(const QString& name);
    int UserPassword(const QString& name);
    // From --password-file or the password source; never empty.
    QString NewPassword(const QString& login);
    int UserList();
    int HistoryPrune();

    // False (with the complaint on err) when an option was given that the command does not take.
    bool OnlyOptions(const QString& command, const QStringList& allowed);
    QString DatabaseOption();
    // A database that holds the tables already, for the user and history commands.
    std::shared_ptr<SqlSession> OpenExisting();
    int Misuse(const QString& sentence);

    QTextStream& m_out;
    QTextStream& m_err;
    QCommandLineParser m_parser;
    PasswordSource m_askPassword;
};
