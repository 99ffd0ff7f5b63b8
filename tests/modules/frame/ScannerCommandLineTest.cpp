#include <gtest/gtest.h>

#include "modules/frame/ScannerCommandLine.h"

namespace {

struct CommandLineCase
{
    const WCHAR* pszArgument;
    BOOL fAccepted;
};

const CommandLineCase grgCases[] = {
    { L"", FALSE },
    { L"0001abc", FALSE },      // 7 digits
    { L"0001abcde", FALSE },    // 9 digits
    { L"0001abcg", FALSE },     // not a hexadecimal digit
    { L"0001 abc", FALSE },     // a blank
    { L"0x01abcd", FALSE },     // a leading 0x
    { L"0001abc\n", FALSE },    // a line end in place of a digit
    { L"00000000", FALSE },     // names no window
    { L"0001abcd", TRUE },
    { L"0001ABCD", TRUE },
    { L"0001aBcD", TRUE },
    { L"ffffffff", TRUE },
    { L"00000001", TRUE },
    { L"9fA0b1C2", TRUE },
};

TEST(IsValidCommandLine, AcceptsExactlyEightHexadecimalDigitsNamingAWindow)
{
    for (const CommandLineCase& c : grgCases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.pszArgument)));
        EXPECT_EQ(c.fAccepted, isValidCommandLine(c.pszArgument));
    }
}

#ifndef _WIN32
// On Windows the assertion waits in its message box.
TEST(IsValidCommandLine, NullIsAFatalAssertion)
{
    EXPECT_EXIT(isValidCommandLine(NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszCommandLine");
}
#endif

TEST(ReadReceiverValue, BothCasesAndLeadingZerosGiveTheSameValue)
{
    EXPECT_EQ(0x0001ABCDu, ReadReceiverValue(L"0001abcd"));
    EXPECT_EQ(0x0001ABCDu, ReadReceiverValue(L"0001ABCD"));
    EXPECT_EQ(0x0001ABCDu, ReadReceiverValue(L"0001aBcD"));
    EXPECT_EQ(0x00000001u, ReadReceiverValue(L"00000001"));
    EXPECT_EQ(0xFFFFFFFFu, ReadReceiverValue(L"FFFFffff"));
}

TEST(WidenReceiverValue, SignExtendsLikeWindowsHandles)
{
    EXPECT_EQ((intptr_t)0x0001ABCD, WidenReceiverValue(0x0001ABCD));
    EXPECT_EQ((intptr_t)0x7FFFFFFF, WidenReceiverValue(0x7FFFFFFF));
    // The top bit spreads upwards: the window that Windows handed out as
    // 0xFFFFFFFF80001234 comes back as exactly that value.
    EXPECT_EQ((intptr_t)(int32_t)0x80001234, WidenReceiverValue(0x80001234));
    EXPECT_EQ((intptr_t)-1, WidenReceiverValue(0xFFFFFFFF));
    if (sizeof(intptr_t) == 8) {
        EXPECT_EQ((uint64_t)0xFFFFFFFF80001234ull, (uint64_t)WidenReceiverValue(0x80001234));
    }
}

}
