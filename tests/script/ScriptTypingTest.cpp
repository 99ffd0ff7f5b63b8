// The script's result reaches TypeText with the window's typing settings.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/Folders.h"
#include "keyboard/KeyRecorder.h"
#include "keyboard/KeyTranslator.h"
#include "script/ScanProcessor.h"
#include "script/ScriptHost.h"
#include "script/ScriptTestFolder.h"

static std::vector<std::string> FormatEvents(const RecordingKeySink& sink)
{
    std::vector<std::string> rgLines;
    for (const KeyEvent& event : sink.getEvents()) {
        std::string strLine = FormatKeyEvent(event);
        if (!strLine.empty()) {
            rgLines.push_back(strLine);
        }
    }
    return rgLines;
}

// Typing into a recorder of the test's own through the type seam (on Windows
// the process's sink types for real).
static BOOL TypeIntoRecorder(void* pvContext, const char* pszText, DWORD nInterKeyDelay,
                             BOOL fUnicodeTyping)
{
    return TypeText((RecordingKeySink*)pvContext, pszText, nInterKeyDelay, fUnicodeTyping);
}

TEST(ScriptTyping, ResultIsTypedWithTheWindowsSettings)
{
    ScriptTestFolder folder;
    ASSERT_TRUE(folder.Write(SCRIPT_FILE_NAME, "function process(s) return s .. '\\r' end\n"));
    ASSERT_EQ(TRUE, SetFolders(L"", folder.GetPath().c_str()));
    ASSERT_EQ(TRUE, InitScript());
    gpKeyTranslatorMap = new KeyTranslatorMap(LAYOUT_US);

    ScanProcessor processor(gpLuaState, 2, TRUE);
#ifdef _WIN32
    RecordingKeySink recorder;
    RecordingKeySink* pSink = &recorder;
    processor.SetTypeProc(TypeIntoRecorder, pSink);
#else
    // Natively the process's own sink is a recorder.
    RecordingKeySink* pSink = (RecordingKeySink*)GetPlatformKeySink();
    pSink->clear();
#endif
    const uint16_t rgScan[] = { 'A', 0x1D, 0 };
    EXPECT_EQ(TRUE, processor.ProcessScan(rgScan, sizeof(rgScan)));

    std::vector<std::string> rgExpected = {
        "unicode-down 0041", "unicode-up 0041", "pause 2",
        // GS types as ^ (Shift+6) on US.
        "key-down 10 2A", "pause 2", "key-down 36 07", "pause 2", "key-up 36 07", "pause 2",
        "key-up 10 2A", "pause 2",
        "key-down 0D 1C", "pause 2", "key-up 0D 1C", "pause 2",
    };
    EXPECT_EQ(rgExpected, FormatEvents(*pSink));

    DeleteKeyTranslatorMap();
    CloseScript();
}

// What the host's scan log is handed, in order with the error boxes.
struct ReportTrail
{
    std::vector<ScanReport> reports;
    std::vector<std::string> order;  // "report" and "box", as they came
};

static void RecordReport(void* pvTrail, const ScanReport& report)
{
    static_cast<ReportTrail*>(pvTrail)->reports.push_back(report);
    static_cast<ReportTrail*>(pvTrail)->order.push_back("report");
}

static void RecordBox(void* pvTrail, const WCHAR*)
{
    static_cast<ReportTrail*>(pvTrail)->order.push_back("box");
}

