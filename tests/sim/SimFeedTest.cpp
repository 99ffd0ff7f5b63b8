#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimConditions.h"
#include "sim/SimFeed.h"
#include "sim/SimLogText.h"

namespace {

std::vector<UTF16UNIT> Units(const std::u16string& strText)
{
    return std::vector<UTF16UNIT>(strText.begin(), strText.end());
}

struct FeedLineCase
{
    const char* pszLine;
    std::u16string strLabel;
};

TEST(ParseFeedLine, ResolvesTheEscapesAndTheTextEncoding)
{
    const FeedLineCase rgCases[] = {
        { "4006381333931", u"4006381333931" },
        { "", u"" },
        { "\r", u"" },                              // a Windows line end
        { "abc\r", u"abc" },
        { "a\\rb\\n\\t\\\\", u"a\rb\n\t\\" },
        { "\\x1D\\x00\\xff", std::u16string(u"\x1d") + u'\0' + u"\xff" },
        { "\xc3\xa9t\xc3\xa9", u"\u00e9t\u00e9" },  // UTF-8
        { "\xe9t\xe9", u"\u00e9t\u00e9" },          // not UTF-8: one character per byte
        { "\\x7btext}", u"{text}" },
        { "a}b", u"a}b" },
    };
    for (const FeedLineCase& c : rgCases) {
        SCOPED_TRACE(c.pszLine);
        SimLabel label;
        std::string strError;
        ASSERT_TRUE(ParseFeedLine(c.pszLine, 7, label, strError)) << strError;
        EXPECT_EQ(Units(c.strLabel), label.rgText);
        EXPECT_TRUE(label.attributes.empty());
        EXPECT_EQ(7u, label.nLine);
    }
}

TEST(ParseFeedLine, RefusesMalformedLinesWithAReason)
{
    const char* rgLines[] = { "abc\\", "\\x4", "\\xg0", "\\q", "{type=W", "{type=W\r" };
    for (const char* pszLine : rgLines) {
        SCOPED_TRACE(pszLine);
        SimLabel label;
        std::string strError;
        EXPECT_FALSE(ParseFeedLine(pszLine, 1, label, strError));
        EXPECT_FALSE(strError.empty());
    }
}

TEST(ParseFeedLine, ReadsAttributesInFrontOfTheLabel)
{
    SimLabel label;
    std::string strError;
    ASSERT_TRUE(ParseFeedLine("{type=W len=12,fail}0101\\x1d", 3, label, strError)) << strError;
    EXPECT_EQ(Units(u"0101\x1d"), label.rgText);
    ASSERT_EQ(3u, label.attributes.size());
    EXPECT_STREQ("W", label.GetAttribute("type"));
    EXPECT_STREQ("12", label.GetAttribute("len"));
    EXPECT_STREQ("", label.GetAttribute("fail"));
    EXPECT_EQ(nullptr, label.GetAttribute("Type"));

    ASSERT_TRUE(ParseFeedLine("{}", 4, label, strError));
    EXPECT_TRUE(label.rgText.empty());
    EXPECT_TRUE(label.attributes.empty());
}

TEST(SimFeedLines, HandsOutCompleteLinesInOrderAndKeepsAPartialOne)
{
    SimFeedLines lines;
    std::string strLine;
    EXPECT_FALSE(lines.NextLine(strLine));

    lines.Append("one\ntwo\r\nthr", 12);
    ASSERT_TRUE(lines.NextLine(strLine));
    EXPECT_EQ("one", strLine);
    EXPECT_EQ(1u, lines.GetLineNumber());
    ASSERT_TRUE(lines.NextLine(strLine));
    EXPECT_EQ("two\r", strLine);
    EXPECT_FALSE(lines.NextLine(strLine));

    lines.Append("ee\n\n", 4);
    ASSERT_TRUE(lines.NextLine(strLine));
    EXPECT_EQ("three", strLine);
    EXPECT_EQ(3u, lines.GetLineNumber());
    ASSERT_TRUE(lines.NextLine(strLine));
    EXPECT_EQ("", strLine);
    EXPECT_EQ(4u, lines.GetLineNumber());
    EXPECT_FALSE(lines.NextLine(strLine));
}

TEST(SimConditions, ReadsNamesWithoutRegardToCaseAndTheLastValueCounts)
{
    SimConditions conditions;
    conditions.Parse("# a comment\n\n  Devices = 1,3 \r\nmodel=B20QWC\nMODEL=B22QWC\nflag\n");
    ASSERT_NE(nullptr, conditions.Get("devices"));
    EXPECT_STREQ("1,3", conditions.Get("devices"));
    EXPECT_STREQ("B22QWC", conditions.Get("Model"));
    EXPECT_STREQ("", conditions.Get("flag"));
    EXPECT_EQ(nullptr, conditions.Get("# a comment"));
    EXPECT_EQ(nullptr, conditions.Get("absent"));
}

TEST(SimConditions, NumbersInDecimalOrHexadecimal)
{
    SimConditions conditions;
    conditions.Parse("a=12\nb=0x1F\nc=-3\nd=12x\ne=\nf=0x\n");
    EXPECT_EQ(12, conditions.GetNumber("a", 99));
    EXPECT_EQ(31, conditions.GetNumber("b", 99));
    EXPECT_EQ(-3, conditions.GetNumber("c", 99));
    EXPECT_EQ(99, conditions.GetNumber("d", 99));
    EXPECT_EQ(99, conditions.GetNumber("e", 99));
    EXPECT_EQ(99, conditions.GetNumber("f", 99));
    EXPECT_EQ(99, conditions.GetNumber("g", 99));
}

TEST(SimConditions, RefusesEveryCallOrOnlyTheNthOne)
{
    SimConditions conditions;
    conditions.Parse("refuse=BHT_EnableBar\nRefuse = SCAN_SetDecoderParams@3, DcdReadString@1\n");
    EXPECT_TRUE(conditions.Refuses("BHT_EnableBar", 1));
    EXPECT_TRUE(conditions.Refuses("BHT_EnableBar", 5));
    EXPECT_FALSE(conditions.Refuses("BHT_EnableBa", 1));
    EXPECT_FALSE(conditions.Refuses("SCAN_SetDecoderParams", 2));
    EXPECT_TRUE(conditions.Refuses("SCAN_SetDecoderParams", 3));
    EXPECT_FALSE(conditions.Refuses("SCAN_SetDecoderParams", 4));
    EXPECT_TRUE(conditions.Refuses("DcdReadString", 1));
    EXPECT_FALSE(conditions.Refuses("DcdReadString", 2));
    EXPECT_FALSE(conditions.Refuses("DcdEnumDevices", 1));
}

TEST(SimLogText, QuotesSoThatAValueHoldsNoBlankOrLineEnd)
{
    EXPECT_EQ("\"a b\\\\c\"", QuoteBytes("a b\\c", 5));
    EXPECT_EQ("\"\\x22\\x0d\\x0a\\x00\\xe9\"", QuoteBytes("\"\r\n\0\xe9", 5));
    const UTF16UNIT rgUnits[] = { 'A', 0x1D, 0xE9, 0x20AC };
    EXPECT_EQ("\"A\\x1d\\xe9\\u20ac\"", QuoteUnits(rgUnits, 4));
    EXPECT_EQ("null", QuoteWide(NULL));
    EXPECT_EQ("\"x\"", QuoteWide(L"x"));
}

}
