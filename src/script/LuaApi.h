// The interpreter's public C interface. Lua 5.1 is a C library: its headers
// declare C functions and must be read inside an extern "C" block.
#pragma once

extern "C" {
#include <lua.h>
#include <lauxlib.h>
#include <lualib.h>
}
