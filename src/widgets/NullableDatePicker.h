#pragma once

#include "sdk/Variant.h"

#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date picker that can also hold no date: a tick box in front of the date; unticked means Null.
class NullableDatePicker : public QWidget {
    Q_OBJECT
public:
    explicit NullableDatePicker(QWidget* parent = nullptr);

    // A date-time variant, or Null when no date is held.
    Variant Value() const;
    // Takes a date (or text or a number that converts to one) inside the picker's range, or Null. Anything
    // else is refused: the picker keeps its value and the result is false.
    bool setValue(const Variant& value);

    bool IsNull() const;
    void setNull();
    QDate Date() const;
    void setDate(const QDate& date);

    static QDate MinDate() { return QDate(1601, 1, 1); }
    static QDate MaxDate() { return QDate(9999, 12, 31); }

signals:
    void valueChanged();

private:
    QCheckBox* m_present;
    QDateEdit* m_date;
};
