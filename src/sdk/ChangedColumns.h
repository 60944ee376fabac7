#pragma once

#include <QList>
#include <QString>

// One column a change touched, its values as text.
struct ChangedColumn {
    QString name;
    QString oldValue;
    QString newValue;
};

// The columns of one change of the history, by name, from its old and new values as the database keeps them
// (JSON objects; an insert has no old values, a delete no new ones).
QList<ChangedColumn> ChangedColumns(const QString& oldValues, const QString& newValues);
