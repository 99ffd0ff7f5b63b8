// The release's installer, silent, as an administrator runs it: where the
// files land, the registry value that names the data folder and how the
// programs read it, the command that sets the data folder's rights, the host
// and the script checker running from the installed copy, upgrades over an
// earlier installation, the optional sections, and what an uninstall keeps.
// Every test starts and ends without an installation.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/AnsiText.h"
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

#define DEFAULTS_FOLDER L"Defaults"
#define UNINSTALL_LOG L"Uninstall.log"

const WCHAR* const grgpszPrograms[] = {
    L"Tolvex.exe", L"Quorlin.exe", L"Pellimor.exe", L"Dravet.exe", L"Ostwin.exe", L"Serial.exe",
    L"lua51.dll", L"tolvexcli.exe", L"Uninstall.exe",
};
const WCHAR* const grgpszStandIns[] = {
    L"SCNAPI32.dll", L"AUDIOAPI32.dll", L"DECODER.dll", L"BHTLib.dll", L"LXEAPI.dll",
};
// The files a user may change, each shipped also as a copy in Defaults.
const WCHAR* const grgpszEditableFiles[] = {
    L"Tolvex.txt", L"script.lua", L"Dravet.txt", L"Serial.txt",
};
const WCHAR* const grgpszDataFiles[] = {
    L"Tolvex.txt", L"script.lua", L"barcode.wav", L"Dravet.txt", L"Serial.txt",
};

const DWORD UNINSTALL_TIMEOUT_MS = 60000;
// The exit code of an installation that stopped itself.
const DWORD SETUP_ABORTED = 2;

const char kszEditedScript[] =
    "-- edited by the user\r\nfunction process(scan) return scan end\r\n";
const char kszEditedSettings[] = "InputModule=Dravet.exe\r\nKeyboardLayout=Swedish\r\n";
// The scanner's port, as a user sets it.
const char kszEditedSerialSettings[] = "Port=COM7\r\nBaudRate=115200\r\n";

bool SamePath(const std::wstring& strA, const std::wstring& strB)
{
    return 0 == _wcsicmp(strA.c_str(), strB.c_str());
}

std::wstring Quoted(const std::wstring& str)
{
    return L"\"" + str + L"\"";
}

class Installer : public ::testing::Test
{
protected:
    // Every installation in these tests runs the recorder for icacls.
    static void SetUpTestSuite() { gfIcaclsReplaced = ReplaceIcacls(); }
    static void TearDownTestSuite() { RestoreIcacls(); }

    void SetUp() override
    {
        ASSERT_FALSE(GetSetupPath().empty()) << "the environment names no installer";
        ASSERT_TRUE(gfIcaclsReplaced) << "icacls.exe could not be replaced by the recorder";
        ASSERT_FALSE(m_temp.GetPath().empty());
        ASSERT_TRUE(SetEnvironmentVariableW(ICACLS_LOG_VARIABLE, IcaclsLog().c_str()));
        ASSERT_TRUE(SetEnvironmentVariableW(ICACLS_EXIT_VARIABLE, NULL));
        RemoveInstallLeftovers();
        m_places = GetInstallPlaces();
        ASSERT_FALSE(FolderExists(m_places.strPrograms));
        ASSERT_FALSE(FolderExists(m_places.strData));
        ASSERT_FALSE(MachineValueExists(FOLDER_KEY, L"Folder"));
        m_fPublisherKeyBefore = MachineKeyExists(PUBLISHER_KEY);
    }

    void TearDown() override
    {
        m_pSim.reset();
        RemoveInstallLeftovers();
    }

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
    std::wstring Default(const WCHAR* pszName) const
    {
        return m_places.strPrograms + L"\\" DEFAULTS_FOLDER L"\\" + pszName;
    }
    std::wstring IcaclsLog() const { return m_temp.GetFilePath(L"icacls.log"); }

    // Starts the installed host from elsewhere, so that only the registry can
    // lead it to its files, and waits for its window and its module's.
    void StartInstalledHost(HWND* phWndHost)
    {
        ASSERT_TRUE(m_host.Start(Program(L"Tolvex.exe").c_str(), NULL, L"C:\\"));
        *phWndHost = WaitForTopWindow(HOST_CLASS, HOST_CLASS, 10000, m_host.GetId());
        ASSERT_NE((HWND)NULL, *phWndHost);
        ASSERT_NE((HWND)NULL, WaitForTopWindow(L"Scanner", L"Scanner", 10000));
    }

