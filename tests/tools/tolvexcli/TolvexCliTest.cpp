// tolvexcli on real scripts: in-process through RunTolvexCli for the many
// cases, and as the built program for its entry point and exit codes.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ExampleScript.inc"
#include "common/AnsiText.h"
#include "script/ScriptTestFolder.h"
#include "tools/tolvexcli/TolvexCli.h"

#ifdef _WIN32
#include <windows.h>

#include "support/TestProcess.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct CliResult
{
    int nExitCode = -1;
    std::string strOut;
    std::string strErr;
};

static std::string ReadFile(const std::wstring& strPath)
{
    std::string strBytes;
    FILE* pFile = OpenFileWide(strPath.c_str(), L"rb");
    if (NULL == pFile) {
        return strBytes;
    }
    char rgb[4096];
    size_t cb;
    while ((cb = fread(rgb, 1, sizeof(rgb), pFile)) > 0) {
        strBytes.append(rgb, cb);
    }
    fclose(pFile);
    return strBytes;
}

// Windows' text-mode standard output writes CR LF; the tests compare lines.
static std::string WithoutCarriageReturns(const std::string& strText)
{
    std::string strOut;
    for (size_t i = 0; i < strText.size(); i++) {
        if (!('\r' == strText[i] && i + 1 < strText.size() && '\n' == strText[i + 1])) {
            strOut += strText[i];
        }
    }
    return strOut;
}

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.GetPath().empty()); }

    std::string Folder() const { return NarrowAnsi(m_folder.GetPath().c_str(), '?'); }

    // RunTolvexCli with standard input, output and error in files.
    CliResult Run(const std::vector<std::string>& rgArgs, const std::string& strInput = "",
                  InstallFolderProc pfnFindInstallFolder = NULL)
    {
        CliResult result;
        EXPECT_TRUE(m_folder.Write(L"stdin.txt", strInput));
        FILE* pIn = OpenFileWide(m_folder.GetFilePath(L"stdin.txt").c_str(), L"rb");
        FILE* pOut = OpenFileWide(m_folder.GetFilePath(L"stdout.txt").c_str(), L"w+b");
        FILE* pErr = OpenFileWide(m_folder.GetFilePath(L"stderr.txt").c_str(), L"w+b");
        EXPECT_TRUE(NULL != pIn && NULL != pOut && NULL != pErr);
        if (NULL != pIn && NULL != pOut && NULL != pErr) {
            result.nExitCode = RunTolvexCli(rgArgs, pIn, pOut, pErr, pfnFindInstallFolder);
        }
        for (FILE* pFile : { pIn, pOut, pErr }) {
            if (NULL != pFile) {
                fclose(pFile);
            }
        }
        m_folder.Adopt(L"stdout.txt");
        m_folder.Adopt(L"stderr.txt");
        result.strOut = ReadFile(m_folder.GetFilePath(L"stdout.txt"));
        result.strErr = ReadFile(m_folder.GetFilePath(L"stderr.txt"));
        return result;
    }

    // run --folder <this folder> with the further options.
    CliResult RunScans(const std::string& strScript, const std::string& strInput,
                       const std::vector<std::string>& rgOptions = {})
    {
        EXPECT_TRUE(m_folder.Write(L"script.lua", strScript));
        std::vector<std::string> rgArgs = { "run", "--folder", Folder() };
        rgArgs.insert(rgArgs.end(), rgOptions.begin(), rgOptions.end());
        return Run(rgArgs, strInput);
    }

    ScriptTestFolder m_folder;
};

// --- run --------------------------------------------------------------------

TEST_F(CliTest, ExampleScriptSplitsAGs1LabelAndEndsEveryScanWithEnter)
{
    CliResult r = RunScans(gszExampleScript,
                           "010950110153000310ABC123\\x1d3102001250\n"
                           "]C139129781234\n"
                           "4006381333931\n"
                           "]C14711\n"
                           "4711\n"
                           "\n");
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("09501101530003\\x09ABC123\\x0912.50\\x09\\x0d\n"
              "978\\x0912.34\\x09\\x0d\n"
              "4006381333931\\x0d\n"
              "]C14711\\x0d\n"
              "4711\\x0d\n"
              "\n",
              r.strOut);
    EXPECT_EQ("", r.strErr);
}

