// Parsing of whole scans, the separator rules, decimal formatting, the limits
// of the field store, and the parser's internal steps.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "EAN128Probe.h"
#include "gs1/AIDefinitions.h"

#define GS "\x1d"

namespace {

typedef std::vector<std::pair<std::string, std::string>> Fields;

struct ParseCase
{
    const char* pszScan;
    bool fStrict;
    Fields fields;        // expected on success
    const char* pszError; // null: success expected
};

std::string Text(const char* psz)
{
    return NULL == psz ? std::string("(null)") : std::string(psz);
}

Fields FieldsOf(const EAN128& parser)
{
    Fields fields;
    for (int i = 0; i < parser.GetFieldCount(); i++) {
        fields.emplace_back(parser.GetFieldAI(i), parser.GetFieldData(i));
    }
    return fields;
}

void ExpectParse(const ParseCase& c)
{
    SCOPED_TRACE(std::string("scan \"") + c.pszScan + (c.fStrict ? "\" strict" : "\" lax"));
    EAN128 parser;
    parser.m_fStrict = c.fStrict;
    const BOOL fResult = parser.Parse(c.pszScan);
    if (NULL == c.pszError) {
        EXPECT_EQ(TRUE, fResult) << Text(parser.GetError());
        EXPECT_EQ(c.fields, FieldsOf(parser));
        EXPECT_EQ(NULL, parser.GetError());
    } else {
        EXPECT_EQ(FALSE, fResult);
        EXPECT_EQ(std::string(c.pszError), Text(parser.GetError()));
    }
}

const char* const SHORT_00_17 = "The AI expects 18 characters to follow AI, there's only 17 characters.";
const char* const SHORT_14_13 = "The AI expects 14 characters to follow AI, there's only 13 characters.";
const char* const SHORT_14_2 = "The AI expects 14 characters to follow AI, there's only 2 characters.";
const char* const SHORT_14_0 = "The AI expects 14 characters to follow AI, there's only 0 characters.";
const char* const SHORT_6_5 = "The AI expects 6 characters to follow AI, there's only 5 characters.";
const char* const SHORT_6_2 = "The AI expects 6 characters to follow AI, there's only 2 characters.";
const char* const SHORT_6_0 = "The AI expects 6 characters to follow AI, there's only 0 characters.";
const char* const EMPTY_VARIABLE = "The AI expects at least 1 characters to follow AI, there's only 0 characters.";

} // namespace

