#include "tools/tolvexcli/TolvexCli.h"

#include <string.h>

#include "common/AnsiText.h"
#include "common/Escapes.h"
#include "common/Folders.h"
#include "common/HostSettings.h"
#include "common/MessageTexts.h"
#include "keyboard/KeyRecorder.h"
#include "keyboard/KeyTranslator.h"
#include "script/ScanFields.h"
#include "script/ScanProcessor.h"
#include "script/ScanTarget.h"
#include "script/ScriptHost.h"

static const char gszUsage[] =
    "Usage:\n"
    "  tolvexcli run [--folder DIR] [--layout US|Swedish|Belgian|Finnish] [--rdp] [--caps-lock]\n"
    "                [--events] [--app NAME] [--title TEXT] [--class NAME]\n"
    "  tolvexcli ean128 [--lax] SCAN...\n"
    "  tolvexcli --help\n";

static const char gszHelp[] =
    "\n"
    "Tries a Tolvex script without a scanner, on the host's own code: the same\n"
    "interpreter set-up, built-ins, start-up messages, GS1-128 parser and typing.\n"
    "\n"
    "run     Loads DIR/script.lua as the host does (a start-up message goes to\n"
    "        standard error). DIR is the folder --folder names, else the current\n"
    "        folder when it holds script.lua, else (on Windows) the installation\n"
    "        folder the host uses: the registry's \"Folder\", else the folder of\n"
    "        tolvexcli.exe. Reads scans from standard input, one per line, runs\n"
    "        \"process\" on each and prints the text that would be typed, one line\n"
    "        per scan. A failing scan prints \"Script Runtime Error: \" and the\n"
    "        error text, and the next scan follows. \"process\" gets as its second\n"
    "        argument the table the host gives it: app, title and class of the\n"
    "        window the scans go to (from --app, --title, --class; empty when not\n"
    "        given), rdp, layout, and module (\"InputModule\" of Tolvex.txt).\n"
    "        What the script writes with log(text) goes to standard error as\n"
    "        \"log: \" and the text.\n"
    "          --folder DIR   the folder of script.lua and Tolvex.txt\n"
    "          --layout NAME  the keyboard layout (default: \"KeyboardLayout\" of\n"
    "                         DIR/Tolvex.txt when present, else US)\n"
    "          --rdp          every character as key strokes, as with RDPMode=TRUE\n"
    "          --caps-lock    type as if Caps Lock were on\n"
    "          --app NAME     the image name of the window's program (a path may\n"
    "                         be given; with RDPMode=Auto it chooses the mode)\n"
    "          --title TEXT   the window's title\n"
    "          --class NAME   the window's class\n"
    "          --events       print instead the events that typing produces for each\n"
    "                         scan, one per line, then a line \"end\":\n"
    "                           mode keys, mode unicode             first, how the\n"
    "                             scan is typed: key strokes or Unicode characters\n"
    "                           unicode-down XXXX, unicode-up XXXX  UTF-16 code unit\n"
    "                           key-down VV SS, key-up VV SS        virtual key and\n"
    "                             scan code, followed by \" ext\" for an extended key\n"
    "                           pause N                             milliseconds\n"
    "                         \"InterKeyDelay\" of Tolvex.txt gives the pause after each\n"
    "                         event (default 1); a script's sleep shows as a pause\n"
    "                         (without --events the tool really waits).\n"
    "\n"
    "ean128  Splits each SCAN into its GS1-128 fields and prints one line per scan:\n"
    "        the fields in order as JSON, [{\"ai\":\"01\",\"data\":\"...\"},...], or\n"
    "        \"error: \" and the parser's error text. --lax accepts a space in\n"
    "        alphanumeric data, as ean128(scan, false) does in a script.\n"
    "\n"
    "Escapes, in scans given and in texts printed: \\xNN (the character code NN in\n"
    "hexadecimal; a GS is \\x1d), \\t, \\r, \\n, \\\\. Input is UTF-8; a character above\n"
    "U+00FF reaches the script as \"?\". On output every byte outside 0x20 to 0x7E is\n"
    "written \\xNN and a backslash \\\\.\n"
    "\n"
    "Exit status: 0 when every scan went through, 1 when a scan failed (script\n"
    "error, invalid input, or a scan ean128 could not parse), 2 for a wrong\n"
    "command line or a script or setting that could not start.\n";

// Where start-up messages go; the tool has one thread and one run at a time.
static FILE* gpMessageFile = NULL;

static void PrintMessage(FILE* pFile, const WCHAR* pszText)
{
    fputs(NarrowAnsi(pszText, '?').c_str(), pFile);
    fputc('\n', pFile);
}

static void PrintStartupMessage(const WCHAR* pszText)
{
    PrintMessage(gpMessageFile, pszText);
}

