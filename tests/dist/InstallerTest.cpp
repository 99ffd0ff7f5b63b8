// The release's installer, silent, as an administrator runs it: where the
// files land, the registry value that names the data folder and how the
// programs read it, the host running from the installed copy, upgrades over an
// earlier installation, the log-on start, and an uninstall that leaves nothing
// behind. Every test starts and ends without an installation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Folders.h"
#include "dist/Installation.h"
#include "support/ProcessTree.h"
#include "support/SimSession.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestWindows.h"
#include "support/TypingTarget.h"

namespace {

#define SIM_FOLDER L"Simulated terminal"
#define HOST_CLASS L"Tolvex"

const WCHAR* const grgpszPrograms[] = {
    L"Tolvex.exe", L"Quorlin.exe", L"Pellimor.exe", L"Dravet.exe", L"Ostwin.exe", L"lua51.dll",
    L"Uninstall.exe",
};
const WCHAR* const grgpszStandIns[] = {
    L"SCNAPI32.dll", L"AUDIOAPI32.dll", L"DECODER.dll", L"BHTLib.dll", L"LXEAPI.dll",
};
const WCHAR* const grgpszDataFiles[] = {
    L"Tolvex.txt", L"script.lua", L"barcode.wav", L"Dravet.txt",
};

const DWORD UNINSTALL_TIMEOUT_MS = 60000;

const char kszEditedScript[] =
    "-- edited by the user\r\nfunction process(scan) return scan end\r\n";
const char kszEditedSettings[] = "InputModule=Dravet.exe\r\nKeyboardLayout=Swedish\r\n";

bool SamePath(const std::wstring& strA, const std::wstring& strB)
{
    return 0 == _wcsicmp(strA.c_str(), strB.c_str());
}

std::wstring Quoted(const std::wstring& str)
{
    return L"\"" + str + L"\"";
}

// Wine settles the activation of a newly started program's windows late:
// focus the target until it has kept the keyboard focus for half a second.
bool FocusUntilSettled(TypingTarget& target, DWORD dwTimeoutMs)
{
    ULONGLONG ullStart = GetTickCount64();
    while (GetTickCount64() - ullStart < dwTimeoutMs) {
        if (target.Focus()) {
            ULONGLONG ullHeld = GetTickCount64();
            while (target.GetEdit() == GetFocus() && GetTickCount64() - ullHeld < 500) {
                MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
                PumpMessages();
            }
            if (target.GetEdit() == GetFocus() && target.GetWindow() == GetForegroundWindow()) {
                return true;
            }
        }
        Sleep(20);
    }
    return false;
}

class Installer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(GetSetupPath().empty()) << "the environment names no installer";
        RemoveInstallLeftovers();
        m_places = GetInstallPlaces();
        ASSERT_FALSE(FolderExists(m_places.strPrograms));
        ASSERT_FALSE(FolderExists(m_places.strData));
        ASSERT_FALSE(MachineValueExists(FOLDER_KEY, L"Folder"));
        m_fPublisherKeyBefore = MachineKeyExists(PUBLISHER_KEY);
    }

    void TearDown() override { RemoveInstallLeftovers(); }

    void Install(const WCHAR* pszSwitches)
    {
        DWORD dwExitCode = STILL_ACTIVE;
        ASSERT_TRUE(RunSetup(pszSwitches, &dwExitCode)) << "setup " << pszSwitches;
        ASSERT_EQ(0u, dwExitCode) << "setup " << pszSwitches;
    }

    std::wstring Program(const WCHAR* pszName) const
    {
        return m_places.strPrograms + L"\\" + pszName;
    }
    std::wstring StandIn(const WCHAR* pszName) const
    {
        return m_places.strPrograms + L"\\" SIM_FOLDER L"\\" + pszName;
    }
    std::wstring Data(const WCHAR* pszName) const { return m_places.strData + L"\\" + pszName; }

    // What the simulated terminal's README says to do: its libraries beside
    // the modules.
    void CopyStandInsBesideModules()
    {
        for (const WCHAR* pszName : grgpszStandIns) {
            ASSERT_TRUE(CopyFileW(StandIn(pszName).c_str(), Program(pszName).c_str(), FALSE));
        }
    }

    InstallPlaces m_places;
    BOOL m_fPublisherKeyBefore = FALSE;
    // A host the test starts; TearDown closes it as a user would, so that
    // its module stops too.
    TestProcess m_host;
};

