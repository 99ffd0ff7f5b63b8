#include <gtest/gtest.h>

#include "host/HostLogic.h"

namespace {

struct DelayCase
{
    const WCHAR* pszValue;
    DWORD dwExpected;
};

TEST(HostLogicTest, StartupDelayIsUnsignedDecimalAndBounded)
{
    const DelayCase cases[] = {
        {NULL, 0},
        {L"", 0},
        {L"0", 0},
        {L"abc", 0},
        {L"-5", 0},
        {L"3000", 3000},
        {L"  250ms", 250},
        {L"60000", MAX_STARTUP_DELAY},
        {L"60001", MAX_STARTUP_DELAY},
        // Endless (INFINITE) and beyond 32 bits: both cut to the bound.
        {L"4294967295", MAX_STARTUP_DELAY},
        {L"4294967296", MAX_STARTUP_DELAY},
        {L"99999999999999999999999", MAX_STARTUP_DELAY},
    };
    for (const DelayCase& c : cases) {
        SCOPED_TRACE(NULL == c.pszValue ? L"(null)" : c.pszValue);
        EXPECT_EQ(c.dwExpected, GetStartupDelay(c.pszValue));
    }
}

TEST(HostLogicTest, CenterOffsetRoundsTowardZeroAndNeverGoesNegative)
{
    EXPECT_EQ(100, CenterOffset(300, 100));
    EXPECT_EQ(100, CenterOffset(301, 100));
    EXPECT_EQ(0, CenterOffset(100, 100));
    EXPECT_EQ(0, CenterOffset(100, 101));
    EXPECT_EQ(0, CenterOffset(100, 400));
}

}  // namespace
