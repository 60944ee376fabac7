#include "CrashRun.h"

#include "CrashCheck.h"
#include "database/DemoData.h"
#include "database/Schema.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <optional>

namespace {

constexpr int Waiting = 60000; // ms: the longest wait for the program or the server

// The repository's scripts/postgres: start, stop, crash, resume DIR. The server keeps what it acknowledged
// through its crash (synchronous commit), or the crash would lose it.
std::optional<QString> Postgres(const QString& action, const QString& dir) {
    const QString script = QStringLiteral(ZEV_SOURCE_DIR "/scripts/postgres");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZEVSTORE_PG_DURABLE"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("ZEVSTORE_PG_PORT")))
        environment.insert(QStringLiteral("ZEVSTORE_PG_PORT"), QStringLiteral("54391"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("bash"), {script, action, dir});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode())
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString Describe(const std::set<QString>& rows) {
    QStringList shown;
    for (const QString& row : rows)
        if (shown.size() < 12)
            shown << QStringLiteral("    ") + row;
    if (rows.size() > 12)
        shown << QStringLiteral("    ... %1 more").arg(rows.size() - 12);
    return shown.join(u'\n');
}

std::set<QString> Minus(const std::set<QString>& a, const std::set<QString>& b) {
    std::set<QString> rest;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(rest, rest.end()));
    return rest;
}

} // namespace

CrashRun::CrashRun(CrashOptions options)
    : m_options(std::move(options)), m_random(m_options.seed),
      m_plan(QStringLiteral("crash%1u").arg(QCoreApplication::applicationPid()),
             m_options.backend == Backend::PostgreSQL) {
    m_child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A server's save takes several round trips: a longer life gives each program a few saves.
    if (m_options.maxDelayMs <= 0)
        m_options.maxDelayMs = m_options.backend == Backend::SQLite ? 40 : 150;
}

CrashRun::~CrashRun() {
    if (m_child.state() != QProcess::NotRunning) {
        m_child.kill();
        m_child.waitForFinished(Waiting);
    }
    tearDown();
}

int CrashRun::run() {
    if (!setUp())
        return m_options.backend == Backend::PostgreSQL ? 77 : 1;
    QElapsedTimer clock;
    clock.start();
    try {
        for (int kill = 1; kill <= m_options.kills && round(kill); ++kill)
            if (kill % 1000 == 0) {
                std::printf("%d kills, %lld saves committed, no inconsistency\n", kill, m_made);
                std::fflush(stdout);
            }
    } catch (const RuntimeError& error) {
        fail(QStringLiteral("A check could not run: ") + error.description);
    }
    report(double(clock.elapsed()) / 1000);
    return m_inconsistencies || m_broken ? 1 : 0;
}

bool CrashRun::round(int kill) {
    // The server crashes spread evenly over the kills.
    const int crashEvery =
        m_options.serverCrashes > 0 ? std::max(1, m_options.kills / m_options.serverCrashes) : 0;
    const bool crash =
        crashEvery && m_serverCrashes < m_options.serverCrashes && kill % crashEvery == crashEvery / 2;
    if (crash && !crashServer())
        return false;
    // One kill in eight while the program is still opening the database.
    const bool opening = !crash && std::uniform_int_distribution<int>(0, 7)(m_random) == 0;
    if (!crash && !startChild(!opening))
        return false;
    pause();
    m_killsOpening += opening;
    return killChild() && check(QStringLiteral("kill %1").arg(kill));
}

bool CrashRun::setUp() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_logPath = m_folder->filePath(QStringLiteral("saves.log"));
    try {
        if (m_options.backend == Backend::SQLite) {
            m_target = m_folder->filePath(QStringLiteral("store.db"));
            DemoData::CreateDemoDatabase(m_target, QStringLiteral("crash"));
            return true;
        }
        return setUpServer();
    } catch (const RuntimeError& error) {
        return fail(QStringLiteral("The demo database could not be made: ") + error.description);
    }
}

