#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <utility>
#include <vector>

#include "common/AnsiText.h"
#include "common/Settings.h"
#include "CaseTitle.h"

#ifdef _WIN32
#include "support/TestFiles.h"
#else
#include <stdlib.h>
#include <unistd.h>
#endif

// A private folder for the settings files of one test, removed afterwards.
class SettingsFolder
{
public:
#ifdef _WIN32
    const std::wstring& GetPath() const { return m_folder.GetPath(); }
    bool Write(const WCHAR* pszName, const std::string& strBytes)
    {
        return TRUE == WriteTextFile(m_folder.GetFilePath(pszName), strBytes);
    }

private:
    TempFolder m_folder;
#else
    SettingsFolder()
    {
        char szTemplate[] = "/tmp/tvx-settings-XXXXXX";
        if (NULL != mkdtemp(szTemplate)) {
            m_strPath = szTemplate;
            m_strWidePath.assign(m_strPath.begin(), m_strPath.end());
        }
    }
    ~SettingsFolder()
    {
        for (const std::string& strFile : m_rgstrFiles) {
            unlink(strFile.c_str());
        }
        if (!m_strPath.empty()) {
            rmdir(m_strPath.c_str());
        }
    }
    const std::wstring& GetPath() const { return m_strWidePath; }
    bool Write(const WCHAR* pszName, const std::string& strBytes)
    {
        std::string strFile = m_strPath + "/";
        for (; *pszName; pszName++) {
            strFile += (char)*pszName;
        }
        FILE* pFile = fopen(strFile.c_str(), "wb");
        if (NULL == pFile) {
            return false;
        }
        m_rgstrFiles.push_back(strFile);
        size_t cb = fwrite(strBytes.data(), 1, strBytes.size(), pFile);
        return 0 == fclose(pFile) && cb == strBytes.size();
    }

private:
    std::string m_strPath;
    std::wstring m_strWidePath;
    std::vector<std::string> m_rgstrFiles;
#endif
};

typedef std::vector<std::pair<std::wstring, std::wstring>> Entries;

// The whole table, in order, with every name found and its value returned by Get.
static Entries TableOf(const Settings& settings)
{
    Entries rgEntries;
    for (int i = 0; i < settings.GetCount(); i++) {
        const WCHAR* pszName = settings.GetName(i);
        EXPECT_EQ(i, settings.Find(pszName));
        const WCHAR* pszValue = settings.Get(pszName);
        EXPECT_NE(nullptr, pszValue);
        rgEntries.emplace_back(pszName, NULL != pszValue ? pszValue : L"(null)");
    }
    return rgEntries;
}

class SettingsFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.GetPath().empty()); }

    // Writes the file and reads it into a fresh table.
    Entries ReadFile(const std::string& strBytes)
    {
        EXPECT_TRUE(m_folder.Write(L"Tolvex.txt", strBytes));
        Settings settings(m_folder.GetPath().c_str());
        EXPECT_EQ(TRUE, settings.Read(L"Tolvex.txt"));
        return TableOf(settings);
    }

    SettingsFolder m_folder;
};

// ---- the line rules, one file each ----

struct LineCase
{
    const char* pszTitle;
    std::string strFile;
    Entries rgExpected;
};

static void PrintTo(const LineCase& c, std::ostream* pos) { *pos << c.pszTitle; }

class SettingsLineTest : public SettingsFileTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SettingsLineTest, FileGivesTable)
{
    EXPECT_EQ(GetParam().rgExpected, ReadFile(GetParam().strFile));
}

