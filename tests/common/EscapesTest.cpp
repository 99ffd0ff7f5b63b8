// The text form of scans: UTF-8 in, escapes both ways, JSON strings.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/Escapes.h"

static std::vector<UTF16UNIT> Units(const std::u16string& str)
{
    return std::vector<UTF16UNIT>(str.begin(), str.end());
}

struct UnescapeCase
{
    const char* pszInput;       // UTF-8
    std::u16string strExpected; // the scan's units, or the error text as ASCII
    bool fValid;
};

class UnescapeTest : public ::testing::TestWithParam<UnescapeCase>
{
};

TEST_P(UnescapeTest, Gives)
{
    const UnescapeCase& c = GetParam();
    std::vector<UTF16UNIT> rgOutput;
    std::string strError;
    BOOL fResult = Unescape(DecodeUtf8(c.pszInput), &rgOutput, &strError);
    if (c.fValid) {
        ASSERT_EQ(TRUE, fResult) << strError;
        EXPECT_EQ(Units(c.strExpected), rgOutput);
    } else {
        EXPECT_EQ(FALSE, fResult);
        EXPECT_EQ(std::string(c.strExpected.begin(), c.strExpected.end()), strError);
    }
}

static const UnescapeCase gUnescapeCases[] = {
    { "0101234\\x1d10AB", u"0101234\x1d" u"10AB", true },
    { "\\x1D\\xfF\\x00", u"\x1d\xff" + std::u16string(1, u'\0'), true },
    { "a\\tb\\rc\\nd\\\\e", u"a\tb\rc\nd\\e", true },
    { "", u"", true },
    // UTF-8 becomes its characters; a byte that is no valid UTF-8 stays itself.
    { "\xc3\xa9\xe2\x82\xac", u"\u00e9\u20ac", true },
    { "\xf0\x9f\x98\x80", u"\U0001F600", true },
    { "\xe9t\xc3", u"\u00e9t\u00c3", true },
    { "\xc0\xaf", u"\u00c0\u00af", true },                  // overlong form
    { "\xed\xa0\x80", u"\u00ed\u00a0\u0080", true },         // encoded surrogate
    { "\\q", u"unknown escape \\q", false },
    { "ab\\", u"a backslash ends the text (write \\\\ for a backslash)", false },
    { "\\x1", u"\\x must be followed by two hexadecimal digits", false },
    { "\\xg0", u"\\x must be followed by two hexadecimal digits", false },
};

INSTANTIATE_TEST_SUITE_P(Escapes, UnescapeTest, ::testing::ValuesIn(gUnescapeCases));

TEST(EscapeText, WritesEveryByteOutsidePrintableAsciiInHex)
{
    EXPECT_EQ("AZaz09 ~!", EscapeText("AZaz09 ~!"));
    EXPECT_EQ("a\\\\b", EscapeText("a\\b"));
    EXPECT_EQ("\\x1d\\x09\\x0d\\x0a\\x7f\\x80\\xe9\\xff\\x01", EscapeText("\x1d\t\r\n\x7f\x80\xe9\xff\x01"));
}

TEST(EscapeText, RoundTripsEveryByte)
{
    std::string strAll;
    for (int i = 1; i < 256; i++) {
        strAll += (char)i;
    }
    std::vector<UTF16UNIT> rgUnits;
    std::string strError;
    ASSERT_EQ(TRUE, Unescape(DecodeUtf8(EscapeText(strAll.c_str())), &rgUnits, &strError));
    ASSERT_EQ(255u, rgUnits.size());
    for (int i = 1; i < 256; i++) {
        EXPECT_EQ(i, rgUnits[i - 1]);
    }
}

TEST(JsonString, QuotesAndEscapes)
{
    EXPECT_EQ("\"ABC 123\"", JsonString("ABC 123"));
    EXPECT_EQ("\"a\\\"b\\\\c\"", JsonString("a\"b\\c"));
    EXPECT_EQ("\"\\u001d\\u00e9\\u007f\"", JsonString("\x1d\xe9\x7f"));
    EXPECT_EQ("\"\"", JsonString(""));
}
