#pragma once

#include "sdk/Object.h"
#include "sdk/Variant.h"

#include <QString>
#include <memory>

// The host's failure reporting. The module hands it every caught failure and goes on after it returns.
class ErrorObject : public Object {
public:
    virtual void ReportError(int32_t number, const QString& source, const QString& description,
                             int16_t flag = 0, const Variant& arg1 = {}, const Variant& arg2 = {},
                             const Variant& arg3 = {}, const std::shared_ptr<Object>& object = {},
                             const QString& text = {}) = 0;
};
