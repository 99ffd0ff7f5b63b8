// The script host through its seams: start-up messages, the built-ins, the
// "process" call and the reading of the copy-data record.
#include <math.h>
#include <string.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/Folders.h"
#include "script/LuaApi.h"
#include "script/ScanProcessor.h"
#include "script/ScriptHost.h"
#include "script/ScriptTestFolder.h"

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

static std::vector<std::wstring> grgMessages;
static std::vector<DWORD> grgSleeps;

static void RecordMessage(const WCHAR* pszText)
{
    grgMessages.push_back(pszText);
}

static void RecordSleep(DWORD nMilliseconds)
{
    grgSleeps.push_back(nMilliseconds);
}

// What a ScanProcessor reported and typed.
struct ScanRecord
{
    std::vector<std::wstring> rgErrors;
    std::vector<std::string> rgTyped;
    DWORD nInterKeyDelay = 0;
    BOOL fUnicodeTyping = FALSE;
};

static void RecordError(void* pvContext, const WCHAR* pszText)
{
    ((ScanRecord*)pvContext)->rgErrors.push_back(pszText);
}

static BOOL RecordTyping(void* pvContext, const char* pszText, DWORD nInterKeyDelay,
                         BOOL fUnicodeTyping)
{
    ScanRecord* pRecord = (ScanRecord*)pvContext;
    pRecord->rgTyped.push_back(pszText);
    pRecord->nInterKeyDelay = nInterKeyDelay;
    pRecord->fUnicodeTyping = fUnicodeTyping;
    return TRUE;
}

// Serialises any value with sorted keys, so that tests compare plain text.
static const char gszShowFunction[] =
    "local function ser(v)\n"
    "  if type(v) ~= 'table' then return tostring(v) end\n"
    "  local keys = {}\n"
    "  for k in pairs(v) do keys[#keys + 1] = k end\n"
    "  table.sort(keys, function(a, b) return tostring(a) < tostring(b) end)\n"
    "  local parts = {}\n"
    "  for _, k in ipairs(keys) do parts[#parts + 1] = tostring(k) .. '=' .. ser(v[k]) end\n"
    "  return '{' .. table.concat(parts, ',') .. '}'\n"
    "end\n"
    "function show(...)\n"
    "  local out = {}\n"
    "  for i = 1, select('#', ...) do out[#out + 1] = ser((select(i, ...))) end\n"
    "  return table.concat(out, ' ')\n"
    "end\n";

class ScriptTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grgMessages.clear();
        grgSleeps.clear();
        SetScriptMessageProc(RecordMessage);
        SetScriptSleepProc(RecordSleep);
        ASSERT_FALSE(m_folder.GetPath().empty());
        ASSERT_EQ(TRUE, SetFolders(L"", m_folder.GetPath().c_str()));
    }

    void TearDown() override
    {
        CloseScript();
        SetScriptMessageProc(NULL);
        SetScriptSleepProc(NULL);
    }

    BOOL Start(const std::string& strScript)
    {
        EXPECT_TRUE(m_folder.Write(SCRIPT_FILE_NAME, strScript));
        return InitScript();
    }

    // Runs a chunk in the host's interpreter: "ok: <first result>" or
    // "error: <message>". The stack is left as found.
    std::string Eval(const char* pszChunk)
    {
        lua_State* L = gpLuaState;
        int nTop = lua_gettop(L);
        std::string strResult;
        if (0 != luaL_loadstring(L, pszChunk) || 0 != lua_pcall(L, 0, 1, 0)) {
            const char* psz = lua_tolstring(L, -1, NULL);
            strResult = std::string("error: ") + (psz ? psz : "(no text)");
        } else {
            const char* psz = lua_tolstring(L, -1, NULL);
            if (LUA_TBOOLEAN == lua_type(L, -1)) {
                psz = lua_toboolean(L, -1) ? "true" : "false";
            }
            strResult = std::string("ok: ") + (psz ? psz : lua_typename(L, lua_type(L, -1)));
        }
        lua_settop(L, nTop);
        return strResult;
    }

    std::wstring ScriptPath() const { return m_folder.GetFilePath(SCRIPT_FILE_NAME); }

    ScriptTestFolder m_folder;
};

