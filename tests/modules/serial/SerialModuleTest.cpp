// Serial.exe with a simulated serial scanner: the pseudo-terminal helper
// (tests/support/serial-scanner.py) links a pty as the port, and the test
// writes the scanner's bytes through it. Through the real host into an EDIT
// control: every terminator kind, and the port vanishing and coming back.
// As the host meets the module (this test receives the scans): a batch of
// 500 labels in one write, the port missing at start, the stop while the box
// is open or a label half received, and an invalid setting.
//
// Under Wine a hang-up is not a read error for a plain read, so the module
// notices a vanished port only by its check after a quiet second: a port
// that comes back is read again within about two seconds.
//
// Seen with Wine 8 on a pty, beyond what ../shared/WINE.md says: a plain
// ReadFile with ReadIntervalTimeout=MAXDWORD and zero totals returns at once
// (0 bytes when nothing waits); SetupComm and SetCommState with DTR enabled,
// RTS handshaking, XON/XOFF, 7 data bits, mark or space parity and two stop
// bits all succeed, but a non-standard speed (12345) fails with
// ERROR_INVALID_PARAMETER; bytes written while the helper alone holds the
// slave open wait in the pty and are read after the program's open and
// SetCommState; a MessageBox ends when its loop meets WM_QUIT, and posts it
// again for the caller's loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/Events.h"
#include "support/ModuleTestFixture.h"
#include "support/ProcessTree.h"
#include "support/SerialScanner.h"
#include "support/TestWindows.h"
#include "support/TypingTarget.h"

namespace {

#define HOST_CLASS L"Tolvex"
// Enough for a retry or two of the module's once-a-second open.
#define REOPEN_MS 10000

// Shows where each scan begins and ends.
const char kszBracketScript[] = "function process(scan) return \"[\" .. scan .. \"]\" end\n";

// ---- Through the real host ----------------------------------------------

const WCHAR* const grgHostFiles[] = { L"Serial.exe", L"Tolvex.exe", L"lua51.dll", NULL };

class SerialThroughHost : public ::testing::Test
{
protected:
    SerialThroughHost() : m_install(grgHostFiles) {}

    void SetUp() override
    {
        ASSERT_EQ(TRUE, m_scanner.IsReady());
        ASSERT_EQ(TRUE, m_install.IsReady());
        ASSERT_EQ(TRUE, m_install.WriteFile(L"Tolvex.txt",
                                            "InputModule=Serial.exe\r\nKeyboardLayout=US\r\nInterKeyDelay=0\r\n"));
        ASSERT_EQ(TRUE, m_install.WriteFile(L"script.lua", kszBracketScript));
        ASSERT_EQ(TRUE, m_scanner.Appear());
    }

    // After a failure the host and its module may still run: neither may
    // outlive the test and hold the port or the desktop for the next one.
    void TearDown() override
    {
        m_host.Close();
        m_module.Close();
    }

    // Starts the host with these lines in "Serial.txt" and focuses the target.
    void StartHost(const std::string& strSerialLines)
    {
        ASSERT_EQ(TRUE, m_install.WriteFile(L"Serial.txt", m_scanner.Settings(strSerialLines).c_str()));
        ASSERT_EQ(TRUE, m_install.Start(m_host, L"Tolvex.exe"));
        m_hWndHost = WaitForTopWindow(HOST_CLASS, HOST_CLASS, START_MS, m_host.GetId());
        ASSERT_NE(nullptr, m_hWndHost);
        ASSERT_EQ(TRUE, m_module.Attach(WaitForChildProcess(m_host.GetId(), L"Serial.exe", START_MS)));
        // Focused only once the module's window is made and hidden: under
        // Wine that passes the activation to the desktop's taskbar, later
        // still when the machine is busy.
        ASSERT_NE(nullptr, WaitForTopWindow(L"Scanner", NULL, START_MS, m_module.GetId()));
        m_target.Clear();
        ASSERT_EQ(TRUE, m_target.FocusUntilSettled(START_MS));
    }

