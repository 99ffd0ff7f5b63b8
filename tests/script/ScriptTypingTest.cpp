// The script's result reaches TypeText with the window's typing settings.
#include <string>
#include <vector>

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

#ifdef _WIN32
// On Windows the process's sink types for real: record through the type seam.
static void TypeIntoRecorder(void* pvContext, const char* pszText, DWORD nInterKeyDelay,
                             BOOL fUnicodeTyping)
{
    TypeText((RecordingKeySink*)pvContext, pszText, nInterKeyDelay, fUnicodeTyping);
}
#endif

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