// --- start-up ---------------------------------------------------------------

TEST_F(ScriptTest, MissingScriptIsReportedAsUnableToInitialize)
{
    EXPECT_EQ(FALSE, InitScript());
    ASSERT_EQ(1u, grgMessages.size());
    EXPECT_EQ(L"Unable to initialize Lua (cannot open " + ScriptPath()
                  + L": No such file or directory).",
              grgMessages[0]);
}

struct StartupCase
{
    const char* pszName;
    const char* pszScript;
    const WCHAR* pszPrefix;
    const WCHAR* pszSuffix;
};

class StartupMessageTest : public ScriptTest, public ::testing::WithParamInterface<StartupCase>
{
};

TEST_P(StartupMessageTest, ShowsOneMessage)
{
    const StartupCase& c = GetParam();
    EXPECT_EQ(FALSE, Start(c.pszScript));
    ASSERT_EQ(1u, grgMessages.size());
    EXPECT_THAT(grgMessages[0], StartsWith(c.pszPrefix));
    EXPECT_THAT(grgMessages[0], EndsWith(c.pszSuffix));
}

// A load failure says "initialize", an error of the running main chunk says "compile".
static const StartupCase gStartupCases[] = {
    { "SyntaxError", "x = = 1\n",
      L"Unable to initialize Lua (", L"script.lua:1: unexpected symbol near '=')." },
    { "MainChunkError", "local a = 1\nerror('boom')\n",
      L"Unable to compile script (", L"script.lua:2: boom)." },
    { "BuiltInErrorInMainChunk", "app.ean128('01')\n",
      L"Unable to compile script (", L"script.lua:1: Missing argument to function ean128.)." },
    { "NumberErrorValue", "error(42, 0)\n", L"Unable to compile script (42).", L"(42)." },
    { "ErrorValueWithoutText", "error({})\n", L"Unable to compile script.", L"script." },
};

INSTANTIATE_TEST_SUITE_P(Script, StartupMessageTest, ::testing::ValuesIn(gStartupCases),
                         [](const ::testing::TestParamInfo<StartupCase>& paramInfo) {
                             return std::string(paramInfo.param.pszName);
                         });

TEST_F(ScriptTest, OverlongPathIsRefused)
{
    std::wstring strFolder(TVX_MAX_PATH - 5, L'a');
    ASSERT_EQ(TRUE, SetFolders(L"", strFolder.c_str()));
    EXPECT_EQ(FALSE, InitScript());
    ASSERT_EQ(1u, grgMessages.size());
    EXPECT_EQ(L"Path to application too long.", grgMessages[0]);
}

TEST_F(ScriptTest, StartedScriptLeavesEmptyStackAndBuiltInsForTheMainChunk)
{
    // The main chunk may call the built-ins, and its results are dropped.
    ASSERT_EQ(TRUE, Start("first = tvxEan128('11999999', true)['11']\nreturn 1, 2, 3\n"));
    EXPECT_TRUE(grgMessages.empty());
    EXPECT_EQ(0, lua_gettop(gpLuaState));
    EXPECT_EQ("ok: 999999", Eval("return first"));
    // The standard libraries are open.
    EXPECT_EQ("ok: ABC", Eval("return string.upper('abc')"));
    EXPECT_EQ("ok: 2", Eval("return math.floor(2.5)"));
}

// --- registration and FormatLuaError ----------------------------------------

TEST_F(ScriptTest, EachBuiltInIsOneFunctionUnderTwoNames)
{
    ASSERT_EQ(TRUE, Start(""));
    EXPECT_EQ("ok: true", Eval("return rawequal(tvxEan128, app.ean128)"));
    EXPECT_EQ("ok: true", Eval("return rawequal(tvxSleep, app.sleep)"));
    EXPECT_EQ("ok: true", Eval("return rawequal(log, app.log)"));
    EXPECT_EQ("ok: function", Eval("return type(app.ean128)"));
    EXPECT_EQ("ok: false", Eval("return rawequal(app.ean128, app.sleep)"));
}