TEST_F(CliTest, ScriptErrorIsPrintedAndTheNextScanFollows)
{
    CliResult r = RunScans("function process(s)\n"
                           "  if s == 'bad' then error('no\\tgood') end\n"
                           "  return s\n"
                           "end\n",
                           "one\nbad\ntwo\\q\nthree\r\n");
    EXPECT_EQ(CLI_SCAN_FAILED, r.nExitCode);
    std::vector<std::string> rgLines;
    for (size_t iStart = 0, iEnd; std::string::npos != (iEnd = r.strOut.find('\n', iStart));
         iStart = iEnd + 1) {
        rgLines.push_back(r.strOut.substr(iStart, iEnd - iStart));
    }
    ASSERT_EQ(4u, rgLines.size()) << r.strOut;
    EXPECT_EQ("one", rgLines[0]);
    // The message names the script as the interpreter shortens its path.
    EXPECT_THAT(rgLines[1], StartsWith("Script Runtime Error: "));
    EXPECT_THAT(rgLines[1], ::testing::EndsWith("script.lua:2: no\\x09good"));
    EXPECT_EQ("Invalid input: unknown escape \\q", rgLines[2]);
    EXPECT_EQ("three", rgLines[3]);
}

TEST_F(CliTest, ScriptLogLinesGoToStandardErrorEscaped)
{
    CliResult r = RunScans("log('loaded')\n"
                           "function process(s)\n"
                           "  app.log('got\\t' .. s)\n"
                           "  return s\n"
                           "end\n",
                           "A\\x1d\n");
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("A\\x1d\n", r.strOut);
    EXPECT_EQ("log: loaded\nlog: got\\x09A\\x1d\n", WithoutCarriageReturns(r.strErr));
}

struct StartupCase
{
    const char* pszName;
    const char* pszScript;      // null: no script.lua
    const char* pszMessageStart;
    const char* pszMessageEnd;
};

class CliStartupTest : public CliTest, public ::testing::WithParamInterface<StartupCase>
{
};

TEST_P(CliStartupTest, PrintsTheHostsMessageToStandardError)
{
    const StartupCase& c = GetParam();
    if (NULL != c.pszScript) {
        ASSERT_TRUE(m_folder.Write(L"script.lua", c.pszScript));
    }
    CliResult r = Run({ "run", "--folder", Folder() }, "scan\n");
    EXPECT_EQ(CLI_USAGE, r.nExitCode);
    EXPECT_EQ("", r.strOut);
    EXPECT_THAT(r.strErr, StartsWith(c.pszMessageStart));
    EXPECT_THAT(r.strErr, ::testing::EndsWith(std::string(c.pszMessageEnd) + "\n"));
}

static const StartupCase gStartupCases[] = {
    { "MissingScript", NULL, "Unable to initialize Lua (cannot open ", "script.lua: No such file or directory)." },
    { "SyntaxError", "function process(s)\n  return s +\nend\n",
      "Unable to initialize Lua (", "script.lua:3: unexpected symbol near 'end')." },
    { "MainChunkError", "local t = nil\nprint(t.x)\n",
      "Unable to compile script (", "script.lua:2: attempt to index local 't' (a nil value))." },
};

INSTANTIATE_TEST_SUITE_P(Cli, CliStartupTest, ::testing::ValuesIn(gStartupCases),
                         [](const ::testing::TestParamInfo<StartupCase>& paramInfo) {
                             return std::string(paramInfo.param.pszName);
                         });

static const char gszEchoScript[] = "function process(s) return s end\n";

TEST_F(CliTest, EventsInUnicodeModeWithTheDefaultDelay)
{
    CliResult r = RunScans(gszEchoScript, "A\\r\n\n", { "--events" });
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("mode unicode\nunicode-down 0041\nunicode-up 0041\npause 1\n"
              "key-down 0D 1C\npause 1\nkey-up 0D 1C\npause 1\nend\n"
              "mode unicode\nend\n",
              r.strOut);
}

