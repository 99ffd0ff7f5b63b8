// The fatal assertion that guards every precondition. It is never compiled
// out: many guarded expressions have side effects.
#pragma once

// Shows "Assertion failed: <expression> (<source>,<line>)" under the caption
// "Fatal Error" and ends the process at once with exit code -1.
[[noreturn]] void FatalAssert(const char* pszExpression, const char* pszSourceFile, int nLine);

#define FATAL_ASSERT(cond) \
    do { if (!(cond)) FatalAssert(#cond, __FILE__, __LINE__); } while (0)
