#include "sdk/Format.h"

#include "sdk/RuntimeError.h"

#include <QLocale>
#include <QRegularExpression>
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
    return format.mid(at).startsWith(QLatin1String(token), Qt::CaseInsensitive);
}

QString FormatDate(const QDateTime& date, const QString& format) {
    const bool twelveHour = format.contains(QLatin1String("AMPM"), Qt::CaseInsensitive) ||
                            format.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);
    QString out;
    bool afterHours = false;
    for (qsizetype i = 0; i < format.size();) {
        auto take = [&](const char* token, const QString& text, bool hours = false) {
            if (!StartsWith(format, i, token))
                return false;
            out += text;
            i += qsizetype(qstrlen(token));
            afterHours = hours;
            return true;
        };
        const int hour = twelveHour ? (date.time().hour() + 11) % 12 + 1 : date.time().hour();
        const QString minutes = date.toString(QStringLiteral("mm"));
        const QString ampm = date.time().hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        if (take("yyyy", date.toString(QStringLiteral("yyyy"))) ||
            take("yy", date.toString(QStringLiteral("yy"))) || take("ampm", ampm) || take("am/pm", ampm) ||
            take("hh", QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')), true) ||
            take("h", QString::number(hour), true) || take("nn", minutes) ||
            take("mm", afterHours ? minutes : date.toString(QStringLiteral("MM"))) ||
            take("dd", date.toString(QStringLiteral("dd"))) ||
            take("ss", date.toString(QStringLiteral("ss"))))
            continue;
        if (format.at(i) != QLatin1Char(' ') && format.at(i) != QLatin1Char(':'))
            afterHours = false;
        out += format.at(i++);
    }
    return out;
}

} // namespace

QString Format(const Variant& value, const QString& format) {
    if (value.isNull() || value.isEmpty())
        return {};
    if (IsDatePattern(format)) {
        if (value.type() == Variant::Type::String && !IsNumeric(value)) {
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
