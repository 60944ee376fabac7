#pragma once

#include "sdk/Variant.h"

#include <memory>

// Null helpers for values read from the database.

// The 16-bit integer 0 for Null; anything else unchanged.
Variant NullToZero(const Variant& value);

// True when the variant holds an array with bounds whose upper bound fits a 16-bit integer.
bool IsArrayDimensioned(const Variant& value);

// True when the object reference is empty.
template <typename T> bool IsNothing(const std::shared_ptr<T>& object) {
    return !object;
}
template <typename T> bool IsNothing(const T* object) {
    return object == nullptr;
}

// defaultValue for Null; anything else unchanged.
Variant NullToDefault(const Variant& value, const Variant& defaultValue);
