// The store control on a large store: the order search finding 1,000,000 orders and the product view of
// 100,000 products, each beside the same procedure read by itself. For both views: the time to the first rows
// on screen, the whole fill, the database-only time, their ratio, the longest pause of the event loop during
// the fill, and the time from "&Stop" to the search's end. Each view is read and filled three times, in
// turn: the ratio takes the best time of each (other work on the machine only ever adds time), the first
// rows and the longest pause the worst of the three. Then, on the million orders: the quick filter answering
// a scripted typing of search words (each keystroke until its rows are painted), and a CSV export of every
// row. Not run by ctest. Usage: zev_control_bench [DATABASE_FILE | postgresql://URL] (filled on first use,
// then reused).

#include "database/BulkData.h"
#include "database/SqlConnection.h"
#include "store/control/Store.h"
#include "store/data/StoredProcedureCall.h"
#include "support/FakeAppServer.h"
#include "widgets/CsvExport.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int64_t Orders = 1000000;
constexpr int32_t Products = 100000;
constexpr int Repeats = 3;

// Reads every row of a procedure the way the control does, column by column as text; also the time to the
// first row, which no grid can show sooner.
double ReadAll(const std::shared_ptr<DBConnection>& db, const QString& procedure, int32_t storeNo,
               const QStringList& columns, int64_t& rows, double& firstRowMs) {
    QElapsedTimer timer;
    timer.start();
    StoredProcedureCall call(db, procedure);
    call.set(QStringLiteral("@store_no"), storeNo);
    rows = 0;
    qsizetype characters = 0;
    const bool opened = call.openRows();
    firstRowMs = double(timer.nsecsElapsed()) / 1e6;
    if (opened)
        for (; !call.atEnd(); call.next(), ++rows)
            for (const QString& column : columns)
                characters += call.readText(column).size();
    return double(timer.nsecsElapsed()) / 1e9 + (characters < 0 ? 1 : 0);
}

// Watches one fill: the first paint of the grid that shows rows, and the longest time the event loop did not
// run (a zero timer ticks each time it runs).
class FillWatch : public QObject {
public:
    explicit FillWatch(FlexGrid* grid) : m_grid(grid) {
        m_timer.start();
        m_grid->viewport()->installEventFilter(this);
        m_tick.setInterval(0);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { Tick(); });
        m_tick.start();
    }

    double Now() const { return double(m_timer.nsecsElapsed()) / 1e6; }
    // Ends the watch: the pause up to now counts too.
    void Finish() {
        Tick();
        m_tick.stop();
        m_grid->viewport()->removeEventFilter(this);
    }
    double firstRowsMs = -1;
    double longestPauseMs = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && firstRowsMs < 0 && m_grid->gridModel()->rowCount() > 0)
            firstRowsMs = Now();
        return false;
    }

private:
    void Tick() {
        const double now = Now();
        longestPauseMs = std::max(longestPauseMs, now - m_last);
        m_last = now;
    }

    FlexGrid* m_grid;
    QElapsedTimer m_timer;
    QTimer m_tick;
    double m_last = 0;
};

struct Fill {
    double wholeMs = 0;
    double firstRowsMs = 0;
    double longestPauseMs = 0;
    int64_t rows = 0;
};

// Runs a fill started by a click; the rows count once the grid painted them.
Fill Measure(FlexGrid* grid, const std::function<void()>& click) {
    FillWatch watch(grid);
    click();
    Fill fill;
    fill.wholeMs = watch.Now();
    watch.Finish();
    if (watch.firstRowsMs < 0) {
        grid->viewport()->repaint();
        QCoreApplication::processEvents();
        fill.firstRowsMs = watch.Now();
    } else {
        fill.firstRowsMs = watch.firstRowsMs;
    }
    fill.longestPauseMs = watch.longestPauseMs;
    fill.rows = grid->Rows() - 1;
    return fill;
}

// One view: its procedure read alone and its fill, each measured several times; the best whole times and the
// worst first rows and pauses are kept.
struct View {
    const char* procedure;
    QStringList columns;
    std::function<Fill()> measureFill;
    double databaseMs = 1e300;
    double databaseFirstRowMs = 0;
    int64_t rows = 0;
    Fill fill{1e300, 0, 0, 0};

