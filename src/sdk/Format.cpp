#include "sdk/Format.h"

#include "sdk/RuntimeError.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

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

// A date pattern read once into its pieces: grids format whole columns of dates with one pattern.
struct DatePattern {
    enum class Piece : uint8_t { Literal, Year4, Year2, AmPm, Hour2, Hour1, Minute, Month, Day, Second };
    struct Part {
        Piece piece;
        QChar literal;
    };
    QString format;
    std::vector<Part> parts;
    bool twelveHour = false;
};

const DatePattern& ReadPattern(const QString& format) {
    thread_local DatePattern pattern;
    if (!pattern.parts.empty() && pattern.format == format)
        return pattern;
    using Piece = DatePattern::Piece;
    static const struct {
        const char* token;
        Piece piece;
        bool hours;
    } tokens[] = {{"yyyy", Piece::Year4, false}, {"yy", Piece::Year2, false}, {"ampm", Piece::AmPm, false},
                  {"am/pm", Piece::AmPm, false}, {"hh", Piece::Hour2, true},  {"h", Piece::Hour1, true},
                  {"nn", Piece::Minute, false},  {"mm", Piece::Month, false}, {"dd", Piece::Day, false},
                  {"ss", Piece::Second, false}};
    pattern.format = format;
    pattern.parts.clear();
    pattern.twelveHour = format.contains(QLatin1String("AMPM"), Qt::CaseInsensitive) ||
                         format.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);
    bool afterHours = false;
    for (qsizetype i = 0; i < format.size();) {
        const auto token = std::find_if(std::begin(tokens), std::end(tokens),
                                        [&](const auto& t) { return StartsWith(format, i, t.token); });
        if (token != std::end(tokens)) {
            // "mm" right after the hours is the minutes.
            const bool minutes = token->piece == Piece::Month && afterHours;
            pattern.parts.push_back({minutes ? Piece::Minute : token->piece, QChar()});
            i += qsizetype(qstrlen(token->token));
            afterHours = token->hours;
            continue;
        }
        if (format.at(i) != QLatin1Char(' ') && format.at(i) != QLatin1Char(':'))
            afterHours = false;
        pattern.parts.push_back({Piece::Literal, format.at(i++)});
    }
    if (pattern.parts.empty())
        pattern.parts.push_back({Piece::Literal, QChar()}); // an empty pattern: nothing to show
    return pattern;
}

void AppendNumber(QString& out, int number, int width) {
    char digits[16];
    int length = 0;
    unsigned value = unsigned(std::abs(number));
    do {
        digits[length++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 && length < 15);
    if (number < 0)
        out += QLatin1Char('-');
    for (int i = length; i < width; ++i)
        out += QLatin1Char('0');
    while (length > 0)
        out += QLatin1Char(digits[--length]);
}

QString FormatDate(const QDate& day, const QTime& time, const QString& format) {
    using Piece = DatePattern::Piece;
    const DatePattern& pattern = ReadPattern(format);
    const int hour = pattern.twelveHour ? (time.hour() + 11) % 12 + 1 : time.hour();
    QString out;
    out.reserve(format.size() + 4);
    for (const DatePattern::Part& part : pattern.parts) {
        switch (part.piece) {
        case Piece::Literal:
            if (!part.literal.isNull())
                out += part.literal;
            break;
        case Piece::Year4:
            AppendNumber(out, day.year(), 4);
            break;
        case Piece::Year2:
            AppendNumber(out, day.year() % 100, 2);
            break;
        case Piece::AmPm:
            out += time.hour() < 12 ? QLatin1String("AM") : QLatin1String("PM");
            break;
        case Piece::Hour2:
            AppendNumber(out, hour, 2);
            break;
        case Piece::Hour1:
            AppendNumber(out, hour, 1);
            break;
        case Piece::Minute:
            AppendNumber(out, time.minute(), 2);
            break;
        case Piece::Month:
            AppendNumber(out, day.month(), 2);
            break;
        case Piece::Day:
            AppendNumber(out, day.day(), 2);
            break;
        case Piece::Second:
            AppendNumber(out, time.second(), 2);
            break;
        }
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
