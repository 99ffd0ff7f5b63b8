// The scan log: its lines for every kind and outcome with their escapes, and
// its files (the folder made, the rotation at the cap, a folder that cannot
// be made). Natively and under Wine, through each platform's file calls.
#include <stdio.h>

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/Folders.h"
#include "host/ScanLog.h"
#include "script/ScriptTestFolder.h"

namespace {

const LogTime kTime = { 2024, 3, 7, 9, 5, 2, 45 };

ScanReport Report(ScanOutcome nOutcome, const char* pszScan, const char* pszText, DWORD nMs)
{
    ScanReport report;
    report.nOutcome = nOutcome;
    report.strScan = pszScan;
    report.strText = pszText;
    report.nTypingMs = nMs;
    return report;
}

struct LineCase
{
    const char* pszTitle;
    std::string strLine;
    const char* pszExpected;
};

TEST(ScanLogLines, EachKindAndOutcomeWithItsEscapes)
{
    const ScanLogStart start = { "Quorlin.exe", "swedish", "auto", 5 };
    ScanReport typed = Report(SCAN_OUTCOME_TYPED, "01\x1d" "10A\\B\xe9", "A\tB\r\n", 12);
    typed.strApp = "mstsc.exe";
    typed.pszMode = "keys";
    ScanReport refused = Report(SCAN_OUTCOME_REFUSED_BY_WINDOWS, "x", "X\r", 3);
    refused.pszMode = "unicode";
    const std::string strNul("a\0b", 3);
    const LineCase cases[] = {
        { "start", FormatStartLine(kTime, start),
          "2024-03-07 09:05:02.045\tstart\tQuorlin.exe\tswedish\tauto\t5\r\n" },
        { "typed, with a GS, a tab, CR, LF, a backslash and Latin-1",
          FormatScanLine(kTime, typed),
          "2024-03-07 09:05:02.045\tscan\ttyped\t01\\x1d10A\\\\B\\xe9\tA\\x09B\\x0d\\x0a\t12"
          "\tmstsc.exe\tkeys\r\n" },
        { "script error", FormatScanLine(kTime, Report(SCAN_OUTCOME_SCRIPT_ERROR, "bad",
                                                       "script.lua:2: no\tgood", 0)),
          "2024-03-07 09:05:02.045\tscan\tscript-error\tbad\tscript.lua:2: no\\x09good\t0\t\t\r\n" },
        { "refused", FormatScanLine(kTime, refused),
          "2024-03-07 09:05:02.045\tscan\trefused-by-windows\tx\tX\\x0d\t3\t\tunicode\r\n" },
        { "paused", FormatScanLine(kTime, Report(SCAN_OUTCOME_PAUSED, "4711", "", 0)),
          "2024-03-07 09:05:02.045\tscan\tpaused\t4711\t\t0\t\t\r\n" },
        { "no target", FormatScanLine(kTime, Report(SCAN_OUTCOME_NO_TARGET, "4711", "", 0)),
          "2024-03-07 09:05:02.045\tscan\tno-target\t4711\t\t0\t\t\r\n" },
        { "a script's log text with a NUL", FormatScriptLogLine(kTime, strNul.data(), 3),
          "2024-03-07 09:05:02.045\tlog\ta\\x00b\r\n" },
        { "end", FormatEndLine(LogTime{ 1999, 12, 31, 23, 59, 59, 999 }),
          "1999-12-31 23:59:59.999\tend\r\n" },
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(c.pszExpected, c.strLine) << c.pszTitle;
    }
}

TEST(ScanLogLines, ALongTextIsCutSoThatNoLineOutgrowsTheFile)
{
    std::string strLong(SCAN_LOG_MAX_TEXT + 1, '\x01');
    std::string strLine = FormatScriptLogLine(kTime, strLong.data(), strLong.size());
    std::string strExpected = "2024-03-07 09:05:02.045\tlog\t";
    for (int i = 0; i < SCAN_LOG_MAX_TEXT; i++) {
        strExpected += "\\x01";
    }
    EXPECT_EQ(strExpected + "...\r\n", strLine);
}

TEST(ScanLogLines, RotationIsDueOnlyBeyondTheCapAndNeverForAnEmptyFile)
{
    EXPECT_EQ(FALSE, IsRotationDue(0, SCAN_LOG_MAX_BYTES + 1));
    EXPECT_EQ(FALSE, IsRotationDue(SCAN_LOG_MAX_BYTES - 10, 10));
    EXPECT_EQ(TRUE, IsRotationDue(SCAN_LOG_MAX_BYTES - 10, 11));
}

// A temporary folder that holds the "Tolvex" folder of the log files (or a
// file of that name), all removed afterwards.
class ScanLogFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_folder.GetPath().empty());
        for (const std::wstring& strName : { LogName(SCAN_LOG_FILE_NAME),
                                             LogName(SCAN_LOG_OLD_FILE_NAME),
                                             std::wstring(SCAN_LOG_FOLDER_NAME) }) {
            m_folder.Adopt(strName.c_str());
        }
    }

    // A name in the "Tolvex" folder, relative to the temporary one.
    static std::wstring LogName(const WCHAR* pszFile)
    {
        return JoinPath(SCAN_LOG_FOLDER_NAME, pszFile);
    }
    std::wstring GetLogFolder() const { return m_folder.GetFilePath(SCAN_LOG_FOLDER_NAME); }
    // The whole file; "(none)" when it cannot be opened.
    std::string Read(const std::wstring& strName) const
    {
        std::string strBytes;
        return m_folder.Read(strName.c_str(), &strBytes) ? strBytes : "(none)";
    }
    bool Write(const std::wstring& strName, const std::string& strBytes)
    {
        return m_folder.Write(strName.c_str(), strBytes);
    }

    ScriptTestFolder m_folder;
};

