// Streams one million orders through "ZEV_SP_STORE_GetOrders", reading every column, and times the database's
// own command-line tool (sqlite3, or psql on PostgreSQL) running the same SELECT on the same data.
//
//   zev_orders_benchmark [--orders N] [--file PATH | --file postgresql://URL] [--runs N]
//
// Without --file the database is generated in a temporary folder; an existing database with orders is reused
// as it is.

#include "database/BulkData.h"
#include "database/ProcedureCatalog.h"
#include "database/ProcedureContext.h"
#include "database/Schema.h"
#include "database/SqlConnection.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>

namespace {

const QString Procedure = QStringLiteral("ZEV_SP_STORE_GetOrders");

// The SELECT the procedure runs for one store, with its value written in, for the command-line tool.
QString ProcedureSelect(SqlSession& session, int32_t storeNo) {
    const ProcedureDefinition* definition = ProcedureCatalog::Standard().find(Procedure);
    std::vector<Variant> values(definition->parameters.size());
    values[1] = Variant(storeNo);
    ProcedureContext context(session, *definition, values, QString());
    definition->body(context);
    QString sql = context.resultSql();
    for (const QVariant& value : context.resultValues())
        sql.replace(sql.indexOf(QLatin1Char('?')), 1, value.toString());
    return sql;
}

struct Streamed {
    double seconds = 0;
    qint64 rows = 0;
    qint64 characters = 0;
};

Streamed StreamOrders(const QString& path, int32_t storeNo) {
    auto db = SqlConnection::Open(path, QStringLiteral("benchmark"));
    QElapsedTimer timer;
    timer.start();
    auto command = db->CreateCommand(0);
    command->setCommandText(Procedure);
    command->setCommandType(Command::StoredProcedure);
    command->Parameters()->Refresh();
    command->Parameters()->Item(QStringLiteral("@store_no"))->setValue(storeNo);
    int16_t failed = 0;
    auto rows = db->ExecuteRecordset(command, failed, 0);
    const QStringList columns{QStringLiteral("shopping_cart_no"),
                              QStringLiteral("inserted_datetime"),
                              QStringLiteral("status_id"),
                              QStringLiteral("salesorder_no"),
                              QStringLiteral("customer_no"),
                              QStringLiteral("external_customer_no"),
                              QStringLiteral("notify_email_address"),
                              QStringLiteral("store_no")};
    Streamed result;
    while (!rows->Eof()) {
        for (const QString& column : columns) {
            const Variant value = rows->Fields(column)->Value();
            result.characters += value.type() == Variant::Type::String ? value.toText().size() : 1;
        }
        ++result.rows;
        rows->MoveNext();
    }
    rows->Close();
    result.seconds = double(timer.nsecsElapsed()) / 1e9;
    return result;
}

bool IsServer(const QString& target) {
    return target.startsWith(QLatin1String("postgres"));
}

double RunTool(const QString& target, const QString& sql) {
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    // The server's address goes to psql through its environment, never on its command line.
    if (IsServer(target)) {
        const QUrl url(target);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PGHOST"), url.host());
        environment.insert(QStringLiteral("PGPORT"), QString::number(url.port(5432)));
        environment.insert(QStringLiteral("PGUSER"), url.userName());
        if (!url.password().isEmpty())
            environment.insert(QStringLiteral("PGPASSWORD"), url.password());
        environment.insert(QStringLiteral("PGDATABASE"), url.path().mid(1));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("psql"), {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"),
                                            QStringLiteral("-t"), QStringLiteral("-c"), sql});
    } else {
        tool.start(QStringLiteral("sqlite3"), {target, sql});
    }
    if (!tool.waitForFinished(-1) || tool.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", IsServer(target) ? "psql" : "sqlite3",
                     qPrintable(QString::fromUtf8(tool.readAllStandardError())));
        return -1;
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

void WarmCache(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        while (!file.read(1 << 20).isEmpty()) {
        }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qint64 orders = 1000000;
    int runs = 3;
    QString path;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--orders"))
            orders = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--file"))
            path = args[i + 1];
        else if (args[i] == QLatin1String("--runs"))
            runs = args[i + 1].toInt();
    }
    QTemporaryDir folder;
    if (path.isEmpty())
        path = folder.filePath(QStringLiteral("orders.db"));

    try {
        int32_t storeNo = 0;
        QString sql;
        {
            auto session = SqlSession::Open(path);
            Schema::Prepare(*session);
            const QVariant existing = session->scalar(QStringLiteral(
                "SELECT store_no FROM zev_shopping_cart GROUP BY store_no ORDER BY COUNT(*) DESC"));
            if (existing.isValid() && !existing.isNull()) {
                storeNo = existing.toInt();
                std::printf("Reusing %s\n", IsServer(path) ? "the server's orders" : qPrintable(path));
            } else {
                BulkDataSize size;
                size.stores = 1;
                size.productsPerStore = 10;
                size.orders = orders;
                size.customers = 10000;
                QElapsedTimer timer;
                timer.start();
                storeNo = BulkData::Generate(*session, size).firstStoreNo;
                std::printf("Generated %lld orders in %.1f s into %s\n", orders,
                            double(timer.elapsed()) / 1000, IsServer(path) ? "the server" : qPrintable(path));
            }
            if (!IsServer(path))
                session->execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            sql = ProcedureSelect(*session, storeNo);
        }
        if (!IsServer(path))
            WarmCache(path);
        std::printf("SELECT: %s\n", qPrintable(sql));

        const char* toolName = IsServer(path) ? "psql" : "sqlite3";
        double best = 1e9, bestTool = 1e9;
        Streamed streamed;
        for (int run = 0; run < runs; ++run) {
            streamed = StreamOrders(path, storeNo);
            best = std::min(best, streamed.seconds);
            const double tool = RunTool(path, sql);
            if (tool < 0)
                return 1;
            bestTool = std::min(bestTool, tool);
            std::printf("run %d: procedure %.3f s, %s %.3f s\n", run + 1, streamed.seconds, toolName, tool);
        }
        std::printf("%s streamed %lld rows (every column) in %.3f s; %s ran the same SELECT in %.3f s; "
                    "ratio %.2f (target <= 1.5)\n",
                    qPrintable(Procedure), streamed.rows, best, toolName, bestTool, best / bestTool);
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%d: %s\n", error.number, qPrintable(error.description));
        return 1;
    }
    return 0;
}
