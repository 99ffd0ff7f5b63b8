#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/pellimor/FalconLogic.h"

namespace {

struct DeviceCase
{
    const char* pszName;
    std::vector<DWORD> words;
    unsigned nExpected;
};

class FindFalconDeviceTest : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(FindFalconDeviceTest, TakesTheFirstWordWithBit0Or1)
{
    const DeviceCase& c = GetParam();
    ASSERT_EQ((size_t)DCD_MAX_DEVICES, c.words.size());
    EXPECT_EQ(c.nExpected, FindFalconDevice(c.words.data(), c.words.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Words, FindFalconDeviceTest,
    ::testing::Values(
        DeviceCase{ "Devices1And3", { 1, 0, 1, 0, 0, 0, 0, 0, 0 }, 1 },
        DeviceCase{ "Only3", { 0, 0, 1, 0, 0, 0, 0, 0, 0 }, 3 },
        DeviceCase{ "Bit1Counts", { 0, 2, 0, 0, 0, 0, 0, 0, 0 }, 2 },
        DeviceCase{ "BothBits", { 0, 0, 0, 3, 0, 0, 0, 0, 0 }, 4 },
        DeviceCase{ "HigherBitsDoNotCount", { 4, 8, 0x80000000, 0xFFFFFFFC, 0x10, 1, 0, 0, 0 }, 6 },
        DeviceCase{ "HighBitsBesideBit0", { 0, 0xFFFF0001, 0, 0, 0, 0, 0, 0, 0 }, 2 },
        DeviceCase{ "OnlyTheLast", { 0, 0, 0, 0, 0, 0, 0, 0, 2 }, 9 },
        DeviceCase{ "NoneWithoutBit0Or1", { 4, 8, 0x10, 0xFC, 0xFFFFFFFC, 0x100, 0, 0x40, 0x80000000 }, 0 },
        DeviceCase{ "AllZero", { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, 0 }),
    [](const ::testing::TestParamInfo<DeviceCase>& paramInfo) { return std::string(paramInfo.param.pszName); });

struct StripCase
{
    const WCHAR* pszInput;
    const WCHAR* pszExpected;
};

class StripTrailingLineEndsTest : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripTrailingLineEndsTest, RemovesOnlyTheTrailingRun)
{
    std::wstring strText = GetParam().pszInput;
    std::vector<WCHAR> buffer(strText.begin(), strText.end());
    buffer.push_back(L'\0');
    StripTrailingLineEnds(buffer.data());
    EXPECT_EQ(std::wstring(GetParam().pszExpected), std::wstring(buffer.data()));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StripTrailingLineEndsTest,
    ::testing::Values(
        StripCase{ L"4006381333931\r\n", L"4006381333931" },
        StripCase{ L"ABC\n", L"ABC" },
        StripCase{ L"ABC\r", L"ABC" },
        StripCase{ L"ABC\n\r\n\r", L"ABC" },
        StripCase{ L"\n", L"" },
        StripCase{ L"\r\n\r\n", L"" },
        StripCase{ L"", L"" },
        StripCase{ L"A\r\nB", L"A\r\nB" },
        StripCase{ L"\r\nA", L"\r\nA" },
        StripCase{ L"AB \n", L"AB " },
        StripCase{ L"AB\t\r\n", L"AB\t" },
        StripCase{ L"NoLineEnd", L"NoLineEnd" }));

TEST(StripTrailingLineEnds, StopsAtTheStartOfTheBuffer)
{
    // Only line ends: the loop must stop at the first unit, not before it.
    WCHAR szText[4] = { L'\r', L'\n', L'\r', L'\0' };
    StripTrailingLineEnds(szText + 1);
    EXPECT_EQ(L'\r', szText[0]);
    EXPECT_EQ(L'\0', szText[1]);
}

}
