// Times 10,000 saves of a product item through "ZEV_SP_STORE_UpdateProductItem" on the demo data, with the
// change history's triggers and without them (dropped in a second copy), in alternating rounds.
//
//   zev_history_benchmark [--saves N]

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

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int saves = 10000;
    for (int i = 1; i + 1 < argc; i += 2)
        if (QString::fromLocal8Bit(argv[i]) == QLatin1String("--saves"))
            saves = QString::fromLocal8Bit(argv[i + 1]).toInt();
    try {
        QTemporaryDir folder;
        auto with = DemoData::CreateDemoDatabase(folder.filePath(QStringLiteral("with.db")), "benchmark");
        auto without =
            DemoData::CreateDemoDatabase(folder.filePath(QStringLiteral("without.db")), "benchmark");
        SqlSession& plain = *without->session();
        QStringList triggers;
        for (QSqlQuery q = plain.run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'"));
             q.next();)
            triggers << q.value(0).toString();
        for (const QString& trigger : triggers)
            plain.execute(QStringLiteral("DROP TRIGGER ") + trigger);

        const int rounds = 5;
        double withSeconds = 0, withoutSeconds = 0;
        for (int round = 0; round < rounds; ++round) {
            const int first = round * (saves / rounds);
            withoutSeconds += Save(*without, first, saves / rounds);
            withSeconds += Save(*with, first, saves / rounds);
        }
        const qint64 kept =
            with->session()->scalar(QStringLiteral("SELECT COUNT(*) FROM ") + Schema::History).toLongLong();
        std::printf("%d product item saves on SQLite: %.2f s without the history, %.2f s with it (%+.1f %%), "
                    "%lld history rows\n",
                    saves, withoutSeconds, withSeconds, 100.0 * (withSeconds / withoutSeconds - 1.0),
                    static_cast<long long>(kept));
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.description));
        return 1;
    }
    return 0;
}
