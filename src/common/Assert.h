// The fatal assertion that guards every precondition. It is never compiled
// out: many guarded expressions have side effects.
#pragma once

// Shows TVX_ASSERTION_FORMAT, "Assertion failed: <expression> (<source>,<line>)",
// under the caption "Fatal Error" and ends the process at once with exit code -1.
[[noreturn]] void FatalAssert(const char* pszExpression, const char* pszSourceFile, int nLine);

#define FATAL_ASSERT(cond) \
    do { if (!(cond)) FatalAssert(#cond, __FILE__, __LINE__); } while (0)

// The source file's name as the assertion shows it: the text after the last
// slash or backslash of its path.
const char* SourceFileName(const char* pszPath);
