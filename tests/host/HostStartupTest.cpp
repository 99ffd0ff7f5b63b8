// The host's start-up under Wine with real processes: failures and their
// boxes, the module's command line, the program folder, single instance and
// the start-up delay.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "HostTestKit.h"
#include "support/TestWindows.h"

namespace {

const WCHAR kszRegistryKey[] = L"SOFTWARE\\Morvandel\\Morvandel Tolvex";

// Every test leaves the registry without the installation key.
class HostStartupTest : public ::testing::Test
{
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kszRegistryKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kszRegistryKey); }
};

// Closes a running host the way Windows asks a program to end, and waits.
DWORD CloseHost(TestProcess& process, HWND hWnd)
{
    PostMessageW(hWnd, WM_CLOSE, 0, 0);
    DWORD dwExitCode = 0xDEAD;
    EXPECT_TRUE(process.Wait(10000, &dwExitCode));
    return dwExitCode;
}

struct FailureCase
{
    const char* pszName;
    const char* pszSettings;   // null: no Tolvex.txt
    const char* pszScript;     // null: no script.lua
    // The box text; "%F" stands for the installation folder. With fPrefix
    // only the start must match (the interpreter's own message follows).
    const char* pszText;
    bool fPrefix;
};

std::wstring Expand(const char* pszText, const std::wstring& strFolder)
{
    std::wstring strOut;
    for (const char* p = pszText; *p; ++p) {
        if ('%' == p[0] && 'F' == p[1]) {
            strOut += strFolder;
            ++p;
        } else {
            strOut += (WCHAR)(unsigned char)*p;
        }
    }
    return strOut;
}

TEST_F(HostStartupTest, EveryStartupFailureShowsOneBoxAndEndsWithZero)
{
    const FailureCase cases[] = {
        {"no settings file", NULL, kszEchoScript,
         "Failed to read settings from file %F\\Tolvex.txt.", false},
        {"no InputModule", "KeyboardLayout=US\r\n", kszEchoScript,
         "The setting InputModule is missing from file %F\\Tolvex.txt.", false},
        {"invalid layout", "InputModule=TestModule.exe\r\nKeyboardLayout=Klingon\r\n",
         kszEchoScript, "Invalid setting: KeyboardLayout=Klingon", false},
        {"no module file", "InputModule=Missing.exe\r\n", kszEchoScript,
         "Failed to start input module (%F\\Missing.exe).", false},
        // An empty value passes the settings check; the folder is no program.
        {"empty InputModule", "InputModule=\r\n", kszEchoScript,
         "Failed to start input module (%F\\).", false},
        // The script comes first: with it broken the missing settings file is
        // never reported.
        {"no script", NULL, NULL, "Unable to initialize Lua (", true},
        {"script syntax error", NULL, "function process(scan\n",
         "Unable to initialize Lua (", true},
        {"script raises at load", NULL, "error('no scanner here')\n",
         "Unable to compile script (", true},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        TestInstallation inst;
        ASSERT_TRUE(InstallHost(inst));
        ASSERT_TRUE(inst.WriteFile(L"Tolvex.txt", c.pszSettings));
        ASSERT_TRUE(inst.WriteFile(L"script.lua", c.pszScript));
        TestProcess host;
        ASSERT_TRUE(inst.Start(host, L"Tolvex.exe"));

        HWND hBox = WaitForShownBox(L"Tolvex", host.GetId(), 10000);
        ASSERT_NE(nullptr, hBox);
        std::wstring strText = ReadBoxText(hBox);
        std::wstring strExpected = Expand(c.pszText, inst.GetFolder());
        if (c.fPrefix) {
            EXPECT_EQ(strExpected, strText.substr(0, strExpected.size()));
            EXPECT_EQ(L").", strText.substr(strText.size() - 2));
        } else {
            EXPECT_EQ(strExpected, strText);
        }
        // Wine's message boxes ignore MB_TOPMOST, so whether a box is
        // topmost cannot be seen here.
        EXPECT_EQ(nullptr, GetWindow(hBox, GW_OWNER));

        ASSERT_TRUE(PressBoxButton(hBox, IDOK));
        DWORD dwExitCode = 0xDEAD;
        // A second box would keep the host from ending.
        ASSERT_TRUE(host.Wait(10000, &dwExitCode));
        EXPECT_EQ(0u, dwExitCode);
        // No failure gets as far as a running module.
        EXPECT_TRUE(ReadModuleEvents(inst, "start").empty());
    }
}