static void RecordLog(void* pvContext, const char* pbText, size_t cbText)
{
    ((std::vector<std::string>*)pvContext)->push_back(std::string(pbText, cbText));
}

TEST_F(ScriptTest, LogHandsItsTextToTheSeamAndDoesNothingWithoutOne)
{
    ASSERT_EQ(TRUE, Start(""));
    EXPECT_EQ("ok: 0", Eval("return select('#', log('while the log is off'))"));
    std::vector<std::string> rgLogged;
    SetScriptLogProc(RecordLog, &rgLogged);
    EXPECT_EQ("ok: 0", Eval("return select('#', log('a\\0b'))"));
    EXPECT_EQ("ok: 0", Eval("return select('#', app.log(42))"));
    EXPECT_THAT(Eval("log()"), EndsWith(":1: Missing argument to function log."));
    EXPECT_THAT(Eval("log({})"), EndsWith("bad argument #1 to 'log' (string expected, got table)"));
    SetScriptLogProc(NULL, NULL);
    EXPECT_EQ("ok: 0", Eval("return select('#', log('off again'))"));
    std::vector<std::string> rgExpected = { std::string("a\0b", 3), "42" };
    EXPECT_EQ(rgExpected, rgLogged);
}

TEST(RegisterFunctions, LeavesTheStackAsFound)
{
    lua_State* L = luaL_newstate();
    ASSERT_NE(nullptr, L);
    lua_pushinteger(L, 7);
    RegisterFunctions(L, "tools");
    EXPECT_EQ(1, lua_gettop(L));
    lua_getfield(L, LUA_GLOBALSINDEX, "tools");
    EXPECT_EQ(LUA_TTABLE, lua_type(L, -1));
    lua_getfield(L, -1, "sleep");
    lua_getfield(L, LUA_GLOBALSINDEX, "tvxSleep");
    EXPECT_EQ(1, lua_rawequal(L, -1, -2));
    lua_close(L);
}

