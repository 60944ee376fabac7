#pragma once

#include "sdk/Customer.h"

// A customer chosen in the host's customer picker.
class PickedCustomer : public Customer {
public:
    PickedCustomer(int32_t customerNo, QString fullName, QString firstName, QString lastName)
        : m_no(customerNo), m_fullName(std::move(fullName)), m_firstName(std::move(firstName)),
          m_lastName(std::move(lastName)) {}

    Variant CustomerNo() const override { return Variant(m_no); }
    QString FullName() const override { return m_fullName; }
    QString FirstName() const override { return m_firstName; }
    QString LastName() const override { return m_lastName; }

private:
    int32_t m_no;
    QString m_fullName;
    QString m_firstName;
    QString m_lastName;
};
