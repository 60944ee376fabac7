#pragma once

#include <cstdint>

// Row state of the store editor's grids.
enum StatusTypes : int16_t {
    stUnchanged = 0,
    stModified = 1,
    stNew = 2,
    stDelete = 3,
};