    // The text of a box the module shows, to tell with a failure.
    std::wstring ModuleBox() const
    {
        HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, NULL, 0, m_module.GetId());
        return NULL == hBox ? L"(no box)" : ReadBoxText(hBox);
    }

    // Closes the host, which stops its module: both end with exit code 0.
    void EndHost()
    {
        ASSERT_TRUE(PostMessageW(m_hWndHost, WM_CLOSE, 0, 0));
        DWORD dwExitCode = 12345;
        ASSERT_EQ(TRUE, m_host.Wait(START_MS, &dwExitCode));
        EXPECT_EQ(0u, dwExitCode);
        dwExitCode = 12345;
        ASSERT_EQ(TRUE, m_module.Wait(START_MS, &dwExitCode));
        EXPECT_EQ(0u, dwExitCode);
        m_module.Close();
        m_host.Close();
    }

    SerialScanner m_scanner;
    TestInstallation m_install;
    TestProcess m_host;
    HWND m_hWndHost = NULL;
    TestProcess m_module;
    TypingTarget m_target;
};

TEST_F(SerialThroughHost, EachTerminatorEndsALabelAndIsNotTyped)
{
    struct Case
    {
        const char* pszSettings;
        const char* pszWritten;
        const WCHAR* pszTyped;
    } rgCases[] = {
        // Without the idle timeout only the terminator can end these labels.
        { "Terminator=CR\r\nIdleTimeout=0\r\n", "4006381333931\\r", L"[4006381333931]" },
        { "Terminator=lf\r\nIdleTimeout=0\r\n", "LF-LABEL\\n", L"[LF-LABEL]" },
        { "Terminator=CRLF\r\nIdleTimeout=0\r\n", "CRLF-LABEL\\r\\n", L"[CRLF-LABEL]" },
        { "Terminator=Tab\r\nIdleTimeout=0\r\n", "TAB-LABEL\\t", L"[TAB-LABEL]" },
        // Without a terminator the default pause of 50 ms ends it.
        { "Terminator=None\r\n", "NO-SUFFIX-\\xe9", L"[NO-SUFFIX-\xe9]" },
    };
    for (const Case& c : rgCases) {
        SCOPED_TRACE(c.pszSettings);
        StartHost(c.pszSettings);
        ASSERT_EQ(TRUE, m_scanner.Write(c.pszWritten));
        EXPECT_EQ(std::wstring(c.pszTyped), m_target.WaitForText(wcslen(c.pszTyped), START_MS)) << ModuleBox();
        EndHost();
    }
}

TEST_F(SerialThroughHost, PortVanishingAndComingBackDropsTheLabelInProgress)
{
    StartHost("IdleTimeout=0\r\n");
    ASSERT_EQ(TRUE, m_scanner.Write("BEFORE\\r"));
    ASSERT_EQ(L"[BEFORE]", m_target.WaitForText(8, START_MS));

    // Half a label read by the module, then the scanner unplugged and
    // plugged in again: the half is not glued to the next label.
    ASSERT_EQ(TRUE, m_scanner.Run("write PART\npause 300\nvanish"));
    ASSERT_EQ(TRUE, m_scanner.Appear());
    ASSERT_EQ(TRUE, m_scanner.Write("AFTER\\r"));
    EXPECT_EQ(L"[BEFORE][AFTER]", m_target.WaitForText(15, REOPEN_MS)) << ModuleBox();
    // A port lost while open is reopened without a box.
    EXPECT_EQ(L"(no box)", ModuleBox());
    EndHost();
}

// ---- As the host meets the module -----------------------------------------

const WCHAR* const grgNoLibraries[] = { NULL };

class SerialModule : public InstalledModuleTestFixture
{
protected:
    SerialModule() : InstalledModuleTestFixture(L"Serial.exe", grgNoLibraries) {}

    void SetUp() override
    {
        InstalledModuleTestFixture::SetUp();
        ASSERT_EQ(TRUE, m_scanner.IsReady());
        ASSERT_EQ(TRUE, m_scanner.Appear());
    }

