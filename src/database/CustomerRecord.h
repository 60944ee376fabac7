#pragma once

#include <QString>
#include <cstdint>

// One customer of the host, as the host's customer picker lists it.
struct CustomerRecord {
    int32_t customerNo = 0;
    QString firstName;
    QString lastName;
    QString fullName; // may be empty; then first and last name make the name
    QString email;
    QString phone;
    QString city;
};
