// Every row of the three layout tables against an independent listing: what
// each Windows layout types with one key (data/characters.csv), its scan codes
// and the keys Windows sends as extended keys (data/scancodes.csv), and the
// rows that the program defines itself (control keys, its own key codes
// 0x7F..0xBC, 0xFD, 0xFE), written out below.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "keyboard/KeyLayouts.h"
#include "keyboard/KeyTranslator.h"

#include "LayoutData.inc"

namespace {

// The flag byte as the tables define it.
enum : int {
    kValid = 1 << 0,
    kCaps = 1 << 1,
    kControl = 1 << 2,
    kAlt = 1 << 3,
    kAltGr = 1 << 4,
    kShift = 1 << 5,
    kDead = 1 << 6,
    kExtended = 1 << 7,
};

const char* const kLayoutNames[] = { "US", "Swedish", "Belgian" };

std::vector<std::vector<std::string>> ParseCsv(const char* pszText)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream input(pszText);
    std::string strLine;
    std::getline(input, strLine);  // the header
    while (std::getline(input, strLine)) {
        if (strLine.empty()) {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream line(strLine);
        std::string strField;
        while (std::getline(line, strField, ',')) {
            fields.push_back(strField);
        }
        rows.push_back(fields);
    }
    return rows;
}

int ParseHex(const std::string& str)
{
    return (int)std::stoul(str, nullptr, 16);
}

struct CharacterKey
{
    int nKeyCode;
    std::string strModifiers;
    bool fDead;
};

// The listing, read once.
class Listing
{
public:
    Listing()
    {
        for (const auto& row : ParseCsv(kszScanCodesCsv)) {
            int nKey = ParseHex(row[0]);
            m_keyByName[row[1]] = nKey;
            for (int nLayout = 0; nLayout < 3; nLayout++) {
                if ("?" != row[2 + nLayout]) {
                    m_scan[nLayout][nKey] = ParseHex(row[2 + nLayout]);
                }
            }
            if ("1" == row.at(5)) {
                m_extended.insert(nKey);
            }
        }
        for (const auto& row : ParseCsv(kszCharactersCsv)) {
            int nLayout = LayoutNumber(row[0]);
            int nChar = ParseHex(row[1].substr(2));
            CharacterKey key = { KeyByName(row[2]), row[3], "1" == row[4] };
            m_keys[nLayout][nChar].push_back(key);
        }
    }

    static int LayoutNumber(const std::string& strName)
    {
        for (int i = 0; i < 3; i++) {
            if (strName == kLayoutNames[i]) {
                return i;
            }
        }
        ADD_FAILURE() << "unknown layout " << strName;
        return 0;
    }

    int KeyByName(const std::string& strName) const
    {
        if (5 == strName.size() && 0 == strName.compare(0, 3, "VK_")) {
            return strName[3];  // VK_0..VK_9, VK_A..VK_Z
        }
        auto it = m_keyByName.find(strName);
        if (m_keyByName.end() == it) {
            ADD_FAILURE() << "unknown key " << strName;
            return 0;
        }
        return it->second;
    }

    // What the layout sends for this virtual key. Print Screen goes as 0x37
    // (extended) rather than the Alt+SysRq code; Pause, which the listing
    // leaves out, keeps 0x45.
    int ScanCode(int nLayout, int nKey) const
    {
        if (0x2C == nKey) {
            return 0x37;
        }
        if (0x13 == nKey) {
            return 0x45;
        }
        auto it = m_scan[nLayout].find(nKey);
        return m_scan[nLayout].end() == it ? 0 : it->second;
    }

    // Whether Windows sends the key with the extended flag (an E0 scan code).
    bool IsExtended(int nKey) const { return m_extended.count(nKey) > 0; }

