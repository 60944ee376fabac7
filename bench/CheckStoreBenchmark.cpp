// Times Tools -> Check Store on a store of 100,000 products: "ZEV_SP_STORE_CheckStore" read to its last row,
// the median of five runs, on a SQLite file and, with --database, on a schema of a PostgreSQL server (removed
// again at the end). The store has two items per product, 100 groups, 20,000 cross-sells, a list of 10,000
// entries and a fault every few hundred records, so that the check has something to find.
//
//   zev_checkstore_benchmark [--products N] [--sqlite FILE] [--database postgresql://...]
//
// --sqlite keeps the SQLite file, to look at the plans.

#include "database/DemoData.h"
#include "database/Schema.h"
#include "database/SqlConnection.h"
#include "database/Transaction.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString BenchSchema = QStringLiteral("zev_checkstore_bench");
constexpr int StoreNo = 50;

// The rows of the store, each statement over the numbers 1..products as i.
void Fill(SqlSession& session, int products) {
    const bool sqlite = session.backend() == Backend::SQLite;
    const QString numbers =
        (sqlite ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                 "FROM n WHERE i < %1) SELECT i FROM n")
                : QStringLiteral("SELECT i FROM generate_series(1, %1) AS n(i)"))
            .arg(products);
    const QString store = QString::number(StoreNo);
    Transaction transaction(session);
    // The change history is not what is timed: its triggers would make the fill take minutes.
    for (const QString& table : Schema::HistoryTables())
        session.execute(sqlite ? QStringLiteral("DROP TRIGGER IF EXISTS zev_history_insert_") + table
                               : QStringLiteral("ALTER TABLE %1 DISABLE TRIGGER zev_history").arg(table));
    session.execute(
        QStringLiteral("INSERT INTO zev_store (store_no, description) VALUES (%1, 'Benchmark')").arg(store));
    // Group 101 stays empty.
    session.execute(
        QStringLiteral("INSERT INTO zev_store_product_group (store_no, product_group_no, "
                       "description) SELECT %1, i, 'Group ' || i FROM (%2) AS numbered WHERE i <= 101")
            .arg(store, numbers));
    session.execute(
        QStringLiteral("INSERT INTO zev_store_product (store_no, product_no, product_name, "
                       "product_group_no) SELECT %1, i, 'Product ' || i, (i %% 100) + 1 FROM (%2) "
                       "AS numbered")
            .arg(store, numbers)
            .replace(QStringLiteral("%%"), QStringLiteral("%")));
    // Every thousandth product has no items; the second item of every 500th is inactive, of every 700th
    // its sale is over.
    for (const auto& [seq, item, price] : {std::tuple{1, 1001, 103}, {2, 1002, 106}})
        session.execute(
            QStringLiteral(
                "INSERT INTO zev_store_product_item (store_no, product_no, seq_no, product_item_name, "
                "item_no, "
                "price_no, is_active, available_end_date) SELECT %1, i, %2, 'Item ' || i, %3, %4, CASE WHEN "
                "%2 = 2 AND i %% 500 = 0 THEN 0 ELSE 1 END, CASE WHEN %2 = 2 AND i %% 700 = 0 THEN "
                "'2026-01-01 00:00:00' END FROM (%5) AS numbered WHERE i %% 1000 <> 0")
                .arg(store)
                .arg(seq)
                .arg(item)
                .arg(price)
                .arg(numbers)
                .replace(QStringLiteral("%%"), QStringLiteral("%")));
    session.execute(
        QStringLiteral("INSERT INTO zev_store_product_item_sell (store_no, product_no, seq_no, price_no, "
                       "new_product_no, new_seq_no, new_price_no, sell_code) SELECT %1, i, 1, 0, i, 2, 0, "
                       "'CROSSSELL' FROM (%2) AS numbered WHERE i %% 5 = 0 AND i %% 1000 <> 0")
            .arg(store, numbers)
            .replace(QStringLiteral("%%"), QStringLiteral("%")));
    session.execute(
        QStringLiteral("INSERT INTO zev_store_list (store_no, list_id) VALUES (%1, 'BENCH')").arg(store));
    session.execute(
        QStringLiteral(
            "INSERT INTO zev_store_list_item (store_no, list_id, seq_no, product_no, "
            "product_item_seq_no, price_no) SELECT %1, 'BENCH', i, i, 2, 106 FROM (%2) AS numbered "
            "WHERE i %% 10 = 0 AND i %% 1000 <> 0")
            .arg(store, numbers)
            .replace(QStringLiteral("%%"), QStringLiteral("%")));
    session.execute(QStringLiteral("INSERT INTO zev_store_fee (store_no, fee_id, item_no, price_no) VALUES "
                                   "(%1, 'SERVICE', 6003, 129)")
                        .arg(store));
    transaction.commit();
    session.execute(QStringLiteral("ANALYZE"));
}

// The check read to its end five times: the median and the fastest run in milliseconds (the fastest is what
// the check costs when nothing else shares the machine); rows the number of findings.
std::pair<double, double> MedianAndFastestMs(SqlConnection& db, int& rows) {
    auto command = db.CreateCommand(0);
    command->setCommandText(QStringLiteral("ZEV_SP_STORE_CheckStore"));
    command->setCommandType(Command::StoredProcedure);
    command->Parameters()->Refresh();
    command->Parameters()->Item(QStringLiteral("@store_no"))->setValue(int32_t(StoreNo));
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        int16_t failed = 0;
        rows = 0;
        for (auto found = db.ExecuteRecordset(command, failed, 0); !found->Eof(); found->MoveNext())
            ++rows;
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[2], times[0]};
}

void DropServerSchema(const QString& server) {
    SqlSession::Open(server)->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(BenchSchema));
}

void Time(const QString& target, const char* backend, int products) {
    auto db = DemoData::CreateDemoDatabase(target, QStringLiteral("benchmark"));
    QElapsedTimer filling;
    filling.start();
    Fill(*db->session(), products);
    const double filled = filling.nsecsElapsed() / 1e9;
    int rows = 0;
    const auto [median, fastest] = MedianAndFastestMs(*db, rows);
    std::printf("check-store %s: %d products (filled in %.1f s), %d findings, median %.1f ms of 5 runs "
                "(fastest %.1f ms)\n",
                backend, products, filled, rows, median, fastest);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int products = 100000;
    QString server, file;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option == QLatin1String("--products"))
            products = QString::fromLocal8Bit(argv[i + 1]).toInt();
        else if (option == QLatin1String("--database"))
            server = QString::fromLocal8Bit(argv[i + 1]);
        else if (option == QLatin1String("--sqlite"))
            file = QString::fromLocal8Bit(argv[i + 1]);
    }
    try {
        QTemporaryDir folder;
        Time(file.isEmpty() ? folder.filePath(QStringLiteral("check.db")) : file, "SQLite", products);
        if (!server.isEmpty()) {
            DropServerSchema(server);
            SqlSession::Open(server)->execute(QStringLiteral("CREATE SCHEMA ") + BenchSchema);
            Time(server + (server.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
                     QStringLiteral("schema=") + BenchSchema,
                 "PostgreSQL", products);
            DropServerSchema(server);
        }
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.description));
        return 1;
    }
    return 0;
}