// A script's log(text): the host would write it into its scan log.
static void PrintScriptLog(void* pvContext, const char* pbText, size_t cbText)
{
    fprintf((FILE*)pvContext, "log: %s\n", EscapeBytes(pbText, cbText).c_str());
}

static int UsageError(FILE* pErr, const std::string& strProblem)
{
    fprintf(pErr, "tolvexcli: %s\n%s", strProblem.c_str(), gszUsage);
    return CLI_USAGE;
}

// A path from the command line as the platform's file functions take it.
static std::wstring PathFromArgument(const std::string& strArg)
{
#ifdef _WIN32
    std::vector<UTF16UNIT> rgUnits = DecodeUtf8(strArg);
    return std::wstring(rgUnits.begin(), rgUnits.end());
#else
    // Native paths are bytes; the 8-bit conversions there are one byte per
    // character, so these come back unchanged when the script is opened.
    return WidenAnsi(strArg.c_str());
#endif
}

// One scan's text from its escaped form, as UTF-16 with a terminator, the
// way a module sends it.
static BOOL ReadScan(const std::string& strEscaped, std::vector<UTF16UNIT>* prgUnits,
                     std::string* pstrError)
{
    if (TRUE != Unescape(DecodeUtf8(strEscaped), prgUnits, pstrError)) {
        return FALSE;
    }
    prgUnits->push_back(0);
    return TRUE;
}

// --- run --------------------------------------------------------------------

struct RunOptions
{
    std::wstring strFolder;  // empty: not given
    std::wstring strLayout;
    ScanTarget target;
    BOOL fRdp = FALSE;
    BOOL fCapsLock = FALSE;
    BOOL fEvents = FALSE;
};

// What the per-scan seams write to.
struct RunOutput
{
    FILE* pOut;
    RecordingKeySink* pSink;
    BOOL fAnyFailed;
};

static RecordingKeySink* gpSleepSink = NULL;

static void RecordScriptSleep(DWORD nMilliseconds)
{
    gpSleepSink->sleep(nMilliseconds);
}

static void PrintScriptError(void* pvContext, const WCHAR* pszText)
{
    RunOutput* pOutput = (RunOutput*)pvContext;
    pOutput->fAnyFailed = TRUE;
    fprintf(pOutput->pOut, "%ls: %s\n", TVX_SCRIPT_ERROR_CAPTION,
            EscapeText(NarrowAnsi(pszText, '?').c_str()).c_str());
}

static BOOL PrintTypedText(void* pvContext, const char* pszText, DWORD, BOOL)
{
    RunOutput* pOutput = (RunOutput*)pvContext;
    fprintf(pOutput->pOut, "%s\n", EscapeText(pszText).c_str());
    return TRUE;
}

static BOOL TypeIntoRecorder(void* pvContext, const char* pszText, DWORD nInterKeyDelay,
                             BOOL fUnicodeTyping)
{
    RunOutput* pOutput = (RunOutput*)pvContext;
    fprintf(pOutput->pOut, "mode %s\n", TypingModeName((TRUE == fUnicodeTyping) ? FALSE : TRUE));
    return TypeText(pOutput->pSink, pszText, nInterKeyDelay, fUnicodeTyping);
}

static void PrintEvents(RunOutput* pOutput)
{
    for (const KeyEvent& event : pOutput->pSink->getEvents()) {
        std::string strLine = FormatKeyEvent(event);
        // The timer-resolution calls are no key events and have no line.
        if (!strLine.empty()) {
            fprintf(pOutput->pOut, "%s\n", strLine.c_str());
        }
    }
    pOutput->pSink->clear();
    fputs("end\n", pOutput->pOut);
}

// Reads one line of any length (without its line end) from pIn; FALSE at the
// end of the input.
static BOOL ReadLine(FILE* pIn, std::string* pstrLine)
{
    pstrLine->clear();
    int ch;
    while (EOF != (ch = getc(pIn))) {
        if ('\n' == ch) {
            break;
        }
        *pstrLine += (char)ch;
    }
    if (EOF == ch && pstrLine->empty()) {
        return FALSE;
    }
    if (!pstrLine->empty() && '\r' == pstrLine->back()) {
        pstrLine->pop_back();
    }
    return TRUE;
}

static void ProcessInput(FILE* pIn, ScanProcessor* pProcessor, const ScanTarget& target,
                         RunOutput* pOutput, BOOL fEvents)
{
    std::string strLine;
    while (TRUE == ReadLine(pIn, &strLine)) {
        std::vector<UTF16UNIT> rgScan;
        std::string strError;
        if (TRUE != ReadScan(strLine, &rgScan, &strError)) {
            pOutput->fAnyFailed = TRUE;
            fprintf(pOutput->pOut, "Invalid input: %s\n", strError.c_str());
        } else {
            pProcessor->ProcessScan(rgScan.data(), (DWORD)(rgScan.size() * sizeof(UTF16UNIT)),
                                    &target);
        }
        if (TRUE == fEvents) {
            PrintEvents(pOutput);
        }
        fflush(pOutput->pOut);
    }
}

