#pragma once

#include "sdk/Object.h"
#include "sdk/Variant.h"

#include <QString>

// A customer picked in the host's customer picker.
class Customer : public Object {
public:
    virtual Variant CustomerNo() const = 0;
    virtual QString FullName() const = 0;
    virtual QString FirstName() const = 0;
    virtual QString LastName() const = 0;
};
