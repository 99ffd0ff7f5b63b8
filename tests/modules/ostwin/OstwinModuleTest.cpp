// Ostwin.exe as the host meets it: started with a receiver window's handle
// over the stand-in LXEAPI.dll, with the test playing the host (receiver
// window, stop events) and the terminal (feed, conditions), and answering the
// "No scanner found" box.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/ModuleTestFixture.h"
#include "support/TestWindows.h"

namespace {

class OstwinModule : public ModuleTestFixture
{
protected:
    OstwinModule() : ModuleTestFixture(L"Ostwin.exe") {}
};

TEST_F(OstwinModule, DeliversEachAnnouncedLabel)
{
    Start("keystatus=1\n");
    ASSERT_EQ(TRUE, m_sim.FeedLine("4006381333931"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("{len=0}SKIPPED"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("0101234567890128\\x1d" "10LOT7"));
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("OstwinGetData", 3, START_MS));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(2, START_MS));

    std::vector<std::wstring> expected = { L"4006381333931", L"0101234567890128\x1d" L"10LOT7" };
    ExpectDelivered(expected);
    // The library announces to the module window.
    std::vector<SimCall> windows = m_sim.ReadCalls("OstwinSetWindow");
    ASSERT_EQ(1u, windows.size());
    ExpectModuleWindow(windows[0]);

    StopAndExpectExit0();
    std::vector<std::string> expectedNames = {
        "LXEHasIntScanner", "OstwinKeyStatus", "OstwinKeysOff", "OstwinSetWindow", "OstwinInputEnable",
        "OstwinGetData", "OstwinGetData", "OstwinGetData", "OstwinInputDisable",
    };
    EXPECT_EQ(expectedNames, CallNames());
}

TEST_F(OstwinModule, TwoAnnouncementsBeforeATickGiveOneDelivery)
{
    Start("pace=0\n");
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("OstwinInputEnable", 1, START_MS));
    // One write: both are announced in the same round, before the module's
    // timer comes round.
    ASSERT_EQ(TRUE, m_sim.FeedLine("111\n222"));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(1, START_MS));
    PumpWait(NULL, 500);
    std::vector<std::wstring> expected = { L"222" };
    EXPECT_EQ(expected, m_receiver.GetTexts());
    EXPECT_EQ(2u, m_sim.ReadCalls("*post").size());
    EXPECT_EQ(1u, m_sim.ReadCalls("OstwinGetData").size());
    StopAndExpectExit0();
}

TEST_F(OstwinModule, WithoutAnInternalScannerTheBoxIsAnsweredAndTheModuleRuns)
{
    // A visible window of ours in front: the box's owner.
    HWND hFront = CreateFrontWindow();
    ASSERT_NE(nullptr, hFront);
    ASSERT_EQ(hFront, GetForegroundWindow());

    Start("intscanner=0\n");
    HWND hBox = WaitForBox(L"SCANNER Error", START_MS);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ(L"No scanner found", ReadBoxText(hBox));
    EXPECT_EQ(hFront, GetWindow(hBox, GW_OWNER));
    // MB_SETFOREGROUND. (Wine makes a box topmost only for MB_SYSTEMMODAL, so
    // MB_TOPMOST cannot be seen here.)
    EXPECT_EQ(hBox, GetForegroundWindow());
    // The box holds up the module's start: nothing is enabled yet.
    EXPECT_TRUE(m_sim.ReadCalls("OstwinInputEnable").empty());
    ASSERT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    ULONGLONG ullPressed = GetTickCount64();
    while (IsWindow(hBox) && GetTickCount64() - ullPressed < START_MS) {
        PumpWait(NULL, 20);
    }
    EXPECT_FALSE(IsWindow(hBox));

    // The module goes on and starts reading through the library as usual.
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("OstwinInputEnable", 1, START_MS));
    StopAndExpectExit0();
    std::vector<std::string> expectedNames = { "LXEHasIntScanner", "OstwinInputEnable", "OstwinInputDisable" };
    EXPECT_EQ(expectedNames, CallNames());
    DestroyWindow(hFront);
}

}
