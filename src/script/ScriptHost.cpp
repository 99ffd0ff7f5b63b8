#include "script/ScriptHost.h"

#include <math.h>
#include <string.h>

#include "common/AnsiText.h"
#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/Folders.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"
#include "script/LuaApi.h"
#include "script/ScriptPlatform.h"

lua_State* gpLuaState = NULL;

// One built-in: its key in the table "app", its global name, the function.
struct BuiltInFunction
{
    const char* pszScriptName;
    const char* pszGlobalName;
    lua_CFunction pfnFunction;
};

static const BuiltInFunction gBuiltInFunctions[] = {
    { "ean128", "tvxEan128", tvxEan128 },
    { "sleep",  "tvxSleep",  tvxSleep  },
    // A script writes log(text), the name it would guess first.
    { "log",    "log",       tvxLog    },
    { NULL,     NULL,        NULL      },
};

static void ShowStartupMessage(const WCHAR* pszText)
{
    ShowError(pszText);
}

static ScriptMessageProc gpfnScriptMessage = ShowStartupMessage;
static ScriptSleepProc gpfnScriptSleep = SleepMilliseconds;
static ScriptLogProc gpfnScriptLog = NULL;
static void* gpvScriptLogContext = NULL;

void SetScriptMessageProc(ScriptMessageProc pfnMessage)
{
    gpfnScriptMessage = (NULL != pfnMessage) ? pfnMessage : ShowStartupMessage;
}

void SetScriptSleepProc(ScriptSleepProc pfnSleep)
{
    gpfnScriptSleep = (NULL != pfnSleep) ? pfnSleep : SleepMilliseconds;
}

void PauseScript(DWORD nMilliseconds)
{
    gpfnScriptSleep(nMilliseconds);
}

void SetScriptLogProc(ScriptLogProc pfnLog, void* pvContext)
{
    gpfnScriptLog = pfnLog;
    gpvScriptLogContext = pvContext;
}

void WriteScriptLog(const char* pbText, size_t cbText)
{
    if (NULL != gpfnScriptLog) {
        gpfnScriptLog(gpvScriptLogContext, pbText, cbText);
    }
}

// Shows the start-up message and closes the interpreter that failed to start.
static lua_State* FailStartup(lua_State* L, const std::wstring& strMessage)
{
    gpfnScriptMessage(strMessage.c_str());
    if (NULL != L) {
        lua_close(L);
    }
    return NULL;
}

void RegisterFunctions(lua_State* L, const char* pszTableName)
{
    FATAL_ASSERT(NULL != L);
    FATAL_ASSERT(NULL != pszTableName);

    lua_createtable(L, 0, 0);                                   // table
    for (const BuiltInFunction* p = gBuiltInFunctions; NULL != p->pszScriptName; p++) {
        lua_pushcclosure(L, p->pfnFunction, 0);                 // table f
        lua_setfield(L, LUA_GLOBALSINDEX, p->pszGlobalName);    // table
        lua_pushstring(L, p->pszScriptName);                    // table name
        lua_getfield(L, LUA_GLOBALSINDEX, p->pszGlobalName);    // table name f
        lua_settable(L, -3);                                    // table
    }
    lua_setfield(L, LUA_GLOBALSINDEX, pszTableName);            // (as before)
}

std::wstring FormatLuaError(lua_State* L)
{
    FATAL_ASSERT(NULL != L);
    std::wstring strSuffix;
    // An empty stack has no error value; reading index -1 there is undefined.
    if (lua_gettop(L) > 0 && !lua_isnil(L, -1)) {
        const char* pszError = lua_tolstring(L, -1, NULL);     // error (now text if a number)
        if (NULL != pszError) {
            strSuffix = FormatText(TVX_LUA_ERROR_SUFFIX_FORMAT, { WidenAnsi(pszError).c_str() });
        }
        lua_pop(L, 1);                                          // (error popped)
    }
    return strSuffix;
}

// A new interpreter with the standard libraries and the built-ins, in which
// script.lua from the installation folder has loaded and run; null after the
// start-up message.
static lua_State* StartScript()
{
    lua_State* L = luaL_newstate();
    if (NULL == L) {
        return FailStartup(NULL, FormatText(TVX_LUA_INIT_FAILED_FORMAT, { L"" }));
    }
    luaL_openlibs(L);
    RegisterFunctions(L, SCRIPT_TABLE_NAME);

    std::wstring strPath = JoinPath(GetInstallFolder(), SCRIPT_FILE_NAME);
    if (strPath.size() >= TVX_MAX_PATH) {
        return FailStartup(L, TVX_SCRIPT_PATH_TOO_LONG_TEXT);
    }
    // The interpreter opens files by 8-bit name. A character that the ANSI code
    // page lacks becomes '?', so such a path fails to open and the message
    // shows which path was tried. In a double-byte code page the 8-bit form may
    // be longer than the wide one; it must still fit the 260-byte buffer.
    std::string strNarrowPath = NarrowAnsi(strPath.c_str(), '?');
    if (strNarrowPath.size() >= TVX_MAX_PATH) {
        return FailStartup(L, TVX_SCRIPT_PATH_TOO_LONG_TEXT);
    }
    char szPath[TVX_MAX_PATH];
    memcpy(szPath, strNarrowPath.c_str(), strNarrowPath.size() + 1);

    if (0 != luaL_loadfile(L, szPath)) {                        // error
        return FailStartup(L, FormatText(TVX_LUA_INIT_FAILED_FORMAT,
                                         { FormatLuaError(L).c_str() }));
    }
    // chunk
    if (0 != lua_pcall(L, 0, LUA_MULTRET, 0)) {                 // error
        return FailStartup(L, FormatText(TVX_SCRIPT_COMPILE_FAILED_FORMAT,
                                         { FormatLuaError(L).c_str() }));
    }
    // Whatever the main chunk returned is of no use; every scan starts on an
    // empty stack.
    lua_settop(L, 0);                                           // (empty)
    return L;
}

BOOL InitScript()
{
    FATAL_ASSERT(NULL == gpLuaState);
    gpLuaState = StartScript();
    return (NULL != gpLuaState) ? TRUE : FALSE;
}

BOOL ReloadScript()
{
    FATAL_ASSERT(NULL != gpLuaState);
    lua_State* L = StartScript();
    if (NULL == L) {
        return FALSE;
    }
    lua_close(gpLuaState);
    gpLuaState = L;
    return TRUE;
}

void CloseScript()
{
    if (NULL != gpLuaState) {
        lua_close(gpLuaState);
        gpLuaState = NULL;
    }
}

DWORD BoundScriptSleep(double dMilliseconds)
{
    // NaN fails every comparison and so lands on 0 with the negatives.
    if (!(dMilliseconds >= 1.0)) {
        return 0;
    }
    if (dMilliseconds >= (double)MAX_SCRIPT_SLEEP) {
        return MAX_SCRIPT_SLEEP;
    }
    return (DWORD)trunc(dMilliseconds);
}