    // An installation with the simulated terminal (pszSwitches hold /SIM),
    // its libraries where its README says to put them to try Tolvex: beside
    // the modules.
    void InstallToTryTolvex(const WCHAR* pszSwitches)
    {
        ASSERT_NO_FATAL_FAILURE(Install(pszSwitches));
        for (const WCHAR* pszName : grgpszStandIns) {
            ASSERT_TRUE(CopyFileW(StandIn(pszName).c_str(), Program(pszName).c_str(), FALSE));
        }
    }

    // InstallToTryTolvex("/S /SIM"), a simulated terminal for the host to
    // inherit, and the installed host started on it.
    void StartTriedHost()
    {
        ASSERT_NO_FATAL_FAILURE(InstallToTryTolvex(L"/S /SIM"));
        m_pSim.reset(new SimSession());
        ASSERT_TRUE(m_pSim->IsReady());
        HWND hWndHost = NULL;
        ASSERT_NO_FATAL_FAILURE(StartInstalledHost(&hWndHost));
    }

    static BOOL gfIcaclsReplaced;
    TempFolder m_temp;
    InstallPlaces m_places;
    BOOL m_fPublisherKeyBefore = FALSE;
    // A host the test starts; TearDown closes it as a user would, so that
    // its module stops too.
    TestProcess m_host;
    // StartTriedHost's simulated terminal.
    std::unique_ptr<SimSession> m_pSim;
};

BOOL Installer::gfIcaclsReplaced = FALSE;

TEST_F(Installer, SilentInstallPutsProgramsAndDataApartAndNamesTheDataFolder)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));

    for (const WCHAR* pszName : grgpszPrograms) {
        EXPECT_TRUE(FileExists(Program(pszName))) << Program(pszName);
    }
    // The simulated terminal is for trying Tolvex and comes only when asked for.
    EXPECT_FALSE(FolderExists(m_places.strPrograms + L"\\" SIM_FOLDER));
    for (const WCHAR* pszName : grgpszStandIns) {
        EXPECT_FALSE(FileExists(Program(pszName))) << Program(pszName);
    }
    for (const WCHAR* pszName : grgpszDataFiles) {
        EXPECT_TRUE(FileExists(Data(pszName))) << Data(pszName);
        EXPECT_FALSE(FileExists(Program(pszName))) << Program(pszName);
    }
    // Every file in Defaults is a data file as shipped, the editable ones among them.
    std::vector<std::wstring> rgDefaults = ListFiles(m_places.strPrograms + L"\\" DEFAULTS_FOLDER);
    for (const WCHAR* pszName : grgpszEditableFiles) {
        EXPECT_NE(rgDefaults.end(), std::find(rgDefaults.begin(), rgDefaults.end(), pszName))
            << NarrowAnsi(pszName, '?');
    }
    for (const std::wstring& strName : rgDefaults) {
        std::string strShipped = ReadFileBytes(Default(strName.c_str()));
        EXPECT_FALSE(strShipped.empty()) << NarrowAnsi(strName.c_str(), '?');
        EXPECT_EQ(strShipped, ReadFileBytes(Data(strName.c_str())))
            << NarrowAnsi(strName.c_str(), '?');
    }
    EXPECT_FALSE(FileExists(Data(UNINSTALL_LOG)));

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
    ASSERT_NO_FATAL_FAILURE(InstallToTryTolvex(L"/S /SIM"));
    // The default settings stay; the script is one only this test knows.
    ASSERT_TRUE(WriteTextFile(
        Data(L"script.lua"),
        "function process(scan) return \"installed:\" .. scan .. \"\\r\" end\r\n"));

    SimSession sim;
    ASSERT_TRUE(sim.IsReady());
    ASSERT_TRUE(sim.SetConditions("sound=off\n"));
    TypingTarget target;
    HWND hWndHost = NULL;
    ASSERT_NO_FATAL_FAILURE(StartInstalledHost(&hWndHost));
    ASSERT_TRUE(target.FocusUntilSettled(10000));

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