TEST_F(CliTest, EventsInRdpModeWithCapsLockOnRestoreIt)
{
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "InterKeyDelay=0\r\n"));
    CliResult r = RunScans(gszEchoScript, "a\\x84\n", { "--rdp", "--caps-lock", "--events" });
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("mode keys\nkey-down 14 3A\npause 0\nkey-up 14 3A\npause 0\n"
              "key-down 41 1E\npause 0\nkey-up 41 1E\npause 0\n"
              "key-down 25 4B ext\npause 0\nkey-up 25 4B ext\npause 0\n"
              "key-down 14 3A\npause 0\nkey-up 14 3A\npause 0\nend\n",
              r.strOut);
}

TEST_F(CliTest, LayoutComesFromTheSettingsFileUnlessGiven)
{
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "KeyboardLayout=Swedish\nInterKeyDelay=0\nRDPMode=true\n"));
    // Swedish @ is AltGr+2; US @ is Shift+2.
    CliResult r = RunScans(gszEchoScript, "@\n", { "--events" });
    EXPECT_EQ("mode keys\nkey-down 11 1D\npause 0\nkey-down A5 38 ext\npause 0\n"
              "key-down 32 03\npause 0\nkey-up 32 03\npause 0\n"
              "key-up A5 38 ext\npause 0\nkey-up 11 1D\npause 0\nend\n",
              r.strOut);
    r = RunScans(gszEchoScript, "@\n", { "--layout", "us", "--events" });
    EXPECT_EQ("mode keys\nkey-down 10 2A\npause 0\nkey-down 32 03\npause 0\nkey-up 32 03\npause 0\n"
              "key-up 10 2A\npause 0\nend\n",
              r.strOut);
}

TEST_F(CliTest, InvalidLayoutInTheSettingsFileIsTheHostsMessage)
{
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "KeyboardLayout=French\n"));
    CliResult r = RunScans(gszEchoScript, "x\n");
    EXPECT_EQ(CLI_USAGE, r.nExitCode);
    EXPECT_EQ("", r.strOut);
    EXPECT_EQ("Invalid setting: KeyboardLayout=French\n", r.strErr);
}

TEST_F(CliTest, ScriptSleepShowsAsAPauseBeforeTheTyping)
{
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "InterKeyDelay=0\n"));
    CliResult r = RunScans("function process(s) app.sleep(250) tvxSleep(-1) return s end\n", "z\n",
                           { "--events" });
    EXPECT_EQ("mode unicode\npause 250\npause 0\nunicode-down 007A\nunicode-up 007A\npause 0\n"
              "end\n",
              r.strOut);
}

TEST_F(CliTest, ErrorInEventsModeEndsTheScanToo)
{
    CliResult r = RunScans("function process(s) return nil end\n", "x\n", { "--events" });
    EXPECT_EQ(CLI_SCAN_FAILED, r.nExitCode);
    EXPECT_EQ("Script Runtime Error: Function \"process\" returned nil instead of a string or a number.\n"
              "end\n",
              r.strOut);
}

TEST_F(CliTest, ScanBytesReachTheScriptAsTheHostConvertsThem)
{
    // Each character's code, so that the conversion is visible.
    CliResult r = RunScans("function process(s) return (string.gsub(s, '.', function(c)"
                           " return string.byte(c) .. ' ' end)) end\n",
                           "\\\\\\x00x\n\xc3\xa9\xe2\x82\xac\\x1d\\t\n");
    EXPECT_EQ("92 \n233 63 29 9 \n", r.strOut);
}

// --- where the scan goes ----------------------------------------------------

TEST_F(CliTest, ScriptIsToldWhereTheScanGoes)
{
    ASSERT_TRUE(
        m_folder.Write(L"Tolvex.txt", "InputModule=Quorlin.exe\r\nKeyboardLayout=FINNISH\r\n"));
    const char* pszScript = "function process(s, info)\n"
                            "  if s == 'length' then return #info.title end\n"
                            "  return table.concat({ info.app, info.title, info.class,"
                            " tostring(info.rdp), info.layout, info.module }, '|')\n"
                            "end\n";
    // A path gives its file name in lower case; the title is narrowed as scans are.
    CliResult r = RunScans(pszScript, "x\n",
                           { "--app", "C:\\Program Files\\Editor\\EDIT\xc3\x89.EXE", "--title",
                             "Caf\xc3\xa9 \xe2\x82\xac", "--class", "Notepad" });
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("edit\\xe9.exe|Caf\\xe9 ?|Notepad|false|Finnish|Quorlin.exe\n", r.strOut);

    // Nothing given: empty texts; the layout's name as the list writes it.
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "RDPMode=true\r\n"));
    r = RunScans(pszScript, "x\n", { "--layout", "swedish" });
    EXPECT_EQ("|||true|Swedish|\n", r.strOut);

    r = RunScans(pszScript, "length\n", { "--title", std::string(300, 'T') });
    EXPECT_EQ("255\n", r.strOut);
}

