#pragma once

#include "sdk/Variant.h"

// How an operation judges a procedure's "@RETURN_VALUE".
enum class SuccessTest {
    NonZeroRefuses,  // success when 0; Null passes
    NegativeRefuses, // success when not below 0; Null passes
    AtLeastZero,     // success when 0 or more; Null is refused
    ExactlyZero,     // success when 0; Null is refused
};

bool PassesSuccessTest(SuccessTest test, const Variant& returnValue);