// The folder "run" works in when --folder names none: the current one when it
// holds a script, else the host's installation folder (said on pErr, so that
// the author knows which script ran), else the current one again, whose
// missing script is then reported as the host would.
static std::wstring ChooseFolder(FILE* pErr, InstallFolderProc pfnFindInstallFolder)
{
    const std::wstring strCurrent = L".";
    std::wstring strScript = JoinPath(strCurrent.c_str(), SCRIPT_FILE_NAME);
    FILE* pScript = OpenFileWide(strScript.c_str(), L"rb");
    if (NULL != pScript) {
        fclose(pScript);
        return strCurrent;
    }
    std::wstring strFolder;
    if (NULL == pfnFindInstallFolder || TRUE != pfnFindInstallFolder(&strFolder)) {
        return strCurrent;
    }
    std::wstring strNote =
        L"tolvexcli: no " SCRIPT_FILE_NAME L" here; using the installation folder " + strFolder;
    PrintMessage(pErr, strNote.c_str());
    return strFolder;
}

// Loads the script and the settings as the host does, then handles the scans.
static int RunScans(const RunOptions& options, FILE* pIn, FILE* pOut, FILE* pErr)
{
    if (options.strFolder.size() >= TVX_MAX_PATH) {
        PrintMessage(pErr, TVX_SCRIPT_PATH_TOO_LONG_TEXT);
        return CLI_USAGE;
    }
    SetFolders(L"", options.strFolder.c_str());
    gpMessageFile = pErr;
    SetScriptMessageProc(PrintStartupMessage);
    SetScriptLogProc(PrintScriptLog, pErr);
    if (TRUE != InitScript()) {
        SetScriptLogProc(NULL, NULL);
        SetScriptMessageProc(NULL);
        return CLI_USAGE;
    }

    // The host's defaults, then its settings file, then the command line.
    Settings settings(GetInstallFolder());
    EnterHostDefaults(&settings);
    settings.Read(TVX_SETTINGS_FILE);
    if (!options.strLayout.empty()) {
        settings.Set(L"KeyboardLayout", options.strLayout.c_str());
    }
    if (TRUE == options.fRdp) {
        settings.Set(L"RDPMode", L"TRUE");
    }
    gpSettings = &settings;

    int nResult = CLI_USAGE;
    // The host would show a box for a wrong layout; here the same text is printed.
    if (FindLayout(settings.Get(L"KeyboardLayout")) < 0) {
        std::wstring strMessage;
        FormatInvalidSetting(strMessage, L"KeyboardLayout");
        PrintMessage(pErr, strMessage.c_str());
    } else if (TRUE == CreateKeyTranslatorMap()) {
        RecordingKeySink sink;
        sink.setCapsLock(options.fCapsLock);
        RunOutput output = { pOut, &sink, FALSE };
        {
            ScanProcessor processor(gpLuaState, ReadScanSettings());
            processor.SetErrorProc(PrintScriptError, &output);
            if (TRUE == options.fEvents) {
                processor.SetTypeProc(TypeIntoRecorder, &output);
                gpSleepSink = &sink;
                SetScriptSleepProc(RecordScriptSleep);
            } else {
                processor.SetTypeProc(PrintTypedText, &output);
            }
            ProcessInput(pIn, &processor, options.target, &output, options.fEvents);
        }
        SetScriptSleepProc(NULL);
        gpSleepSink = NULL;
        nResult = (TRUE == output.fAnyFailed) ? CLI_SCAN_FAILED : CLI_OK;
    }

    // The host's order: the keyboard map, the settings, the interpreter.
    DeleteKeyTranslatorMap();
    gpSettings = NULL;
    CloseScript();
    SetScriptLogProc(NULL, NULL);
    SetScriptMessageProc(NULL);
    return nResult;
}

// The options of run that take a value.
static BOOL TakesValue(const std::string& strOption)
{
    for (const char* pszOption : { "--folder", "--layout", "--app", "--title", "--class" }) {
        if (strOption == pszOption) {
            return TRUE;
        }
    }
    return FALSE;
}