bool CrashRun::setUpServer() {
    if (m_options.url.isEmpty()) {
        m_serverDir = QStringLiteral("/tmp/zevstore-crash-%1").arg(QCoreApplication::applicationPid());
        m_target = Postgres(QStringLiteral("start"), m_serverDir).value_or(QString());
        if (m_target.isEmpty()) {
            std::printf("Skipped: no PostgreSQL server could be started here (see %s).\n",
                        qPrintable(m_serverDir));
            return false;
        }
    } else {
        std::printf("Server crashes skipped: the server given is not this test's own to stop; without --url "
                    "the test starts one of its own.\n");
        m_options.serverCrashes = 0;
        m_schema = QStringLiteral("zc_%1").arg(QCoreApplication::applicationPid());
        SqlSession::Open(m_options.url)->execute(QStringLiteral("CREATE SCHEMA ") + m_schema);
        QUrl url(m_options.url);
        QUrlQuery query(url);
        query.addQueryItem(QStringLiteral("schema"), m_schema);
        url.setQuery(query);
        m_target = url.toString();
    }
    auto session = SqlSession::Open(m_target);
    Schema::Prepare(*session);
    DemoData::Seed(*session);
    Schema::Secure(*session);
    try {
        session->execute(QStringLiteral("CREATE EXTENSION IF NOT EXISTS amcheck"));
    } catch (const RuntimeError&) {
        std::printf("The server has no amcheck: its indexes are not checked, its foreign keys are.\n");
    }
    return true;
}

void CrashRun::tearDown() {
    if (!m_serverDir.isEmpty())
        Postgres(QStringLiteral("stop"), m_serverDir);
    if (m_schema.isEmpty())
        return;
    try {
        auto session = SqlSession::Open(m_target);
        QStringList roles = Schema::Groups(*session).all();
        for (QSqlQuery rows =
                 session->run(QStringLiteral("SELECT rolname FROM pg_roles WHERE rolname LIKE ?"),
                              {m_plan.userPrefix() + u'%'});
             rows.next();)
            roles.prepend(rows.value(0).toString());
        session->execute(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
        for (const QString& role : roles)
            session->execute(QStringLiteral("DROP ROLE IF EXISTS %1").arg(Schema::Quoted(role)));
    } catch (const RuntimeError& error) {
        std::printf("The test schema %s could not be removed: %s\n", qPrintable(m_schema),
                    qPrintable(error.description));
    }
}

bool CrashRun::startChild(bool waitUntilReady) {
    restartLog();
    m_from = m_made;
    // The address goes by the environment, never on a command line: it may hold a password.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZEVSTORE_CRASH_TARGET"), m_target);
    m_child.setProcessEnvironment(environment);
    m_child.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--child"), m_logPath, QString::number(m_from), m_plan.userPrefix()});
    if (!m_child.waitForStarted(Waiting))
        return fail(QStringLiteral("The saving program did not start."));
    if (!waitUntilReady)
        return true;
    while (!m_child.canReadLine())
        if (!m_child.waitForReadyRead(Waiting))
            return fail(QStringLiteral("The saving program did not open the database."));
    m_child.readLine();
    return true;
}

void CrashRun::pause() {
    QThread::usleep(std::uniform_int_distribution<unsigned long>(0, m_options.maxDelayMs * 1000UL)(m_random));
}

bool CrashRun::killChild() {
    if (m_child.state() == QProcess::NotRunning)
        return fail(
            QStringLiteral("The saving program stopped by itself (exit code %1).").arg(m_child.exitCode()));
    ::kill(pid_t(m_child.processId()), SIGKILL);
    m_child.waitForFinished(Waiting);
    ++m_kills;
    return true;
}

bool CrashRun::crashServer() {
    if (!startChild(true))
        return false;
    pause();
    if (!Postgres(QStringLiteral("crash"), m_serverDir))
        return fail(QStringLiteral("The server could not be crashed."));
    ++m_serverCrashes;
    while (!m_child.canReadLine())
        if (!m_child.waitForReadyRead(Waiting))
            return fail(QStringLiteral("The saving program did not notice the server was gone."));
    m_child.readLine(); // "lost N"
    if (!Postgres(QStringLiteral("resume"), m_serverDir))
        return fail(QStringLiteral("The server did not start again after its crash."));
    if (!check(QStringLiteral("server crash %1").arg(m_serverCrashes)))
        return false;
    // The same program, not restarted, saves again from the first save not made.
    restartLog();
    m_from = m_made;
    m_child.write(QStringLiteral("go %1\n").arg(m_made).toLatin1());
    m_child.waitForBytesWritten(Waiting);
    QElapsedTimer waited;
    waited.start();
    while (readLog().next == m_from) {
        if (waited.elapsed() > Waiting || m_child.state() == QProcess::NotRunning)
            return fail(
                QStringLiteral("The saving program's next save after the server's restart did not work."));
        QThread::msleep(5);
    }
    ++m_savesAfterRestart;
    return true;
}

void CrashRun::restartLog() {
    QFile log(m_logPath);
    if (log.exists())
        log.resize(0);
}

CrashRun::Log CrashRun::readLog() {
    Log log;
    log.next = m_from;
    QFile file(m_logPath);
    if (!file.open(QIODevice::ReadOnly))
        return log;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("P "))
            log.pid = line.mid(2).toInt();
        else if (line.startsWith("C ") && line.mid(2).toLongLong() == log.next)
            ++log.next;
        else if (!line.isEmpty() && log.error.isEmpty())
            log.error = QStringLiteral("the saving program's log has \"%1\" where save %2 was next")
                            .arg(QString::fromLatin1(line))
                            .arg(log.next);
    }
    return log;
}

