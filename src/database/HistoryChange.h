#pragma once

#include <QList>
#include <QString>

// One row of the change history, its values as text.
struct HistoryChange {
    struct Column {
        QString name;
        QString oldValue;
        QString newValue;
    };
    qint64 no = 0;
    QString when;
    QString who;
    QString table;
    QString recordKey;
    QString action;
    QList<Column> columns; // by name
};
