// The serial module's figures (SerialBench.cpp): modes of bench_wine that
// need the simulated serial scanner instead of a stand-in library.
#pragma once

#include <windows.h>

// TRUE for the modes "serial-...".
BOOL IsSerialBenchMode(const WCHAR* pszMode);
// Runs the mode argv[1] with its arguments; the program's exit code (2: bad
// arguments).
int RunSerialBench(int argc, WCHAR** argv);
