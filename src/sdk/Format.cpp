#include "sdk/Format.h"

#include "sdk/RuntimeError.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

bool IsDatePattern(const QString& format) {
    const QString lower = format.toLower();
    return lower.contains(QLatin1String("yy")) || lower.contains(QLatin1String("dd")) ||
           lower.contains(QLatin1String("hh")) || lower.contains(QLatin1String("nn"));
}

QString Grouped(double magnitude, int decimals) {
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(magnitude, 'f', decimals);
}

// A digit pattern such as "0", "0.00", "#.00", "#,##0.00": zero digits are always shown, "#" only when
// needed.
QString FormatDigits(double value, const QString& pattern) {
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? pattern : pattern.left(point);
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    const bool grouped = whole.contains(QLatin1Char(','));
    const double magnitude = std::fabs(value);
    QString text = grouped ? Grouped(magnitude, decimals) : QString::number(magnitude, 'f', decimals);
    if (!whole.contains(QLatin1Char('0')) && text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    if (!whole.contains(QLatin1Char('0')) && text == QLatin1String("0"))
        text.clear();
    const bool negative = value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QLatin1Char('-') + text : text;
}

QString FormatCurrency(double value) {
    const QString amount = QLatin1Char('$') + Grouped(std::fabs(value), 2);
    const bool negative = value < 0 && amount.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QLatin1Char('(') + amount + QLatin1Char(')') : amount;
}

bool StartsWith(const QString& format, qsizetype at, const char* token) {
    return QStringView(format).mid(at).startsWith(QLatin1String(token), Qt::CaseInsensitive);
}

QString Padded(int number, int width) {
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

// Grids format a whole column of dates: every piece is made once per date, not once per pattern letter.
QString FormatDate(const QDate& day, const QTime& time, const QString& format) {
    const bool twelveHour = format.contains(QLatin1String("AMPM"), Qt::CaseInsensitive) ||
                            format.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);
    const int hour = twelveHour ? (time.hour() + 11) % 12 + 1 : time.hour();
    const QString minutes = Padded(time.minute(), 2);
    const QString ampm = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    const struct {
        const char* token;
        QString text;
        bool hours;
    } pieces[] = {{"yyyy", Padded(day.year(), 4), false},
                  {"yy", Padded(day.year() % 100, 2), false},
                  {"ampm", ampm, false},
                  {"am/pm", ampm, false},
                  {"hh", Padded(hour, 2), true},
                  {"h", QString::number(hour), true},
                  {"nn", minutes, false},
                  {"mm", Padded(day.month(), 2), false},
                  {"dd", Padded(day.day(), 2), false},
                  {"ss", Padded(time.second(), 2), false}};
    QString out;
    bool afterHours = false;
    for (qsizetype i = 0; i < format.size();) {
        const auto piece = std::find_if(std::begin(pieces), std::end(pieces),
                                        [&](const auto& p) { return StartsWith(format, i, p.token); });
        if (piece != std::end(pieces)) {
            // "mm" right after the hours is the minutes.
            const bool mm = qstrcmp(piece->token, "mm") == 0;
            out += mm && afterHours ? minutes : piece->text;
            i += qsizetype(qstrlen(piece->token));
            afterHours = piece->hours;
            continue;
        }
        if (format.at(i) != QLatin1Char(' ') && format.at(i) != QLatin1Char(':'))
            afterHours = false;
        out += format.at(i++);
    }
    return out;
}

QString FormatDate(const QDateTime& date, const QString& format) {
    return FormatDate(date.date(), date.time(), format);
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

// Dates as this system writes them ("3/7/2006", "3/7/2006 2:05:09 PM") and as the database does
// ("2006-03-07 14:05:09") are read field by field, with no time zone asked for: grids format whole columns.
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

} // namespace

QString Format(const Variant& value, const QString& format) {
    if (value.isNull() || value.isEmpty())
        return {};
    if (IsDatePattern(format)) {
        if (value.type() == Variant::Type::String && !IsNumeric(value)) {
            QDate day;
            QTime time;
            if (ReadDateText(value.toText(), day, time))
                return FormatDate(day, time, format);
            try {
                return FormatDate(value.toDateTime(), format);
            } catch (const RuntimeError&) {
                return value.toText();
            }
        }
        return FormatDate(value.toDateTime(), format);
    }
    if (value.type() == Variant::Type::String && !IsNumeric(value))
        return value.toText();
    const double number = value.toDouble();
    if (format.compare(QLatin1String("Currency"), Qt::CaseInsensitive) == 0)
        return FormatCurrency(number);
    if (format.isEmpty())
        return value.toText();
    return FormatDigits(number, format);
}