    void MeasureOnce(const std::shared_ptr<DBConnection>& db, int32_t storeNo) {
        double firstRowMs = 0;
        databaseMs = std::min(
            databaseMs, 1000 * ReadAll(db, QLatin1String(procedure), storeNo, columns, rows, firstRowMs));
        databaseFirstRowMs = std::max(databaseFirstRowMs, firstRowMs);
        const Fill once = measureFill();
        fill.wholeMs = std::min(fill.wholeMs, once.wholeMs);
        fill.firstRowsMs = std::max(fill.firstRowsMs, once.firstRowsMs);
        fill.longestPauseMs = std::max(fill.longestPauseMs, once.longestPauseMs);
        fill.rows = once.rows;
    }
    double Ratio() const { return fill.wholeMs / databaseMs; }

    void Report(const char* view) const {
        std::printf("%s first-rows %.0f ms\n", view, fill.firstRowsMs);
        std::printf("%s whole-fill %.0f ms (%lld rows)\n", view, fill.wholeMs,
                    static_cast<long long>(fill.rows));
        std::printf("%s database-only %.0f ms\n", view, databaseMs);
        std::printf("%s ratio %.2f\n", view, Ratio());
        std::printf("%s longest-pause %.0f ms\n", view, fill.longestPauseMs);
        std::printf("%s database-first-row %.0f ms\n", view, databaseFirstRowMs);
    }
};

// Presses "&Stop" a while into an order search; the time runs from when the press was due to the search's
// end.
void ReportStop(Store& control, const char* view, const std::function<void()>& click) {
    constexpr int PressAfterMs = 1000;
    QElapsedTimer timer;
    double pressedMs = -1;
    QTimer::singleShot(PressAfterMs, &control, [&] {
        pressedMs = double(timer.nsecsElapsed()) / 1e6;
        control.cmdStop->click();
    });
    timer.start();
    click();
    const double endMs = double(timer.nsecsElapsed()) / 1e6;
    if (pressedMs < 0)
        std::printf("%s stop-to-end not honoured: the search ran %.0f ms to its end (%d rows)\n", view, endMs,
                    control.gdData->Rows() - 1);
    else
        std::printf("%s stop-to-end %.0f ms (pressed %.0f ms late, %d rows kept)\n", view,
                    endMs - PressAfterMs, pressedMs - PressAfterMs, control.gdData->Rows() - 1);
    QCoreApplication::processEvents();
}

// Types each word into the filter box a key at a time, then empties the box with Escape; each keystroke is
// timed until the grid has painted its answer. Prints the median and the 99th percentile.
void ReportFilter(Store& control) {
    const char* const words[] = {"customer12", "PAID",   "shipped", "mail.example", "03/15/2026",
                                 "100234",     "900123", "cancel",  "picked",       "customer999@",
                                 "new",        "2026",   "07:4",    "pm",           "zzz",
                                 "12345",      "@mail",  "ship",    "987",          "02/01/2026 11"};
    QLineEdit* box = control.picFilter->txtFilter;
    FlexGrid* grid = control.gdData;
    std::vector<double> keys;
    auto timed = [&](const std::function<void()>& key) {
        QElapsedTimer timer;
        timer.start();
        key();
        grid->viewport()->repaint();
        QCoreApplication::processEvents();
        keys.push_back(double(timer.nsecsElapsed()) / 1e6);
    };
    // What the box does when it gets the focus: the dates' shown text, made once per search.
    QElapsedTimer ready;
    ready.start();
    while (!grid->gridModel()->PrepareFilter(30'000'000))
        QCoreApplication::processEvents();
    std::printf("filter-ready-ms %.0f (once per search, when the box gets the focus, window alive)\n",
                double(ready.nsecsElapsed()) / 1e6);
    box->setFocus();
    int64_t shown = 0;
    for (const char* word : words) {
        for (const char* c = word; *c; ++c)
            timed([&] { box->insert(QString(QLatin1Char(*c))); });
        shown += grid->FilterMatches();
        timed([&] { QTest::keyClick(box, Qt::Key_Escape); });
    }
    std::sort(keys.begin(), keys.end());
    auto percentile = [&](double p) {
        return keys[std::min(keys.size() - 1, size_t(p * double(keys.size())))];
    };
    std::printf("filter keystrokes %zu over %d rows (%lld rows matched the whole words), slowest %.0f ms\n",
                keys.size(), grid->Rows() - 1, static_cast<long long>(shown), keys.back());
    std::printf("filter-p50-ms %.0f filter-p99-ms %.0f\n", percentile(0.50), percentile(0.99));
}