// An administrator opens a console anywhere and tries the installed script.
TEST_F(Installer, InstalledScriptCheckerRunsTheDataFoldersScriptFromAnyFolder)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    ASSERT_TRUE(WriteTextFile(Data(L"script.lua"),
                              "function process(scan) return 'installed:' .. scan end\r\n"));
    // A folder without a script, and files for the console's redirections.
    ASSERT_TRUE(WriteTextFile(m_temp.GetFilePath(L"scans.txt"), "4006381333931\r\n"));
    std::wstring strCli = Quoted(Program(L"tolvexcli.exe"));
    struct Command
    {
        std::wstring strArguments;
        std::string strOut;
        std::string strErr;
    };
    const Command rgCommands[] = {
        { L"run", "installed:4006381333931\r\n",
          "tolvexcli: no script.lua here; using the installation folder " +
              NarrowAnsi(m_places.strData.c_str(), '?') + "\r\n" },
        { L"ean128 010401234567890110LOT42",
          "[{\"ai\":\"01\",\"data\":\"04012345678901\"},{\"ai\":\"10\",\"data\":\"LOT42\"}]\r\n",
          "" },
    };
    for (const Command& command : rgCommands) {
        // cmd /c "<program> <arguments> <in >out 2>err": the outer quotes go.
        std::wstring strSwitches = L"/c \"" + strCli + L" " + command.strArguments +
                                   L" <scans.txt >out.txt 2>err.txt\"";
        TestProcess console;
        ASSERT_TRUE(console.Start(L"C:\\windows\\system32\\cmd.exe", strSwitches.c_str(),
                                  m_temp.GetPath().c_str()));
        DWORD dwExitCode = STILL_ACTIVE;
        ASSERT_TRUE(console.Wait(30000, &dwExitCode));
        EXPECT_EQ(0u, dwExitCode) << NarrowAnsi(command.strArguments.c_str(), '?');
        EXPECT_EQ(command.strOut, ReadFileBytes(m_temp.GetFilePath(L"out.txt")));
        EXPECT_EQ(command.strErr, ReadFileBytes(m_temp.GetFilePath(L"err.txt")));
    }
}

// Wine's icacls changes nothing, so the rights themselves cannot be seen
// here: what the recorder in its place shows is the command the installer
// runs, and that a failing one stops the installation before any file is
// written.
TEST_F(Installer, DataFolderGetsProtectedRightsBeforeAnyFileIsWritten)
{
    const std::string strFolder = "\"" + NarrowAnsi(m_places.strData.c_str(), '?') + "\"";
    const std::string strOwner = strFolder + " /setowner *S-1-5-32-544 /T /C /Q";
    const std::string strRights = strFolder + " /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F "
                                  "*S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q";
    const std::string strContents = "\"" + NarrowAnsi(m_places.strData.c_str(), '?') +
                                    "\\*\" /reset /T /C /Q";

    // A new folder holds nothing yet whose rights could be reset.
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    EXPECT_EQ((std::vector<std::string>{ strOwner, strRights }), ReadFileLines(IcaclsLog()));

    // An upgrade (from 2.7 too, whose grant let Users change the folder) sets
    // the same rights again and takes what the folder holds back under them.
    ASSERT_TRUE(DeleteFileW(IcaclsLog().c_str()));
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    EXPECT_EQ((std::vector<std::string>{ strOwner, strRights, strContents }),
              ReadFileLines(IcaclsLog()));

    // Rights that cannot be set stop the upgrade before any file is replaced.
    ASSERT_TRUE(DeleteFileW(IcaclsLog().c_str()));
    ASSERT_TRUE(WriteTextFile(Program(L"Tolvex.exe"), "an older program"));
    ASSERT_TRUE(DeleteFileW(Data(L"Dravet.txt").c_str()));
    ASSERT_TRUE(SetEnvironmentVariableW(ICACLS_EXIT_VARIABLE, L"5"));
    DWORD dwExitCode = 0;
    ASSERT_TRUE(RunSetup(L"/S", &dwExitCode));
    EXPECT_EQ(SETUP_ABORTED, dwExitCode);
    EXPECT_EQ((std::vector<std::string>{ strOwner }), ReadFileLines(IcaclsLog()));
    EXPECT_EQ("an older program", ReadFileBytes(Program(L"Tolvex.exe")));
    EXPECT_FALSE(FileExists(Data(L"Dravet.txt")));
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
    ASSERT_TRUE(WriteTextFile(Data(L"Serial.txt"), kszEditedSerialSettings));
    ASSERT_TRUE(DeleteFileW(Data(L"Dravet.txt").c_str()));
    ASSERT_TRUE(WriteTextFile(Data(L"barcode.wav"), "an older sound"));
    ASSERT_TRUE(WriteTextFile(Program(L"Tolvex.exe"), "an older program"));
    ASSERT_TRUE(WriteTextFile(Default(L"script.lua"), "an older shipped script"));

    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));

    EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    EXPECT_EQ(kszEditedSettings, ReadFileBytes(Data(L"Tolvex.txt")));
    EXPECT_EQ(kszEditedSerialSettings, ReadFileBytes(Data(L"Serial.txt")));
    // A user file that is missing comes back as shipped.
    EXPECT_EQ(strDravet, ReadFileBytes(Data(L"Dravet.txt")));
    EXPECT_EQ(strSound, ReadFileBytes(Data(L"barcode.wav")));
    EXPECT_EQ(strHost, ReadFileBytes(Program(L"Tolvex.exe")));
    // The shipped copies are always this release's.
    EXPECT_NE(kszEditedScript, ReadFileBytes(Default(L"script.lua")));
    EXPECT_EQ(strDravet, ReadFileBytes(Default(L"Dravet.txt")));
    std::wstring strFolder;
    DWORD dwType = REG_NONE;
    ASSERT_TRUE(ReadMachineValue(FOLDER_KEY, L"Folder", &strFolder, &dwType));
    EXPECT_TRUE(SamePath(m_places.strData, strFolder)) << strFolder;
}

