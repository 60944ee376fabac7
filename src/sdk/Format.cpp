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
