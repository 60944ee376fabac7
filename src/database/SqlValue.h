#pragma once

#include "sdk/Variant.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// Values between Qt SQL and the host's Variant. Dates are stored as "yyyy-MM-dd HH:mm:ss" text on both
// servers, so they sort, compare and travel the same way everywhere, without time-zone conversions.
namespace SqlValue {

QString DateText(const QDateTime& date);
// Invalid when the text is not a stored date.
QDateTime ParseDate(const QString& text);

// Columns whose stored text is a date: the names end in "date" or "datetime".
bool IsDateColumn(const QString& column);
// Long text columns served in chunks: the cart and customer XML.
bool IsLongColumn(const QString& column);

Variant ToVariant(const QVariant& value, bool dateColumn);

// Values to bind; nullopt binds NULL.
QVariant Bind(const std::optional<int32_t>& value);
QVariant Bind(const std::optional<qint64>& value);
QVariant Bind(const std::optional<double>& value);
QVariant Bind(const std::optional<QString>& value);
QVariant Bind(const std::optional<QDateTime>& value);
// Flags are stored as 1 or 0.
QVariant BindFlag(const std::optional<bool>& value);

} // namespace SqlValue
