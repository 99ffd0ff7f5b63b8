// The AI table against an independent listing, the table's invariants, the
// character set, and one valid and one invalid scan for every listed AI.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "EAN128Probe.h"
#include "gs1/AIDefinitions.h"

#include "AIListing.inc"

#define GS "\x1d"

namespace {

struct ListedAI
{
    std::string strAI;
    std::string strFormat;
    bool fDecimalPoint;
    std::string strUnit; // empty: none
    std::string strDataTitle;
    std::string strTitle;
};

std::vector<std::string> Split(const std::string& strText, char chSeparator)
{
    std::vector<std::string> parts;
    size_t iStart = 0;
    for (;;) {
        const size_t iEnd = strText.find(chSeparator, iStart);
        parts.push_back(strText.substr(iStart, iEnd - iStart));
        if (std::string::npos == iEnd) {
            return parts;
        }
        iStart = iEnd + 1;
    }
}

std::vector<ListedAI> ReadListing()
{
    std::vector<ListedAI> listing;
    for (const std::string& strLine : Split(szAIListing, '\n')) {
        if (strLine.empty() || '#' == strLine[0]) {
            continue;
        }
        const std::vector<std::string> cells = Split(strLine, '\t');
        EXPECT_EQ(6u, cells.size()) << strLine;
        if (6 != cells.size()) {
            continue;
        }
        EXPECT_TRUE("yes" == cells[2] || "no" == cells[2]) << strLine;
        listing.push_back({ cells[0], cells[1], "yes" == cells[2], cells[3], cells[4], cells[5] });
    }
    return listing;
}

// One piece of a format as the listing writes it.
struct Piece
{
    bool fAlphanumeric;
    bool fVariable;
    int nLength; // exact length, or the maximum of a variable piece
};

std::vector<Piece> DataPieces(const std::string& strFormat)
{
    std::vector<Piece> pieces;
    const std::vector<std::string> parts = Split(strFormat, '+');
    for (size_t i = 1; i < parts.size(); i++) {
        std::string strPart = parts[i];
        Piece piece;
        piece.fAlphanumeric = 0 == strPart.compare(0, 2, "an");
        strPart = strPart.substr(piece.fAlphanumeric ? 2 : 1);
        piece.fVariable = 0 == strPart.compare(0, 2, "..");
        piece.nLength = std::stoi(piece.fVariable ? strPart.substr(2) : strPart);
        pieces.push_back(piece);
    }
    return pieces;
}

std::string Text(const char* psz)
{
    return NULL == psz ? std::string("(null)") : std::string(psz);
}

} // namespace

TEST(AITable, MatchesTheListingRowByRow)
{
    const std::vector<ListedAI> listing = ReadListing();
    ASSERT_EQ(128u, listing.size());
    ASSERT_EQ(128, AI_DEFINITION_COUNT);
    for (size_t i = 0; i < listing.size(); i++) {
        const AIDefinition& row = gAIDefinitions[i];
        const ListedAI& listed = listing[i];
        SCOPED_TRACE("row " + std::to_string(i) + ", AI " + listed.strAI);
        EXPECT_EQ(listed.strAI, Text(row.pszAI));
        EXPECT_EQ(listed.strTitle, Text(row.pszTitle));
        EXPECT_EQ(listed.strFormat, Text(row.pszFormat));
        EXPECT_EQ(listed.strDataTitle, Text(row.pszDataTitle));
        if (listed.strUnit.empty()) {
            EXPECT_EQ(NULL, row.pszUnit) << Text(row.pszUnit);
        } else {
            EXPECT_EQ(listed.strUnit, Text(row.pszUnit));
        }
        if (listed.fDecimalPoint) {
            EXPECT_NE(-1, row.nDecimalPoint);
        } else {
            EXPECT_EQ(-1, row.nDecimalPoint);
        }
    }
}

TEST(AITable, EndsWithTheEndRow)
{
    const AIDefinition& end = gAIDefinitions[AI_DEFINITION_COUNT];
    EXPECT_EQ(NULL, end.pszAI);
    EXPECT_EQ(NULL, end.pszTitle);
    EXPECT_EQ(NULL, end.pszFormat);
    EXPECT_EQ(NULL, end.pszDataTitle);
    EXPECT_EQ(NULL, end.pszUnit);
    EXPECT_EQ(-1, end.nDecimalPoint);
}

// The parser relies on these: one match at most per position, an AI piece of
// the right length first, and no data piece beyond 30 characters.
TEST(AITable, KeepsTheParsersInvariants)
{
    for (int i = 0; i < AI_DEFINITION_COUNT; i++) {
        const AIDefinition& row = gAIDefinitions[i];
        SCOPED_TRACE(Text(row.pszAI));
        if (i > 0) {
            EXPECT_LT(strcmp(gAIDefinitions[i - 1].pszAI, row.pszAI), 0);
        }
        for (int j = 0; j < AI_DEFINITION_COUNT; j++) {
            if (i != j) {
                EXPECT_NE(0, strncmp(row.pszAI, gAIDefinitions[j].pszAI, strlen(row.pszAI)))
                    << "begins " << gAIDefinitions[j].pszAI;
            }
        }
        const size_t cchAI = strlen(row.pszAI);
        EXPECT_TRUE(cchAI >= 2 && cchAI <= 4);
        const std::string strFirst = Split(row.pszFormat, '+')[0];
        EXPECT_EQ("n" + std::to_string(cchAI + (-1 != row.nDecimalPoint ? 1 : 0)), strFirst);
        for (const Piece& piece : DataPieces(row.pszFormat)) {
            EXPECT_LE(piece.nLength, 30);
        }
        if (-1 != row.nDecimalPoint) {
            EXPECT_FALSE(DataPieces(row.pszFormat).back().fAlphanumeric);
        }
    }
}