// What became of each scan is reported at once (before a script error's box,
// which lets other scans in) and kept for a later reader, and the scans that
// the system refused to let be typed whole, or that came while paused, are
// counted.
TEST(ScriptTyping, EachScanReportsItsOutcome)
{
    ScriptTestFolder folder;
    ASSERT_TRUE(folder.Write(SCRIPT_FILE_NAME,
                             "function process(s)\n"
                             "  if s == 'bad' then error('bad scan') end\n"
                             "  return s\n"
                             "end\n"));
    ASSERT_EQ(TRUE, SetFolders(L"", folder.GetPath().c_str()));
    ASSERT_EQ(TRUE, InitScript());
    gpKeyTranslatorMap = new KeyTranslatorMap(LAYOUT_US);
    RecordingKeySink sink;
    ScanProcessor processor(gpLuaState, 0, TRUE);
    processor.SetTypeProc(TypeIntoRecorder, &sink);
    ReportTrail trail;
    processor.SetErrorProc(RecordBox, &trail);
    processor.SetReportProc(RecordReport, &trail);
    EXPECT_EQ(SCAN_OUTCOME_NONE, processor.GetLastOutcome());

    struct Step
    {
        const char16_t* pszScan;
        BOOL fPaused;
        size_t nRefused;  // events the system refuses, from the first
        ScanOutcome nOutcome;
        DWORD cRefusedScans;
        DWORD cPausedScans;
        const char* pszText;  // the end of what the report holds: the result or the error
    } const steps[] = {
        { u"A", FALSE, 0, SCAN_OUTCOME_TYPED, 0, 0, "A" },
        { u"B", FALSE, 1, SCAN_OUTCOME_REFUSED_BY_WINDOWS, 1, 0, "B" },
        { u"bad", FALSE, 0, SCAN_OUTCOME_SCRIPT_ERROR, 1, 0, "script.lua:2: bad scan" },
        // Paused: the script does not even run on the scan that would fail.
        { u"bad", TRUE, 0, SCAN_OUTCOME_PAUSED, 1, 1, "" },
        { u"P", TRUE, 0, SCAN_OUTCOME_PAUSED, 1, 2, "" },
        { u"CD", FALSE, 3, SCAN_OUTCOME_REFUSED_BY_WINDOWS, 2, 2, "CD" },
        { u"E\u00e9\u0141", FALSE, 0, SCAN_OUTCOME_TYPED, 2, 2, "E\xe9?" },
    };
    for (const Step& step : steps) {
        sink.clear();
        sink.refuseInputs(0, step.nRefused);
        processor.SetPaused(step.fPaused);
        trail = ReportTrail();
        std::u16string strScan = step.pszScan;
        EXPECT_EQ(TRUE, processor.ProcessScan(strScan.c_str(),
                                              (DWORD)((strScan.size() + 1) * sizeof(char16_t))));
        std::vector<std::string> rgOrder = { "report" };
        if (SCAN_OUTCOME_SCRIPT_ERROR == step.nOutcome) {
            rgOrder.push_back("box");
        }
        EXPECT_EQ(rgOrder, trail.order) << "outcome " << step.nOutcome;
        ASSERT_EQ(1u, trail.reports.size());
        const ScanReport& report = trail.reports[0];
        EXPECT_EQ(step.nOutcome, processor.GetLastOutcome());
        EXPECT_EQ(step.nOutcome, report.nOutcome);
        EXPECT_EQ(step.cRefusedScans, processor.GetRefusedScans());
        EXPECT_EQ(step.cPausedScans, processor.GetPausedScans());
        EXPECT_THAT(report.strText, ::testing::EndsWith(step.pszText));
        if (TRUE == step.fPaused) {
            EXPECT_EQ("", report.strText);
            EXPECT_TRUE(sink.getEvents().empty());
        }
    }
    // The report's scan is the text the script received.
    EXPECT_EQ("E\xe9?", processor.GetLastReport().strScan);

    // A scan with no window to type into is reported without running.
    trail = ReportTrail();
    const std::u16string strBad = u"bad";
    processor.ReportNoTarget(strBad.c_str(), (DWORD)((strBad.size() + 1) * sizeof(char16_t)));
    ASSERT_EQ(1u, trail.reports.size());
    EXPECT_EQ(SCAN_OUTCOME_NO_TARGET, trail.reports[0].nOutcome);
    EXPECT_EQ("bad", trail.reports[0].strScan);
    EXPECT_EQ("", trail.reports[0].strText);

    DeleteKeyTranslatorMap();
    CloseScript();
}