TEST_F(Installer, SilentInstallPutsProgramsAndDataApartAndNamesTheDataFolder)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));

    for (const WCHAR* pszName : grgpszPrograms) {
        EXPECT_TRUE(FileExists(Program(pszName))) << Program(pszName);
    }
    // The stand-ins wait in their own folder, where they cannot hide a real
    // terminal's libraries.
    EXPECT_TRUE(FileExists(StandIn(L"README.txt")));
    for (const WCHAR* pszName : grgpszStandIns) {
        EXPECT_TRUE(FileExists(StandIn(pszName))) << StandIn(pszName);
        EXPECT_FALSE(FileExists(Program(pszName))) << Program(pszName);
    }
    for (const WCHAR* pszName : grgpszDataFiles) {
        EXPECT_TRUE(FileExists(Data(pszName))) << Data(pszName);
        EXPECT_FALSE(FileExists(Program(pszName))) << Program(pszName);
    }

    // The default settings name a module, with Windows line ends throughout.
    std::string strSettings = ReadFileBytes(Data(L"Tolvex.txt"));
    EXPECT_EQ(0u, strSettings.find("InputModule=")) << strSettings;
    for (size_t i = 0; i < strSettings.size(); i++) {
        if ('\n' == strSettings[i]) {
            EXPECT_TRUE(i > 0 && '\r' == strSettings[i - 1]) << "bare line feed at " << i;
        }
    }

    std::wstring strFolder;
    DWORD dwType = REG_NONE;
    ASSERT_TRUE(ReadMachineValue(FOLDER_KEY, L"Folder", &strFolder, &dwType));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    EXPECT_TRUE(SamePath(m_places.strData, strFolder)) << strFolder;

    // The programs' own lookup finds the data folder through that value.
    ASSERT_EQ(TRUE, FindInstallFolder(GetModuleHandleW(NULL)));
    EXPECT_TRUE(SamePath(m_places.strData, GetInstallFolder())) << GetInstallFolder();
    EXPECT_TRUE(SamePath(GetTestProgramFolder(), GetProgramFolder())) << GetProgramFolder();

    std::wstring strValue;
    ASSERT_TRUE(ReadMachineValue(UNINSTALL_KEY, L"DisplayName", &strValue, &dwType));
    EXPECT_EQ(L"Tolvex", strValue);
    ASSERT_TRUE(ReadMachineValue(UNINSTALL_KEY, L"DisplayVersion", &strValue, &dwType));
    EXPECT_EQ(std::wstring(L"" TVX_RELEASE_VERSION), strValue);
    ASSERT_TRUE(ReadMachineValue(UNINSTALL_KEY, L"UninstallString", &strValue, &dwType));
    EXPECT_TRUE(SamePath(Quoted(Program(L"Uninstall.exe")), strValue)) << strValue;
    ASSERT_TRUE(ReadMachineValue(UNINSTALL_KEY, L"QuietUninstallString", &strValue, &dwType));
    EXPECT_TRUE(SamePath(Quoted(Program(L"Uninstall.exe")) + L" /S", strValue)) << strValue;

    EXPECT_TRUE(FileExists(m_places.strStartMenu + L"\\Tolvex.lnk"));
    EXPECT_FALSE(MachineValueExists(RUN_KEY, L"Tolvex"));
}

