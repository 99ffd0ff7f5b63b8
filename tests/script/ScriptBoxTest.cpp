// The boxes that users see when their script fails, with the default seams:
// the start-up message under "Tolvex" and the per-scan "Script Runtime Error"
// box owned by the main window. The box is modal on this thread, so a thread
// timer (dispatched by the box's own loop) reads and closes it. (Wine's
// message boxes ignore MB_TOPMOST, so that style cannot be seen here.)
#include <windows.h>

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/Folders.h"
#include "common/MessageTexts.h"
#include "script/ScanProcessor.h"
#include "script/ScriptHost.h"
#include "script/ScriptTestFolder.h"
#include "support/TestWindows.h"

using ::testing::EndsWith;
using ::testing::StartsWith;

// What the timer found, for one box.
struct SeenBox
{
    const WCHAR* pszCaption;
    BOOL fSeen;
    std::wstring strText;
    HWND hwndOwner;
    int nTicks;
};

static SeenBox gSeen;

static void CALLBACK CloseBoxTimer(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    // About 15 s at most; then the box stays and the test's time-out reports it.
    if (++gSeen.nTicks > 300) {
        KillTimer(NULL, idTimer);
        return;
    }
    HWND hBox = FindWindowW(TEST_BOX_CLASS, gSeen.pszCaption);
    if (NULL == hBox || !IsWindowVisible(hBox)) {
        return;
    }
    KillTimer(NULL, idTimer);
    gSeen.fSeen = TRUE;
    gSeen.strText = ReadBoxText(hBox);
    gSeen.hwndOwner = GetWindow(hBox, GW_OWNER);
    PressBoxButton(hBox, IDOK);
}

static void ExpectBox(const WCHAR* pszCaption)
{
    gSeen = SeenBox();
    gSeen.pszCaption = pszCaption;
    ASSERT_NE(0u, SetTimer(NULL, 0, 50, CloseBoxTimer));
}

class ScriptBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_folder.GetPath().empty());
        ASSERT_EQ(TRUE, SetFolders(L"", m_folder.GetPath().c_str()));
    }

    void TearDown() override { CloseScript(); }

    ScriptTestFolder m_folder;
};

TEST_F(ScriptBoxTest, StartupFailureShowsTheTolvexBox)
{
    ExpectBox(L"Tolvex");
    EXPECT_EQ(FALSE, InitScript());
    ASSERT_TRUE(gSeen.fSeen);
    EXPECT_EQ(L"Unable to initialize Lua (cannot open " + m_folder.GetFilePath(L"script.lua")
                  + L": No such file or directory).",
              gSeen.strText);
    EXPECT_EQ(nullptr, gSeen.hwndOwner);
}

TEST_F(ScriptBoxTest, ScanFailureShowsTheRuntimeErrorBoxOwnedByTheWindow)
{
    ASSERT_TRUE(m_folder.Write(L"script.lua",
                               "function process(s)\n  error('no good: ' .. s)\nend\n"));
    ASSERT_EQ(TRUE, InitScript());
    HWND hwndOwner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10,
                                     NULL, NULL, GetModuleHandleW(NULL), NULL);
    ASSERT_NE(nullptr, hwndOwner);

    ScanProcessor processor(gpLuaState, 0, TRUE);
    processor.SetErrorProc(ShowScriptRuntimeError, hwndOwner);
    ExpectBox(TVX_SCRIPT_ERROR_CAPTION);
    const WCHAR szScan[] = L"ABC";
    EXPECT_EQ(TRUE, processor.ProcessScan(szScan, sizeof(szScan)));
    ASSERT_TRUE(gSeen.fSeen);
    EXPECT_THAT(gSeen.strText, EndsWith(L"script.lua:2: no good: ABC"));
    EXPECT_EQ(hwndOwner, gSeen.hwndOwner);
    DestroyWindow(hwndOwner);
}