TEST_F(ScanLogFiles, TheFolderIsMadeAndLinesAreAppended)
{
    ScanLog log(GetLogFolder());
    EXPECT_EQ(m_folder.GetFilePath(LogName(SCAN_LOG_FILE_NAME).c_str()), log.GetFilePath());
    EXPECT_EQ(TRUE, log.Append("one\r\n"));
    EXPECT_EQ(TRUE, log.Append("two\r\n"));
    EXPECT_EQ("one\r\ntwo\r\n", Read(LogName(SCAN_LOG_FILE_NAME)));
}

TEST_F(ScanLogFiles, ALineBeyondTheCapRenamesTheFileFirstEvenWhileAnotherHostHasItOpen)
{
    ScanLog log(GetLogFolder());
    ASSERT_EQ(TRUE, log.Append("first\r\n"));
    // Filled to ten bytes below the cap, and an older generation that goes.
    std::string strFull(SCAN_LOG_MAX_BYTES - 10, 'f');
    ASSERT_TRUE(Write(LogName(SCAN_LOG_FILE_NAME), strFull));
    ASSERT_TRUE(Write(LogName(SCAN_LOG_OLD_FILE_NAME), "older\r\n"));

    // A line that just fits still goes into the full file.
    ASSERT_EQ(TRUE, log.Append("12345678\r\n"));
    strFull += "12345678\r\n";
    ASSERT_EQ(strFull, Read(LogName(SCAN_LOG_FILE_NAME)));

    // The next one does not: the file becomes the old one, a new one begins.
    // Another host holds the file open at that moment, as it does while it
    // writes a line.
    LogFile hOther = OpenLogFile(log.GetFilePath());
    ASSERT_NE(LOG_FILE_NONE, hOther);
    EXPECT_EQ(TRUE, log.Append("next\r\n"));
    CloseLogFile(hOther);
    EXPECT_EQ("next\r\n", Read(LogName(SCAN_LOG_FILE_NAME)));
    EXPECT_EQ(strFull, Read(LogName(SCAN_LOG_OLD_FILE_NAME)));
}

TEST_F(ScanLogFiles, AFolderThatCannotBeMadeDropsEveryLineAtOnce)
{
    // Tests run as root, who may write anywhere: a file stands where the
    // folder should be.
    ASSERT_TRUE(Write(SCAN_LOG_FOLDER_NAME, "not a folder"));
    ScanLog log(GetLogFolder());
    const ScanReport report = Report(SCAN_OUTCOME_TYPED, "4711", "4711", 1);
    // Never an error that stops the host, and never a wait: a thousand lines
    // are dropped in far less than the bound, which allows for a busy machine.
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; i++) {
        ASSERT_EQ(FALSE, log.WriteScan(report));
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 5000);
    EXPECT_EQ(FALSE, log.WriteScriptLog("x", 1));
    EXPECT_EQ("not a folder", Read(SCAN_LOG_FOLDER_NAME));
}

}  // namespace