void CrashRun::waitForServerProcess(SqlSession& session, int pid) {
    // A COMMIT the program sent may still be on its way: its server process ends only after it.
    QElapsedTimer waited;
    waited.start();
    while (pid && waited.elapsed() < Waiting &&
           session
               .scalar(
                   QStringLiteral("SELECT 1 FROM pg_stat_activity WHERE pid = ? AND pid <> pg_backend_pid()"),
                   {pid})
               .isValid())
        QThread::msleep(1);
}

bool CrashRun::check(const QString& after) {
    const Log log = readLog();
    QStringList problems;
    if (!log.error.isEmpty())
        problems << log.error;
    std::shared_ptr<SqlSession> session;
    try {
        session = SqlSession::Open(m_target);
    } catch (const RuntimeError& error) {
        return fail(QStringLiteral("After %1 the database does not open: %2").arg(after, error.description));
    }
    if (session->backend() == Backend::PostgreSQL)
        waitForServerProcess(*session, log.pid);
    CrashCheck check(*session, m_plan.userPrefix());
    problems << check.health();
    const qint64 oldest = CrashPlan::OldestKept(log.next);
    const int firstStore = CrashPlan::FirstStore + int(oldest);
    const std::set<QString> actual = check.rows(CrashPlan::FirstStore, firstStore);
    const std::set<QString> logged = m_plan.expected(log.next, oldest);
    m_checks += check.healthChecks() + 1;
    ++m_rounds;
    if (actual == logged) {
        m_made = log.next;
    } else if (actual == m_plan.expected(log.next + 1, oldest)) {
        m_made = log.next + 1; // committed, and killed before its log line
        ++m_unlogged;
    } else {
        problems << QStringLiteral("the saves logged as committed are 0 to %1; save %2 was under way (%3)")
                        .arg(log.next - 1)
                        .arg(log.next)
                        .arg(CrashPlan::Describe(log.next));
        problems << QStringLiteral("  missing:\n") + Describe(Minus(logged, actual));
        problems << QStringLiteral("  there beyond them:\n") + Describe(Minus(actual, logged));
    }
    if (!problems.isEmpty()) {
        ++m_inconsistencies;
        return fail(
            QStringLiteral("Inconsistent after %1:\n  %2").arg(after, problems.join(QStringLiteral("\n  "))));
    }
    check.prune(firstStore);
    return true;
}

bool CrashRun::fail(const QString& what) {
    m_broken = true;
    std::printf("%s\n", qPrintable(what));
    std::fflush(stdout);
    return false;
}

void CrashRun::report(double seconds) const {
    std::printf("Crash test on %s, seed %llu: %d kills (%d while opening the database), %d server crashes "
                "(%d saves of the same program after them), %lld saves committed (%d of them killed before "
                "their log line), %d rounds of checks, %d checks, %d inconsistencies; %.1f kills a second.\n",
                qPrintable(BackendName(m_options.backend)), m_options.seed, m_kills, m_killsOpening,
                m_serverCrashes, m_savesAfterRestart, m_made, m_unlogged, m_rounds, m_checks,
                m_inconsistencies, seconds > 0 ? m_kills / seconds : 0.0);
}
