// Pellimor.exe as the host meets it: started with a receiver window's handle
// in a folder of its own, over the stand-in DECODER.dll, with the test playing
// the host (receiver window, stop events) and the terminal (feed, conditions).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/Events.h"
#include "support/ModuleTestFixture.h"
#include "support/TestWindows.h"

namespace {

class PellimorModule : public ModuleTestFixture
{
protected:
    PellimorModule() : ModuleTestFixture(L"Pellimor.exe") {}

    BOOL DeviceFileExists(const WCHAR* pszName) const
    {
        return INVALID_FILE_ATTRIBUTES != GetFileAttributesW(m_sim.GetFolder().GetFilePath(pszName).c_str())
                   ? TRUE : FALSE;
    }
};

TEST_F(PellimorModule, DeliversEachFedLabelWithoutItsLineEnds)
{
    Start("trigger1=0x11\ntrigger2=0x22\n");
    ASSERT_EQ(TRUE, m_sim.FeedLine("4006381333931\\r\\n"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("0101234567890128\\x1d" "10LOT7"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("\\n"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("LAST"));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(4, START_MS));

    std::vector<std::wstring> expected = { L"4006381333931", L"0101234567890128\x1d" L"10LOT7", L"", L"LAST" };
    ExpectDelivered(expected);
    // The device the module opened is the file the terminal made in its folder.
    EXPECT_EQ(TRUE, DeviceFileExists(L"DCD1:"));
    // The library was told the module window and message 1025.
    std::vector<SimCall> posts = m_sim.ReadCalls("DcdPostRequestMsg");
    ASSERT_EQ(1u, posts.size());
    EXPECT_EQ(1025, posts[0].GetNumber("msg", 0));
    EXPECT_STREQ("\"DCD1:\"", posts[0].Get("device"));
    ExpectModuleWindow(posts[0]);

    StopAndExpectExit0();
    EXPECT_EQ(FALSE, DeviceFileExists(L"DCD1:"));

    std::vector<std::string> names = CallNames();
    std::vector<std::string> expectedNames = {
        "DcdGetTriggerType", "DcdGetTriggerType", "DcdEnumDevices", "DcdPostRequestMsg",
        "DcdSetTriggerType", "DcdSetTriggerType", "DcdFlushData",
        "DcdReadString", "DcdReadString", "DcdReadString", "DcdReadString",
        "DcdSetTriggerType", "DcdSetTriggerType", "DcdCancelRequest",
        "DcdSetTriggerType", "DcdSetTriggerType",
    };
    EXPECT_EQ(expectedNames, names);
    std::vector<SimCall> sets = m_sim.ReadCalls("DcdSetTriggerType");
    ASSERT_EQ(6u, sets.size());
    const long long rgnTypes[6] = { 0x11, 0x22, 0, 0, 0x11, 0x22 };
    for (size_t i = 0; i < 6; i++) {
        EXPECT_EQ(i % 2 ? 0x20000 : 0x10000, sets[i].GetNumber("trigger", -1)) << i;
        EXPECT_EQ(rgnTypes[i], sets[i].GetNumber("type", -1)) << i;
    }
}

TEST_F(PellimorModule, TwoLabelsBeforeATickDeliverOnlyTheSecond)
{
    Start("pace=0\n");
    // One write: the terminal announces both in the same round, and the
    // module reads both before its timer comes round.
    ASSERT_EQ(TRUE, m_sim.FeedLine("FIRST\nSECOND"));
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("DcdReadString", 2, START_MS));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(1, START_MS));
    PumpWait(NULL, 500);
    std::vector<std::wstring> expected = { L"SECOND" };
    EXPECT_EQ(expected, m_receiver.GetTexts());
    StopAndExpectExit0();
}

TEST_F(PellimorModule, WithoutADeviceItStaysIdleAndStillStops)
{
    ExpectIdleUntilStopped("device1=0\ndevice2=4\n", "DcdEnumDevices");
    EXPECT_TRUE(m_sim.ReadCalls("DcdPostRequestMsg").empty());
    EXPECT_TRUE(m_sim.ReadCalls("DcdCancelRequest").empty());
    // The triggers get their types back all the same.
    EXPECT_EQ(2u, m_sim.ReadCalls("DcdSetTriggerType").size());
}

TEST_F(PellimorModule, ADeviceMessageWithoutADeviceEndsTheModuleWithTheAssertion)
{
    // The library only posts for an open device: anything else is a broken
    // precondition, and the module ends at once.
    Start("device1=0\n");
    DWORD dwModule = m_receiver.GetProcess().GetId();
    HWND hWndModule = WaitForTopWindow(L"Scanner", L"Scanner", START_MS, dwModule);
    ASSERT_NE(nullptr, hWndModule);
    ASSERT_NE(0, PostMessageW(hWndModule, 1025, 0, 0));
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, L"Fatal Error", START_MS, dwModule);
    ASSERT_NE(nullptr, hBox);
    std::wstring strText = ReadBoxText(hBox);
    EXPECT_EQ(0u, strText.find(L"Assertion failed: INVALID_HANDLE_VALUE != m_hDcd (FalconBackend.cpp,"))
        << std::string(strText.begin(), strText.end());
    EXPECT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    DWORD dwExitCode = 0;
    ASSERT_EQ(TRUE, m_receiver.GetProcess().Wait(START_MS, &dwExitCode));
    EXPECT_EQ((DWORD)-1, dwExitCode);
    EXPECT_NE(WAIT_OBJECT_0, WaitForSingleObject(ghInputModuleEventStopped, 0));
}

}