// Writes every row of the grid as CSV, as "Export..." does without a filter.
void ReportExport(FlexGrid* grid) {
    const QString path = QStringLiteral("/tmp/zevstore-control-bench-export.csv");
    QElapsedTimer timer;
    timer.start();
    CsvExport csv(*grid->gridModel(), true);
    const bool written = csv.Write(path);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("export %d rows, %lld bytes%s\n", grid->Rows() - 1,
                static_cast<long long>(QFile(path).size()), written ? "" : " (failed)");
    std::printf("export-ms %.0f\n", ms);
    QFile::remove(path);
}

// Fills the database unless a store holds the orders and products measured.
int32_t PrepareData(const std::shared_ptr<DBConnection>& db, SqlConnection& connection,
                    const QString& target) {
    const auto rows = db->OpenRecordset(
        QStringLiteral(
            "SELECT s.store_no, (SELECT COUNT(*) FROM zev_shopping_cart c WHERE c.store_no = "
            "s.store_no) AS n FROM zev_store s WHERE (SELECT COUNT(*) FROM zev_store_product p WHERE "
            "p.store_no = s.store_no) >= %1 ORDER BY 2 DESC")
            .arg(Products),
        0);
    if (!rows->Eof() && rows->Fields(QStringLiteral("n"))->Value().toDouble() >= double(Orders))
        return rows->Fields(QStringLiteral("store_no"))->Value().toInt32();
    std::printf(
        "generating %lld orders and %d products in %s ...\n", static_cast<long long>(Orders), Products,
        qPrintable(target.startsWith(QLatin1String("postgres")) ? QStringLiteral("the server") : target));
    BulkDataSize size;
    size.stores = 1;
    size.productsPerStore = Products;
    size.itemsPerProduct = 1;
    size.orders = Orders;
    size.customers = 1000;
    return BulkData::Generate(*connection.session(), size).firstStoreNo;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString target =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/zevstore-control-bench.db");
    const auto db = SqlConnection::Open(target, QStringLiteral("admin"));
    const int32_t storeNo = PrepareData(db, *db, target);

    const QStringList orderColumns = {"shopping_cart_no",    "inserted_datetime", "status_id",
                                      "salesorder_no",       "customer_no",       "external_customer_no",
                                      "notify_email_address"};
    const QStringList productColumns = {"product_no", "product_group_no", "group_description", "product_type",
                                        "product_name"};
    auto server = std::make_shared<FakeAppServer>();
    server->db = db;
    Store control;
    control.resize(1100, 720);
    control.show();
    control.SetAppServer(server);
    control.Setup();
    control.cmbStore->setCurrentIndex(control.cmbStore->IndexOfNumber(storeNo));
    QCoreApplication::processEvents();

    View orders{"ZEV_SP_STORE_GetOrders", orderColumns, [&] {
                    control.tabStore->SelectKey(QStringLiteral("ORDER"));
                    QCoreApplication::processEvents();
                    return Measure(control.gdData, [&] { control.cmdFind->click(); });
                }};
    View products{"ZEV_SP_STORE_GetProduct", productColumns, [&] {
                      control.tabStore->SelectKey(QStringLiteral("CUST"));
                      QCoreApplication::processEvents();
                      return Measure(control.gdData,
                                     [&] { control.tabStore->SelectKey(QStringLiteral("PRODUCT")); });
                  }};
    for (int run = 0; run < Repeats; ++run)
        for (View* view : {&orders, &products})
            view->MeasureOnce(db, storeNo);
    const bool complete = orders.fill.rows == orders.rows && products.fill.rows > 0;

    orders.Report("orders");
    products.Report("products");
    control.tabStore->SelectKey(QStringLiteral("ORDER"));
    QCoreApplication::processEvents();
    ReportStop(control, "orders", [&] { control.cmdFind->click(); });
    control.cmdFind->click();
    ReportFilter(control);
    ReportExport(control.gdData);
    std::printf("ratio-orders %.2f ratio-products %.2f first-rows-ms %.0f longest-pause-ms %.0f\n",
                orders.Ratio(), products.Ratio(),
                std::max(orders.fill.firstRowsMs, products.fill.firstRowsMs),
                std::max(orders.fill.longestPauseMs, products.fill.longestPauseMs));
    return complete ? 0 : 1;
}
