#pragma once

#include "sdk/ErrorObject.h"
#include "sdk/Field.h"

#include <memory>

// Reads a long text column in pieces of 1024 characters (the short piece first), or its plain value when the
// column is not a long one. sizeHint replaces the field's actual size when it is larger. False on any
// failure, which is reported to errorObject.
bool ReadChunkedField(const std::shared_ptr<ErrorObject>& errorObject, QString& text,
                      const std::shared_ptr<Field>& field, int32_t sizeHint = 0);
