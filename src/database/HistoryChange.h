#pragma once

#include "sdk/ChangedColumns.h"

#include <QList>
#include <QString>

// One row of the change history, its values as text.
struct HistoryChange {
    using Column = ChangedColumn;
    qint64 no = 0;
    QString when;
    QString who;
    QString table;
    QString recordKey;
    QString action;
    QList<Column> columns; // by name
};
