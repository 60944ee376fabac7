#include "sdk/Variant.h"

#include "sdk/RuntimeError.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>

namespace {

const QDateTime& SerialEpoch() {
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    return epoch;
}

double TextToDouble(const QString& text) {
    if (!IsNumericText(text))
        throw TypeMismatch();
    bool ok = false;
    QString compact = text;
    compact.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    const double value = compact.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw Overflow();
    return value;
}

template <typename Int> Int RoundTo(double value) {
    if (std::isnan(value))
        throw Overflow();
    const double rounded = std::nearbyint(value); // the default rounding mode rounds half to even
    if (rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        throw Overflow();
    return Int(rounded);
}

QString DoubleToText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    QString text = QString::number(value, 'g', 15);
    text.replace(QStringLiteral("e+"), QStringLiteral("E+"))
        .replace(QStringLiteral("e-"), QStringLiteral("E-"));
    return text;
}

// "3/7/2006" or "3/7/2006 2:05:09 PM": written digit by digit, as grids turn a million dates into text.
QString DateToText(const QDateTime& date) {
    const QDate day = date.date();
    const QTime time = date.time();
    char text[40];
    int length = 0;
    if (time.msecsSinceStartOfDay() < 1000) {
        length = std::snprintf(text, sizeof text, "%d/%d/%d", day.month(), day.day(), day.year());
    } else {
        const int hour = time.hour();
        length =
            std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", day.month(), day.day(), day.year(),
                          (hour + 11) % 12 + 1, time.minute(), time.second(), hour < 12 ? "AM" : "PM");
    }
    return QString::fromLatin1(text, length);
}

// Digits from text[at]: between one and max of them, or exactly max when exact; -1 when they are not there.
int ReadNumber(QStringView text, qsizetype& at, int max, bool exact = false) {
    int number = 0;
    int digits = 0;
    for (; digits < max && at < text.size() && text[at].isDigit(); ++digits, ++at)
        number = number * 10 + text[at].digitValue();
    return digits == 0 || (exact && digits != max) ? -1 : number;
}

bool Skip(QStringView text, qsizetype& at, QStringView expected) {
    if (!text.mid(at).startsWith(expected))
        return false;
    at += expected.size();
    return true;
}

} // namespace

Variant Variant::Null() {
    Variant v;
    v.m_type = Type::Null;
    return v;
}

Variant Variant::Array(std::vector<Variant> items, int32_t lowerBound) {
    Variant v;
    v.m_type = Type::Array;
    if (!items.empty())
        v.m_array = std::make_shared<const VariantArray>(VariantArray{lowerBound, std::move(items)});
    return v;
}

bool Variant::isNumber() const {
    return m_type == Type::Integer || m_type == Type::Long || m_type == Type::Double ||
           m_type == Type::Boolean;
}

double Variant::toDouble() const {
    switch (m_type) {
    case Type::Empty:
        return 0;
    case Type::Null:
        throw InvalidUseOfNull();
    case Type::Integer:
    case Type::Long:
    case Type::Boolean:
        return m_integer;
    case Type::Double:
        return m_double;
    case Type::String:
        return TextToDouble(m_text);
    case Type::Date:
        return DateToSerial(m_date);
    case Type::Array:
        break;
    }
    throw TypeMismatch();
}

int16_t Variant::toInt16() const {
    return RoundToInt16(toDouble());
}

int32_t Variant::toInt32() const {
    return RoundToInt32(toDouble());
}

bool Variant::toBool() const {
    if (m_type == Type::String) {
        const QString text = m_text.trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble() != 0;
}

QDateTime Variant::toDateTime() const {
    switch (m_type) {
    case Type::Null:
        throw InvalidUseOfNull();
    case Type::Date:
        return m_date;
    case Type::String: {
        // The forms dates take here are read by their fields; other texts go through the parser.
        const QString text = m_text.trimmed();
        QDate day;
        QTime time;
        if (ReadDateText(text, day, time))
            return QDateTime(day, time);
        const bool iso = text.size() >= 10 && text.at(4) == QLatin1Char('-');
        const std::initializer_list<const char*> isoPatterns = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
                                                                "yyyy-MM-dd"};
        const std::initializer_list<const char*> usPatterns = {"M/d/yyyy h:mm:ss AP", "M/d/yyyy h:mm AP",
                                                               "M/d/yyyy"};
        for (const auto& patterns : {iso ? isoPatterns : usPatterns, iso ? usPatterns : isoPatterns})
            for (const char* pattern : patterns) {
                const QDateTime parsed = QDateTime::fromString(text, QLatin1String(pattern));
                if (parsed.isValid())
                    return parsed;
            }
        if (!IsNumericText(m_text))
            throw TypeMismatch();
        return SerialToDate(TextToDouble(m_text));
    }
    case Type::Array:
        throw TypeMismatch();
    default:
        return SerialToDate(toDouble());
    }
}

QString Variant::toText() const {
    switch (m_type) {
    case Type::Empty:
    case Type::Null:
        return {};
    case Type::Integer:
    case Type::Long:
        return QString::number(m_integer);
    case Type::Double:
        return DoubleToText(m_double);
    case Type::Boolean:
        return m_integer ? QStringLiteral("True") : QStringLiteral("False");
    case Type::String:
        return m_text;
    case Type::Date:
        return DateToText(m_date);
    case Type::Array:
        break;
    }
    throw TypeMismatch();
}

