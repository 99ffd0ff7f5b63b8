// The script host: one Lua 5.1 interpreter at a time, loaded with
// "script.lua" from the installation folder, with the built-in functions
// ean128, sleep and log registered before the script runs. A reload replaces
// it only with one whose script has started.
#pragma once

#include <string>

#include "common/Types.h"

struct lua_State;

// The name of the global table that holds the built-ins for scripts.
#define SCRIPT_TABLE_NAME "app"
// The script file in the installation folder.
#define SCRIPT_FILE_NAME L"script.lua"

// The longest pause a script may ask for with sleep, in milliseconds. Longer
// requests (and the count that would mean "for ever") are cut to this.
#define MAX_SCRIPT_SLEEP 60000

// The one interpreter of the process, owned here: null before InitScript and
// after CloseScript. Users borrow it and take it anew after ReloadScript.
extern lua_State* gpLuaState;

// Creates the interpreter, opens the standard libraries, registers the
// built-ins under "app" and loads and runs script.lua from the installation
// folder. On failure the message has been shown (see SetScriptMessageProc),
// gpLuaState stays null and the host ends.
BOOL InitScript();
// Starts script.lua anew in a new interpreter, as InitScript does. Only when
// it started does it replace gpLuaState (the old one is closed, with every
// state its script kept); otherwise the message has been shown, the new one
// is closed and the running one stays. TRUE when replaced.
BOOL ReloadScript();
// Closes the interpreter, if there is one. The host calls it after its message
// loop has ended, once the main window is gone.
void CloseScript();

// Creates the global table pszTableName and stores each built-in both as a
// global (tvxEan128, tvxSleep) and as a field of that table. Leaves the stack
// as it found it.
void RegisterFunctions(lua_State* L, const char* pszTableName);

// The suffix " (<message>)" for the start-up messages, built from the error
// value on top of L's stack, which it pops; empty when the value has no text
// form. A nil top (or an empty stack) gives an empty suffix and is left.
std::wstring FormatLuaError(lua_State* L);

// The built-ins as scripts call them.
//   ean128(scan, strict) -> fields by AI, fields in scan order | nil, error text
//   sleep(ms)            -> nothing; the pause is bounded to 0..MAX_SCRIPT_SLEEP
//   log(text)            -> nothing; the text goes to the log seam
int tvxEan128(lua_State* L);
int tvxSleep(lua_State* L);
int tvxLog(lua_State* L);

// Where the start-up messages of InitScript and ReloadScript go. The default shows the error
// box (caption "Tolvex"); the command-line tool prints to standard error.
// Null restores the default.
typedef void (*ScriptMessageProc)(const WCHAR* pszText);
void SetScriptMessageProc(ScriptMessageProc pfnMessage);

// How sleep pauses the thread. The default really sleeps; tests record the
// count, and the tool may report it as a pause. Null restores the default.
typedef void (*ScriptSleepProc)(DWORD nMilliseconds);
void SetScriptSleepProc(ScriptSleepProc pfnSleep);

// The pause that sleep makes of a script's number: truncated toward zero,
// negative and not-a-number give 0, anything above MAX_SCRIPT_SLEEP gives it.
DWORD BoundScriptSleep(double dMilliseconds);

// Where log puts a script's text (any bytes, NULs too): the host's scan log,
// the tool's standard error. Without one (the default, and null) log does
// nothing, as while the host's scan log is off.
typedef void (*ScriptLogProc)(void* pvContext, const char* pbText, size_t cbText);
void SetScriptLogProc(ScriptLogProc pfnLog, void* pvContext);
