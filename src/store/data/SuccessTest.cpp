#include "store/data/SuccessTest.h"

bool PassesSuccessTest(SuccessTest test, const Variant& returnValue) {
    // A comparison with Null is neither true nor false: the tests that look for a refusal let it pass,
    // the tests that look for success refuse it.
    if (returnValue.isNull())
        return test == SuccessTest::NonZeroRefuses || test == SuccessTest::NegativeRefuses;
    const double value = returnValue.toDouble();
    switch (test) {
    case SuccessTest::NonZeroRefuses:
    case SuccessTest::ExactlyZero:
        return value == 0;
    case SuccessTest::NegativeRefuses:
    case SuccessTest::AtLeastZero:
        return value >= 0;
    }
    return false;
}
