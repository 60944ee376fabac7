#include "database/SqlValue.h"

#include <QMetaType>
#include <limits>

namespace SqlValue {

namespace {

int Digits(const QChar* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// A local date and time without asking the time-zone database for every value: the day's offset from
// UTC is looked up once and kept, since rows tend to come in date order.
QDateTime LocalDateTime(const QDate& date, const QTime& time) {
    thread_local qint64 cachedDay = std::numeric_limits<qint64>::min();
    thread_local int cachedOffset = 0;
    if (date.toJulianDay() != cachedDay) {
        cachedOffset = QDateTime(date, QTime(12, 0)).offsetFromUtc();
        cachedDay = date.toJulianDay();
    }
    return QDateTime(date, time, Qt::OffsetFromUTC, cachedOffset);
}

} // namespace

QString DateText(const QDateTime& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime ParseDate(const QString& text) {
    // Read by hand: every order row carries a date, and the generic parser is slow for a million rows.
    if (text.size() != 19 && text.size() != 10)
        return {};
    const QChar* c = text.constData();
    const int year = Digits(c, 4), month = Digits(c + 5, 2), day = Digits(c + 8, 2);
    if (year < 0 || month < 0 || day < 0 || c[4] != u'-' || c[7] != u'-')
        return {};
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    if (text.size() == 10)
        return LocalDateTime(date, QTime(0, 0));
    const int hour = Digits(c + 11, 2), minute = Digits(c + 14, 2), second = Digits(c + 17, 2);
    const QTime time(hour, minute, second);
    if (hour < 0 || minute < 0 || second < 0 || !time.isValid())
        return {};
    return LocalDateTime(date, time);
}

bool IsDateColumn(const QString& column) {
    return column.endsWith(QLatin1String("date"), Qt::CaseInsensitive) ||
           column.endsWith(QLatin1String("datetime"), Qt::CaseInsensitive);
}

bool IsLongColumn(const QString& column) {
    return column.compare(QLatin1String("shopping_cart_data"), Qt::CaseInsensitive) == 0 ||
           column.compare(QLatin1String("customer_data"), Qt::CaseInsensitive) == 0 ||
           column.compare(QLatin1String("old_customer_data"), Qt::CaseInsensitive) == 0;
}

Variant ToVariant(const QVariant& value, bool dateColumn) {
    if (value.isNull())
        return Variant::Null();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return Variant(int32_t(value.toInt()));
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: {
        const qlonglong number = value.toLongLong();
        if (number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max())
            return Variant(int32_t(number));
        return Variant(double(number));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return Variant(value.toDouble());
    case QMetaType::Bool:
        return Variant(value.toBool());
    case QMetaType::QDateTime:
        return Variant(value.toDateTime());
    case QMetaType::QDate:
        return Variant(QDateTime(value.toDate(), QTime(0, 0)));
    case QMetaType::QByteArray:
        return Variant(QString::fromUtf8(value.toByteArray()));
    default:
        break;
    }
    QString text = value.toString();
    if (dateColumn) {
        const QDateTime date = ParseDate(text);
        if (date.isValid())
            return Variant(date);
    }
    return Variant(text);
}

QVariant Bind(const std::optional<int32_t>& value) {
    return value ? QVariant(int(*value)) : QVariant(QMetaType::fromType<int>());
}

QVariant Bind(const std::optional<qint64>& value) {
    return value ? QVariant(qlonglong(*value)) : QVariant(QMetaType::fromType<qlonglong>());
}

QVariant Bind(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

QVariant Bind(const std::optional<QString>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<QString>());
}

QVariant Bind(const std::optional<QDateTime>& value) {
    return value ? QVariant(DateText(*value)) : QVariant(QMetaType::fromType<QString>());
}

QVariant BindFlag(const std::optional<bool>& value) {
    return value ? QVariant(int(*value ? 1 : 0)) : QVariant(QMetaType::fromType<int>());
}

} // namespace SqlValue