TEST_F(Installer, HostFromTheInstalledCopyReadsSettingsScriptAndSoundFromTheDataFolder)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    ASSERT_NO_FATAL_FAILURE(CopyStandInsBesideModules());
    // The default settings stay; the script is one only this test knows.
    ASSERT_TRUE(WriteTextFile(
        Data(L"script.lua"),
        "function process(scan) return \"installed:\" .. scan .. \"\\r\" end\r\n"));

    SimSession sim;
    ASSERT_TRUE(sim.IsReady());
    ASSERT_TRUE(sim.SetConditions("sound=off\n"));
    TypingTarget target;
    // Started elsewhere, so that only the registry can lead it to its files.
    ASSERT_TRUE(m_host.Start(Program(L"Tolvex.exe").c_str(), NULL, L"C:\\"));
    HWND hWndHost = WaitForTopWindow(HOST_CLASS, HOST_CLASS, 10000, m_host.GetId());
    ASSERT_NE((HWND)NULL, hWndHost);
    ASSERT_NE((HWND)NULL, WaitForTopWindow(L"Scanner", L"Scanner", 10000));
    ASSERT_TRUE(FocusUntilSettled(target, 10000));

    ASSERT_TRUE(sim.FeedLine("4006381333931"));
    EXPECT_EQ(L"installed:4006381333931\r\n", target.WaitForText(25, 10000));
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, NULL, 0, m_host.GetId());
    EXPECT_EQ((HWND)NULL, hBox) << GetWindowTextOf(hBox) << ": " << ReadBoxText(hBox);

    // The module plays the sound of the data folder.
    ASSERT_TRUE(sim.WaitForCalls("AUDIO_PlayBeeper", 1, 5000));
    std::vector<SimCall> beeps = sim.ReadCalls("AUDIO_PlayBeeper");
    EXPECT_TRUE(SamePath(Data(L"barcode.wav"), beeps[0].GetText("file")))
        << beeps[0].GetText("file");

    PostMessageW(hWndHost, WM_CLOSE, 0, 0);
    DWORD dwExitCode = STILL_ACTIVE;
    EXPECT_TRUE(m_host.Wait(5000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_TRUE(CloseRunningHosts(5000));
}

TEST_F(Installer, UpgradeKeepsTheUsersSettingsAndScriptAndRenewsTheRest)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    const std::string strDravet = ReadFileBytes(Data(L"Dravet.txt"));
    const std::string strSound = ReadFileBytes(Data(L"barcode.wav"));
    const std::string strHost = ReadFileBytes(Program(L"Tolvex.exe"));
    ASSERT_FALSE(strDravet.empty());
    ASSERT_FALSE(strSound.empty());
    ASSERT_FALSE(strHost.empty());

    ASSERT_TRUE(WriteTextFile(Data(L"script.lua"), kszEditedScript));
    ASSERT_TRUE(WriteTextFile(Data(L"Tolvex.txt"), kszEditedSettings));
    ASSERT_TRUE(DeleteFileW(Data(L"Dravet.txt").c_str()));
    ASSERT_TRUE(WriteTextFile(Data(L"barcode.wav"), "an older sound"));
    ASSERT_TRUE(WriteTextFile(Program(L"Tolvex.exe"), "an older program"));

    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));

    EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    EXPECT_EQ(kszEditedSettings, ReadFileBytes(Data(L"Tolvex.txt")));
    // A user file that is missing comes back as shipped.
    EXPECT_EQ(strDravet, ReadFileBytes(Data(L"Dravet.txt")));
    EXPECT_EQ(strSound, ReadFileBytes(Data(L"barcode.wav")));
    EXPECT_EQ(strHost, ReadFileBytes(Program(L"Tolvex.exe")));
    std::wstring strFolder;
    DWORD dwType = REG_NONE;
    ASSERT_TRUE(ReadMachineValue(FOLDER_KEY, L"Folder", &strFolder, &dwType));
    EXPECT_TRUE(SamePath(m_places.strData, strFolder)) << strFolder;
}

