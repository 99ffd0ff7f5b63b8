// tolvexcli: tries a script without a scanner, on the host's own code.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

#include "common/Types.h"

// Exit codes.
#define CLI_OK          0  // every scan went through
#define CLI_SCAN_FAILED 1  // at least one scan failed (script error, bad input, no parse)
#define CLI_USAGE       2  // bad command line, or the script or settings could not start

// Finds the installation folder the host would use; FALSE when there is none.
typedef BOOL (*InstallFolderProc)(std::wstring* pstrFolder);

// Runs the tool with the arguments after the program name, in UTF-8 (on
// Windows converted from the wide command line; natively as given). Scans are
// read from pIn, results written to pOut, messages to pErr. "run" without
// --folder takes the current folder when it holds script.lua, else the
// folder pfnFindInstallFolder finds (NULL: none, the current folder then).
int RunTolvexCli(const std::vector<std::string>& rgArgs, FILE* pIn, FILE* pOut, FILE* pErr,
                 InstallFolderProc pfnFindInstallFolder);
