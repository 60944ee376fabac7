// Times 10,000 saves of a product item through "ZEV_SP_STORE_UpdateProductItem" on the demo data, with the
// change history's triggers and without them (dropped in a second copy), in alternating rounds. On SQLite the
// copies are files in a temporary folder; with --database on a PostgreSQL server they are two schemas of
// that database, removed again at the end.
//
//   zev_history_benchmark [--saves N] [--database postgresql://...]

#include "database/DemoData.h"
#include "database/DriverError.h"
#include "database/Schema.h"
#include "database/SqlConnection.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Saves the item rounds times, each with a description of its own so that every save changes the row.
double Save(SqlConnection& db, int first, int count) {
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
    QElapsedTimer timer;
    timer.start();
    for (int save = first; save < first + count; ++save) {
        set("@description", Variant(QStringLiteral("Day pass, save %1").arg(save)));
        int16_t succeeded = 0;
        db.ExecuteCommand(command, 0, succeeded);
        if (command->Parameters()->Item(QStringLiteral("@RETURN_VALUE"))->Value().toInt32() < 0)
            throw RuntimeError(ErrorNumbers::ProviderError, QStringLiteral("A save was refused."));
    }
    return timer.nsecsElapsed() / 1e9;
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int saves = 10000;
    QString server;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option == QLatin1String("--saves"))
            saves = QString::fromLocal8Bit(argv[i + 1]).toInt();
        else if (option == QLatin1String("--database"))
            server = QString::fromLocal8Bit(argv[i + 1]);
    }
    try {
        QTemporaryDir folder;
        Copies copies = Create(server, folder);
        const int rounds = 5;
        double withSeconds = 0, withoutSeconds = 0;
        for (int round = 0; round < rounds; ++round) {
            const int first = round * (saves / rounds);
            withoutSeconds += Save(*copies.without, first, saves / rounds);
            withSeconds += Save(*copies.with, first, saves / rounds);
        }
        const qint64 kept = copies.with->session()
                                ->scalar(QStringLiteral("SELECT COUNT(*) FROM ") + Schema::History)
                                .toLongLong();
        std::printf("%d product item saves on %s: %.2f s without the history, %.2f s with it (%+.1f %%), "
                    "%lld history rows\n",
                    saves, server.isEmpty() ? "SQLite" : "PostgreSQL", withoutSeconds, withSeconds,
                    100.0 * (withSeconds / withoutSeconds - 1.0), static_cast<long long>(kept));
        copies = {};
        if (!server.isEmpty())
            DropServerSchemas(server);
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.description));
        return 1;
    }
    return 0;
}
