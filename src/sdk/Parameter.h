#pragma once

#include "sdk/Object.h"
#include "sdk/Variant.h"

// One declared parameter of a stored procedure. A parameter never given a value holds Empty.
class Parameter : public Object {
public:
    virtual Variant Value() const = 0;
    virtual void setValue(const Variant& value) = 0;
};
