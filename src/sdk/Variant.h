#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <vector>

class Variant;

// The elements and lower bound of an array held in a Variant.
struct VariantArray {
    int32_t lowerBound = 0;
    std::vector<Variant> items;
};

// A value as it travels between the module and the database, with the business code's conversion rules.
// Every conversion that cannot be made throws RuntimeError (overflow 6, type mismatch 13, invalid use of Null
// 94).
class Variant {
public:
    enum class Type { Empty, Null, Integer, Long, Double, Boolean, String, Date, Array };

    Variant() = default;
    Variant(int16_t value) : m_type(Type::Integer), m_integer(value) {}
    Variant(int32_t value) : m_type(Type::Long), m_integer(value) {}
    Variant(double value) : m_type(Type::Double), m_double(value) {}
    Variant(bool value) : m_type(Type::Boolean), m_integer(value ? -1 : 0) {}
    Variant(const QString& value) : m_type(Type::String), m_text(value) {}
    Variant(const char* value) : m_type(Type::String), m_text(QString::fromUtf8(value)) {}
    Variant(const QDateTime& value) : m_type(Type::Date), m_date(value) {}

    static Variant Null();
    // An array with the given elements; an array without elements has no bounds (never dimensioned or
    // erased).
    static Variant Array(std::vector<Variant> items, int32_t lowerBound = 0);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Type::Null; }
    bool isEmpty() const { return m_type == Type::Empty; }
    bool isNumber() const;
    const VariantArray* array() const { return m_array.get(); }

    int16_t toInt16() const;
    int32_t toInt32() const;
    double toDouble() const;
    bool toBool() const;
    QDateTime toDateTime() const;
    // Null and Empty give empty text, booleans "True"/"False": the "value & empty text" idiom.
    QString toText() const;

    // Same kind and same value: what tests compare when they check what was sent.
    bool operator==(const Variant& other) const;
    // Kind and value, for test failure messages and logs.
    QString describe() const;

private:
    Type m_type = Type::Empty;
    int32_t m_integer = 0;
    double m_double = 0;
    QString m_text;
    QDateTime m_date;
    std::shared_ptr<const VariantArray> m_array;
};

// Numbers and numeric text: optional blanks, optional sign, digits with at most one decimal point,
// optional exponent. Empty text and anything else is not numeric.
bool IsNumeric(const Variant& value);
bool IsNumericText(const QString& text);

// Whole days since 30 December 1899 with the time as the fraction, the host's date serial.
double DateToSerial(const QDateTime& date);
QDateTime SerialToDate(double serial);
// Reads dates as this system writes them ("3/7/2006", "3/7/2006 2:05:09 PM") and as the database does
// ("2006-03-07 14:05:09") field by field, with no time zone asked for; false for any other text.
bool ReadDateText(QStringView text, QDate& day, QTime& time);

// Banker's rounding of a double into a 16- or 32-bit integer; throws overflow when out of range.
int16_t RoundToInt16(double value);
int32_t RoundToInt32(double value);

void PrintTo(const Variant& value, std::ostream* os);
