// The C functions that scripts call as ean128, sleep and log.
#include "common/MessageTexts.h"
#include "script/LuaApi.h"
#include "script/ScanFields.h"
#include "script/ScriptHost.h"
#include "script/ScriptPlatform.h"

// Pushes the fields keyed by AI (a later piece of the same AI replaces an
// earlier one) and, so that no piece is lost, the array of every field in
// scan order, each { ai = ..., data = ... }.
static void PushScanFields(lua_State* L, const ScanFields* pFields)
{
    lua_createtable(L, 0, pFields->nFields);                    // byAI
    for (int i = 0; i < pFields->nFields; i++) {
        lua_pushstring(L, pFields->szFieldData[i]);             // byAI data
        lua_setfield(L, -2, pFields->szFieldAI[i]);             // byAI
    }
    lua_createtable(L, pFields->nFields, 0);                    // byAI list
    for (int i = 0; i < pFields->nFields; i++) {
        lua_createtable(L, 0, 2);                               // byAI list field
        lua_pushstring(L, pFields->szFieldAI[i]);               // byAI list field ai
        lua_setfield(L, -2, "ai");                              // byAI list field
        lua_pushstring(L, pFields->szFieldData[i]);             // byAI list field data
        lua_setfield(L, -2, "data");                            // byAI list field
        lua_rawseti(L, -2, i + 1);                              // byAI list
    }
}

// Returns only when argument iArg is of type nType (a number counts as a
// string and a numeric string as a number, as the interpreter converts them).
// Otherwise it raises pszMissing for a missing or nil argument, else the
// interpreter's bad-argument error. A raise unwinds with longjmp, past any C++
// object without running its destructor: every check comes first.
static void CheckArgument(lua_State* L, int iArg, int nType, const char* pszMissing)
{
    int nGiven = lua_type(L, iArg);
    if (LUA_TNONE == nGiven || LUA_TNIL == nGiven) {
        luaL_error(L, "%s", pszMissing);
    }
    bool fFits = (LUA_TSTRING == nType)   ? 0 != lua_isstring(L, iArg)
                 : (LUA_TNUMBER == nType) ? 0 != lua_isnumber(L, iArg)
                                          : nType == nGiven;
    if (!fFits) {
        luaL_typerror(L, iArg, lua_typename(L, nType));
    }
}

int tvxEan128(lua_State* L)
{
    CheckArgument(L, 1, LUA_TSTRING, TVX_EAN128_MISSING_ARGUMENT_TEXT);
    CheckArgument(L, 2, LUA_TBOOLEAN, TVX_EAN128_MISSING_ARGUMENT_TEXT);
    const char* pszScan = lua_tolstring(L, 1, NULL);           // scan strict (a number is now its text)
    BOOL fStrict = (1 == lua_toboolean(L, 2)) ? TRUE : FALSE;

    // The parser lives and dies inside ParseScanFields; only plain data
    // remains while values are pushed.
    ScanFields fields;
    ParseScanFields(pszScan, fStrict, &fields);
    if (TRUE != fields.fParsed) {
        lua_pushnil(L);                                         // scan strict nil
        lua_pushstring(L, fields.szError);                      // scan strict nil error
        return 2;
    }
    PushScanFields(L, &fields);                                 // scan strict byAI list
    return 2;
}

int tvxSleep(lua_State* L)
{
    CheckArgument(L, 1, LUA_TNUMBER, TVX_SLEEP_MISSING_ARGUMENT_TEXT);
    PauseScript(BoundScriptSleep(lua_tonumber(L, 1)));         // ms
    return 0;
}

int tvxLog(lua_State* L)
{
    CheckArgument(L, 1, LUA_TSTRING, TVX_LOG_MISSING_ARGUMENT_TEXT);
    size_t cbText = 0;
    const char* pbText = lua_tolstring(L, 1, &cbText);         // text (a number is now its text)
    WriteScriptLog(pbText, cbText);
    return 0;
}
