// The assertion that common_box_helper trips on purpose. The system test
// includes this header too, so that it knows the exact text of the box.
#pragma once

#include "common/Assert.h"

#define TRIP_ASSERT_FILE "TripAssert.h"
#define TRIP_ASSERT_EXPRESSION "nValue + nValue == 5"
// The assertion must stay on the line right after this one.
static const int gnTripAssertLine = __LINE__ + 1;
inline void TripAssertion(int nValue) { FATAL_ASSERT(nValue + nValue == 5); }