    void StartWith(const std::string& strSerialLines)
    {
        ASSERT_EQ(TRUE, m_install.WriteFile(L"Serial.txt", m_scanner.Settings(strSerialLines).c_str()));
        Start("");
    }

    // Starts with the port missing; the module's box about it.
    HWND StartWithoutPort()
    {
        if (TRUE != m_scanner.Vanish()) {
            return NULL;
        }
        StartWith("");
        return WaitForBox(L"Tolvex", START_MS);
    }

    SerialScanner m_scanner;
};

TEST_F(SerialModule, FiveHundredLabelsInOneWriteArriveInOrderOnceEach)
{
    StartWith("");
    std::string strBatch;
    std::vector<std::wstring> expected;
    for (int i = 0; i < 500; i++) {
        std::string strLabel = "4006381333931-" + std::to_string(1000 + i);
        strBatch += strLabel + "\\r";
        expected.push_back(std::wstring(strLabel.begin(), strLabel.end()));
    }
    // About 9 KB, more than the pty holds: the module drains it while it delivers.
    ASSERT_EQ(TRUE, m_scanner.Write(strBatch));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(500, 30000)) << m_receiver.GetScans().size() << " scans";
    PumpWait(NULL, 300);
    EXPECT_EQ(expected, m_receiver.GetTexts());
    StopAndExpectExit0();
}

TEST_F(SerialModule, PortMissingAtStartIsToldOnceAndReadOnceItAppears)
{
    HWND hBox = StartWithoutPort();
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ(L"Serial port " + std::wstring(m_scanner.GetPort().begin(), m_scanner.GetPort().end()) +
                  L" cannot be opened (File not found). Tolvex keeps trying.",
              ReadBoxText(hBox));
    ASSERT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    ASSERT_EQ(TRUE, WaitForWindowGone(hBox, START_MS));
    // Two more tries fail meanwhile, without a box.
    PumpWait(NULL, 2500);
    EXPECT_EQ(nullptr, WaitForBox(L"Tolvex", 0));

    ASSERT_EQ(TRUE, m_scanner.Appear());
    ASSERT_EQ(TRUE, m_scanner.Write("LATE\\r"));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(1, REOPEN_MS));
    EXPECT_EQ(std::vector<std::wstring>{ L"LATE" }, m_receiver.GetTexts());
    StopAndExpectExit0();
}

TEST_F(SerialModule, StopIsAnsweredWhileTheBoxIsOpen)
{
    HWND hBox = StartWithoutPort();
    ASSERT_NE(nullptr, hBox);
    StopAndExpectExit0();
    EXPECT_EQ(TRUE, WaitForWindowGone(hBox, START_MS));
}

TEST_F(SerialModule, StopIsAnsweredWhileALabelIsHalfReceived)
{
    StartWith("IdleTimeout=0\r\n");
    ASSERT_EQ(TRUE, m_scanner.Write("FIRST\\r"));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(1, START_MS));
    ASSERT_EQ(TRUE, m_scanner.Write("40063813"));
    PumpWait(NULL, 300);
    StopAndExpectExit0();
    EXPECT_EQ(std::vector<std::wstring>{ L"FIRST" }, m_receiver.GetTexts());
}

TEST_F(SerialModule, InvalidSettingStopsTheStartWithOneBox)
{
    StartWith("Parity=Even\r\nbaudrate=fast\r\n");
    HWND hBox = WaitForBox(L"Tolvex", START_MS);
    ASSERT_NE(nullptr, hBox);
    // The key as the module names it, the value as written.
    EXPECT_EQ(L"Invalid setting in Serial.txt: BaudRate=fast", ReadBoxText(hBox));
    EXPECT_EQ(nullptr, WaitForTopWindow(L"Scanner", NULL, 0, m_process.GetId()));
    ASSERT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    DWORD dwExitCode = 12345;
    ASSERT_EQ(TRUE, m_process.Wait(START_MS, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    // The host, which watches it, learns that the module will not run.
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(ghInputModuleEventStopped, 0));
}

}  // namespace
