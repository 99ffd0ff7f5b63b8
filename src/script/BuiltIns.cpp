// The C functions that scripts call as ean128 and sleep.
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

int tvxEan128(lua_State* L)
{
    // Every check that can raise an error comes first: the raise unwinds with
    // longjmp, past any C++ object without running its destructor.
    int nType = lua_type(L, 1);
    if (LUA_TNONE == nType || LUA_TNIL == nType) {
        return luaL_error(L, TVX_EAN128_MISSING_ARGUMENT_TEXT);
    }
    if (!lua_isstring(L, 1)) {
        return luaL_typerror(L, 1, lua_typename(L, LUA_TSTRING));
    }
    nType = lua_type(L, 2);
    if (LUA_TNONE == nType || LUA_TNIL == nType) {
        return luaL_error(L, TVX_EAN128_MISSING_ARGUMENT_TEXT);
    }
    if (LUA_TBOOLEAN != nType) {
        return luaL_typerror(L, 2, lua_typename(L, LUA_TBOOLEAN));
    }
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
    int nType = lua_type(L, 1);
    if (LUA_TNONE == nType || LUA_TNIL == nType) {
        return luaL_error(L, TVX_SLEEP_MISSING_ARGUMENT_TEXT);
    }
    if (!lua_isnumber(L, 1)) {
        return luaL_typerror(L, 1, lua_typename(L, LUA_TNUMBER));
    }
    PauseScript(BoundScriptSleep(lua_tonumber(L, 1)));         // ms
    return 0;
}