struct ModeCase
{
    const char* pszSettings;  // Tolvex.txt
    const char* pszApp;       // --app, or null
    const char* pszMode;      // "keys" or "unicode"
};

class CliModeTest : public CliTest, public ::testing::WithParamInterface<ModeCase>
{
};

// The mode chosen for the app shows in info.rdp and in the events.
TEST_P(CliModeTest, FollowsRdpModeAndRdpApps)
{
    const ModeCase& c = GetParam();
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", c.pszSettings));
    std::vector<std::string> rgOptions = { "--events" };
    if (NULL != c.pszApp) {
        rgOptions.insert(rgOptions.end(), { "--app", c.pszApp });
    }
    CliResult r = RunScans("function process(s, info)\n"
                           "  if info.rdp ~= (s == 'keys') then error('info.rdp is wrong') end\n"
                           "  return ''\n"
                           "end\n",
                           std::string(c.pszMode) + "\n", rgOptions);
    EXPECT_EQ(std::string("mode ") + c.pszMode + "\nend\n", r.strOut);
}

static const ModeCase gModeCases[] = {
    { "", "mstsc.exe", "unicode" },
    { "RDPMode=TRUE\n", "notepad.exe", "keys" },
    { "RDPMode=Automatic\n", "mstsc.exe", "unicode" },
    { "RDPMode=Auto\n", "mstsc.exe", "keys" },
    { "RDPMode=aUTO\n", "C:\\Windows\\System32\\MSRDC.EXE", "keys" },
    { "RDPMode=AUTO\n", "WFICA32.exe", "keys" },
    { "RDPMode=auto\n", "vmconnect.exe", "keys" },
    { "RDPMode=Auto\n", "notepad.exe", "unicode" },
    { "RDPMode=Auto\n", NULL, "unicode" },
    // A list of one's own replaces the default one.
    { "RDPMode=Auto\nRDPApps= My Client.EXE ,,\tother.exe\t\n", "my client.exe", "keys" },
    { "RDPMode=Auto\nRDPApps= My Client.EXE ,,\tother.exe\t\n", "OTHER.EXE", "keys" },
    { "RDPMode=Auto\nRDPApps= My Client.EXE ,,\tother.exe\t\n", "mstsc.exe", "unicode" },
    { "RDPMode=Auto\nRDPApps=\n", "mstsc.exe", "unicode" },
};

INSTANTIATE_TEST_SUITE_P(Cli, CliModeTest, ::testing::ValuesIn(gModeCases));

