#pragma once

#include "sdk/Parameter.h"

#include <QString>
#include <memory>

// The parameter list of a command, as the provider describes it.
class Parameters : public Object {
public:
    // Replaces the list with the procedure's declared parameters: "@RETURN_VALUE" first, then the others in
    // order.
    virtual void Refresh() = 0;
    // The parameter of that name, matched without regard to case; raises item-not-found (3265) otherwise.
    virtual std::shared_ptr<Parameter> Item(const QString& name) = 0;
};