bool Variant::operator==(const Variant& other) const {
    if (m_type != other.m_type)
        return false;
    switch (m_type) {
    case Type::Empty:
    case Type::Null:
        return true;
    case Type::Double:
        return m_double == other.m_double;
    case Type::String:
        return m_text == other.m_text;
    case Type::Date:
        return m_date == other.m_date;
    case Type::Array:
        if (!m_array || !other.m_array)
            return m_array == other.m_array;
        return m_array->lowerBound == other.m_array->lowerBound && m_array->items == other.m_array->items;
    default:
        return m_integer == other.m_integer;
    }
}

QString Variant::describe() const {
    switch (m_type) {
    case Type::Empty:
        return QStringLiteral("Empty");
    case Type::Null:
        return QStringLiteral("Null");
    case Type::Integer:
        return QStringLiteral("Integer(%1)").arg(m_integer);
    case Type::Long:
        return QStringLiteral("Long(%1)").arg(m_integer);
    case Type::Double:
        return QStringLiteral("Double(%1)").arg(DoubleToText(m_double));
    case Type::Boolean:
        return QStringLiteral("Boolean(%1)").arg(toText());
    case Type::String:
        return QStringLiteral("String(\"%1\")").arg(m_text);
    case Type::Date:
        return QStringLiteral("Date(%1)").arg(m_date.toString(Qt::ISODate));
    case Type::Array:
        return QStringLiteral("Array(%1)").arg(m_array ? qsizetype(m_array->items.size()) : 0);
    }
    return {};
}

// Optional blanks, an optional sign, digits with at most one decimal point, an optional exponent, optional
// blanks; written out by hand, as grids ask it of every cell they paint.
bool IsNumericText(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto blank = [&](qsizetype at) {
        const char16_t c = text[at].unicode();
        return c == u' ' || (c >= 9 && c <= 13);
    };
    auto digits = [&](qsizetype& at) {
        const qsizetype from = at;
        while (at < n && text[at].unicode() >= u'0' && text[at].unicode() <= u'9')
            ++at;
        return at - from;
    };
    while (i < n && blank(i))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        ++i;
        while (i < n && blank(i))
            ++i;
    }
    const qsizetype whole = digits(i);
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        if (digits(i) == 0 && whole == 0)
            return false;
    } else if (whole == 0) {
        return false;
    }
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        if (digits(i) == 0)
            return false;
    }
    while (i < n && blank(i))
        ++i;
    return i == n;
}

bool IsNumeric(const Variant& value) {
    switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Integer:
    case Variant::Type::Long:
    case Variant::Type::Double:
    case Variant::Type::Boolean:
        return true;
    case Variant::Type::String:
        return IsNumericText(value.toText());
    default:
        return false;
    }
}

double DateToSerial(const QDateTime& date) {
    // Calendar arithmetic, so that the serial does not depend on the machine's time zone.
    return double(SerialEpoch().date().daysTo(date.date())) + date.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime SerialToDate(double serial) {
    if (!std::isfinite(serial) || std::fabs(serial) > 3e6)
        throw Overflow();
    const double days = std::floor(serial);
    const int msecs = int(std::llround((serial - days) * 86400000.0));
    return QDateTime(SerialEpoch().date().addDays(qint64(days)), QTime(0, 0)).addMSecs(msecs);
}

int16_t RoundToInt16(double value) {
    return RoundTo<int16_t>(value);
}

int32_t RoundToInt32(double value) {
    return RoundTo<int32_t>(value);
}

void PrintTo(const Variant& value, std::ostream* os) {
    *os << value.describe().toStdString();
}

// Grids format whole columns of dates: no time zone is asked for, and no pattern parsed.
bool ReadDateText(QStringView text, QDate& day, QTime& time) {
    if (text.size() == 19 && text[4] == QLatin1Char('-') &&
        (text[10] == QLatin1Char(' ') || text[10] == QLatin1Char('T'))) {
        day = QDate::fromString(text.left(10), Qt::ISODate);
        time = QTime::fromString(text.mid(11), Qt::ISODate);
        return day.isValid() && time.isValid();
    }
    qsizetype at = 0;
    const int month = ReadNumber(text, at, 2);
    const int dayOfMonth = Skip(text, at, u"/") ? ReadNumber(text, at, 2) : -1;
    const int year = Skip(text, at, u"/") ? ReadNumber(text, at, 4, true) : -1;
    day = QDate(year, month, dayOfMonth);
    time = QTime(0, 0);
    if (year < 0 || !day.isValid() || at == text.size())
        return year >= 0 && day.isValid();
    const int hour = Skip(text, at, u" ") ? ReadNumber(text, at, 2) : -1;
    const int minute = Skip(text, at, u":") ? ReadNumber(text, at, 2, true) : -1;
    const int second = Skip(text, at, u":") ? ReadNumber(text, at, 2, true) : -1;
    const bool pm = Skip(text, at, u" PM");
    const bool am = !pm && Skip(text, at, u" AM");
    if (!(am || pm) || at != text.size() || hour < 1 || hour > 12)
        return false;
    time = QTime(hour % 12 + (pm ? 12 : 0), minute, second);
    return time.isValid();
}