TEST(EAN128Parse, StrictCases)
{
    const ParseCase cases[] = {
        { "00999999999999999999", true, { { "00", "999999999999999999" } }, NULL },
        { "0099999999999999999A", true, {}, "Data must be numeric [99999999999999999A]" },
        { "0099999999999999999", true, {}, SHORT_00_17 },
        { "0099", true, {}, "The AI expects 18 characters to follow AI, there's only 2 characters." },
        { "00", true, {}, "The AI expects 18 characters to follow AI, there's only 0 characters." },

        { "0199999999999999", true, { { "01", "99999999999999" } }, NULL },
        { "019999999999999A", true, {}, "Data must be numeric [9999999999999A]" },
        { "019999999999999", true, {}, SHORT_14_13 },
        { "0199", true, {}, SHORT_14_2 },
        { "01", true, {}, SHORT_14_0 },
        { "0299999999999999", true, { { "02", "99999999999999" } }, NULL },
        { "029999999999999A", true, {}, "Data must be numeric [9999999999999A]" },
        { "029999999999999", true, {}, SHORT_14_13 },
        { "0299", true, {}, SHORT_14_2 },
        { "02", true, {}, SHORT_14_0 },

        { "11999999", true, { { "11", "999999" } }, NULL },
        { "1199999A", true, {}, "Data must be numeric [99999A]" },
        { "1199999", true, {}, SHORT_6_5 },
        { "1199", true, {}, SHORT_6_2 },
        { "11", true, {}, SHORT_6_0 },
        { "12999999", true, { { "12", "999999" } }, NULL },
        { "1299999A", true, {}, "Data must be numeric [99999A]" },
        { "1299999", true, {}, SHORT_6_5 },
        { "1299", true, {}, SHORT_6_2 },
        { "12", true, {}, SHORT_6_0 },

        { "1099999999999999999999", true, { { "10", "99999999999999999999" } }, NULL },
        { "109999999999", true, { { "10", "9999999999" } }, NULL },
        { "10yz", true, { { "10", "yz" } }, NULL },
        { "10!\"%&'()*+,-./:;<=>?_", true, { { "10", "!\"%&'()*+,-./:;<=>?_" } }, NULL },
        { "10ABC\t", true, {}, "Data must be alphanumeric [ABC\t]" },
        { "10", true, {}, EMPTY_VARIABLE },
        { "10ABC DEF", true, {}, "Data must be alphanumeric [ABC DEF]" },

        { "", true, {}, NULL },
        { "0109501101020917" "10AB12", true, { { "01", "09501101020917" }, { "10", "AB12" } }, NULL },
        { "2312345", true, {}, "Invalid AI identifier (23123...)" },
        { "23", true, {}, "Invalid AI identifier (23...)" },
        { "3102001250", true, { { "310", "12.50" } }, NULL },
        { "8005001250", true, { { "8005", "001250" } }, NULL },
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

TEST(EAN128Parse, LaxCasesAcceptTheSpaceOnly)
{
    const ParseCase cases[] = {
        { "10ABC DEF", false, { { "10", "ABC DEF" } }, NULL },
        { "10 ", false, { { "10", " " } }, NULL },
        { "21A B" GS "240X Y", false, { { "21", "A B" }, { "240", "X Y" } }, NULL },
        { "10ABC\t", false, {}, "Data must be alphanumeric [ABC\t]" },
        { "10A#B", false, {}, "Data must be alphanumeric [A#B]" },
        { "0199999999999 99", false, {}, "Data must be numeric [99999999999 99]" },
        { "1099999999999999999999", false, { { "10", "99999999999999999999" } }, NULL },
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

// Each distinct format of the table, through one of its AIs: one scan that
// fits and one that does not.
struct ShapeCase
{
    const char* pszAI; // the table row that stands for the shape
    ParseCase valid;
    ParseCase invalid;
};

static const ShapeCase kShapes[] = {
    { "00", { "00123456789012345675", true, { { "00", "123456789012345675" } }, NULL },
      { "0012345678901234567X", true, {}, "Data must be numeric [12345678901234567X]" } },
    { "01", { "0109501101020917", true, { { "01", "09501101020917" } }, NULL },
      { "01095011010209", true, {}, "The AI expects 14 characters to follow AI, there's only 12 characters." } },
    { "21", { "21ABC-123/x", true, { { "21", "ABC-123/x" } }, NULL },
      { "21AB#C", true, {}, "Data must be alphanumeric [AB#C]" } },
    { "17", { "17261231", true, { { "17", "261231" } }, NULL },
      { "172612", true, {}, "The AI expects 6 characters to follow AI, there's only 4 characters." } },
    { "20", { "2007", true, { { "20", "07" } }, NULL },
      { "207A", true, {}, "Data must be numeric [7A]" } },
    { "22", { "22ABC+12", true, { { "22", "ABC+12" } }, NULL },
      { "22", true, {}, EMPTY_VARIABLE } },
    { "240", { "240ABC123", true, { { "240", "ABC123" } }, NULL },
      { "240ABC~1", true, {}, "Data must be alphanumeric [ABC~1]" } },
    { "252", { "252123456789012345678901234567", true, { { "252", "123456789012345678901234567" } }, NULL },
      { "25212345678901234567890123456A", true, {}, "Data must be numeric [12345678901234567890123456A]" } },
    { "30", { "3012345678", true, { { "30", "12345678" } }, NULL },
      { "3012A", true, {}, "Data must be numeric [12A]" } },
    { "310", { "3103012345", true, { { "310", "12.345" } }, NULL },
      { "310301234", true, {}, "The AI expects 6 characters to follow AI, there's only 5 characters." } },
    { "390", { "390212345", true, { { "390", "123.45" } }, NULL },
      { "390212.45", true, {}, "Data must be numeric [12.45]" } },
    { "393", { "39329781234", true, { { "393", "978" }, { "393", "12.34" } }, NULL },
      { "393297", true, {}, "The AI expects 3 characters to follow AI, there's only 2 characters." } },
    { "402", { "40212345678901234567", true, { { "402", "12345678901234567" } }, NULL },
      { "4021234567890123456A", true, {}, "Data must be numeric [1234567890123456A]" } },
    { "410", { "4109501101020917", true, { { "410", "9501101020917" } }, NULL },
      { "410950110102091", true, {}, "The AI expects 13 characters to follow AI, there's only 12 characters." } },
    { "420", { "420SW1A1AA", true, { { "420", "SW1A1AA" } }, NULL },
      { "420SW1A 1AA", true, {}, "Data must be alphanumeric [SW1A 1AA]" } },
    { "421", { "421250ABC123", true, { { "421", "250" }, { "421", "ABC123" } }, NULL },
      { "42125AABC", true, {}, "Data must be numeric [25A]" } },
    { "422", { "422250", true, { { "422", "250" } }, NULL },
      { "42225", true, {}, "The AI expects 3 characters to follow AI, there's only 2 characters." } },
    { "423", { "423250276", true, { { "423", "250" }, { "423", "276" } }, NULL },
      { "423250", true, {}, EMPTY_VARIABLE } },
    { "7001", { "70011234567890123", true, { { "7001", "1234567890123" } }, NULL },
      { "7001123456789012X", true, {}, "Data must be numeric [123456789012X]" } },
    { "7002", { "7002ABCD", true, { { "7002", "ABCD" } }, NULL },
      { "7002ABCD\n", true, {}, "Data must be alphanumeric [ABCD\n]" } },
    { "7030", { "7030250ABC", true, { { "7030", "250" }, { "7030", "ABC" } }, NULL },
      { "7030250A@B", true, {}, "Data must be alphanumeric [A@B]" } },
    { "8001", { "800112345678901234", true, { { "8001", "12345678901234" } }, NULL },
      { "80011234567890123", true, {}, "The AI expects 14 characters to follow AI, there's only 13 characters." } },
    { "8002", { "8002ABC123", true, { { "8002", "ABC123" } }, NULL },
      { "8002ABC$", true, {}, "Data must be alphanumeric [ABC$]" } },
    { "8003", { "800309501101020917A1", true, { { "8003", "09501101020917" }, { "8003", "A1" } }, NULL },
      { "80030950110102091AX", true, {}, "Data must be numeric [0950110102091A]" } },
    { "8005", { "8005001250", true, { { "8005", "001250" } }, NULL },
      { "800500125X", true, {}, "Data must be numeric [00125X]" } },
    { "8006", { "8006095011010209170102", true, { { "8006", "09501101020917" }, { "8006", "01" }, { "8006", "02" } }, NULL },
      { "800609501101020917012", true, {}, "The AI expects 2 characters to follow AI, there's only 1 characters." } },
    { "8008", { "80082612311430", true, { { "8008", "26123114" }, { "8008", "30" } }, NULL },
      { "8008261231143A", true, {}, "Data must be numeric [3A]" } },
    { "8018", { "8018123456789012345678", true, { { "8018", "123456789012345678" } }, NULL },
      { "801812345678901234567", true, {}, "The AI expects 18 characters to follow AI, there's only 17 characters." } },
    { "8020", { "8020REF123", true, { { "8020", "REF123" } }, NULL },
      { "8020", true, {}, EMPTY_VARIABLE } },
    { "8100", { "8100123456", true, { { "8100", "1" }, { "8100", "23456" } }, NULL },
      { "810012345", true, {}, "The AI expects 5 characters to follow AI, there's only 4 characters." } },
    { "8101", { "81011234562612", true, { { "8101", "1" }, { "8101", "23456" }, { "8101", "2612" } }, NULL },
      { "8101123456261", true, {}, "The AI expects 4 characters to follow AI, there's only 3 characters." } },
    { "8102", { "810212", true, { { "8102", "1" }, { "8102", "2" } }, NULL },
      { "81021X", true, {}, "Data must be numeric [X]" } },
    { "90", { "90ABC", true, { { "90", "ABC" } }, NULL },
      { "90ABC\xe9", true, {}, "Data must be alphanumeric [ABC\xe9]" } },
};

TEST(EAN128Parse, EveryFormatShapeAcceptsAndRefuses)
{
    for (const ShapeCase& shape : kShapes) {
        ExpectParse(shape.valid);
        ExpectParse(shape.invalid);
    }
}

TEST(EAN128Parse, ShapeCasesCoverEveryFormatOfTheTable)
{
    std::set<std::pair<std::string, bool>> covered;
    for (const ShapeCase& shape : kShapes) {
        bool fFound = false;
        for (int i = 0; i < AI_DEFINITION_COUNT; i++) {
            if (0 == strcmp(shape.pszAI, gAIDefinitions[i].pszAI)) {
                covered.emplace(gAIDefinitions[i].pszFormat, -1 != gAIDefinitions[i].nDecimalPoint);
                fFound = true;
            }
        }
        EXPECT_TRUE(fFound) << shape.pszAI;
    }
    for (int i = 0; i < AI_DEFINITION_COUNT; i++) {
        const std::pair<std::string, bool> shape(gAIDefinitions[i].pszFormat, -1 != gAIDefinitions[i].nDecimalPoint);
        EXPECT_EQ(1u, covered.count(shape)) << gAIDefinitions[i].pszAI << " " << shape.first;
    }
}

TEST(EAN128Parse, GroupSeparators)
{
    const ParseCase cases[] = {
        // After a variable piece the separator is skipped and the next AI read.
        { "10ABC" GS "21XYZ", true, { { "10", "ABC" }, { "21", "XYZ" } }, NULL },
        { "421250ABC" GS "0109501101020917", true,
          { { "421", "250" }, { "421", "ABC" }, { "01", "09501101020917" } }, NULL },
        { "3922123" GS "10B", true, { { "392", "1.23" }, { "10", "B" } }, NULL },
        // A trailing separator ends the scan cleanly.
        { "10ABC" GS, true, { { "10", "ABC" } }, NULL },
        // A separator right after the AI gives an empty field.
        { "10" GS "21X", true, { { "10", "" }, { "21", "X" } }, NULL },
        { "10" GS, true, { { "10", "" } }, NULL },
        { "3922" GS, true, { { "392", "0.00" } }, NULL },
        // After a fixed piece the separator is not skipped.
        { "0109501101020917" GS "10ABC", true, {}, "Invalid AI identifier (" GS "10AB...)" },
        { "17261231" GS, true, {}, "Invalid AI identifier (" GS "...)" },
        // Only one separator is skipped.
        { "10ABC" GS GS "21X", true, {}, "Invalid AI identifier (" GS "21X...)" },
        // A separator inside a fixed piece is data and not a digit.
        { "01095011" GS "1020917", true, {}, "Data must be numeric [095011" GS "1020917]" },
        { "8006" "09501101020917" GS "0102", true, {}, "Data must be numeric [" GS "0]" },
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

TEST(EAN128Parse, DecimalPositions)
{
    const ParseCase cases[] = {
        { "3102001250", true, { { "310", "12.50" } }, NULL },
        { "3100001250", true, { { "310", "1250" } }, NULL },
        { "310500125", true, {}, "The AI expects 6 characters to follow AI, there's only 5 characters." },
        { "3109001250", true, { { "310", "0.000001250" } }, NULL },
        { "3925" "12345", true, { { "392", "0.12345" } }, NULL },
        { "3912" "978" "1234", true, { { "391", "978" }, { "391", "12.34" } }, NULL },
        { "3930" "978" "0001234", true, { { "393", "978" }, { "393", "1234" } }, NULL },
        { "3693000000", true, { { "369", "0.000" } }, NULL },
        // 15-digit amounts beyond 32 bits keep every digit.
        { "3902" "123456789012345", true, { { "390", "1234567890123.45" } }, NULL },
        { "3900" "999999999999999", true, { { "390", "999999999999999" } }, NULL },
        { "3900" "2147483648", true, { { "390", "2147483648" } }, NULL },
        { "3929" "000000000000001", true, { { "392", "0.000000001" } }, NULL },
        { "3913" "978" "100000000000000", true, { { "391", "978" }, { "391", "100000000000.000" } }, NULL },
        // Any character but a digit in the position counts as no decimals.
        { "310X001250", true, { { "310", "1250" } }, NULL },
        // Only the decimal-position rows are touched.
        { "8005001250", true, { { "8005", "001250" } }, NULL },
        { "30000123", true, { { "30", "000123" } }, NULL },
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

// The exact text equals what the double-precision "%.*f" of v x 10^-d gives
// wherever v fits in 32 bits.
TEST(FormatDecimal, EqualsDoubleFormattingWithin32Bits)
{
    std::vector<long long> values = { 0, 1, 5, 9, 10, 99, 100, 1250, 12345, 999999, 1000000,
                                      99999999, 123456789, 2147483646, 2147483647 };
    unsigned int nSeed = 12345;
    for (int i = 0; i < 2000; i++) {
        nSeed = nSeed * 1103515245u + 12345u;
        values.push_back((long long)(nSeed & 0x7fffffff));
    }
    for (long long v : values) {
        for (int d = 0; d <= 9; d++) {
            char szExpected[64];
            snprintf(szExpected, sizeof(szExpected), "%.*f", d, (double)v * pow(10.0, -d));
            char szDigits[32];
            snprintf(szDigits, sizeof(szDigits), "%lld", v);
            char szPadded[32];
            snprintf(szPadded, sizeof(szPadded), "%015lld", v);
            char szActual[MAX_FIELDLEN + 1];
            ASSERT_EQ(TRUE, FormatDecimal(szDigits, d, szActual, sizeof(szActual)));
            ASSERT_STREQ(szExpected, szActual) << v << " with " << d;
            ASSERT_EQ(TRUE, FormatDecimal(szPadded, d, szActual, sizeof(szActual)));
            ASSERT_STREQ(szExpected, szActual) << szPadded << " with " << d;
        }
    }
}

TEST(FormatDecimal, RefusesTextsThatDoNotFit)
{
    char szOut[7];
    EXPECT_EQ(TRUE, FormatDecimal("12345", 2, szOut, sizeof(szOut)));
    EXPECT_STREQ("123.45", szOut);
    EXPECT_EQ(TRUE, FormatDecimal("0012345", 2, szOut, sizeof(szOut)));
    EXPECT_STREQ("123.45", szOut);
    EXPECT_EQ(FALSE, FormatDecimal("123456", 2, szOut, sizeof(szOut)));
    EXPECT_EQ(FALSE, FormatDecimal("1", 5, szOut, sizeof(szOut)));
    EXPECT_EQ(TRUE, FormatDecimal("", 0, szOut, sizeof(szOut)));
    EXPECT_STREQ("0", szOut);
}

TEST(EAN128Limits, TenFieldsFitAndAnEleventhFails)
{
    const std::string strNine = "0109501101020917" "8006095011010209170102" "17261231" "3103001234" "810212" "10AB" GS;
    const std::string strTen = strNine + "21X";
    EAN128 parser;
    ASSERT_EQ(TRUE, parser.Parse(strTen.c_str())) << Text(parser.GetError());
    ASSERT_EQ(MAX_DATAFIELDS, parser.GetFieldCount());
    EXPECT_STREQ("21", parser.GetFieldAI(9));
    EXPECT_STREQ("X", parser.GetFieldData(9));

    const std::string strEleven = strNine + "8100123456";
    EXPECT_EQ(FALSE, parser.Parse(strEleven.c_str()));
    EXPECT_STREQ("A scan may hold at most 10 fields.", parser.GetError());
    // The fields before the fault stay, up to the store's size.
    EXPECT_EQ(MAX_DATAFIELDS, parser.GetFieldCount());
    EXPECT_STREQ("8100", parser.GetFieldAI(9));
    EXPECT_STREQ("1", parser.GetFieldData(9));
}

TEST(EAN128Limits, VariablePiecesUpToTheFieldSize)
{
    const std::string strFifty(MAX_FIELDLEN, 'A');
    // The format's maximum (20 for AI 10) is not applied; the store's is.
    ExpectParse({ ("10" + strFifty).c_str(), true, { { "10", strFifty } }, NULL });
    ExpectParse({ ("10" + strFifty + GS + "21X").c_str(), true, { { "10", strFifty }, { "21", "X" } }, NULL });
    ExpectParse({ ("10" + strFifty + "A").c_str(), true, {},
                  "A data field may hold at most 50 characters, there are 51 characters." });
    ExpectParse({ ("10" + std::string(300, 'B') + GS + "21X").c_str(), true, {},
                  "A data field may hold at most 50 characters, there are 300 characters." });
    // A decimal text that would outgrow the store fails too; leading zeros do not count.
    ExpectParse({ ("3922" + std::string(49, '0') + "5").c_str(), true, { { "392", "0.05" } }, NULL });
    ExpectParse({ ("3921" + std::string(50, '7')).c_str(), true, {},
                  ("Data too long to write with 1 decimals [" + std::string(50, '7') + "]").c_str() });
}

TEST(EAN128Limits, MissingDecimalPositionDigit)
{
    const ParseCase cases[] = {
        { "310", true, {}, "The AI 310 expects a decimal-position digit, the scan ends there." },
        { "0109501101020917" "392", true, {}, "The AI 392 expects a decimal-position digit, the scan ends there." },
        { "3102", true, {}, "The AI expects 6 characters to follow AI, there's only 0 characters." },
        { "3912", true, {}, "The AI expects 3 characters to follow AI, there's only 0 characters." },
    };
    for (const ParseCase& c : cases) {
        ExpectParse(c);
    }
}

TEST(EAN128State, FieldsAreCopiesAndCountsRestart)
{
    char szScan[] = "0109501101020917" "10LOT7";
    EAN128 parser;
    ASSERT_EQ(TRUE, parser.Parse(szScan));
    memset(szScan, 'Z', sizeof(szScan) - 1);
    EXPECT_EQ((Fields{ { "01", "09501101020917" }, { "10", "LOT7" } }), FieldsOf(parser));

    ASSERT_EQ(TRUE, parser.Parse(""));
    EXPECT_EQ(0, parser.GetFieldCount());
}

TEST(EAN128State, ErrorTextOutlivesALaterSuccess)
{
    EAN128 parser;
    EXPECT_EQ(NULL, parser.GetError());
    EXPECT_TRUE(parser.m_fStrict);
    EXPECT_STREQ("", parser.GetFieldAI(MAX_DATAFIELDS - 1));
    EXPECT_STREQ("", parser.GetFieldData(0));

    EXPECT_EQ(FALSE, parser.Parse("0109501101020917" "99"));
    EXPECT_EQ(1, parser.GetFieldCount());
    EXPECT_STREQ(EMPTY_VARIABLE, parser.GetError());
    EXPECT_EQ(FALSE, parser.Parse("23"));
    EXPECT_STREQ("Invalid AI identifier (23...)", parser.GetError());
    EXPECT_EQ(0, parser.GetFieldCount());
    EXPECT_EQ(TRUE, parser.Parse("10A"));
    EXPECT_STREQ("Invalid AI identifier (23...)", parser.GetError());
}

TEST(EAN128Steps, ParseSingleAIFormat)
{
    struct Case
    {
        const char* pszPiece;
        BOOL fResult;
        PieceType type;
        int nMin;
        int nMax;
        const char* pszError;
    };
    const Case cases[] = {
        { "n18", TRUE, PIECE_NUMERIC, 18, 18, NULL },
        { "an..20", TRUE, PIECE_ALPHANUMERIC, 1, 20, NULL },
        { "AN..30", TRUE, PIECE_ALPHANUMERIC, 1, 30, NULL },
        { "N..8", TRUE, PIECE_NUMERIC, 1, 8, NULL },
        { "aN3", TRUE, PIECE_ALPHANUMERIC, 3, 3, NULL },
        { "x5", FALSE, PIECE_NUMERIC, 0, 0, "A single format specifier must start with 'n' or 'an'" },
        { "a5", FALSE, PIECE_NUMERIC, 0, 0, "A single format specifier must start with 'n' or 'an'" },
        { "", FALSE, PIECE_NUMERIC, 0, 0, "A single format specifier must start with 'n' or 'an'" },
        { "n1x", FALSE, PIECE_NUMERIC, 0, 0, "'n' or 'an' must be followed by '..' or a numeric string." },
        { "an.5", FALSE, PIECE_NUMERIC, 0, 0, "'n' or 'an' must be followed by '..' or a numeric string." },
        { "an..2x", FALSE, PIECE_NUMERIC, 0, 0, "'..' must be followed by a numeric string." },
        { "n...3", FALSE, PIECE_NUMERIC, 0, 0, "'..' must be followed by a numeric string." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszPiece);
        EAN128Probe parser;
        PieceType type = PIECE_NUMERIC;
        int nMin = 0;
        int nMax = 0;
        EXPECT_EQ(c.fResult, parser.ParseSingleAIFormat(c.pszPiece, &type, &nMin, &nMax));
        if (TRUE == c.fResult) {
            EXPECT_EQ(c.type, type);
            EXPECT_EQ(c.nMin, nMin);
            EXPECT_EQ(c.nMax, nMax);
            EXPECT_EQ(NULL, parser.GetError());
        } else {
            EXPECT_EQ(std::string(c.pszError), Text(parser.GetError()));
        }
    }
}

TEST(EAN128Steps, ExtractFieldReturnsThePositionAfterThePiece)
{
    EAN128Probe parser;
    char szContents[MAX_FIELDLEN + 1];
    const char* pszScan = "123456" GS "7";
    EXPECT_EQ(pszScan + 4, parser.ExtractField(pszScan, szContents, PIECE_NUMERIC, 4, 4));
    EXPECT_STREQ("1234", szContents);
    EXPECT_EQ(pszScan + 7, parser.ExtractField(pszScan, szContents, PIECE_NUMERIC, 1, 3));
    EXPECT_STREQ("123456", szContents);
    EXPECT_EQ(pszScan + 8, parser.ExtractField(pszScan + 7, szContents, PIECE_NUMERIC, 1, 3));
    EXPECT_STREQ("7", szContents);
    EXPECT_EQ(NULL, parser.ExtractField(pszScan, szContents, PIECE_NUMERIC, 9, 9));
    EXPECT_STREQ("The AI expects 9 characters to follow AI, there's only 8 characters.", parser.GetError());
    // A fixed piece takes the separator as data.
    EXPECT_EQ(NULL, parser.ExtractField(pszScan, szContents, PIECE_NUMERIC, 8, 8));
    EXPECT_STREQ("Data must be numeric [123456" GS "7]", parser.GetError());
    EXPECT_EQ(NULL, parser.ExtractField(pszScan + 8, szContents, PIECE_ALPHANUMERIC, 1, 3));
    EXPECT_STREQ("The AI expects at least 1 characters to follow AI, there's only 0 characters.", parser.GetError());
}

TEST(EAN128Steps, CharacterClasses)
{
    EAN128Probe strict;
    EAN128Probe lax;
    lax.m_fStrict = false;
    for (int ch = 1; ch < 256; ch++) {
        const char sz[2] = { (char)ch, '\0' };
        const bool fInSet = NULL != strchr(" !\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz", ch);
        SCOPED_TRACE(ch);
        EXPECT_EQ(fInSet ? TRUE : FALSE, lax.IsAlphanumeric(sz));
        EXPECT_EQ(fInSet && ' ' != ch ? TRUE : FALSE, strict.IsAlphanumeric(sz));
        EXPECT_EQ(ch >= '0' && ch <= '9' ? TRUE : FALSE, strict.IsNumeric(sz));
    }
    EXPECT_EQ(TRUE, strict.IsAlphanumeric(""));
    EXPECT_EQ(TRUE, strict.IsNumeric(""));
    EXPECT_EQ(FALSE, strict.IsNumeric("12a4"));
    EXPECT_EQ(FALSE, strict.IsAlphanumeric("AB C"));
    EXPECT_EQ(TRUE, lax.IsAlphanumeric("AB C"));
}

TEST(EAN128Steps, SetErrorKeepsTheWholeText)
{
    EAN128Probe parser;
    const std::string strLong(1000, 'e');
    parser.SetError(strLong.c_str());
    EXPECT_EQ(strLong, Text(parser.GetError()));
    parser.SetError("short");
    EXPECT_STREQ("short", parser.GetError());
}

// A violated precondition ends the process with the condition's text. Under
// Windows it would open a message box, so these run natively only.
#ifndef _WIN32
TEST(EAN128DeathTest, PreconditionsAreFatal)
{
    const auto exited = ::testing::ExitedWithCode(255);
    EAN128Probe parser;
    char szContents[MAX_FIELDLEN + 1];
    PieceType type;
    int nMin;
    int nMax;
    EXPECT_EXIT(parser.Parse(NULL), exited, "Assertion failed: NULL != pszBarcode");
    EXPECT_EXIT(parser.GetFieldAI(-1), exited,
                "Assertion failed: \\(nFieldIndex >= 0\\) && \\(nFieldIndex < MAX_DATAFIELDS\\)");
    EXPECT_EXIT(parser.GetFieldData(MAX_DATAFIELDS), exited,
                "Assertion failed: \\(nFieldIndex >= 0\\) && \\(nFieldIndex < MAX_DATAFIELDS\\)");
    EXPECT_EXIT(parser.ParseSingleAIFormat(NULL, &type, &nMin, &nMax), exited,
                "Assertion failed: NULL != pszSingleAIFormat");
    EXPECT_EXIT(parser.ExtractField(NULL, szContents, PIECE_NUMERIC, 1, 1), exited,
                "Assertion failed: NULL != pszBarcodeScan");
    EXPECT_EXIT(parser.ExtractField("1", NULL, PIECE_NUMERIC, 1, 1), exited,
                "Assertion failed: NULL != szContents");
    EXPECT_EXIT(parser.ExtractField("1", szContents, PIECE_NUMERIC, 0, 1), exited,
                "Assertion failed: nMinLength > 0");
    EXPECT_EXIT(parser.ExtractField("1", szContents, PIECE_NUMERIC, 1, 0), exited,
                "Assertion failed: nMaxLength > 0");
    EXPECT_EXIT(parser.IsNumeric(NULL), exited, "Assertion failed: NULL != psz");
    EXPECT_EXIT(parser.IsAlphanumeric(NULL), exited, "Assertion failed: NULL != psz");
}

TEST(EAN128DeathTest, AddFieldChecksInOrder)
{
    const auto exited = ::testing::ExitedWithCode(255);
    EAN128Probe parser;
    const std::string strLong(MAX_FIELDLEN + 1, '1');
    EXPECT_EXIT(parser.AddField(-1, NULL, NULL), exited, "Assertion failed: NULL != pszFieldData");
    EXPECT_EXIT(parser.AddField(-1, NULL, "1"), exited, "Assertion failed: NULL != pszFieldAI");
    EXPECT_EXIT(parser.AddField(MAX_DATAFIELDS, "12345", strLong.c_str()), exited,
                "Assertion failed: \\(nFieldIndex >= 0\\) && \\(nFieldIndex < MAX_DATAFIELDS\\)");
    EXPECT_EXIT(parser.AddField(0, "12345", strLong.c_str()), exited,
                "Assertion failed: strlen\\( pszFieldData \\) <= MAX_FIELDLEN");
    EXPECT_EXIT(parser.AddField(0, "12345", "1"), exited,
                "Assertion failed: strlen\\( pszFieldAI \\) <= MAX_AILEN");
}
#endif
