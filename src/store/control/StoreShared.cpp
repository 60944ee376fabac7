#include "store/control/StoreShared.h"

#include "sdk/Variant.h"

#include <QLineEdit>

namespace StoreShared {

QString Joined(std::initializer_list<QString> cells) {
    qsizetype size = 0;
    for (const QString& cell : cells)
        size += cell.size() + 1;
    QString row;
    row.reserve(size);
    for (auto cell = cells.begin(); cell != cells.end(); ++cell) {
        if (cell != cells.begin())
            row += QLatin1Char('\t');
        row += *cell;
    }
    return row;
}

bool IsFilter(const QLineEdit* box) {
    return !box->text().isEmpty() && IsNumericText(box->text());
}

} // namespace StoreShared
