#pragma once

#include "sdk/Parameters.h"

#include <QString>
#include <memory>

// A command bound to the host's open connection.
class Command : public Object {
public:
    static constexpr int32_t StoredProcedure = 4;

    virtual QString CommandText() const = 0;
    virtual void setCommandText(const QString& text) = 0;
    virtual int32_t CommandType() const = 0;
    virtual void setCommandType(int32_t type) = 0;
    virtual std::shared_ptr<::Parameters> Parameters() = 0;
};
