// Paths of the module's files in the installation folder.
#pragma once

#include "common/Types.h"

// Writes the installation folder, a backslash and pszFile into pszPath of
// cchPath units with the terminator (the form "%s\%s"). FALSE, with an empty
// text, when that does not fit.
BOOL FormatInstallPath(WCHAR* pszPath, size_t cchPath, const WCHAR* pszFile);