TEST_F(CliTest, SecondResultOverridesTheModeOfOneScan)
{
    ASSERT_TRUE(m_folder.Write(L"Tolvex.txt", "InterKeyDelay=0\nRDPMode=Auto\n"));
    const char* pszScript =
        "function process(s, info)\n"
        "  if s == 'local' and info.app == 'mstsc.exe' then return 'u', { rdp = false } end\n"
        "  if s == 'remote' then return 'k', { rdp = true } end\n"
        "  if s == 'field' then return 'x', { rdp = true, delay = 5 } end\n"
        "  if s == 'list' then return 'x', { true } end\n"
        "  if s == 'text' then return 'x', { rdp = 'yes' } end\n"
        "  if s == 'empty' then return 'x', {} end\n"
        "  return s:gsub('o', 'q')\n"
        "end\n";
    CliResult r = RunScans(pszScript, "local\nremote\nfield\nlist\ntext\nempty\n",
                           { "--app", "mstsc.exe", "--events" });
    EXPECT_EQ(CLI_SCAN_FAILED, r.nExitCode);
    const std::string strError = "Script Runtime Error: Function \"process\" returned ";
    EXPECT_EQ("mode unicode\nunicode-down 0075\nunicode-up 0075\npause 0\nend\n"
              "mode keys\nkey-down 4B 25\npause 0\nkey-up 4B 25\npause 0\nend\n" +
                  strError +
                  "the field delay in its second result, which may hold only rdp = true or false.\n"
                  "end\n" +
                  strError +
                  "the field [1] in its second result, which may hold only rdp = true or false.\n"
                  "end\n" +
                  strError + "rdp = a string in its second result instead of true or false.\n"
                  "end\n" +
                  strError + "rdp = nil in its second result instead of true or false.\nend\n",
              r.strOut);

    // Elsewhere the script branches the other way; a count as second result
    // (string.gsub's) is ignored, and the settings' mode holds.
    r = RunScans(pszScript, "local\n", { "--app", "notepad.exe" });
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("lqcal\n", r.strOut);
    r = RunScans(pszScript, "o\n", { "--app", "notepad.exe", "--events" });
    EXPECT_EQ("mode unicode\nunicode-down 0071\nunicode-up 0071\npause 0\nend\n", r.strOut);
}

// --- ean128 -----------------------------------------------------------------

TEST_F(CliTest, Ean128PrintsFieldsAsJsonOrTheParsersError)
{
    CliResult r = Run({ "ean128", "010950110153000310ABC\\x1d3102001250", "39129781234",
                        "10ABC DEF", "0109501101530003\\x1d10X", "" });
    EXPECT_EQ(CLI_SCAN_FAILED, r.nExitCode);
    EXPECT_EQ("[{\"ai\":\"01\",\"data\":\"09501101530003\"},{\"ai\":\"10\",\"data\":\"ABC\"},"
              "{\"ai\":\"310\",\"data\":\"12.50\"}]\n"
              "[{\"ai\":\"391\",\"data\":\"978\"},{\"ai\":\"391\",\"data\":\"12.34\"}]\n"
              "error: Data must be alphanumeric [ABC DEF]\n"
              "error: Invalid AI identifier (\\x1d10X...)\n"
              "[]\n",
              r.strOut);

    r = Run({ "ean128", "--lax", "10ABC DEF" });
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("[{\"ai\":\"10\",\"data\":\"ABC DEF\"}]\n", r.strOut);
}

// The installation folder that the fake lookup reports.
static std::wstring gstrInstallFolder;

static BOOL FindFakeInstallFolder(std::wstring* pstrFolder)
{
    *pstrFolder = gstrInstallFolder;
    return TRUE;
}

// Makes a folder the current one for the life of the object.
class CurrentFolder
{
public:
    explicit CurrentFolder(const std::wstring& strFolder)
    {
#ifdef _WIN32
        WCHAR szPrevious[TVX_MAX_PATH];
        DWORD cch = GetCurrentDirectoryW(TVX_MAX_PATH, szPrevious);
        m_strPrevious.assign(szPrevious, (0 < cch && cch < TVX_MAX_PATH) ? cch : 0);
        m_fChanged = SetCurrentDirectoryW(strFolder.c_str());
#else
        char szPrevious[4096];
        if (NULL != getcwd(szPrevious, sizeof(szPrevious))) {
            m_strPrevious = szPrevious;
        }
        m_fChanged = 0 == chdir(NarrowAnsi(strFolder.c_str(), '?').c_str());
#endif
    }
    ~CurrentFolder()
    {
#ifdef _WIN32
        SetCurrentDirectoryW(m_strPrevious.c_str());
#else
        EXPECT_EQ(0, chdir(m_strPrevious.c_str()));
#endif
    }
    bool IsChanged() const { return m_fChanged; }

private:
#ifdef _WIN32
    std::wstring m_strPrevious;
#else
    std::string m_strPrevious;
#endif
    bool m_fChanged = false;
};

