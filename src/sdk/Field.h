#pragma once

#include "sdk/Object.h"
#include "sdk/Variant.h"

// One column of the current row of a record set.
class Field : public Object {
public:
    // Set in Attributes() for long text columns that are read with GetChunk.
    static constexpr int32_t LongData = 128;

    virtual Variant Value() const = 0;
    // Length of the value in characters; 0 for Null.
    virtual int32_t ActualSize() const = 0;
    virtual int32_t Attributes() const = 0;
    // The next piece of a long value, at most size characters; Null once everything has been read.
    virtual Variant GetChunk(int32_t size) = 0;
};