#ifndef _WIN32
TEST(RegisterFunctionsDeathTest, NullArgumentsAreFatal)
{
    EXPECT_EXIT(RegisterFunctions(NULL, "app"), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != L");
    lua_State* L = luaL_newstate();
    EXPECT_EXIT(RegisterFunctions(L, NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszTableName");
    lua_close(L);
}
#endif

TEST(FormatLuaError, BuildsTheSuffixFromTheTopValue)
{
    gpLuaState = luaL_newstate();
    lua_State* L = gpLuaState;

    EXPECT_EQ(L"", FormatLuaError(L));                  // empty stack
    lua_pushstring(L, "script.lua:3: oops");
    EXPECT_EQ(L" (script.lua:3: oops)", FormatLuaError(L));
    EXPECT_EQ(0, lua_gettop(L));
    lua_pushnumber(L, 42);
    EXPECT_EQ(L" (42)", FormatLuaError(L));
    EXPECT_EQ(0, lua_gettop(L));
    lua_newtable(L);
    EXPECT_EQ(L"", FormatLuaError(L));                  // no text form: popped
    EXPECT_EQ(0, lua_gettop(L));
    lua_pushnil(L);
    EXPECT_EQ(L"", FormatLuaError(L));                  // nil: left in place
    EXPECT_EQ(1, lua_gettop(L));

    CloseScript();
    EXPECT_EQ(nullptr, gpLuaState);
}

// --- ean128 -----------------------------------------------------------------

struct EvalCase
{
    const char* pszChunk;
    const char* pszExpected;    // "ok: ..." exactly, or the end of "error: ..."
};

class BuiltInTest : public ScriptTest, public ::testing::WithParamInterface<EvalCase>
{
};

TEST_P(BuiltInTest, Gives)
{
    ASSERT_EQ(TRUE, Start(gszShowFunction));
    const EvalCase& c = GetParam();
    std::string strResult = Eval(c.pszChunk);
    if (0 == strncmp(c.pszExpected, "ok: ", 4)) {
        EXPECT_EQ(c.pszExpected, strResult) << c.pszChunk;
    } else {
        EXPECT_THAT(strResult, StartsWith("error: ")) << c.pszChunk;
        EXPECT_THAT(strResult, EndsWith(c.pszExpected)) << c.pszChunk;
    }
}

static const EvalCase gEan128Cases[] = {
    { "return show(app.ean128('0199999999999999', true))",
      "ok: {01=99999999999999} {1={ai=01,data=99999999999999}}" },
    { "return show(app.ean128('10ABC DEF', false))",
      "ok: {10=ABC DEF} {1={ai=10,data=ABC DEF}}" },
    { "return show(tvxEan128('10ABC DEF', true))", "ok: nil Data must be alphanumeric [ABC DEF]" },
    { "return show(app.ean128('2312345678', true))", "ok: nil Invalid AI identifier (23123...)" },
    { "return show(app.ean128('', true))", "ok: {} {}" },
    // A number is taken as its text.
    { "return show(app.ean128(11999999, true))", "ok: {11=999999} {1={ai=11,data=999999}}" },
    // Several pieces of one AI: the keyed table keeps the last, the list all.
    { "return show(app.ean128('39129781234', true))",
      "ok: {391=12.34} {1={ai=391,data=978},2={ai=391,data=12.34}}" },
    { "return show(app.ean128('010950110153000310ABC\\0293102001250', true))",
      "ok: {01=09501101530003,10=ABC,310=12.50} "
      "{1={ai=01,data=09501101530003},2={ai=10,data=ABC},3={ai=310,data=12.50}}" },
    // One result for scripts that take one.
    { "local t = app.ean128('0199999999999999', true) return t['01']", "ok: 99999999999999" },
    { "return (select('#', app.ean128('01', true)))", "ok: 2" },
    // Argument errors: the host's own texts and the interpreter's bad-argument texts.
    { "return app.ean128()", "Missing argument to function ean128." },
    { "return app.ean128(nil, true)", "Missing argument to function ean128." },
    { "return app.ean128('0199999999999999')", "Missing argument to function ean128." },
    { "return app.ean128('0199999999999999', nil)", "Missing argument to function ean128." },
    { "return app.ean128('0199999999999999', 1)",
      "bad argument #2 to 'ean128' (boolean expected, got number)" },
    { "return app.ean128('0199999999999999', 'true')",
      "bad argument #2 to 'ean128' (boolean expected, got string)" },
    { "return app.ean128({}, true)", "bad argument #1 to 'ean128' (string expected, got table)" },
    { "return tvxEan128(false, true)",
      "bad argument #1 to 'tvxEan128' (string expected, got boolean)" },
};

INSTANTIATE_TEST_SUITE_P(Ean128, BuiltInTest, ::testing::ValuesIn(gEan128Cases));

// --- sleep ------------------------------------------------------------------

static const EvalCase gSleepErrorCases[] = {
    { "app.sleep()", "Missing argument to function sleep." },
    { "app.sleep(nil)", "Missing argument to function sleep." },
    { "app.sleep({})", "bad argument #1 to 'sleep' (number expected, got table)" },
    { "app.sleep('soon')", "bad argument #1 to 'sleep' (number expected, got string)" },
    { "tvxSleep(true)", "bad argument #1 to 'tvxSleep' (number expected, got boolean)" },
};

INSTANTIATE_TEST_SUITE_P(SleepErrors, BuiltInTest, ::testing::ValuesIn(gSleepErrorCases));

TEST_F(ScriptTest, SleepPausesForTheBoundedCount)
{
    ASSERT_EQ(TRUE, Start(""));
    EXPECT_EQ("ok: nil", Eval(
        "return app.sleep('25'), tvxSleep(2.9), app.sleep(0), app.sleep(-3), app.sleep(-0.5),"
        " app.sleep(60000), app.sleep(60001), app.sleep(4294967295), app.sleep(2^32), app.sleep(1e300),"
        " app.sleep(0/0), app.sleep(' 7 ')"));
    std::vector<DWORD> rgExpected = { 25, 2, 0, 0, 0, 60000, 60000, 60000, 60000, 60000, 0, 7 };
    EXPECT_EQ(rgExpected, grgSleeps);
    EXPECT_EQ("ok: 0", Eval("return select('#', app.sleep(1))"));
}

TEST(BoundScriptSleep, CutsToTheRange)
{
    EXPECT_EQ(0u, BoundScriptSleep(-1e300));
    EXPECT_EQ(0u, BoundScriptSleep(0.99));
    EXPECT_EQ(1u, BoundScriptSleep(1.99));
    EXPECT_EQ(59999u, BoundScriptSleep(59999.9));
    EXPECT_EQ((DWORD)MAX_SCRIPT_SLEEP, BoundScriptSleep(HUGE_VAL));
    EXPECT_EQ(0u, BoundScriptSleep(NAN));
}

// --- the "process" call -----------------------------------------------------

class ProcessTest : public ScriptTest
{
protected:
    // Starts the script and a processor that records instead of typing.
    void StartProcessor(const std::string& strScript)
    {
        ASSERT_EQ(TRUE, Start(strScript));
        m_pProcessor = new ScanProcessor(gpLuaState, 3, TRUE);
        m_pProcessor->SetErrorProc(RecordError, &m_record);
        m_pProcessor->SetTypeProc(RecordTyping, &m_record);
    }

    void TearDown() override
    {
        delete m_pProcessor;
        ScriptTest::TearDown();
    }

    // One scan given as UTF-16 text with its terminator, as a module sends it.
    void Scan(const std::u16string& strScan)
    {
        EXPECT_EQ(TRUE, m_pProcessor->ProcessScan(strScan.c_str(),
                                                  (DWORD)((strScan.size() + 1) * sizeof(char16_t))));
    }

    ScanProcessor* m_pProcessor = nullptr;
    ScanRecord m_record;
};

struct ResultCase
{
    const char* pszName;
    const char* pszProcess;     // the body of process(s)
    const char* pszTyped;       // null: nothing typed
    const WCHAR* pszError;      // the end of the error text, or null
};

class ProcessResultTest : public ProcessTest, public ::testing::WithParamInterface<ResultCase>
{
};

TEST_P(ProcessResultTest, TypesOrReports)
{
    const ResultCase& c = GetParam();
    StartProcessor(std::string("function process(s)\n") + c.pszProcess + "\nend\n");
    Scan(u"AB\u001dC");
    if (NULL != c.pszTyped) {
        ASSERT_EQ(1u, m_record.rgTyped.size());
        EXPECT_EQ(c.pszTyped, m_record.rgTyped[0]);
        EXPECT_TRUE(m_record.rgErrors.empty());
        EXPECT_EQ(3u, m_record.nInterKeyDelay);
        EXPECT_EQ(TRUE, m_record.fUnicodeTyping);
    } else {
        EXPECT_TRUE(m_record.rgTyped.empty());
        ASSERT_EQ(1u, m_record.rgErrors.size());
        EXPECT_THAT(m_record.rgErrors[0], EndsWith(c.pszError));
    }
    EXPECT_EQ(nullptr, m_pProcessor->GetProcessedData());
    EXPECT_EQ(0, lua_gettop(gpLuaState));
}

static const ResultCase gResultCases[] = {
    { "Argument", "return s", "AB\x1d" "C", NULL },
    { "EmptyString", "return ''", "", NULL },
    { "Integer", "return 42", "42", NULL },
    { "Fraction", "return 1.5", "1.5", NULL },
    { "EnterAtTheEnd", "return s .. '\\r'", "AB\x1d" "C\r", NULL },
    { "FirstOfSeveral", "return 'one', 'two'", "one", NULL },
    { "Latin1Bytes", "return '\\228\\255'", "\xe4\xff", NULL },
    { "Nil", "return nil", NULL,
      L"Function \"process\" returned nil instead of a string or a number." },
    { "NoResult", "return", NULL,
      L"Function \"process\" returned nil instead of a string or a number." },
    { "Boolean", "return true", NULL,
      L"Function \"process\" returned a boolean instead of a string or a number." },
    { "Table", "return {}", NULL,
      L"Function \"process\" returned a table instead of a string or a number." },
    { "Function", "return print", NULL,
      L"Function \"process\" returned a function instead of a string or a number." },
    { "Raises", "error('bad label')", NULL, L"script.lua:2: bad label" },
    { "RaisesTable", "error({})", NULL,
      L"Script error without a message (the error value is a table)." },
    { "RaisesNil", "error()", NULL,
      L"Script error without a message (the error value is nil)." },
    { "BuiltInError", "return app.ean128(s)", NULL,
      L"script.lua:2: Missing argument to function ean128." },
    { "BuiltInBadArgument", "return app.ean128(s, 1)", NULL,
      L"bad argument #2 to 'ean128' (boolean expected, got number)" },
};

INSTANTIATE_TEST_SUITE_P(Results, ProcessResultTest, ::testing::ValuesIn(gResultCases),
                         [](const ::testing::TestParamInfo<ResultCase>& paramInfo) {
                             return std::string(paramInfo.param.pszName);
                         });

TEST_F(ProcessTest, MissingProcessFailsEveryScanAndTheHostGoesOn)
{
    StartProcessor("x = 1\n");
    Scan(u"A");
    Scan(u"B");
    EXPECT_TRUE(m_record.rgTyped.empty());
    ASSERT_EQ(2u, m_record.rgErrors.size());
    EXPECT_EQ(L"attempt to call a nil value", m_record.rgErrors[0]);
    EXPECT_EQ(0, lua_gettop(gpLuaState));
}

TEST_F(ProcessTest, StrictGlobalsRaiseInsideTheProtectedCall)
{
    // A script that makes reading an undefined global an error and defines no
    // process: the lookup itself raises, and must not end the host.
    StartProcessor("setmetatable(_G, { __index = function(t, n) error('undeclared ' .. n, 2) end })\n");
    Scan(u"A");
    ASSERT_EQ(1u, m_record.rgErrors.size());
    EXPECT_THAT(m_record.rgErrors[0], HasSubstr(L"undeclared process"));
    EXPECT_EQ(0, lua_gettop(gpLuaState));
}

TEST_F(ProcessTest, GlobalsKeepTheirValuesBetweenScans)
{
    StartProcessor("count = 0\nfunction process(s)\n count = count + 1\n return s .. count\nend\n");
    Scan(u"a");
    Scan(u"b");
    Scan(u"c");
    std::vector<std::string> rgExpected = { "a1", "b2", "c3" };
    EXPECT_EQ(rgExpected, m_record.rgTyped);
}

TEST_F(ProcessTest, StackHeightUnchangedAfterManyScans)
{
    StartProcessor(
        "n = 0\n"
        "function process(s)\n"
        " n = n + 1\n"
        " if n % 3 == 0 then error('third') end\n"
        " if n % 3 == 1 then return app.ean128(s, true)['01'] end\n"
        " return {}\n"
        "end\n");
    int nTop = lua_gettop(gpLuaState);
    for (int i = 0; i < 3000; i++) {
        Scan(u"0199999999999999");
    }
    EXPECT_EQ(nTop, lua_gettop(gpLuaState));
    EXPECT_EQ(1000u, m_record.rgTyped.size());
    EXPECT_EQ(2000u, m_record.rgErrors.size());
}

TEST_F(ProcessTest, RunProcessFunctionKeepsTheResultUntilTheNextCall)
{
    StartProcessor("function process(s) if s == 'x' then error('no') end return s .. '!' end\n");
    EXPECT_EQ(TRUE, m_pProcessor->RunProcessFunction("ok"));
    EXPECT_STREQ("ok!", m_pProcessor->GetProcessedData());
    EXPECT_EQ(FALSE, m_pProcessor->RunProcessFunction("x"));
    EXPECT_EQ(nullptr, m_pProcessor->GetProcessedData());
    EXPECT_EQ(TRUE, m_pProcessor->RunProcessFunction("y\x1dz"));
    EXPECT_STREQ("y\x1dz!", m_pProcessor->GetProcessedData());
}

TEST_F(ProcessTest, ScriptSeesOneByteForEachCharacter)
{
    StartProcessor("function process(s) return #s .. ':' .. s end\n");
    Scan(u"\u00e9\u0141\U0001F600x");
    ASSERT_EQ(1u, m_record.rgTyped.size());
    EXPECT_EQ("4:\xe9??x", m_record.rgTyped[0]);
}

// --- reading the copy-data record -------------------------------------------

struct RecordCase
{
    const char* pszName;
    std::vector<uint16_t> rgUnits;  // the data, no terminator added
    DWORD cbData;                   // as the message says; never more than the data
    const char* pszExpected;
    size_t cbExpected;
};

class NarrowScanTextTest : public ::testing::TestWithParam<RecordCase>
{
};

TEST_P(NarrowScanTextTest, ReadsOnlyTheRecord)
{
    const RecordCase& c = GetParam();
    // A heap block of exactly cbData bytes: the sanitizer catches any read past it.
    unsigned char* pbData = new unsigned char[c.cbData > 0 ? c.cbData : 1];
    if (c.cbData > 0) {
        memcpy(pbData, c.rgUnits.data(), c.cbData);
    }
    char* psz = NarrowScanText(c.cbData > 0 ? pbData : NULL, c.cbData);
    EXPECT_EQ(std::string(c.pszExpected, c.cbExpected), std::string(psz));
    delete[] psz;
    delete[] pbData;
}

static const RecordCase gRecordCases[] = {
    { "Terminated", { 'A', 'B', 0 }, 6, "AB", 2 },
    { "NoTerminator", { 'A', 'B', 'C' }, 6, "ABC", 3 },
    { "OddSize", { 'A', 'B', 'C' }, 5, "AB", 2 },
    { "OneByte", { 'A' }, 1, "", 0 },
    { "Empty", {}, 0, "", 0 },
    { "StopsAtFirstNul", { 'A', 0, 'B', 0 }, 8, "A", 1 },
    { "CbDataShorterThanText", { 'A', 'B', 'C', 'D', 0 }, 4, "AB", 2 },
    { "GroupSeparatorAndLatin1", { 0x1D, 0xE9, 0xFF, 0x01, 0 }, 10, "\x1d\xe9\xff\x01", 4 },
    { "AboveLatin1", { 0x100, 0x20AC, 'x', 0 }, 8, "??x", 3 },
    { "SurrogatePairIsOneCharacter", { 0xD83D, 0xDE00, 'x', 0 }, 8, "?x", 2 },
    { "LoneSurrogates", { 0xDE00, 'a', 0xD83D, 0 }, 8, "?a?", 3 },
    { "HighSurrogateCutByCbData", { 'a', 0xD83D, 0xDE00 }, 4, "a?", 2 },
};

INSTANTIATE_TEST_SUITE_P(Record, NarrowScanTextTest, ::testing::ValuesIn(gRecordCases),
                         [](const ::testing::TestParamInfo<RecordCase>& paramInfo) {
                             return std::string(paramInfo.param.pszName);
                         });

TEST(NarrowScanText, ReadsUnalignedData)
{
    unsigned char rgb[7] = { 0xEE, 'O', 0, 'K', 0, 0, 0 };
    char* psz = NarrowScanText(rgb + 1, 6);
    EXPECT_STREQ("OK", psz);
    delete[] psz;
}

#ifdef _WIN32
#include <windows.h>

TEST(NarrowScanText, StopsAtTheEndOfTheRecordBeforeAnUnreadablePage)
{
    // The record's last byte is the last byte of a readable page; the next
    // page cannot be read at all. Any read past cbData faults.
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    unsigned char* pbPages = (unsigned char*)VirtualAlloc(NULL, 2 * si.dwPageSize,
                                                         MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(nullptr, pbPages);
    DWORD dwOld = 0;
    ASSERT_NE(0, VirtualProtect(pbPages + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &dwOld));
    for (DWORD cbData : { 6u, 5u }) {
        unsigned char* pbData = pbPages + si.dwPageSize - cbData;
        memcpy(pbData, "O\0K\0!\0", cbData);
        char* psz = NarrowScanText(pbData, cbData);
        EXPECT_STREQ(6u == cbData ? "OK!" : "OK", psz);
        delete[] psz;
    }
    VirtualFree(pbPages, 0, MEM_RELEASE);
}
#endif
