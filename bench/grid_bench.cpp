// Fills a FlexGrid with a million 7-column rows, auto-sizes it and paints its first screen offscreen, and
// prints the times and the memory the rows take. Not run by ctest.
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int RowCount = 1000000;

size_t ResidentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? size_t(fields[1].toULongLong()) * size_t(sysconf(_SC_PAGESIZE)) : 0;
}

double Megabytes(size_t bytes) {
    return double(bytes) / (1024.0 * 1024.0);
}

// Rows shaped like the order search's: cart, insertion time, status, sales order, customer numbers, e-mail.
std::vector<QString> OrderRows() {
    static const char* statuses[] = {"OPEN", "SHIPPED", "CANCELLED", "INVOICED"};
    std::vector<QString> rows;
    rows.reserve(RowCount);
    for (int i = 0; i < RowCount; ++i)
        rows.push_back(QStringLiteral("%1\t2006-%2-%3 14:05:00\t%4\t%5\t%6\t%7\tcustomer%6@example.com")
                           .arg(1000000 + i)
                           .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                           .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                           .arg(QLatin1String(statuses[i % 4]))
                           .arg(500000 + i / 3)
                           .arg(20000 + i % 70000)
                           .arg(i % 5 ? QString::number(90000 + i) : QString()));
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const std::vector<QString> rows = OrderRows();
    size_t textBytes = 0;
    for (const QString& row : rows)
        textBytes += size_t(row.toUtf8().size());

    FlexGrid grid;
    grid.setFormatString(
        QStringLiteral("Cart No|Inserted|Status|Sales Order|Customer #|Ext. Customer #|Notify Email"));
    grid.setColFormat(1, QStringLiteral("MM/DD/YYYY hh:nn AMPM"));
    grid.setRowBold(0, true);
    grid.setSelectionMode(FlexGrid::SelectionMode::ByRow);
    grid.resize(1000, 700);

    const size_t residentBefore = ResidentBytes();
    QElapsedTimer timer;
    timer.start();
    grid.setRedraw(false);
    for (const QString& row : rows)
        grid.AddItem(row);
    grid.setRedraw(true);
    const qint64 fillMs = timer.restart();
    const size_t residentAfter = ResidentBytes();

    grid.AutoSize();
    const qint64 autoSizeMs = timer.restart();

    grid.show();
    QApplication::processEvents();
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
    grid.render(&image);
    const qint64 paintMs = timer.restart();

    // The same fill with the grid drawing all along, for comparison.
    FlexGrid drawing;
    drawing.setFormatString(QStringLiteral("A|B|C|D|E|F|G"));
    drawing.resize(1000, 700);
    drawing.show();
    QApplication::processEvents();
    timer.restart();
    for (const QString& row : rows)
        drawing.AddItem(row);
    const qint64 drawingFillMs = timer.elapsed();

    // The product view's outline: a group node every ten rows, folded to level 0 and opened again.
    drawing.setRedraw(false);
    for (int32_t row = 1; row < drawing.Rows(); row += 10)
        drawing.setIsSubtotal(row, true);
    drawing.setRedraw(true);
    timer.restart();
    drawing.Outline(0);
    const qint64 collapseMs = timer.restart();
    const int shownCollapsed = drawing.gridModel()->rowCount();
    drawing.Outline(-1);
    const qint64 expandMs = timer.elapsed();

    const size_t modelBytes = grid.gridModel()->BytesUsed();
    std::printf("rows                          %d x 7 columns\n", RowCount);
    std::printf("row texts                     %.1f MB (UTF-8)\n", Megabytes(textBytes));
    std::printf("AddItem, redraw suspended     %lld ms\n", static_cast<long long>(fillMs));
    std::printf("AutoSize, all columns         %lld ms\n", static_cast<long long>(autoSizeMs));
    std::printf("fill + auto-size              %lld ms (target < 1000 ms)\n",
                static_cast<long long>(fillMs + autoSizeMs));
    std::printf("first paint 1000x700          %lld ms\n", static_cast<long long>(paintMs));
    std::printf("AddItem, redraw on            %lld ms\n", static_cast<long long>(drawingFillMs));
    std::printf("Outline(0), 100000 nodes      %lld ms (%d rows shown)\n", static_cast<long long>(collapseMs),
                shownCollapsed);
    std::printf("Outline(-1), all open         %lld ms\n", static_cast<long long>(expandMs));
    std::printf("model memory                  %.1f MB = %.2f x the row texts (target < 2)\n",
                Megabytes(modelBytes), double(modelBytes) / double(textBytes));
    std::printf("resident memory growth        %.1f MB = %.2f x the row texts\n",
                Megabytes(residentAfter - residentBefore),
                double(residentAfter - residentBefore) / double(textBytes));
    return 0;
}