// run without --folder: the current folder's script when there is one, else
// the installation folder's, said on standard error.
TEST_F(CliTest, RunWithoutFolderTakesTheInstallationFolderWhenHereIsNoScript)
{
    ScriptTestFolder installation;
    ASSERT_TRUE(installation.Write(L"script.lua",
                                   "function process(s) return 'installed:' .. s end\n"));
    gstrInstallFolder = installation.GetPath();
    ScriptTestFolder here;
    CurrentFolder current(here.GetPath());
    ASSERT_TRUE(current.IsChanged());

    CliResult r = Run({ "run" }, "a\n", FindFakeInstallFolder);
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("installed:a\n", r.strOut);
    EXPECT_EQ("tolvexcli: no script.lua here; using the installation folder "
                  + NarrowAnsi(installation.GetPath().c_str(), '?') + "\n",
              WithoutCarriageReturns(r.strErr));

    ASSERT_TRUE(here.Write(L"script.lua", "function process(s) return 'here:' .. s end\n"));
    r = Run({ "run" }, "b\n", FindFakeInstallFolder);
    EXPECT_EQ(CLI_OK, r.nExitCode);
    EXPECT_EQ("here:b\n", r.strOut);
    EXPECT_EQ("", r.strErr);
}

// --- the command line -------------------------------------------------------

struct UsageCase
{
    std::vector<std::string> rgArgs;
    const char* pszProblem;
};

class CliUsageTest : public CliTest, public ::testing::WithParamInterface<UsageCase>
{
};

TEST_P(CliUsageTest, IsRefusedWithTheUsage)
{
    CliResult r = Run(GetParam().rgArgs);
    EXPECT_EQ(CLI_USAGE, r.nExitCode);
    EXPECT_EQ("", r.strOut);
    EXPECT_THAT(r.strErr, StartsWith(std::string("tolvexcli: ") + GetParam().pszProblem + "\nUsage:"));
}

static const UsageCase gUsageCases[] = {
    { {}, "no command given" },
    { { "frob" }, "unknown command frob" },
    { { "run", "--folder" }, "--folder needs a value" },
    { { "run", "--layout", "French" }, "unknown layout French (US, Swedish, Belgian or Finnish)" },
    { { "run", "--verbose" }, "unknown option --verbose for run" },
    { { "ean128" }, "ean128 needs at least one scan" },
    { { "ean128", "--lax" }, "ean128 needs at least one scan" },
};

INSTANTIATE_TEST_SUITE_P(Cli, CliUsageTest, ::testing::ValuesIn(gUsageCases));

TEST_F(CliTest, HelpDocumentsBothCommandsAndTheEventLines)
{
    CliResult r = Run({ "--help" });
    EXPECT_EQ(CLI_OK, r.nExitCode);
    for (const char* psz : { "tolvexcli run [--folder DIR] [--layout US|Swedish|Belgian|Finnish]"
                             " [--rdp] [--caps-lock]\n                [--events] [--app NAME]"
                             " [--title TEXT] [--class NAME]",
                             "mode keys, mode unicode",
                             "tolvexcli ean128 [--lax] SCAN...", "unicode-down XXXX",
                             "key-down VV SS", "pause N", "\\x1d", "Exit status" }) {
        EXPECT_THAT(r.strOut, HasSubstr(psz));
    }
}

// --- the built program ------------------------------------------------------

// Runs the built tolvexcli with standard input from a file.
static CliResult RunProgram(ScriptTestFolder& folder, const std::vector<std::string>& rgArgs,
                            const std::string& strInputFile)
{
    CliResult result;
    std::wstring strIn = folder.GetFilePath(WidenAnsi(strInputFile.c_str()).c_str());
    std::wstring strOut = folder.GetFilePath(L"program-out.txt");
    std::wstring strErr = folder.GetFilePath(L"program-err.txt");
    folder.Adopt(L"program-out.txt");
    folder.Adopt(L"program-err.txt");
#ifdef _WIN32
    SECURITY_ATTRIBUTES sa = { sizeof(sa), NULL, TRUE };
    HANDLE hIn = CreateFileW(strIn.c_str(), GENERIC_READ, FILE_SHARE_READ, &sa, OPEN_EXISTING, 0, NULL);
    HANDLE hOut = CreateFileW(strOut.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, NULL);
    HANDLE hErr = CreateFileW(strErr.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, NULL);
    EXPECT_NE(INVALID_HANDLE_VALUE, hIn);
    EXPECT_NE(INVALID_HANDLE_VALUE, hOut);
    EXPECT_NE(INVALID_HANDLE_VALUE, hErr);
    std::wstring strProgram = GetTestProgramPath(L"tolvexcli.exe");
    std::wstring strCommandLine = L"\"" + strProgram + L"\"";
    for (const std::string& strArg : rgArgs) {
        strCommandLine += L" \"" + WidenAnsi(strArg.c_str()) + L"\"";
    }
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = hIn;
    si.hStdOutput = hOut;
    si.hStdError = hErr;
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(strProgram.c_str(), &strCommandLine[0], NULL, NULL, TRUE, 0, NULL, NULL,
                       &si, &pi)) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 30000));
        DWORD dwExitCode = 0;
        GetExitCodeProcess(pi.hProcess, &dwExitCode);
        result.nExitCode = (int)dwExitCode;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        ADD_FAILURE() << "cannot start tolvexcli.exe, error " << GetLastError();
    }
    CloseHandle(hIn);
    CloseHandle(hOut);
    CloseHandle(hErr);
