#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "common/MyString.h"

// ---- CopyString / FreeString ----

TEST(CopyString, MakesAnIndependentCopy)
{
    WCHAR szSource[] = L"Quorlin.exe";
    WCHAR* pszCopy = NULL;
    CopyString(&pszCopy, szSource);
    ASSERT_NE(nullptr, pszCopy);
    EXPECT_NE(szSource, pszCopy);
    szSource[0] = L'X';
    EXPECT_STREQ(L"Quorlin.exe", pszCopy);
    FreeString(&pszCopy);
    EXPECT_EQ(nullptr, pszCopy);
}

TEST(CopyString, EmptySourceGivesAnEmptyBuffer)
{
    WCHAR* pszCopy = NULL;
    CopyString(&pszCopy, L"");
    ASSERT_NE(nullptr, pszCopy);
    EXPECT_STREQ(L"", pszCopy);
    FreeString(&pszCopy);
}

TEST(CopyString, DoesNotFreeTheEarlierPointer)
{
    // Were the old buffer freed, reading it below would be a use after free
    // and the second FreeString a double free (the sanitizers would say so).
    WCHAR* pszOld = NULL;
    CopyString(&pszOld, L"old");
    WCHAR* pszTarget = pszOld;
    CopyString(&pszTarget, L"new");
    EXPECT_NE(pszOld, pszTarget);
    EXPECT_STREQ(L"old", pszOld);
    EXPECT_STREQ(L"new", pszTarget);
    FreeString(&pszOld);
    FreeString(&pszTarget);
}

TEST(FreeString, NullPointerIsLeftAlone)
{
    WCHAR* pszNothing = NULL;
    FreeString(&pszNothing);
    EXPECT_EQ(nullptr, pszNothing);
}

#ifndef _WIN32
TEST(CopyStringDeath, NullSourceIsFatal)
{
    WCHAR* pszCopy = NULL;
    EXPECT_EXIT(CopyString(&pszCopy, NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszSource \\(MyString\\.cpp,[0-9]+\\)");
}
#endif

// ---- StripLineEnd ----

struct StripCase
{
    const char* pszInput;
    const char* pszExpected;
};

static void PrintTo(const StripCase& c, std::ostream* pos) { *pos << ::testing::PrintToString(c.pszInput); }

class StripLineEndTest : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripLineEndTest, RemovesOnlyTrailingCarriageReturnsAndLineFeeds)
{
    std::string strText = GetParam().pszInput;
    std::vector<char> rgch(strText.begin(), strText.end());
    rgch.push_back('\0');
    StripLineEnd(rgch.data());
    EXPECT_STREQ(GetParam().pszExpected, rgch.data());
}

INSTANTIATE_TEST_SUITE_P(Cases, StripLineEndTest, ::testing::Values(
    StripCase{ "", "" },
    StripCase{ "abc", "abc" },
    StripCase{ "abc\n", "abc" },
    StripCase{ "abc\r\n", "abc" },
    StripCase{ "abc\r", "abc" },
    StripCase{ "abc\n\r\n\r", "abc" },
    StripCase{ "\r\n\r\n", "" },
    StripCase{ "\n", "" },
    StripCase{ "a\rb\nc\n", "a\rb\nc" },
    StripCase{ "abc \t\n", "abc \t" },
    StripCase{ "\nabc", "\nabc" }));

// ---- TrimBlanks ----

struct TrimCase
{
    const WCHAR* pszInput;
    const WCHAR* pszExpected;
};

static void PrintTo(const TrimCase& c, std::ostream* pos) { *pos << ::testing::PrintToString(c.pszInput); }

class TrimBlanksTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimBlanksTest, RemovesOnlyBlanksAndTabsAtBothEnds)
{
    std::wstring strText = GetParam().pszInput;
    TrimBlanks(strText);
    EXPECT_EQ(std::wstring(GetParam().pszExpected), strText);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimBlanksTest, ::testing::Values(
    TrimCase{ L"", L"" },
    TrimCase{ L"abc", L"abc" },
    TrimCase{ L" \t a b \t ", L"a b" },
    TrimCase{ L"\t\tx", L"x" },
    TrimCase{ L"x  ", L"x" },
    TrimCase{ L" \t \t ", L"" },
    TrimCase{ L"\rabc\r", L"\rabc\r" },
    TrimCase{ L"\fabc\n", L"\fabc\n" },
    TrimCase{ L"\u00a0abc\u00a0", L"\u00a0abc\u00a0" },
    TrimCase{ L" \r ", L"\r" }));

// ---- ExtractToken ----

struct TokenCase
{
    const WCHAR* pszSource;
    WCHAR chSeparator;
    const WCHAR* pszToken;
    const WCHAR* pszRest;
};

static void PrintTo(const TokenCase& c, std::ostream* pos) { *pos << ::testing::PrintToString(c.pszSource); }

class ExtractTokenTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ExtractTokenTest, CutsOneTokenWithQuoteRules)
{
    std::wstring strSource = GetParam().pszSource;
    std::wstring strToken = ExtractToken(strSource, GetParam().chSeparator);
    EXPECT_EQ(std::wstring(GetParam().pszToken), strToken);
    EXPECT_EQ(std::wstring(GetParam().pszRest), strSource);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExtractTokenTest, ::testing::Values(
    TokenCase{ L"", L'=', L"", L"" },
    TokenCase{ L"abc", L'=', L"abc", L"" },
    TokenCase{ L"a=b=c", L'=', L"a", L"b=c" },
    TokenCase{ L"=abc", L'=', L"", L"abc" },
    TokenCase{ L"abc=", L'=', L"abc", L"" },
    TokenCase{ L"\"x=y\"=z", L'=', L"x=y", L"z" },
    TokenCase{ L"\"a\"\"b\"=c", L'=', L"a\"b", L"c" },
    TokenCase{ L"\"\"\"\"=x", L'=', L"\"", L"x" },
    TokenCase{ L"\"a\"\"\"=b", L'=', L"a\"", L"b" },
    TokenCase{ L"\"\"=x", L'=', L"", L"x" },
    // Two quotes outside quotes open and close: nothing is copied.
    TokenCase{ L"a\"\"b=c", L'=', L"ab", L"c" },
    TokenCase{ L"a\"b=c\"d=e", L'=', L"ab=cd", L"e" },
    TokenCase{ L"\"unclosed=rest", L'=', L"unclosed=rest", L"" },
    TokenCase{ L" a = b ", L'=', L" a ", L" b " },
    TokenCase{ L"SOFTWARE\\Morvandel", L'\\', L"SOFTWARE", L"Morvandel" },
    TokenCase{ L"\"Mor\\vandel\"\\x", L'\\', L"Mor\\vandel", L"x" },
    TokenCase{ L"\\\\x", L'\\', L"", L"\\x" },
    TokenCase{ L"a;b", L'=', L"a;b", L"" }));

TEST(ExtractToken, RepeatedCutsWalkTheWholeText)
{
    std::wstring strSource = L"a=\"b=c\"=d";
    EXPECT_EQ(L"a", ExtractToken(strSource, L'='));
    EXPECT_EQ(L"b=c", ExtractToken(strSource, L'='));
    EXPECT_EQ(L"d", ExtractToken(strSource, L'='));
    EXPECT_TRUE(strSource.empty());
    EXPECT_EQ(L"", ExtractToken(strSource, L'='));
}

// ---- ExtractTokenA ----

struct TokenACase
{
    const char* pszText;
    char chSeparator;
    size_t cbOutput;
    const char* pszToken;
    int nNext;  // offset of the result in pszText; -1 for null
};

static void PrintTo(const TokenACase& c, std::ostream* pos)
{
    *pos << ::testing::PrintToString(c.pszText) << " into " << c.cbOutput << " bytes";
}

class ExtractTokenATest : public ::testing::TestWithParam<TokenACase> {};

