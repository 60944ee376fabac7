// Kills a program that saves through the store procedures at random moments, again and again, and checks
// after each kill that the database is whole, that every save the program saw committed is there and that
// no save is there in part. On PostgreSQL it also crashes the server now and then, and the same program's
// next save must work. See the README for the long runs.
#include "CrashPlan.h"
#include "CrashRun.h"
#include "database/DriverError.h"
#include "database/Schema.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Appends a line to the saving program's log and makes it durable before the next save.
class SaveLog {
public:
    explicit SaveLog(const QString& path)
        : m_fd(::open(path.toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_CREAT, 0600)) {}
    ~SaveLog() { ::close(m_fd); }
    void note(const QByteArray& line) {
        const QByteArray text = line + '\n';
        if (::write(m_fd, text.constData(), size_t(text.size())) == text.size())
            ::fdatasync(m_fd);
    }

private:
    int m_fd;
};

// The saving program: makes the plan's saves from `from` on without pause until it is killed. A connection
// lost to a server crash is said on stdout ("lost N"); it waits for "go N" and saves on from there.
int SaveWithoutPause(const QString& target, const QString& logPath, qint64 from, const QString& users) {
    SaveLog log(logPath);
    auto session = SqlSession::Open(target);
    const bool server = session->backend() == Backend::PostgreSQL;
    const auto notePid = [&] {
        if (server)
            log.note("P " + session->scalar(QStringLiteral("SELECT pg_backend_pid()")).toByteArray());
    };
    notePid();
    Schema::Prepare(*session);
    SqlConnection connection(session, server
                                          ? session->scalar(QStringLiteral("SELECT session_user")).toString()
                                          : QStringLiteral("crash"));
    const CrashPlan plan(users, server);
    std::printf("ready\n");
    std::fflush(stdout);
    for (qint64 save = from;; ++save) {
        try {
            plan.save(connection, save);
            log.note("C " + QByteArray::number(save));
        } catch (const RuntimeError& error) {
            if (!server || error.number != ErrorNumbers::ConnectionFailed) {
                std::fprintf(stderr, "Save %lld failed: %s\n", save, qPrintable(error.description));
                return 3;
            }
            std::printf("lost %lld\n", save);
            std::fflush(stdout);
            char line[64];
            if (!std::fgets(line, sizeof line, stdin))
                return 0;
            save = QByteArray(line).mid(3).trimmed().toLongLong() - 1;
            notePid();
        }
    }
}

int Usage() {
    std::fprintf(stderr,
                 "usage: zev_crash_test [--backend sqlite|postgresql] [--kills N] [--server-crashes N] "
                 "[--seed S] [--max-delay-ms MS] [--url postgresql://...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.value(0) == QLatin1String("--child") && arguments.size() == 4)
        try {
            return SaveWithoutPause(qEnvironmentVariable("ZEVSTORE_CRASH_TARGET"), arguments[1],
                                    arguments[2].toLongLong(), arguments[3]);
        } catch (const RuntimeError& error) {
            std::fprintf(stderr, "The saving program could not start: %s\n", qPrintable(error.description));
            return 3;
        }
    CrashOptions options;
    for (qsizetype i = 0; i + 1 < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        const QString& value = arguments[i + 1];
        bool number = true;
        if (name == QLatin1String("--backend") &&
            (value == QLatin1String("sqlite") || value == QLatin1String("postgresql")))
            options.backend = value == QLatin1String("sqlite") ? Backend::SQLite : Backend::PostgreSQL;
        else if (name == QLatin1String("--kills"))
            options.kills = value.toInt(&number);
        else if (name == QLatin1String("--server-crashes"))
            options.serverCrashes = value.toInt(&number);
        else if (name == QLatin1String("--seed"))
            options.seed = value.toULongLong(&number);
        else if (name == QLatin1String("--max-delay-ms"))
            options.maxDelayMs = value.toInt(&number);
        else if (name == QLatin1String("--url"))
            options.url = value;
        else
            return Usage();
        if (!number)
            return Usage();
    }
    if (arguments.size() % 2)
        return Usage();
    return CrashRun(options).run();
}