static const std::string gstr96(96, 'v');
static const std::string gstr17(17, 'w');

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLineTest, ::testing::Values(
    LineCase{ "SuffixWithBlanks", "Suffix = <cr>\r\n", { { L"Suffix", L" <cr>" } } },
    LineCase{ "QuotedValueKeepsEqualsAndBlanks", "Prefix=\" a=b \"\n", { { L"Prefix", L" a=b " } } },
    LineCase{ "QuotedName", "\"x=y\"=z\n", { { L"x=y", L"z" } } },
    LineCase{ "ThirdPartDropped", "a=b=c\n", { { L"a", L"b" } } },
    LineCase{ "QuotedSecondPart", "a=\"b=c\"=d\n", { { L"a", L"b=c" } } },
    LineCase{ "DoubledQuotes", "Text=\"say \"\"hi\"\"\"\n", { { L"Text", L"say \"hi\"" } } },
    LineCase{ "UnclosedQuote", "Text=\"a=b\n", { { L"Text", L"a=b" } } },
    LineCase{ "NoEqualsSign", "  Lonely \t\n", { { L"Lonely", L"" } } },
    LineCase{ "LeadingEqualsSign", "=value\n", { { L"", L"value" } } },
    LineCase{ "EmptyValue", "Name=\n", { { L"Name", L"" } } },
    LineCase{ "NameTrimmedValueKept", " \tName \t=\t v \n", { { L"Name", L"\t v " } } },
    LineCase{ "BlankLineIsAnEntry", "   \n", { { L"", L"" } } },
    LineCase{ "EmptyLinesSkipped", "\n\r\n\na=1\n\n\r\nb=2\n\n", { { L"a", L"1" }, { L"b", L"2" } } },
    LineCase{ "CrLf", "a=1\r\nb=2\r\nc=3\r\n", { { L"a", L"1" }, { L"b", L"2" }, { L"c", L"3" } } },
    LineCase{ "Lf", "a=1\nb=2\nc=3\n", { { L"a", L"1" }, { L"b", L"2" }, { L"c", L"3" } } },
    LineCase{ "MixedLineEnds", "a=1\r\nb=2\nc=3\r\r\n", { { L"a", L"1" }, { L"b", L"2" }, { L"c", L"3" } } },
    LineCase{ "NoFinalLineEnd", "a=1\nb=2", { { L"a", L"1" }, { L"b", L"2" } } },
    LineCase{ "LoneCarriageReturnEndsNoLine", "a=1\rb=2\n", { { L"a", L"1\rb" } } },
    LineCase{ "RepeatedNameKeepsFirstCase", "prefix=x\nPREFIX=y\n", { { L"prefix", L"y" } } },
    LineCase{ "LastLineWins", "a=1\nb=2\nA=3\n", { { L"a", L"3" }, { L"b", L"2" } } },
    LineCase{ "Line120IsCut98And22", "k=" + gstr96 + "more=" + gstr17 + "\nz=1\n",
              { { L"k", std::wstring(96, L'v') }, { L"more", std::wstring(17, L'w') }, { L"z", L"1" } } },
    LineCase{ "Line98WithCrLf", "k=" + gstr96 + "\r\nz=1\n",
              { { L"k", std::wstring(96, L'v') }, { L"z", L"1" } } },
    LineCase{ "Line97WithCrLf", "k=" + gstr96.substr(1) + "\r\nz=1\n",
              { { L"k", std::wstring(95, L'v') }, { L"z", L"1" } } },
    LineCase{ "Line99CutBeforeLastByte", "k=" + gstr96 + "x\nz=1\n",
              { { L"k", std::wstring(96, L'v') }, { L"x", L"" }, { L"z", L"1" } } },
    LineCase{ "EmptyFile", "", {} }),
    CaseTitle());

// ---- the file as a whole ----

TEST_F(SettingsFileTest, Utf8ByteOrderMarkStaysInTheFirstName)
{
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "\xEF\xBB\xBFInputModule=Quorlin.exe\nKeyboardLayout=US\n"));
    Settings settings(m_folder.GetPath().c_str());
    ASSERT_EQ(TRUE, settings.Read(L"Tolvex.txt"));
    EXPECT_EQ(nullptr, settings.Get(L"InputModule"));
    EXPECT_STREQ(L"US", settings.Get(L"KeyboardLayout"));
    std::wstring strMarked = WidenAnsi("\xEF\xBB\xBF") + L"InputModule";
#ifndef _WIN32
    EXPECT_EQ(std::wstring(L"\u00ef\u00bb\u00bfInputModule"), strMarked);
#endif
    EXPECT_STREQ(strMarked.c_str(), settings.GetName(0));
    EXPECT_STREQ(L"Quorlin.exe", settings.Get(strMarked.c_str()));
}

TEST_F(SettingsFileTest, EightBitTextIsWidenedWithTheCodePage)
{
    // 0xE9 is e acute both in Latin-1 and in Windows-1252.
    EXPECT_EQ((Entries{ { L"Prefix", L"\u00e9t\u00e9" } }), ReadFile("Prefix=\xE9t\xE9\n"));
}

TEST_F(SettingsFileTest, DefaultsAreOverriddenKeepingTheirCaseAndOrder)
{
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "keyboardlayout=Swedish\nStartupDelay=500\nRDPMode=TRUE\n"));
    Settings settings(m_folder.GetPath().c_str());
    settings.Set(L"StartupDelay", L"0");
    settings.Set(L"AllowMultipleInstances", L"FALSE");
    settings.Set(L"KeyboardLayout", L"US");
    settings.Set(L"InterKeyDelay", L"0");
    ASSERT_EQ(TRUE, settings.Read(L"Tolvex.txt"));
    EXPECT_EQ((Entries{ { L"StartupDelay", L"500" },
                        { L"AllowMultipleInstances", L"FALSE" },
                        { L"KeyboardLayout", L"Swedish" },
                        { L"InterKeyDelay", L"0" },
                        { L"RDPMode", L"TRUE" } }),
              TableOf(settings));
}

TEST_F(SettingsFileTest, MissingFileReturnsFalseAndChangesNothing)
{
    Settings settings(m_folder.GetPath().c_str());
    settings.Set(L"KeyboardLayout", L"US");
    EXPECT_EQ(FALSE, settings.Read(L"Missing.txt"));
    EXPECT_EQ((Entries{ { L"KeyboardLayout", L"US" } }), TableOf(settings));
}

