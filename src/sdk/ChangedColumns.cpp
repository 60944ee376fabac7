#include "sdk/ChangedColumns.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString Text(const QJsonValue& value) {
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    return {};
}

} // namespace

QList<ChangedColumn> ChangedColumns(const QString& oldValues, const QString& newValues) {
    const QJsonObject old = QJsonDocument::fromJson(oldValues.toUtf8()).object();
    const QJsonObject now = QJsonDocument::fromJson(newValues.toUtf8()).object();
    QStringList names = old.keys() + now.keys();
    names.removeDuplicates();
    names.sort();
    QList<ChangedColumn> columns;
    for (const QString& name : names)
        columns.append({name, Text(old.value(name)), Text(now.value(name))});
    return columns;
}