TEST_P(ExtractTokenATest, ReadsOneTokenWithinTheLimit)
{
    const TokenACase& c = GetParam();
    // A guard byte after the output catches a write past the given size.
    std::vector<char> rgchOutput(c.cbOutput + 1, '#');
    const char* pszNext = ExtractTokenA(c.pszText, c.chSeparator, rgchOutput.data(), c.cbOutput);
    EXPECT_STREQ(c.pszToken, rgchOutput.data());
    EXPECT_EQ('#', rgchOutput[c.cbOutput]);
    if (c.nNext < 0) {
        EXPECT_EQ(nullptr, pszNext);
    } else {
        ASSERT_NE(nullptr, pszNext);
        EXPECT_EQ(c.nNext, pszNext - c.pszText);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExtractTokenATest, ::testing::Values(
    TokenACase{ "abcdef;gh", ';', 4, "abc", 7 },
    TokenACase{ "", ';', 8, "", -1 },
    TokenACase{ "abc", ';', 8, "abc", 3 },
    TokenACase{ "abc;", ';', 8, "abc", 4 },
    TokenACase{ ";abc", ';', 8, "", 1 },
    TokenACase{ "\"a;b\";c", ';', 8, "a;b", 6 },
    TokenACase{ "\"a\"\"b\";c", ';', 8, "a\"b", 7 },
    TokenACase{ "a\"\"b;c", ';', 8, "ab", 5 },
    TokenACase{ "\"unclosed;x", ';', 16, "unclosed;x", 11 },
    // The output fills up: the rest up to the next separator is skipped.
    TokenACase{ "abcdef", ';', 4, "abc", 6 },
    TokenACase{ "abc;d", ';', 4, "abc", 4 },
    TokenACase{ "abcd;e", ';', 1, "", 5 },
    // Quotes that only switch do not count against the limit...
    TokenACase{ "\"ab\"c;d", ';', 4, "abc", 6 },
    // ...and once the output is full, quotes no longer protect a separator.
    TokenACase{ "\"abcdef;gh\";x", ';', 4, "abc", 8 },
    TokenACase{ "\"abc;d\";x", ';', 4, "abc", 5 },
    // A doubled quote counts as the one character it stands for.
    TokenACase{ "\"a\"\"\"\"b\";c", ';', 4, "a\"\"", 9 }));

TEST(ExtractTokenA, LoopReadsEveryTokenAndStopsAtNull)
{
    const char* pszText = "a;\"b;c\";;d;";
    std::vector<std::string> rgstrTokens;
    char szToken[16];
    for (const char* p = ExtractTokenA(pszText, ';', szToken, sizeof(szToken)); NULL != p;
         p = ExtractTokenA(p, ';', szToken, sizeof(szToken))) {
        rgstrTokens.push_back(szToken);
        ASSERT_LT(rgstrTokens.size(), 10u);
    }
    // A trailing separator makes no empty last token; an inner one does.
    EXPECT_EQ((std::vector<std::string>{ "a", "b;c", "", "d" }), rgstrTokens);
    EXPECT_STREQ("", szToken);
}

// ---- RemoveFileName ----

struct PathCase
{
    const WCHAR* pszPath;
    const WCHAR* pszExpected;
};

static void PrintTo(const PathCase& c, std::ostream* pos) { *pos << ::testing::PrintToString(c.pszPath); }

class RemoveFileNameTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(RemoveFileNameTest, CutsAtTheLastBackslash)
{
    std::vector<WCHAR> rgch(GetParam().pszPath, GetParam().pszPath + wcslen(GetParam().pszPath) + 1);
    RemoveFileName(rgch.data());
    EXPECT_STREQ(GetParam().pszExpected, rgch.data());
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveFileNameTest, ::testing::Values(
    PathCase{ L"C:\\Program Files\\Tolvex\\Tolvex.exe", L"C:\\Program Files\\Tolvex" },
    PathCase{ L"C:\\Tolvex\\", L"C:\\Tolvex" },
    PathCase{ L"\\Tolvex.exe", L"" },
    PathCase{ L"Tolvex.exe", L"Tolvex.exe" },
    PathCase{ L"dir/Tolvex.exe", L"dir/Tolvex.exe" },
    PathCase{ L"", L"" }));

// ---- ParseUnsignedSetting / IsSettingTrue ----

struct NumberCase
{
    const WCHAR* pszValue;
    uint64_t nExpected;
};

static void PrintTo(const NumberCase& c, std::ostream* pos) { *pos << ::testing::PrintToString(c.pszValue); }

class ParseUnsignedSettingTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseUnsignedSettingTest, ReadsLeadingDecimalDigits)
{
    EXPECT_EQ(GetParam().nExpected, ParseUnsignedSetting(GetParam().pszValue));
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseUnsignedSettingTest, ::testing::Values(
    NumberCase{ NULL, 0 },
    NumberCase{ L"", 0 },
    NumberCase{ L"0", 0 },
    NumberCase{ L"500", 500 },
    NumberCase{ L"0010", 10 },
    NumberCase{ L"  42", 42 },
    NumberCase{ L"\t7", 7 },
    NumberCase{ L"42ms", 42 },
    NumberCase{ L"1 2", 1 },
    NumberCase{ L"abc", 0 },
    NumberCase{ L"-5", 0 },
    NumberCase{ L"+5", 0 },
    NumberCase{ L"4294967296", 4294967296ull },
    NumberCase{ L"18446744073709551615", UINT64_MAX },
    NumberCase{ L"18446744073709551616", UINT64_MAX },
    NumberCase{ L"99999999999999999999999999", UINT64_MAX }));

struct SwitchCase
{
    const WCHAR* pszValue;
    BOOL fExpected;
};

static void PrintTo(const SwitchCase& c, std::ostream* pos) { *pos << ::testing::PrintToString(c.pszValue); }

class IsSettingTrueTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(IsSettingTrueTest, OnlyTrueInAnyCaseIsOn)
{
    EXPECT_EQ(GetParam().fExpected, IsSettingTrue(GetParam().pszValue));
}

INSTANTIATE_TEST_SUITE_P(Cases, IsSettingTrueTest, ::testing::Values(
    SwitchCase{ L"TRUE", TRUE },
    SwitchCase{ L"true", TRUE },
    SwitchCase{ L"True", TRUE },
    SwitchCase{ L"tRuE", TRUE },
    SwitchCase{ NULL, FALSE },
    SwitchCase{ L"", FALSE },
    SwitchCase{ L"TRU", FALSE },
    SwitchCase{ L"TRUEX", FALSE },
    SwitchCase{ L"TRUE ", FALSE },
    SwitchCase{ L" TRUE", FALSE },
    SwitchCase{ L"1", FALSE },
    SwitchCase{ L"yes", FALSE },
    SwitchCase{ L"FALSE", FALSE }));