TEST_F(SettingsFileTest, MissingFolderReturnsFalse)
{
    Settings settings((m_folder.GetPath() + L"-none").c_str());
    EXPECT_EQ(FALSE, settings.Read(L"Tolvex.txt"));
    EXPECT_EQ(0, settings.GetCount());
}

TEST_F(SettingsFileTest, NamesBeyondTheFreeSlotsAreIgnored)
{
    std::string strFile;
    for (int i = 0; i < 60; i++) {
        strFile += "n" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    }
    // Names already in the full table still take their new values.
    strFile += "N0=again\nkeyboardlayout=Belgian\n";
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", strFile));

    Settings settings(m_folder.GetPath().c_str());
    settings.Set(L"InputModule", L"");
    settings.Set(L"StartupDelay", L"0");
    settings.Set(L"AllowMultipleInstances", L"FALSE");
    settings.Set(L"KeyboardLayout", L"US");
    ASSERT_EQ(TRUE, settings.Read(L"Tolvex.txt"));

    ASSERT_EQ(MAX_SETTINGS, settings.GetCount());
    EXPECT_STREQ(L"again", settings.Get(L"n0"));
    EXPECT_STREQ(L"45", settings.Get(L"n45"));
    EXPECT_EQ(nullptr, settings.Get(L"n46"));
    EXPECT_EQ(nullptr, settings.Get(L"n59"));
    EXPECT_STREQ(L"Belgian", settings.Get(L"KeyboardLayout"));
    EXPECT_STREQ(L"KeyboardLayout", settings.GetName(3));
}

// ---- the table itself ----

TEST(Settings, AbsentAndEmptyAreDifferentAnswers)
{
    Settings settings(L"folder");
    settings.Set(L"Prefix", L"");
    EXPECT_STREQ(L"", settings.Get(L"prefix"));
    EXPECT_EQ(nullptr, settings.Get(L"Suffix"));
    EXPECT_EQ(0, settings.Find(L"PREFIX"));
    EXPECT_EQ(-1, settings.Find(L"Suffix"));
    EXPECT_EQ(-1, settings.Find(L"Prefi"));
    EXPECT_EQ(-1, settings.Find(L"Prefixx"));
}

TEST(Settings, SetReplacesWithoutRenaming)
{
    Settings settings(L"folder");
    settings.Set(L"InterKeyDelay", L"0");
    settings.Set(L"INTERKEYDELAY", L"25");
    ASSERT_EQ(1, settings.GetCount());
    EXPECT_STREQ(L"InterKeyDelay", settings.GetName(0));
    EXPECT_STREQ(L"25", settings.Get(L"interkeydelay"));
}

TEST(Settings, ValuesAreCopies)
{
    Settings settings(L"folder");
    WCHAR szValue[] = L"Quorlin.exe";
    settings.Set(L"InputModule", szValue);
    szValue[0] = L'X';
    EXPECT_STREQ(L"Quorlin.exe", settings.Get(L"InputModule"));
}

TEST(Settings, ClearEmptiesTheTableForReuse)
{
    Settings settings(L"folder");
    for (int i = 0; i < MAX_SETTINGS; i++) {
        settings.Set((L"n" + std::to_wstring(i)).c_str(), L"v");
    }
    settings.Clear();
    EXPECT_EQ(0, settings.GetCount());
    EXPECT_EQ(nullptr, settings.Get(L"n0"));
    settings.Set(L"again", L"1");
    EXPECT_STREQ(L"1", settings.Get(L"again"));
    EXPECT_STREQ(L"folder", settings.GetFolder());
}

#ifndef _WIN32
// Native builds print the fatal assertion and end with status 255 (-1).
class SettingsDeathTest : public ::testing::Test {};

TEST_F(SettingsDeathTest, NullArgumentsAreFatal)
{
    EXPECT_EXIT(Settings(NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszFolder \\(Settings\\.cpp,[0-9]+\\)");
    Settings settings(L"folder");
    EXPECT_EXIT(settings.Find(NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszName \\(Settings\\.cpp");
    EXPECT_EXIT(settings.Get(NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszName \\(Settings\\.cpp");
    EXPECT_EXIT(settings.Set(NULL, L"v"), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszName \\(Settings\\.cpp");
    EXPECT_EXIT(settings.Set(L"n", NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszValue \\(Settings\\.cpp");
    EXPECT_EXIT(settings.Read(NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszFilename \\(Settings\\.cpp");
}

TEST_F(SettingsDeathTest, SetBeyondTheLimitIsFatal)
{
    Settings settings(L"folder");
    for (int i = 0; i < MAX_SETTINGS; i++) {
        settings.Set((L"n" + std::to_wstring(i)).c_str(), L"v");
    }
    settings.Set(L"N7", L"replaced");
    EXPECT_STREQ(L"replaced", settings.Get(L"n7"));
    EXPECT_EXIT(settings.Set(L"one-more", L"v"), ::testing::ExitedWithCode(255),
                "Assertion failed: m_nSettings < MAX_SETTINGS \\(Settings\\.cpp");
}
#endif