TEST_F(Installer, UpgradeClosesARunningHostAndItsModuleFirst)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    ASSERT_NO_FATAL_FAILURE(CopyStandInsBesideModules());
    SimSession sim;
    ASSERT_TRUE(sim.IsReady());
    ASSERT_TRUE(m_host.Start(Program(L"Tolvex.exe").c_str(), NULL, L"C:\\"));
    ASSERT_NE((HWND)NULL, WaitForTopWindow(HOST_CLASS, HOST_CLASS, 10000, m_host.GetId()));
    ASSERT_NE((HWND)NULL, WaitForTopWindow(L"Scanner", L"Scanner", 10000));

    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));

    // Closed as "Unload" closes it, not ended by force.
    DWORD dwExitCode = STILL_ACTIVE;
    EXPECT_TRUE(m_host.Wait(1000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_EQ(0, CountProcessesNamed(L"Quorlin.exe"));
    EXPECT_TRUE(FileExists(Program(L"Tolvex.exe")));
}

TEST_F(Installer, UninstallLeavesNothingBehind)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S /LOGON"));
    ASSERT_NO_FATAL_FAILURE(CopyStandInsBesideModules());
    ASSERT_TRUE(WriteTextFile(Data(L"script.lua"), kszEditedScript));
    ASSERT_TRUE(MachineValueExists(RUN_KEY, L"Tolvex"));

    ASSERT_TRUE(RunUninstaller(L"/S", UNINSTALL_TIMEOUT_MS));

    EXPECT_FALSE(FolderExists(m_places.strPrograms));
    EXPECT_FALSE(FolderExists(m_places.strData));
    EXPECT_FALSE(FolderExists(m_places.strStartMenu));
    EXPECT_FALSE(MachineValueExists(FOLDER_KEY, L"Folder"));
    EXPECT_FALSE(MachineKeyExists(FOLDER_KEY));
    EXPECT_EQ(m_fPublisherKeyBefore, MachineKeyExists(PUBLISHER_KEY));
    EXPECT_FALSE(MachineKeyExists(UNINSTALL_KEY));
    EXPECT_FALSE(MachineValueExists(RUN_KEY, L"Tolvex"));
}

TEST_F(Installer, UninstallWithKeepLeavesSettingsAndScriptForTheNextInstall)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    ASSERT_TRUE(WriteTextFile(Data(L"script.lua"), kszEditedScript));
    ASSERT_TRUE(WriteTextFile(Data(L"Tolvex.txt"), kszEditedSettings));

    ASSERT_TRUE(RunUninstaller(L"/S /KEEP", UNINSTALL_TIMEOUT_MS));

    EXPECT_FALSE(FolderExists(m_places.strPrograms));
    EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    EXPECT_EQ(kszEditedSettings, ReadFileBytes(Data(L"Tolvex.txt")));
    EXPECT_TRUE(FileExists(Data(L"Dravet.txt")));
    EXPECT_FALSE(FileExists(Data(L"barcode.wav")));
    EXPECT_FALSE(MachineValueExists(FOLDER_KEY, L"Folder"));
    EXPECT_FALSE(MachineKeyExists(UNINSTALL_KEY));

    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    EXPECT_EQ(kszEditedSettings, ReadFileBytes(Data(L"Tolvex.txt")));
    EXPECT_TRUE(FileExists(Data(L"barcode.wav")));
}

TEST_F(Installer, LogonStartFollowsTheSwitchesAndKeepsAnEarlierChoice)
{
    struct Step
    {
        const WCHAR* pszSwitches;
        bool fLogon;
    };
    const Step rgSteps[] = {
        { L"/S", false },
        { L"/S /LOGON", true },
        { L"/S", true },  // an upgrade keeps the earlier choice
        { L"/S /NOLOGON", false },
    };
    for (const Step& step : rgSteps) {
        ASSERT_NO_FATAL_FAILURE(Install(step.pszSwitches));
        std::wstring strCommand;
        DWORD dwType = REG_NONE;
        BOOL fPresent = ReadMachineValue(RUN_KEY, L"Tolvex", &strCommand, &dwType);
        EXPECT_EQ(step.fLogon, TRUE == fPresent) << "after " << step.pszSwitches;
        if (fPresent) {
            EXPECT_EQ((DWORD)REG_SZ, dwType);
            EXPECT_TRUE(SamePath(Quoted(Program(L"Tolvex.exe")), strCommand)) << strCommand;
        }
    }
}

}  // namespace