TEST_F(Installer, UpgradeClosesARunningHostAndItsModuleFirst)
{
    ASSERT_NO_FATAL_FAILURE(StartTriedHost());

    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));

    // Closed as "Unload" closes it, not ended by force.
    DWORD dwExitCode = STILL_ACTIVE;
    EXPECT_TRUE(m_host.Wait(1000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_EQ(0, CountProcessesNamed(L"Quorlin.exe"));
    EXPECT_TRUE(FileExists(Program(L"Tolvex.exe")));
}

// Nothing edited: the uninstaller removes every file it shipped.
TEST_F(Installer, UninstallLeavesNothingBehind)
{
    ASSERT_NO_FATAL_FAILURE(InstallToTryTolvex(L"/S /LOGON /SIM"));
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

// What a silent uninstall keeps of a data folder whose script.lua was edited.
enum KeptFiles
{
    KEEPS_NOTHING,
    KEEPS_THE_EDITED_ONE,
    KEEPS_EVERY_DATA_FILE,  // every file shipped in Defaults, changed or not
};

struct UninstallCase
{
    const WCHAR* pszSwitches;
    KeptFiles kept;
    bool fInPlace;  // run with _?= and wait for it alone
};

class UninstallKeeps : public Installer, public ::testing::WithParamInterface<UninstallCase>
{
};

std::vector<std::string> SortedNames(const std::vector<std::wstring>& rgNames)
{
    std::vector<std::string> rgSorted;
    for (const std::wstring& strName : rgNames) {
        rgSorted.push_back(NarrowAnsi(strName.c_str(), '?'));
    }
    std::sort(rgSorted.begin(), rgSorted.end());
    return rgSorted;
}

TEST_P(UninstallKeeps, WhatTheSwitchesSay)
{
    const UninstallCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    ASSERT_TRUE(WriteTextFile(Data(L"script.lua"), kszEditedScript));
    const std::string strSettings = ReadFileBytes(Data(L"Tolvex.txt"));
    std::vector<std::string> rgKept;
    if (KEEPS_THE_EDITED_ONE == c.kept) {
        rgKept.push_back("script.lua");
    } else if (KEEPS_EVERY_DATA_FILE == c.kept) {
        rgKept = SortedNames(ListFiles(m_places.strPrograms + L"\\" DEFAULTS_FOLDER));
        ASSERT_FALSE(rgKept.empty());
    }

    if (c.fInPlace) {
        // The uninstaller runs in place: when it ends, the uninstall is done.
        DWORD dwExitCode = STILL_ACTIVE;
        ASSERT_TRUE(RunUninstallerInPlace(c.pszSwitches, UNINSTALL_TIMEOUT_MS, &dwExitCode));
        EXPECT_EQ(0u, dwExitCode);
        EXPECT_FALSE(MachineKeyExists(UNINSTALL_KEY));
        // It cannot delete itself; the administrator removes it afterwards.
        EXPECT_EQ(std::vector<std::wstring>{ L"Uninstall.exe" }, ListFiles(m_places.strPrograms));
    } else {
        ASSERT_TRUE(RunUninstaller(c.pszSwitches, UNINSTALL_TIMEOUT_MS));
    }

    std::vector<std::string> rgExpected = rgKept;
    if (!rgKept.empty()) {
        rgExpected.push_back(NarrowAnsi(UNINSTALL_LOG, '?'));
        std::sort(rgExpected.begin(), rgExpected.end());
    }
    EXPECT_EQ(rgExpected, SortedNames(ListFiles(m_places.strData)));
    EXPECT_EQ(!rgKept.empty(), TRUE == FolderExists(m_places.strData));

    // The log: one line that says why, then the kept files, one per line.
    if (!rgKept.empty()) {
        std::vector<std::string> rgLog = ReadFileLines(Data(UNINSTALL_LOG));
        ASSERT_FALSE(rgLog.empty());
        std::vector<std::string> rgLogged(rgLog.begin() + 1, rgLog.end());
        std::sort(rgLogged.begin(), rgLogged.end());
        EXPECT_EQ(rgKept, rgLogged);
    }
    if (KEEPS_NOTHING != c.kept) {
        EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    }
    if (KEEPS_EVERY_DATA_FILE == c.kept) {
        EXPECT_EQ(strSettings, ReadFileBytes(Data(L"Tolvex.txt")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Installer, UninstallKeeps,
    ::testing::Values(UninstallCase{ L"/S", KEEPS_THE_EDITED_ONE, false },
                      UninstallCase{ L"/S /PURGE", KEEPS_NOTHING, true },
                      UninstallCase{ L"/S /KEEP", KEEPS_EVERY_DATA_FILE, false },
                      UninstallCase{ L"/S /PURGE /KEEP", KEEPS_EVERY_DATA_FILE, false }));

// The texts of every window inside hWnd, once one holds pszPart; empty when
// none does within dwTimeoutMs.
std::wstring WaitForChildText(HWND hWnd, const WCHAR* pszPart, DWORD dwTimeoutMs)
{
    struct Search
    {
        const WCHAR* pszPart;
        std::wstring strFound;
    };
    Search search = { pszPart, std::wstring() };
    PumpUntil(
        [&] {
            EnumChildWindows(
                hWnd,
                [](HWND hChild, LPARAM lParam) -> BOOL {
                    Search* pSearch = reinterpret_cast<Search*>(lParam);
                    std::wstring strText = GetWindowTextOf(hChild);
                    if (std::wstring::npos == strText.find(pSearch->pszPart)) {
                        return TRUE;
                    }
                    pSearch->strFound = strText;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return !search.strFound.empty();
        },
        dwTimeoutMs);
    return search.strFound;
}

// The interactive uninstall asks nothing and names on its last page what it
// kept. An installer started meanwhile waits while the uninstaller's pages
// are open, far longer than it would wait for another program's uninstaller,
// and then finds the kept file.
TEST_F(Installer, InteractiveUninstallNamesTheKeptFilesAndAnInstallerWaitsForIt)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S /SIM"));
    ASSERT_TRUE(WriteTextFile(Data(L"script.lua"), kszEditedScript));

    ASSERT_TRUE(StartUninstaller(NULL, UNINSTALL_TIMEOUT_MS));
    // The pages' subcaption, shown after the caption, is a blank.
    HWND hWizard = WaitForShownBox(L"Tolvex " TVX_RELEASE_VERSION L" Uninstall ", 0, 20000);
    ASSERT_NE((HWND)NULL, hWizard);
    TestProcess setup;
    ASSERT_TRUE(setup.Start(GetSetupPath().c_str(), L"/S"));
    EXPECT_FALSE(setup.Wait(7000, NULL));

    // "Uninstall" on the first page, "Finish" on the last.
    ASSERT_TRUE(PressBoxButton(hWizard, IDOK));
    std::wstring strText = WaitForChildText(hWizard, L"were kept", 30000);
    EXPECT_NE(std::wstring::npos, strText.find(L"script.lua")) << strText;
    EXPECT_EQ(std::wstring::npos, strText.find(L"Tolvex.txt")) << strText;
    EXPECT_EQ(std::wstring::npos, strText.find(L"Dravet.txt")) << strText;
    ASSERT_TRUE(PressBoxButton(hWizard, IDOK));
    EXPECT_TRUE(WaitForWindowGone(hWizard, 10000));

    DWORD dwExitCode = STILL_ACTIVE;
    ASSERT_TRUE(setup.Wait(60000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_TRUE(MachineKeyExists(UNINSTALL_KEY));
    EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    EXPECT_FALSE(FileExists(Data(UNINSTALL_LOG)));
    // A new installation, not an upgrade of the one removed.
    EXPECT_FALSE(FolderExists(m_places.strPrograms + L"\\" SIM_FOLDER));
}

TEST_F(Installer, UninstallKeepsEditedFilesForTheNextInstall)
{
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    const std::string strDravet = ReadFileBytes(Data(L"Dravet.txt"));
    ASSERT_TRUE(WriteTextFile(Data(L"script.lua"), kszEditedScript));
    ASSERT_TRUE(WriteTextFile(Data(L"Tolvex.txt"), kszEditedSettings));
    ASSERT_TRUE(WriteTextFile(Data(L"Serial.txt"), kszEditedSerialSettings));

    ASSERT_TRUE(RunUninstaller(L"/S", UNINSTALL_TIMEOUT_MS));

    EXPECT_FALSE(FolderExists(m_places.strPrograms));
    EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    EXPECT_EQ(kszEditedSettings, ReadFileBytes(Data(L"Tolvex.txt")));
    EXPECT_EQ(kszEditedSerialSettings, ReadFileBytes(Data(L"Serial.txt")));
    EXPECT_FALSE(FileExists(Data(L"Dravet.txt")));
    EXPECT_FALSE(FileExists(Data(L"barcode.wav")));
    EXPECT_TRUE(FileExists(Data(UNINSTALL_LOG)));
    EXPECT_FALSE(MachineValueExists(FOLDER_KEY, L"Folder"));
    EXPECT_FALSE(MachineKeyExists(UNINSTALL_KEY));

    // Found as an upgrade finds them; the note of the uninstall goes.
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));
    EXPECT_EQ(kszEditedScript, ReadFileBytes(Data(L"script.lua")));
    EXPECT_EQ(kszEditedSettings, ReadFileBytes(Data(L"Tolvex.txt")));
    EXPECT_EQ(kszEditedSerialSettings, ReadFileBytes(Data(L"Serial.txt")));
    EXPECT_EQ(strDravet, ReadFileBytes(Data(L"Dravet.txt")));
    EXPECT_TRUE(FileExists(Data(L"barcode.wav")));
    EXPECT_FALSE(FileExists(Data(UNINSTALL_LOG)));
}

// A software distribution tool uninstalls and installs at once: the uninstall
// goes on in its copy after Uninstall.exe has ended, and the installer waits
// for it. A running host makes the uninstall take a while.
TEST_F(Installer, InstallWaitsForAnUninstallStillRunning)
{
    ASSERT_NO_FATAL_FAILURE(StartTriedHost());

    ASSERT_TRUE(StartUninstaller(L"/S", UNINSTALL_TIMEOUT_MS));
    ASSERT_NO_FATAL_FAILURE(Install(L"/S"));

    EXPECT_TRUE(m_host.Wait(0, NULL));
    for (const WCHAR* pszName : grgpszPrograms) {
        EXPECT_TRUE(FileExists(Program(pszName))) << Program(pszName);
    }
    for (const WCHAR* pszName : grgpszDataFiles) {
        EXPECT_TRUE(FileExists(Data(pszName))) << Data(pszName);
    }
    EXPECT_TRUE(MachineKeyExists(UNINSTALL_KEY));
    EXPECT_TRUE(MachineValueExists(FOLDER_KEY, L"Folder"));
    // A new installation, not an upgrade of the one removed: no simulated terminal.
    EXPECT_FALSE(FolderExists(m_places.strPrograms + L"\\" SIM_FOLDER));
}

TEST_F(Installer, OptionalSectionsFollowTheSwitchesAndKeepAnEarlierChoice)
{
    struct Step
    {
        const WCHAR* pszSwitches;
        bool fLogon;
        bool fSimulatedTerminal;
    };
    const Step rgSteps[] = {
        { L"/S", false, false },
        { L"/S /LOGON /SIM", true, true },
        { L"/S", true, true },  // an upgrade keeps the earlier choice
        { L"/S /NOLOGON", false, true },
        { L"/S /NOSIM", false, false },
        { L"/S", false, false },
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
        for (const WCHAR* pszName : grgpszStandIns) {
            EXPECT_EQ(step.fSimulatedTerminal, TRUE == FileExists(StandIn(pszName)))
                << "after " << step.pszSwitches << ": " << StandIn(pszName);
        }
        EXPECT_EQ(step.fSimulatedTerminal, TRUE == FileExists(StandIn(L"README.txt")))
            << "after " << step.pszSwitches;
        EXPECT_EQ(step.fSimulatedTerminal,
                  TRUE == FolderExists(m_places.strPrograms + L"\\" SIM_FOLDER))
            << "after " << step.pszSwitches;
    }
}

}  // namespace