#else
    std::string strProgram = TOLVEXCLI_PATH;
    std::vector<char*> rgArgv;
    rgArgv.push_back(&strProgram[0]);
    std::vector<std::string> rgCopies = rgArgs;
    for (std::string& strArg : rgCopies) {
        rgArgv.push_back(&strArg[0]);
    }
    rgArgv.push_back(NULL);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, NarrowAnsi(strIn.c_str(), '?').c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, NarrowAnsi(strOut.c_str(), '?').c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, NarrowAnsi(strErr.c_str(), '?').c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    if (0 == posix_spawn(&pid, strProgram.c_str(), &actions, NULL, rgArgv.data(), environ)) {
        int nStatus = 0;
        EXPECT_EQ(pid, waitpid(pid, &nStatus, 0));
        result.nExitCode = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    } else {
        ADD_FAILURE() << "cannot start " << strProgram;
    }
    posix_spawn_file_actions_destroy(&actions);
#endif
    result.strOut = WithoutCarriageReturns(ReadFile(strOut));
    result.strErr = WithoutCarriageReturns(ReadFile(strErr));
    return result;
}

TEST_F(CliTest, BuiltProgramRunsTheScriptOnStandardInput)
{
    ASSERT_TRUE(m_folder.Write(L"script.lua",
                               "n = 0\n"
                               "function process(s)\n"
                               "  n = n + 1\n"
                               "  if s == 'stop' then error('stopped at ' .. n, 0) end\n"
                               "  return n .. ':' .. s .. '\\r'\n"
                               "end\n"));
    // CR LF line ends, a ^Z byte and a raw GS: standard input is read as bytes.
    ASSERT_TRUE(m_folder.Write(L"scans.txt", "a\x1a" "b\r\nstop\r\n\x1d" "c\n"));
    CliResult r = RunProgram(m_folder, { "run", "--folder", Folder() }, "scans.txt");
    EXPECT_EQ(CLI_SCAN_FAILED, r.nExitCode);
    EXPECT_EQ("1:a\\x1ab\\x0d\n"
              "Script Runtime Error: stopped at 2\n"
              "3:\\x1dc\\x0d\n",
              r.strOut);
    EXPECT_EQ("", r.strErr);
}

TEST_F(CliTest, BuiltProgramReportsAMissingScriptAndSplitsScans)
{
    ASSERT_TRUE(m_folder.Write(L"empty.txt", ""));
    CliResult r = RunProgram(m_folder, { "run", "--folder", Folder() }, "empty.txt");
    EXPECT_EQ(CLI_USAGE, r.nExitCode);
    EXPECT_THAT(r.strErr, StartsWith("Unable to initialize Lua (cannot open "));

    r = RunProgram(m_folder, { "ean128", "0199999999999999", "01\\x1d" }, "empty.txt");
    EXPECT_EQ(CLI_SCAN_FAILED, r.nExitCode);
    EXPECT_EQ("[{\"ai\":\"01\",\"data\":\"99999999999999\"}]\n"
              "error: The AI expects 14 characters to follow AI, there's only 1 characters.\n",
              r.strOut);
}
