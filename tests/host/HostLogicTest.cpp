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

TEST(HostLogicTest, ModuleEndedHintNamesTheLoadersTwoFailures)
{
    EXPECT_STREQ(L" A library it needs is missing.", ModuleEndedHint(0xC0000135u));
    EXPECT_STREQ(L" It or a library it needs is not a 64-bit Windows program.",
                 ModuleEndedHint(0xC000007Bu));
    for (DWORD dwExitCode : {0u, 1u, 0xFFFFFFFFu, 0xC0000005u, 0xC0000139u}) {
        EXPECT_STREQ(L"", ModuleEndedHint(dwExitCode)) << dwExitCode;
    }
}

TEST(HostLogicTest, TrayIconRetriesRunTwoMinutesFromTheFirstFailure)
{
    TrayIconRetry retry;
    EXPECT_EQ(FALSE, retry.IsDue(0));
    retry.Record(TRUE, 1000);
    EXPECT_EQ(FALSE, retry.IsDue(2000));

    // Failed retries within the two minutes do not prolong them.
    retry.Record(FALSE, 5000);
    EXPECT_EQ(TRUE, retry.IsDue(6000));
    retry.Record(FALSE, 60000);
    EXPECT_EQ(TRUE, retry.IsDue(5000 + TRAY_RETRY_PERIOD));
    EXPECT_EQ(FALSE, retry.IsDue(5001 + TRAY_RETRY_PERIOD));

    // A later failure (the taskbar came back, the new addition failed)
    // begins another two minutes; a success ends them.
    retry.Record(FALSE, 500000);
    EXPECT_EQ(TRUE, retry.IsDue(500000 + TRAY_RETRY_PERIOD));
    retry.Record(TRUE, 501000);
    EXPECT_EQ(FALSE, retry.IsDue(502000));
}

}  // namespace
