#pragma once

#include "CrashPlan.h"
#include "database/Backend.h"

#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <random>

struct CrashOptions {
    Backend backend = Backend::SQLite;
    int kills = 100;
    int serverCrashes = 0;
    quint64 seed = 1;
    int maxDelayMs = 0; // the longest a saving program saves before it is killed; 0: 40 ms, 150 on a server
    QString url;        // PostgreSQL: a server given, not one of the test's own (it is never stopped)
};

// The crash test's controlling side: a copy of the demo database, a saving program started again and again
// and killed at a random moment (PostgreSQL: now and then the server itself), and after each kill the
// checks that the database is whole, holds every save the program saw committed and no save in part.
class CrashRun {
public:
    explicit CrashRun(CrashOptions options);
    ~CrashRun();

    // 0 when every check passed, 1 at the first inconsistency or failure, 77 when PostgreSQL is not available
    // here.
    int run();

private:
    struct Log {
        qint64 next = 0; // the save after the last one logged as committed
        int pid = 0;     // PostgreSQL: the saving program's server process
        QString error;
    };

    // A kill, after a server crash now and then, and the checks; false when the run cannot go on.
    bool round(int kill);
    bool setUp();
    bool setUpServer();
    void tearDown();
    bool startChild(bool waitUntilReady);
    bool killChild();
    bool crashServer();
    bool check(const QString& after);
    Log readLog();
    void restartLog();
    void waitForServerProcess(SqlSession& session, int pid);
    void pause();
    bool fail(const QString& what);
    void report(double seconds) const;

    CrashOptions m_options;
    std::mt19937_64 m_random;
    CrashPlan m_plan;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_target;
    QString m_serverDir; // the test's own PostgreSQL server, stopped and started by it
    QString m_schema;    // on a server given, the test's schema
    QString m_logPath;
    QProcess m_child;
    qint64 m_from = 0; // the first save of the program running now
    qint64 m_made = 0; // the saves found committed
    int m_kills = 0, m_killsOpening = 0, m_serverCrashes = 0, m_savesAfterRestart = 0;
    int m_rounds = 0, m_checks = 0, m_unlogged = 0, m_inconsistencies = 0;
    bool m_broken = false; // the run could not go on
};
