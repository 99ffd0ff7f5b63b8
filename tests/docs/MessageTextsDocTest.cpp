// Every message-box text, format and caption of src/common/MessageTexts.h
// appears in the troubleshooting table of docs/administrators.md, so that a
// text added or changed in the header without the table fails here. A format
// is found when its literal parts (the text between its %s, %S and %d
// inserts) all appear, in order, on one row of the table; the row writes each
// insert as it likes, for example <folder>.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& strPath)
{
    std::ifstream file(strPath);
    EXPECT_TRUE(file.good()) << strPath;
    std::vector<std::string> rgLines;
    for (std::string strLine; std::getline(file, strLine);) {
        rgLines.push_back(strLine);
    }
    return rgLines;
}

struct MessageText
{
    std::string strName;
    std::string strText;
};

// Every #define TVX_... of the header, with its string literal unescaped. A
// definition that is no one-line literal is a failure: the test could not
// see its text.
std::vector<MessageText> ReadMessageTexts()
{
    static const std::regex reDefine(R"(^\s*#define\s+(TVX_\w+)\b(.*)$)");
    static const std::regex reLiteral(R"re(^\s*L?"((?:[^"\\]|\\.)*)"\s*(//.*)?$)re");
    std::vector<MessageText> rgTexts;
    for (const std::string& strLine : ReadLines(TVX_SOURCE_DIR "/src/common/MessageTexts.h")) {
        std::smatch define;
        if (!std::regex_match(strLine, define, reDefine)) {
            continue;
        }
        std::string strRest = define[2].str();
        std::smatch literal;
        if (!std::regex_match(strRest, literal, reLiteral)) {
            ADD_FAILURE() << define[1] << " is not a one-line string literal: " << strLine;
            continue;
        }
        std::string strEscaped = literal[1].str(), strText;
        for (size_t i = 0; i < strEscaped.size(); i++) {
            if ('\\' == strEscaped[i] && i + 1 < strEscaped.size()) {
                i++;
            }
            strText += strEscaped[i];
        }
        rgTexts.push_back({ define[1].str(), strText });
    }
    return rgTexts;
}

// The table rows of the section "## Troubleshooting", up to the next section.
std::vector<std::string> ReadTroubleshootingRows()
{
    std::vector<std::string> rgRows;
    bool fInSection = false;
    for (const std::string& strLine : ReadLines(TVX_SOURCE_DIR "/docs/administrators.md")) {
        if (0 == strLine.rfind("## ", 0)) {
            fInSection = (strLine == "## Troubleshooting");
        } else if (fInSection && 0 == strLine.rfind("|", 0)) {
            rgRows.push_back(strLine);
        }
    }
    return rgRows;
}

// The literal parts of a format, without empty ones.
std::vector<std::string> LiteralParts(const std::string& strText)
{
    static const std::regex reInsert("%[sSd]");
    std::vector<std::string> rgParts;
    for (std::sregex_token_iterator it(strText.begin(), strText.end(), reInsert, -1), end; it != end;
         ++it) {
        if (it->length() > 0) {
            rgParts.push_back(it->str());
        }
    }
    return rgParts;
}

bool RowHoldsInOrder(const std::string& strRow, const std::vector<std::string>& rgParts)
{
    size_t iFrom = 0;
    for (const std::string& strPart : rgParts) {
        size_t iFound = strRow.find(strPart, iFrom);
        if (std::string::npos == iFound) {
            return false;
        }
        iFrom = iFound + strPart.size();
    }
    return true;
}

TEST(TroubleshootingTable, HoldsEveryMessageTextOfTheHeader)
{
    std::vector<MessageText> rgTexts = ReadMessageTexts();
    std::vector<std::string> rgRows = ReadTroubleshootingRows();
    ASSERT_GE(rgTexts.size(), 20u) << "the header's texts were not found";
    ASSERT_GE(rgRows.size(), 20u) << "the troubleshooting table was not found";
    for (const MessageText& text : rgTexts) {
        std::vector<std::string> rgParts = LiteralParts(text.strText);
        bool fFound = false;
        for (const std::string& strRow : rgRows) {
            fFound = fFound || RowHoldsInOrder(strRow, rgParts);
        }
        EXPECT_TRUE(fFound) << text.strName << " \"" << text.strText
                            << "\" is on no row of the troubleshooting table in docs/administrators.md";
    }
}

TEST(TroubleshootingTable, FormatsSplitAtTheirInserts)
{
    EXPECT_EQ((std::vector<std::string>{ "Invalid setting: ", "=" }), LiteralParts("Invalid setting: %s=%s"));
    EXPECT_EQ((std::vector<std::string>{ "Assertion failed: ", " (", ",", ")" }),
              LiteralParts("Assertion failed: %S (%S,%d)"));
    EXPECT_TRUE(RowHoldsInOrder("| `Invalid setting: KeyboardLayout=<value>` |", { "Invalid setting: ", "=" }));
    EXPECT_FALSE(RowHoldsInOrder("| = `Invalid setting: ` |", { "Invalid setting: ", "=" }));
}

} // namespace
