#include "support/ModuleTestFixture.h"

#include "common/Events.h"
#include "support/TestWindows.h"

ModuleTestFixture::ModuleTestFixture(const WCHAR* pszProgram)
    : m_process(m_receiver.GetProcess()), m_pInstall(NULL), m_pszProgram(pszProgram)
{
}

void ModuleTestFixture::SetUp()
{
    ASSERT_EQ(TRUE, m_sim.IsReady());
    if (NULL != m_pInstall) {
        ASSERT_EQ(TRUE, m_pInstall->IsReady());
    }
    ASSERT_NE(nullptr, m_receiver.GetWindow());
}

void ModuleTestFixture::TearDown()
{
    m_process.Close();
    CloseStopEvents();
}

void ModuleTestFixture::Start(const std::string& strConditions)
{
    ASSERT_EQ(TRUE, m_sim.SetConditions(strConditions));
    ASSERT_EQ(TRUE, CreateStopEvents(m_receiver.GetWindow()));
    const WCHAR* pszFolder = m_sim.GetFolder().GetPath().c_str();
    if (NULL == m_pInstall) {
        ASSERT_EQ(TRUE, m_receiver.Start(m_pszProgram, pszFolder));
    } else {
        ASSERT_EQ(TRUE, m_pInstall->StartModule(m_process, m_pszProgram, m_receiver.GetWindow(), pszFolder));
    }
}

void ModuleTestFixture::StopAndExpectExit0()
{
    ASSERT_EQ(TRUE, SetEvent(ghStopInputModuleEvent) ? TRUE : FALSE);
    EXPECT_EQ(TRUE, PumpWait(ghInputModuleEventStopped, HOST_STOP_WAIT_MS));
    DWORD dwExitCode = 12345;
    ASSERT_EQ(TRUE, m_process.Wait(START_MS, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
}

void ModuleTestFixture::ExpectIdleUntilStopped(const std::string& strConditions,
                                               const char* pszFirstCall)
{
    Start(strConditions);
    ASSERT_EQ(TRUE, m_sim.WaitForCalls(pszFirstCall, 1, START_MS));
    ASSERT_EQ(TRUE, m_sim.FeedLine("NEVER"));
    PumpWait(NULL, 500);
    EXPECT_TRUE(m_receiver.GetScans().empty());
    StopAndExpectExit0();
}

HWND ModuleTestFixture::WaitForBox(const WCHAR* pszCaption, DWORD dwTimeoutMs)
{
    HWND hBox = NULL;
    PumpUntil(
        [&] {
            hBox = WaitForTopWindow(TEST_BOX_CLASS, pszCaption, 0, m_process.GetId());
            return NULL != hBox;
        },
        dwTimeoutMs);
    return hBox;
}

std::vector<std::string> ModuleTestFixture::CallNames() const
{
    std::vector<std::string> names;
    for (const SimCall& call : m_sim.ReadCalls()) {
        if ('*' != call.strName[0]) {
            names.push_back(call.strName);
        }
    }
    return names;
}

void ModuleTestFixture::ExpectDelivered(const std::vector<std::wstring>& expected) const
{
    EXPECT_EQ(expected, m_receiver.GetTexts());
    for (const ReceivedScan& scan : m_receiver.GetScans()) {
        EXPECT_EQ(0u, scan.wParam);
        EXPECT_EQ(0u, scan.dwData);
        EXPECT_EQ((scan.strText.size() + 1) * sizeof(WCHAR), scan.cbData);
        EXPECT_EQ(TRUE, scan.fTerminated);
    }
}

void ModuleTestFixture::ExpectModuleWindow(const SimCall& call) const
{
    HWND hWndModule = (HWND)(UINT_PTR)call.GetNumber("hwnd", 0);
    DWORD dwOwner = 0;
    GetWindowThreadProcessId(hWndModule, &dwOwner);
    EXPECT_EQ(m_process.GetId(), dwOwner);
    WCHAR szClass[32] = L"";
    GetClassNameW(hWndModule, szClass, 32);
    EXPECT_STREQ(L"Scanner", szClass);
}

InstalledModuleTestFixture::InstalledModuleTestFixture(const WCHAR* pszProgram,
                                                       const WCHAR* const* rgpszLibraries)
    : ModuleTestFixture(pszProgram), m_install(rgpszLibraries)
{
    m_install.CopyFromBuild(pszProgram, pszProgram);
    m_pInstall = &m_install;
}
