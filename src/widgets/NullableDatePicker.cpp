#include "widgets/NullableDatePicker.h"

#include "sdk/RuntimeError.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

NullableDatePicker::NullableDatePicker(QWidget* parent)
    : QWidget(parent), m_present(new QCheckBox(this)), m_date(new QDateEdit(QDate::currentDate(), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_present);
    layout->addWidget(m_date, 1);
    m_present->setChecked(true);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    m_date->setDateRange(MinDate(), MaxDate());
    setFocusProxy(m_date);
    connect(m_present, &QCheckBox::toggled, this, [this](bool present) {
        m_date->setEnabled(present);
        emit valueChanged();
    });
    connect(m_date, &QDateEdit::dateChanged, this, &NullableDatePicker::valueChanged);
}

Variant NullableDatePicker::Value() const {
    if (IsNull())
        return Variant::Null();
    return QDateTime(m_date->date(), QTime(0, 0));
}

bool NullableDatePicker::setValue(const Variant& value) {
    if (value.isNull()) {
        setNull();
        return true;
    }
    if (value.isEmpty())
        return false;
    QDate date;
    try {
        date = value.toDateTime().date();
    } catch (const RuntimeError&) {
        return false;
    }
    if (!date.isValid() || date < MinDate() || date > MaxDate())
        return false;
    setDate(date);
    return true;
}

bool NullableDatePicker::IsNull() const {
    return !m_present->isChecked();
}

void NullableDatePicker::setNull() {
    m_present->setChecked(false);
}

QDate NullableDatePicker::Date() const {
    return IsNull() ? QDate() : m_date->date();
}

void NullableDatePicker::setDate(const QDate& date) {
    m_date->setDate(date);
    m_present->setChecked(true);
}