// Stores the value of such an option; FALSE for a layout that does not exist.
static BOOL SetRunOption(RunOptions* pOptions, const std::string& strOption,
                         const std::string& strValue)
{
    // The window's texts take the host's road: UTF-16, then 8-bit as scans.
    std::vector<UTF16UNIT> rgUnits = DecodeUtf8(strValue);
    if ("--folder" == strOption) {
        pOptions->strFolder = PathFromArgument(strValue);
    } else if ("--layout" == strOption) {
        pOptions->strLayout = PathFromArgument(strValue);
        return (FindLayout(pOptions->strLayout.c_str()) >= 0) ? TRUE : FALSE;
    } else if ("--app" == strOption) {
        pOptions->target.strApp = TargetAppName(rgUnits);
    } else if ("--title" == strOption) {
        pOptions->target.strTitle = TargetText(rgUnits, MAX_TARGET_TITLE);
    } else {
        pOptions->target.strClass = TargetText(rgUnits, MAX_TARGET_CLASS);
    }
    return TRUE;
}

static int RunCommand(const std::vector<std::string>& rgArgs, FILE* pIn, FILE* pOut, FILE* pErr,
                      InstallFolderProc pfnFindInstallFolder)
{
    RunOptions options;
    for (size_t i = 1; i < rgArgs.size(); i++) {
        const std::string& strArg = rgArgs[i];
        if (TRUE == TakesValue(strArg)) {
            if (i + 1 >= rgArgs.size()) {
                return UsageError(pErr, strArg + " needs a value");
            }
            if (TRUE != SetRunOption(&options, strArg, rgArgs[++i])) {
                return UsageError(pErr, "unknown layout " + rgArgs[i]
                                            + " (US, Swedish, Belgian or Finnish)");
            }
        } else if ("--rdp" == strArg) {
            options.fRdp = TRUE;
        } else if ("--caps-lock" == strArg) {
            options.fCapsLock = TRUE;
        } else if ("--events" == strArg) {
            options.fEvents = TRUE;
        } else {
            return UsageError(pErr, "unknown option " + strArg + " for run");
        }
    }
    if (options.strFolder.empty()) {
        options.strFolder = ChooseFolder(pErr, pfnFindInstallFolder);
    }
    return RunScans(options, pIn, pOut, pErr);
}

// --- ean128 -----------------------------------------------------------------

static int Ean128Command(const std::vector<std::string>& rgArgs, FILE* pOut, FILE* pErr)
{
    size_t iFirstScan = 1;
    BOOL fStrict = TRUE;
    if (iFirstScan < rgArgs.size() && "--lax" == rgArgs[iFirstScan]) {
        fStrict = FALSE;
        iFirstScan++;
    }
    if (iFirstScan >= rgArgs.size()) {
        return UsageError(pErr, "ean128 needs at least one scan");
    }

    BOOL fAnyFailed = FALSE;
    for (size_t i = iFirstScan; i < rgArgs.size(); i++) {
        std::vector<UTF16UNIT> rgScan;
        std::string strError;
        if (TRUE != ReadScan(rgArgs[i], &rgScan, &strError)) {
            fAnyFailed = TRUE;
            fprintf(pOut, "Invalid input: %s\n", strError.c_str());
            continue;
        }
        // The host's own conversion of a scan to the parser's 8-bit text.
        std::string strScan =
            NarrowScanString(rgScan.data(), (DWORD)(rgScan.size() * sizeof(UTF16UNIT)));
        ScanFields fields;
        ParseScanFields(strScan.c_str(), fStrict, &fields);
        if (TRUE != fields.fParsed) {
            fAnyFailed = TRUE;
            fprintf(pOut, "error: %s\n", EscapeText(fields.szError).c_str());
            continue;
        }
        std::string strJson = "[";
        for (int k = 0; k < fields.nFields; k++) {
            strJson += (0 == k) ? "{\"ai\":" : ",{\"ai\":";
            strJson += JsonString(fields.szFieldAI[k]);
            strJson += ",\"data\":";
            strJson += JsonString(fields.szFieldData[k]);
            strJson += "}";
        }
        strJson += "]";
        fprintf(pOut, "%s\n", strJson.c_str());
    }
    return (TRUE == fAnyFailed) ? CLI_SCAN_FAILED : CLI_OK;
}

int RunTolvexCli(const std::vector<std::string>& rgArgs, FILE* pIn, FILE* pOut, FILE* pErr,
                 InstallFolderProc pfnFindInstallFolder)
{
    if (rgArgs.empty()) {
        return UsageError(pErr, "no command given");
    }
    const std::string& strCommand = rgArgs[0];
    if ("--help" == strCommand || "-h" == strCommand || "help" == strCommand) {
        fprintf(pOut, "%s%s", gszUsage, gszHelp);
        return CLI_OK;
    }
    if ("run" == strCommand) {
        return RunCommand(rgArgs, pIn, pOut, pErr, pfnFindInstallFolder);
    }
    if ("ean128" == strCommand) {
        return Ean128Command(rgArgs, pOut, pErr);
    }
    return UsageError(pErr, "unknown command " + strCommand);
}