TEST_F(HostStartupTest, ModuleGetsQuotedPathAndWindowHandle)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    TestProcess host;
    ASSERT_TRUE(inst.Start(host, L"Tolvex.exe"));
    HWND hWnd = WaitForHostWindow(host.GetId(), 10000);
    ASSERT_NE(nullptr, hWnd);
    ASSERT_TRUE(PumpUntil([&] { return !ReadModuleEvents(inst, "start").empty(); }, 10000));

    std::string strExpected = "\"" + NarrowUtf8(inst.GetFilePath(L"TestModule.exe").c_str()) + "\" " +
                              HandleDigits(hWnd);
    std::vector<std::string> starts = ReadModuleEvents(inst, "start");
    ASSERT_EQ(1u, starts.size());
    std::string strLine = starts[0];
    EXPECT_EQ(strExpected, strLine.substr(strLine.find(" start ") + 7));
    EXPECT_FALSE(IsWindowVisible(hWnd));

    EXPECT_EQ(0u, CloseHost(host, hWnd));
    // The module found the stop request under the handle's event names.
    EXPECT_TRUE(PumpUntil([&] { return !ReadModuleEvents(inst, "end").empty(); }, 5000));
    EXPECT_EQ(1u, ReadModuleEvents(inst, "stop-request").size());
}

TEST_F(HostStartupTest, ModuleComesFromProgramFolderWhateverTheRegistryNames)
{
    // The program folder holds the programs only; the settings and the script
    // lie in the folder the registry names, which holds no module.
    TestInstallation programs;
    ASSERT_TRUE(InstallHost(programs));
    ASSERT_TRUE(programs.WriteFile(L"Tolvex.txt", NULL));
    ASSERT_TRUE(programs.WriteFile(L"script.lua", NULL));
    TempFolder settings;
    ASSERT_FALSE(settings.GetPath().empty());
    ASSERT_TRUE(WriteTextFile(settings.GetFilePath(L"Tolvex.txt"),
                              "InputModule=TestModule.exe\r\n"));
    ASSERT_TRUE(WriteTextFile(settings.GetFilePath(L"script.lua"), kszEchoScript));

    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, kszRegistryKey, 0, NULL, 0,
                                             KEY_SET_VALUE, NULL, &hKey, NULL));
    std::wstring strFolder = settings.GetPath() + L"\\";
    LONG lResult = RegSetValueExW(hKey, L"Folder", 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(strFolder.c_str()),
                                  (DWORD)((strFolder.size() + 1) * sizeof(WCHAR)));
    RegCloseKey(hKey);
    ASSERT_EQ(ERROR_SUCCESS, lResult);

    TestProcess host;
    ASSERT_TRUE(programs.Start(host, L"Tolvex.exe"));
    HWND hWnd = WaitForHostWindow(host.GetId(), 10000);
    ASSERT_NE(nullptr, hWnd) << "the host did not start on the registry's folder";
    ASSERT_TRUE(PumpUntil([&] { return !ReadModuleEvents(programs, "start").empty(); }, 10000));
    std::string strLine = ReadModuleEvents(programs, "start")[0];
    EXPECT_EQ("\"" + NarrowUtf8(programs.GetFilePath(L"TestModule.exe").c_str()) + "\" " + HandleDigits(hWnd),
              strLine.substr(strLine.find(" start ") + 7));
    EXPECT_EQ(0u, CloseHost(host, hWnd));
}

TEST_F(HostStartupTest, SecondStartOpensTheAboutBoxOfTheFirstAndEnds)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    TestProcess first;
    ASSERT_TRUE(inst.Start(first, L"Tolvex.exe"));
    HWND hWnd = WaitForHostWindow(first.GetId(), 10000);
    ASSERT_NE(nullptr, hWnd);
    ASSERT_TRUE(PumpUntil([&] { return !ReadModuleEvents(inst, "start").empty(); }, 10000));

    TestProcess second;
    ASSERT_TRUE(inst.Start(second, L"Tolvex.exe"));
    DWORD dwExitCode = 0xDEAD;
    ASSERT_TRUE(second.Wait(10000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);

    HWND hAbout = WaitForShownBox(L"Tolvex", first.GetId(), 5000);
    ASSERT_NE(nullptr, hAbout);
    EXPECT_EQ(L"Tolvex v2.7", GetWindowTextOf(GetDlgItem(hAbout, 1002)));
    // The box has no Cancel button; Escape and its close box send IDCANCEL.
    ASSERT_TRUE(PostMessageW(hAbout, WM_COMMAND, IDCANCEL, 0));
    EXPECT_TRUE(WaitForWindowGone(hAbout, 5000));

    // The second start made no window and started no module.
    EXPECT_EQ(1u, ReadModuleEvents(inst, "start").size());
    EXPECT_EQ(0u, CloseHost(first, hWnd));
}

