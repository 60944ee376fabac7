#include "store/data/modDataTypes.h"

#include <limits>

Variant NullToZero(const Variant& value) {
    return value.isNull() ? Variant(int16_t(0)) : value;
}

bool IsArrayDimensioned(const Variant& value) {
    const VariantArray* array = value.array();
    if (!array || array->items.empty())
        return false;
    const int64_t upperBound = int64_t(array->lowerBound) + int64_t(array->items.size()) - 1;
    return upperBound <= std::numeric_limits<int16_t>::max();
}

Variant NullToDefault(const Variant& value, const Variant& defaultValue) {
    return value.isNull() ? defaultValue : value;
}