TEST(AITable, CharsetHoldsTheSpaceAndSet82InOrder)
{
    std::string strExpected = " ";
    strExpected += "!\"";
    for (int ch = 37; ch <= 47; ch++) {
        strExpected += (char)ch;
    }
    for (char ch = '0'; ch <= '9'; ch++) {
        strExpected += ch;
    }
    for (int ch = 58; ch <= 63; ch++) {
        strExpected += (char)ch;
    }
    for (char ch = 'A'; ch <= 'Z'; ch++) {
        strExpected += ch;
    }
    strExpected += '_';
    for (char ch = 'a'; ch <= 'z'; ch++) {
        strExpected += ch;
    }
    ASSERT_EQ(83u, strExpected.size());
    EXPECT_EQ(strExpected, std::string(AI_CHARSET));
}

TEST(AITable, FindAIMatchesOneRowOrNone)
{
    struct Case
    {
        const char* pszScan;
        const char* pszRowAI; // null: no row
    };
    const Case cases[] = {
        { "3102001250", "310" },  // the fourth digit is the decimal position
        { "8005001250", "8005" }, // same format, no decimal position
        { "37123", "37" },        // not a row of the 3xx block
        { "00123", "00" },
        { "99", "99" },
        { "23", NULL },
        { "253", NULL },
        { "3", NULL },            // shorter than every AI
        { "800", NULL },
        { "", NULL },
        { GS "01", NULL },
    };
    EAN128Probe parser;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszScan);
        const int nRow = parser.FindAI(c.pszScan);
        if (NULL == c.pszRowAI) {
            EXPECT_EQ(-1, nRow);
        } else {
            ASSERT_GE(nRow, 0);
            ASSERT_LT(nRow, AI_DEFINITION_COUNT);
            EXPECT_STREQ(c.pszRowAI, gAIDefinitions[nRow].pszAI);
        }
    }
}

// Every listed AI, built into a scan from the listing's own format: each
// data piece at its full length, a decimal-position digit of 2, and a
// following AI 21 (after a separator when the last piece is variable).
TEST(AITable, EveryListedAIParsesAndRefusesWrongData)
{
    const std::string strDigits = "123456789012345678901234567890";
    const std::string strAlpha = "Ab1-Z/_c9%xY:q=R?w.T'e*u(o)p,Q";
    for (const ListedAI& listed : ReadListing()) {
        SCOPED_TRACE("AI " + listed.strAI);
        const std::vector<Piece> pieces = DataPieces(listed.strFormat);
        ASSERT_FALSE(pieces.empty());

        std::string strScan = listed.strAI + (listed.fDecimalPoint ? "2" : "");
        std::vector<std::string> expected;
        for (size_t i = 0; i < pieces.size(); i++) {
            const Piece& piece = pieces[i];
            std::string strData = (piece.fAlphanumeric ? strAlpha : strDigits).substr(0, (size_t)piece.nLength);
            strScan += strData;
            if (piece.fVariable) {
                strScan += GS;
            }
            if (listed.fDecimalPoint && i + 1 == pieces.size()) {
                strData.insert(strData.size() - 2, ".");
            }
            expected.push_back(strData);
        }
        strScan += "21X";

        EAN128 parser;
        ASSERT_EQ(TRUE, parser.Parse(strScan.c_str())) << Text(parser.GetError());
        ASSERT_EQ((int)expected.size() + 1, parser.GetFieldCount());
        for (size_t i = 0; i < expected.size(); i++) {
            EXPECT_EQ(listed.strAI, parser.GetFieldAI((int)i));
            EXPECT_EQ(expected[i], parser.GetFieldData((int)i));
        }
        EXPECT_STREQ("21", parser.GetFieldAI((int)expected.size()));
        EXPECT_STREQ("X", parser.GetFieldData((int)expected.size()));

        // The first data character made wrong for its type.
        const size_t iFirst = listed.strAI.size() + (listed.fDecimalPoint ? 1 : 0);
        std::string strBad = strScan;
        strBad[iFirst] = pieces[0].fAlphanumeric ? '#' : 'A';
        std::string strBadPiece = strBad.substr(iFirst, (size_t)pieces[0].nLength);
        EAN128 refusing;
        EXPECT_EQ(FALSE, refusing.Parse(strBad.c_str()));
        EXPECT_EQ(std::string(pieces[0].fAlphanumeric ? "Data must be alphanumeric [" : "Data must be numeric [")
                      + strBadPiece + "]",
                  Text(refusing.GetError()));
    }
}