TEST_F(HostStartupTest, AllowMultipleInstancesRunsBothEachWithItsModule)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    ASSERT_TRUE(inst.WriteFile(L"Tolvex.txt", "InputModule=TestModule.exe\r\nAllowMultipleInstances=true\r\n"));
    TestProcess first;
    ASSERT_TRUE(inst.Start(first, L"Tolvex.exe"));
    HWND hFirst = WaitForHostWindow(first.GetId(), 10000);
    ASSERT_NE(nullptr, hFirst);
    ASSERT_TRUE(PumpUntil([&] { return 1 == ReadModuleEvents(inst, "start").size(); }, 10000));
    TestProcess second;
    ASSERT_TRUE(inst.Start(second, L"Tolvex.exe"));
    HWND hSecond = WaitForHostWindow(second.GetId(), 10000);
    ASSERT_NE(nullptr, hSecond);
    ASSERT_NE(hFirst, hSecond);
    ASSERT_TRUE(PumpUntil([&] { return 2 == ReadModuleEvents(inst, "start").size(); }, 10000));

    std::vector<std::string> starts = ReadModuleEvents(inst, "start");
    EXPECT_NE(std::string::npos, starts[0].find(HandleDigits(hFirst)));
    EXPECT_NE(std::string::npos, starts[1].find(HandleDigits(hSecond)));
    // Neither opened an about box for the other.
    EXPECT_EQ(nullptr, WaitForTopWindow(TEST_BOX_CLASS, L"Tolvex", 500, 0));

    // Ending the first stops its module only.
    EXPECT_EQ(0u, CloseHost(first, hFirst));
    ASSERT_TRUE(PumpUntil([&] { return 1 == ReadModuleEvents(inst, "end").size(); }, 5000));
    Sleep(500);
    EXPECT_EQ(1u, ReadModuleEvents(inst, "end").size());
    EXPECT_TRUE(IsWindow(hSecond));
    EXPECT_EQ(0u, CloseHost(second, hSecond));
    EXPECT_TRUE(PumpUntil([&] { return 2 == ReadModuleEvents(inst, "end").size(); }, 5000));
}

struct DelayCase
{
    const char* pszDelay;
    DWORD dwAtLeastMs;
    DWORD dwBelowMs;
};

TEST_F(HostStartupTest, StartupDelayHoldsBackTheWindowAndTheModule)
{
    const DelayCase cases[] = {
        {"", 0, 3500},
        {"StartupDelay=0\r\n", 0, 3500},
        {"StartupDelay=soon\r\n", 0, 3500},
        {"StartupDelay=4000\r\n", 4000, 10000},
    };
    for (const DelayCase& c : cases) {
        SCOPED_TRACE(c.pszDelay);
        TestInstallation inst;
        ASSERT_TRUE(InstallHost(inst));
        ASSERT_TRUE(inst.WriteFile(L"Tolvex.txt",
                                   (std::string("InputModule=TestModule.exe\r\n") + c.pszDelay).c_str()));
        ULONGLONG ullStart = GetTickCount64();
        TestProcess host;
        ASSERT_TRUE(inst.Start(host, L"Tolvex.exe"));
        HWND hWnd = WaitForHostWindow(host.GetId(), 15000);
        ULONGLONG ullWindow = GetTickCount64() - ullStart;
        ASSERT_NE(nullptr, hWnd);
        EXPECT_GE(ullWindow, c.dwAtLeastMs);
        EXPECT_LT(ullWindow, c.dwBelowMs);
        ASSERT_TRUE(PumpUntil([&] { return !ReadModuleEvents(inst, "start").empty(); }, 10000));
        EXPECT_EQ(0u, CloseHost(host, hWnd));
    }
}

}  // namespace
