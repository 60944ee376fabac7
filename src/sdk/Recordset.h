#pragma once

#include "sdk/Field.h"

#include <QString>
#include <memory>

// The rows of a query or procedure, read forward only. Fields raise item-not-found (3265) for an unknown
// column name; names are matched without regard to case.
class Recordset : public Object {
public:
    static constexpr int32_t StateClosed = 0;
    static constexpr int32_t StateOpen = 1;

    // True when there is no current row (the record set's EOF).
    virtual bool Eof() const = 0;
    virtual std::shared_ptr<Field> Fields(const QString& name) = 0;
    virtual void MoveNext() = 0;
    virtual int32_t State() const = 0;
    virtual void Close() = 0;
};