    // The keys that type nChar with modifiers a row can hold (none, Shift,
    // AltGr), or none at all.
    std::vector<CharacterKey> Keys(int nLayout, int nChar) const
    {
        std::vector<CharacterKey> keys;
        auto it = m_keys[nLayout].find(nChar);
        if (m_keys[nLayout].end() != it) {
            for (const CharacterKey& key : it->second) {
                if ("none" == key.strModifiers || "Shift" == key.strModifiers ||
                    "AltGr" == key.strModifiers) {
                    keys.push_back(key);
                }
            }
        }
        return keys;
    }

private:
    std::map<std::string, int> m_keyByName;
    std::map<int, int> m_scan[3];
    std::set<int> m_extended;
    std::map<int, std::vector<CharacterKey>> m_keys[3];
};

const Listing& GetListing()
{
    static Listing s_listing;
    return s_listing;
}

struct Expected
{
    int nKeyCode;
    int nFlags;
};

// Where a layout has two keys of equal cost for a character: the key every
// keyboard of the layout has (VK_OEM_102 is missing on US keyboards), and the
// Belgian keys engraved with the bracket and the brace.
int PreferredKey(int nLayout, int nChar)
{
    if (LAYOUT_US == nLayout && ('\\' == nChar || '|' == nChar)) {
        return 0xDC;  // VK_OEM_5
    }
    if (LAYOUT_BELGIAN == nLayout && '[' == nChar) {
        return 0xDD;  // VK_OEM_6
    }
    if (LAYOUT_BELGIAN == nLayout && '{' == nChar) {
        return '9';
    }
    return 0;
}

int ModifierCost(const std::string& strModifiers)
{
    return "none" == strModifiers ? 0 : ("Shift" == strModifiers ? 1 : 2);
}

// The row for a character: a single key of the layout that types it, without
// a dead key where there is a choice, then with the fewest modifiers. Not valid
// when the layout has no single key.
Expected CharacterRow(int nLayout, int nChar, bool fCaps)
{
    std::vector<CharacterKey> keys = GetListing().Keys(nLayout, nChar);
    if (keys.empty()) {
        return { 0, 0 };
    }
    const CharacterKey* pBest = nullptr;
    for (const CharacterKey& key : keys) {
        if (nullptr == pBest || (pBest->fDead && !key.fDead) ||
            (pBest->fDead == key.fDead &&
             ModifierCost(key.strModifiers) < ModifierCost(pBest->strModifiers))) {
            pBest = &key;
        } else if (pBest->fDead == key.fDead &&
                   ModifierCost(key.strModifiers) == ModifierCost(pBest->strModifiers)) {
            int nPreferred = PreferredKey(nLayout, nChar);
            EXPECT_NE(0, nPreferred) << "two keys for " << (char)nChar << " on "
                                     << kLayoutNames[nLayout];
            if (key.nKeyCode == nPreferred) {
                pBest = &key;
            }
        }
    }
    int nFlags = kValid;
    if ("Shift" == pBest->strModifiers) {
        nFlags |= kShift;
    } else if ("AltGr" == pBest->strModifiers) {
        nFlags |= kAltGr;
    }
    if (pBest->fDead) {
        nFlags |= kDead;
    }
    if (fCaps) {
        nFlags |= kCaps;
    }
    return { pBest->nKeyCode, nFlags };
}

// Rows the program defines itself, the same on every layout. Which of them are
// extended keys comes from the listing; only the keypad's Enter is written
// here, as it shares its virtual key with the main Enter.
struct OwnRows
{
    int nFirst;
    int nLast;
    int nFirstKey;
    int nFlags;
};

const OwnRows kOwnRows[] = {
    { 0x01, 0x04, 0x01, kValid },              // mouse buttons, Cancel
    { 0x08, 0x09, 0x08, kValid },              // Backspace, Tab
    { 0x0C, 0x0D, 0x0C, kValid },              // Clear, Enter
    { 0x10, 0x14, 0x10, 0 },                   // Shift..Caps Lock: key kept, not valid
    { 0x1B, 0x1B, 0x1B, kValid },              // Escape
    { 0x7F, 0x7F, 0x2E, kValid },              // Delete
    { 0x80, 0x87, 0x21, kValid },              // Page Up..Down arrow
    { 0x88, 0x8A, 0x29, kValid },              // Select, Print, Execute
    { 0x8B, 0x8D, 0x2C, kValid },              // Print Screen, Insert, Delete
    { 0x8E, 0x8E, 0x2F, kValid },              // Help
    { 0x8F, 0x91, 0x5B, kValid },              // Windows keys, Applications
    { 0x92, 0x9B, 0x60, kValid },              // keypad digits
    { 0x9C, 0x9F, 0x6A, kValid },              // keypad * + separator -
    { 0xA0, 0xA0, 0x6E, kValid },              // keypad decimal point
    { 0xA1, 0xA1, 0x6F, kValid },              // keypad /
    { 0xA2, 0xB9, 0x70, kValid },              // F1..F24
    { 0xBA, 0xBB, 0x90, kValid },              // Num Lock, Scroll Lock
    { 0xBC, 0xBC, 0x0D, kValid | kExtended },  // keypad Enter
    { 0xFD, 0xFD, 0x5C, kValid | kControl },   // Control + right Windows key
    { 0xFE, 0xFE, 0x4B, kValid | kControl },   // Control + K
};

bool IsLetter(int nCode)
{
    return (nCode >= 'A' && nCode <= 'Z') || (nCode >= 'a' && nCode <= 'z');
}

bool IsNordicLetter(int nCode)
{
    return 0xC4 == nCode || 0xC5 == nCode || 0xD6 == nCode || 0xE4 == nCode ||
           0xE5 == nCode || 0xF6 == nCode;
}

// A row of a key Windows sends as extended must carry the flag.
Expected WithListedExtension(Expected row)
{
    if (0 != (row.nFlags & kValid) && GetListing().IsExtended(row.nKeyCode)) {
        row.nFlags |= kExtended;
    }
    return row;
}

Expected ExpectedRow(int nLayout, int nCode)
{
    for (const OwnRows& rows : kOwnRows) {
        if (nCode >= rows.nFirst && nCode <= rows.nLast) {
            return WithListedExtension({ rows.nFirstKey + nCode - rows.nFirst, rows.nFlags });
        }
    }
    if (0x1D == nCode) {
        return WithListedExtension(CharacterRow(nLayout, '^', false));  // GS types a circumflex
    }
    if (nCode >= 0x20 && nCode <= 0x7E) {
        Expected row = CharacterRow(nLayout, nCode, IsLetter(nCode));
        EXPECT_NE(0, row.nFlags) << kLayoutNames[nLayout] << " cannot type " << (char)nCode;
        return WithListedExtension(row);
    }
    if (IsNordicLetter(nCode)) {
        return WithListedExtension(CharacterRow(nLayout, nCode, true));
    }
    return { 0, 0 };
}

class LayoutTable : public ::testing::TestWithParam<int>
{
};

TEST_P(LayoutTable, EveryRowMatchesTheListing)
{
    int nLayout = GetParam();
    KeyTranslatorMap map(nLayout);
    ASSERT_EQ(256, map.GetCount());
    for (int nCode = 0; nCode < 256; nCode++) {
        SCOPED_TRACE(::testing::Message() << kLayoutNames[nLayout] << " code 0x" << std::hex
                                          << nCode);
        Expected expected = ExpectedRow(nLayout, nCode);
        const BYTE* pRow = GetLayoutRow(nLayout, nCode);
        EXPECT_EQ(expected.nKeyCode, pRow[0]);
        EXPECT_EQ(0, pRow[1]);
        EXPECT_EQ(expected.nFlags, pRow[2]);

        WCHAR szKey[KEY_TEXT_SIZE];
        FormatKeyText(nCode, szKey);
        KeyTranslator* pTranslator = nullptr;
        ASSERT_EQ(TRUE, map.Lookup(szKey, pTranslator));
        EXPECT_EQ(nCode, pTranslator->getASCII());
        EXPECT_EQ(expected.nKeyCode, pTranslator->getKeyCode());
        EXPECT_EQ(GetListing().ScanCode(nLayout, expected.nKeyCode), pTranslator->getScanCode());
        EXPECT_EQ((expected.nFlags & kValid) ? TRUE : FALSE, pTranslator->getValid());
        EXPECT_EQ((expected.nFlags & kControl) ? TRUE : FALSE, pTranslator->getControl());
        EXPECT_EQ((expected.nFlags & kAlt) ? TRUE : FALSE, pTranslator->getAlt());
        EXPECT_EQ((expected.nFlags & kAltGr) ? TRUE : FALSE, pTranslator->getAltGr());
        EXPECT_EQ((expected.nFlags & kShift) ? TRUE : FALSE, pTranslator->getShift());
        EXPECT_EQ((expected.nFlags & kDead) ? TRUE : FALSE, pTranslator->getDiacritic());
        EXPECT_EQ((expected.nFlags & kExtended) ? TRUE : FALSE, pTranslator->getExtended());
    }
}

INSTANTIATE_TEST_SUITE_P(AllLayouts, LayoutTable,
                         ::testing::Values(LAYOUT_US, LAYOUT_SWEDISH, LAYOUT_BELGIAN),
                         [](const ::testing::TestParamInfo<int>& paramInfo) {
                             return std::string(kLayoutNames[paramInfo.param]);
                         });

// A few rows named outright, so that a fault shared by the tables and the
// way the listing is read cannot hide.
TEST(LayoutTable, RowsThatTheRealLayoutsDecide)
{
    struct Case
    {
        int nLayout;
        int nCode;
        int nKeyCode;
        int nFlags;
        int nScanCode;
    } const cases[] = {
        { LAYOUT_SWEDISH, '+', 0xBB, kValid, 0x0C },
        { LAYOUT_SWEDISH, '-', 0xBD, kValid, 0x35 },
        { LAYOUT_SWEDISH, 0xE5, 0xDD, kValid | kCaps, 0x1A },
        { LAYOUT_SWEDISH, '~', 0xBA, kValid | kAltGr | kDead, 0x1B },
        { LAYOUT_SWEDISH, 0x1D, 0xBA, kValid | kShift | kDead, 0x1B },
        { LAYOUT_BELGIAN, '@', '2', kValid | kAltGr, 0x03 },
        { LAYOUT_BELGIAN, 'a', 'A', kValid | kCaps, 0x10 },
        { LAYOUT_BELGIAN, 0x1D, '6', kValid | kAltGr, 0x07 },
        { LAYOUT_BELGIAN, 0xE4, 0, 0, 0 },
        { LAYOUT_US, ';', 0xBA, kValid, 0x27 },
        { LAYOUT_US, 0xF6, 0, 0, 0 },
        { LAYOUT_US, 0x92, 0x60, kValid, 0x52 },
        { LAYOUT_US, 0x8B, 0x2C, kValid | kExtended, 0x37 },
        // Break (E0 46), Num Lock (E0 45) and the right Windows key (E0 5C)
        // on every layout.
        { LAYOUT_US, 0x03, 0x03, kValid | kExtended, 0x46 },
        { LAYOUT_SWEDISH, 0x03, 0x03, kValid | kExtended, 0x46 },
        { LAYOUT_BELGIAN, 0x03, 0x03, kValid | kExtended, 0x46 },
        { LAYOUT_US, 0xBA, 0x90, kValid | kExtended, 0x45 },
        { LAYOUT_SWEDISH, 0xBA, 0x90, kValid | kExtended, 0x45 },
        { LAYOUT_BELGIAN, 0xBA, 0x90, kValid | kExtended, 0x45 },
        { LAYOUT_US, 0xFD, 0x5C, kValid | kControl | kExtended, 0x5C },
        { LAYOUT_SWEDISH, 0xFD, 0x5C, kValid | kControl | kExtended, 0x5C },
        { LAYOUT_BELGIAN, 0xFD, 0x5C, kValid | kControl | kExtended, 0x5C },
        // Scroll Lock and the keypad's digits are not extended keys.
        { LAYOUT_US, 0xBB, 0x91, kValid, 0x46 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << kLayoutNames[c.nLayout] << " code " << c.nCode);
        const BYTE* pRow = GetLayoutRow(c.nLayout, c.nCode);
        EXPECT_EQ(c.nKeyCode, pRow[0]);
        EXPECT_EQ(c.nFlags, pRow[2]);
        EXPECT_EQ(c.nScanCode, GetLayoutScanCode(c.nLayout, pRow[0]));
    }
}

TEST(LayoutTable, OtherLayoutNumbersSelectUS)
{
    for (int nLayout : { -1, 3, 99 }) {
        for (int nCode = 0; nCode < 256; nCode++) {
            EXPECT_EQ(GetLayoutRow(LAYOUT_US, nCode), GetLayoutRow(nLayout, nCode));
        }
        EXPECT_EQ(0x27, GetLayoutScanCode(nLayout, 0xBA));
    }
}

}  // namespace
