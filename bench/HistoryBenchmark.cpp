// Times 10,000 saves of a product item through "ZEV_SP_STORE_UpdateProductItem" on the demo data, with the
// change history's triggers and without them (dropped in a second copy), in alternating rounds. On SQLite the
// copies are files in a temporary folder; with --database on a PostgreSQL server they are two schemas of
// that database, removed again at the end.
//
// Then it fills the history to --history rows (a million by default) and times what people read from it: one
// record's changes through the editors' procedure, and the first page of Tools -> Change History with each
// filter, the median of five runs each.
//
//   zev_history_benchmark [--saves N] [--history N] [--database postgresql://...]

#include "database/ChangeHistory.h"
#include "database/DemoData.h"
#include "database/DriverError.h"
#include "database/Schema.h"
#include "database/SqlConnection.h"
#include "database/Transaction.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

// The time the saves took, and the processor time they used: this program's and, on a PostgreSQL server of
// this machine, its server process's. Processor time holds still while other work shares the machine.
struct Cost {
    double wall = 0;
    double cpu = 0;
    Cost& operator+=(const Cost& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

double ProcessSeconds(qint64 serverPid) {
    timespec own{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &own);
    double seconds = own.tv_sec + own.tv_nsec / 1e9;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(serverPid));
    if (serverPid > 0 && stat.open(QIODevice::ReadOnly)) {
        // utime and stime, the 14th and 15th fields, counted after the command's closing parenthesis.
        const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
        if (fields.size() > 12)
            seconds += (fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
    }
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Saves the item count times, each with a description of its own so that every save changes the row; guarded,
// each save first notes what the database held, as an editor does when it opens the item.
Cost Save(SqlConnection& db, int first, int count, bool guarded = false) {
    auto command = db.CreateCommand(0);
    command->setCommandText(QStringLiteral("ZEV_SP_STORE_UpdateProductItem"));
    command->setCommandType(Command::StoredProcedure);
    command->Parameters()->Refresh();
    const auto set = [&](const char* name, const Variant& value) {
        command->Parameters()->Item(QString::fromLatin1(name))->setValue(value);
    };
    set("@store_no", int32_t(1));
    set("@product_no", int32_t(100));
    set("@seq_no", int32_t(1));
    set("@item_no", int32_t(1001));
    set("@price_no", int32_t(103));
    set("@is_active", int32_t(-1));
    const qint64 serverPid =
        db.session()->backend() == Backend::PostgreSQL
            ? db.session()->scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong()
            : 0;
    const double cpuBefore = ProcessSeconds(serverPid);
    QElapsedTimer timer;
    timer.start();
    for (int save = first; save < first + count; ++save) {
        set("@description", Variant(QStringLiteral("Day pass, save %1").arg(save)));
        if (guarded)
            db.GuardWritesSince(db.ChangesSeen(), QStringLiteral("zev_store_product_item"),
                                QStringLiteral("1/100/1"));
        int16_t succeeded = 0;
        db.ExecuteCommand(command, 0, succeeded);
        if (guarded)
            db.GuardWritesSince({}, {}, {});
        if (command->Parameters()->Item(QStringLiteral("@RETURN_VALUE"))->Value().toInt32() < 0)
            throw RuntimeError(ErrorNumbers::ProviderError, QStringLiteral("A save was refused."));
    }
    return {timer.nsecsElapsed() / 1e9, ProcessSeconds(serverPid) - cpuBefore};
}

} // namespace

namespace {

struct Copies {
    std::shared_ptr<SqlConnection> with;
    std::shared_ptr<SqlConnection> without;
};

void DropTriggers(SqlSession& session) {
    if (session.backend() == Backend::PostgreSQL) {
        for (const QString& table : Schema::HistoryTables())
            session.execute(QStringLiteral("DROP TRIGGER zev_history ON ") + table);
        return;
    }
    QStringList triggers;
    for (QSqlQuery q = session.run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'"));
         q.next();)
        triggers << q.value(0).toString();
    for (const QString& trigger : triggers)
        session.execute(QStringLiteral("DROP TRIGGER ") + trigger);
}

const QStringList ServerSchemas{QStringLiteral("zev_history_bench_with"),
                                QStringLiteral("zev_history_bench_without")};

void DropServerSchemas(const QString& server) {
    auto plain = SqlSession::Open(server);
    for (const QString& schema : ServerSchemas)
        plain->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
}

Copies Create(const QString& server, const QTemporaryDir& folder) {
    QStringList targets;
    if (server.isEmpty()) {
        targets = {folder.filePath(QStringLiteral("with.db")), folder.filePath(QStringLiteral("without.db"))};
    } else {
        DropServerSchemas(server);
        auto plain = SqlSession::Open(server);
        for (const QString& schema : ServerSchemas) {
            plain->execute(QStringLiteral("CREATE SCHEMA ") + schema);
            targets << server + (server.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
                           QStringLiteral("schema=") + schema;
        }
    }
    Copies copies{DemoData::CreateDemoDatabase(targets[0], "benchmark"),
                  DemoData::CreateDemoDatabase(targets[1], "benchmark")};
    DropTriggers(*copies.without->session());
    return copies;
}

// Rows enough for a busy site's years: 20 people (the last one rare), the kept tables in turn, 50,000
// records, five stores (the fifth rare), two years of days in order.
void FillHistory(SqlSession& session, qint64 rows) {
    const bool sqlite = session.backend() == Backend::SQLite;
    const QString numbers =
        sqlite ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < %1) SELECT i FROM n")
               : QStringLiteral("SELECT i FROM generate_series(1, %1) AS n(i)");
    const QString day =
        sqlite ? QStringLiteral("date('2025-01-01', '+' || (i * 730 / %1) || ' days') || ' 12:00:00'")
               : QStringLiteral("to_char(DATE '2025-01-01' + (i * 730 / %1)::INTEGER, 'YYYY-MM-DD') "
                                "|| ' 12:00:00'");
    session.execute(
        QStringLiteral(
            "INSERT INTO zev_change_history (changed_at, changed_by, table_name, record_key, store_no, "
            "action, old_values, new_values) SELECT %1, CASE WHEN i %% 1000 = 0 THEN 'rare' ELSE "
            "'person' || (i %% 19) END, CASE WHEN i %% 3 = 0 THEN 'zev_store_product' ELSE "
            "'zev_store_product_item' END, ((i %% 4) + 1) || '/' || (i %% 50000), CASE WHEN i %% 1000 = 1 "
            "THEN 5 ELSE (i %% 4) + 1 END, 'UPDATE', '{\"description\":\"old\"}', "
            "'{\"description\":\"new\"}' FROM (%2) AS numbered")
            .arg(day.arg(rows), numbers.arg(rows))
            .replace(QStringLiteral("%%"), QStringLiteral("%")));
    // As the server's own autovacuum would, soon after so many rows; on SQLite the saves that wrote them
    // would have brought the record index up to date.
    if (!sqlite) {
        session.execute(QStringLiteral("ANALYZE zev_change_history"));
        return;
    }
    Transaction indexing(session);
    ChangeHistory::IndexRecent(session);
    indexing.commit();
}

double MedianMs(const std::function<void()>& read) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        read();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

void TimeReading(SqlConnection& db) {
    SqlSession& session = *db.session();
    const auto page = [&](HistoryFilter filter) {
        return MedianMs([&] { ChangeHistory::Read(session, filter, 0, 200); });
    };
    auto command = db.CreateCommand(0);
    command->setCommandText(QStringLiteral("ZEV_SP_STORE_GetChangeHistory"));
    command->setCommandType(Command::StoredProcedure);
    command->Parameters()->Refresh();
    command->Parameters()->Item(QStringLiteral("@store_no"))->setValue(int32_t(2));
    command->Parameters()
        ->Item(QStringLiteral("@table_name"))
        ->setValue(QStringLiteral("zev_store_product_item"));
    command->Parameters()->Item(QStringLiteral("@record_key"))->setValue(QStringLiteral("2/4321"));
    const double record = MedianMs([&] {
        int16_t failed = 0;
        for (auto rows = db.ExecuteRecordset(command, failed, 0); !rows->Eof(); rows->MoveNext()) {
        }
    });
    HistoryFilter store, rareStore, user, rareUser, table, days;
    store.storeNo = 2;
    rareStore.storeNo = 5;
    user.user = QStringLiteral("person7");
    rareUser.user = QStringLiteral("rare");
    table.table = QStringLiteral("zev_store_product");
    days.from = QDate(2025, 6, 1);
    days.to = QDate(2025, 6, 30);
    std::printf(
        "history-read-ms record %.1f first-page %.1f store %.1f rare-store %.1f user %.1f rare-user %.1f "
        "table %.1f days %.1f\n",
        record, page({}), page(store), page(rareStore), page(user), page(rareUser), page(table), page(days));
}

// SQLite: an editor's save after others made a hundred changes since it opened its record; the save looks
// at each of them.
void TimeGuardedSave(SqlConnection& db) {
    int save = 0;
    const double ms = MedianMs([&] {
        const qint64 newest = db.ChangesSeen().toLongLong();
        db.session()->run(
            QStringLiteral("INSERT INTO zev_change_history (changed_at, changed_by, table_name, "
                           "record_key, store_no, action, old_values, new_values) SELECT "
                           "changed_at, changed_by, table_name, record_key, store_no, action, "
                           "old_values, new_values FROM zev_change_history WHERE record_key <> "
                           "'1/100/1' ORDER BY history_no DESC LIMIT 100"));
        db.GuardWritesSince(QString::number(newest), QStringLiteral("zev_store_product_item"),
                            QStringLiteral("1/100/1"));
        Save(db, 1000000 + save++, 1);
        db.GuardWritesSince({}, {}, {});
    });
    std::printf("guarded-save-ms after 100 changes by others %.1f\n", ms);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int saves = 10000;
    QString server;
    qint64 history = 1000000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option == QLatin1String("--saves"))
            saves = QString::fromLocal8Bit(argv[i + 1]).toInt();
        else if (option == QLatin1String("--history"))
            history = QString::fromLocal8Bit(argv[i + 1]).toLongLong();
        else if (option == QLatin1String("--database"))
            server = QString::fromLocal8Bit(argv[i + 1]);
    }
    try {
        QTemporaryDir folder;
        Copies copies = Create(server, folder);
        // Many short rounds in turn, and the median of their ratios: a busy moment of the machine spoils a
        // round or two, not the figure.
        const int rounds = 20;
        Cost with, without;
        std::vector<double> wallRatios, cpuRatios, guardedRatios;
        for (int round = 0; round < rounds; ++round) {
            const int first = round * (saves / rounds);
            const Cost roundWithout = Save(*copies.without, first, saves / rounds);
            const Cost roundWith = Save(*copies.with, first, saves / rounds);
            guardedRatios.push_back(Save(*copies.with, first, saves / rounds, true).wall / roundWithout.wall);
            wallRatios.push_back(roundWith.wall / roundWithout.wall);
            cpuRatios.push_back(roundWith.cpu / roundWithout.cpu);
            without += roundWithout;
            with += roundWith;
        }
        const qint64 kept = copies.with->session()
                                ->scalar(QStringLiteral("SELECT COUNT(*) FROM ") + Schema::History)
                                .toLongLong();
        std::printf("%d product item saves on %s: %.2f s without the history, %.2f s with it (%+.1f %%), "
                    "%lld history rows\n",
                    saves, server.isEmpty() ? "SQLite" : "PostgreSQL", without.wall, with.wall,
                    100.0 * (with.wall / without.wall - 1.0), static_cast<long long>(kept));
        std::printf("processor time: %.2f s without the history, %.2f s with it (%+.1f %%)\n", without.cpu,
                    with.cpu, 100.0 * (with.cpu / without.cpu - 1.0));
        std::printf("median of %d rounds: the history adds %+.1f %% time, %+.1f %% processor time\n", rounds,
                    100.0 * (Median(wallRatios) - 1.0), 100.0 * (Median(cpuRatios) - 1.0));
        std::printf("saved as the editors save, guarded against others' changes: %+.1f %% time (median)\n",
                    100.0 * (Median(guardedRatios) - 1.0));
        QElapsedTimer filling;
        filling.start();
        FillHistory(*copies.with->session(), history);
        std::printf("%lld history rows added in %.1f s\n", static_cast<long long>(history),
                    filling.nsecsElapsed() / 1e9);
        TimeReading(*copies.with);
        // On SQLite the others' changes are found by their numbers; PostgreSQL looks the record up.
        if (server.isEmpty())
            TimeGuardedSave(*copies.with);
        copies = {};
        if (!server.isEmpty())
            DropServerSchemas(server);
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.description));
        return 1;
    }
    return 0;
}
