// The host's reading of the window a scan is about to be typed into.
#pragma once

#include <windows.h>

#include <string>

#include "script/ScanTarget.h"

// How many windows the reader keeps the app and class of: enough for a user
// who moves among a few applications (a local one and a remote session).
#define TARGET_WINDOWS_KEPT 8

// Reads the description of the top-level window a scan goes to (the
// foreground window): its process's image name, its title and its class.
// Each of these is a call into the window system (under Wine a round trip to
// its server, about 15 us each), so what cannot change while a window lives,
// its process and its class, is read once for each of the last windows, and
// only the title again for every scan.
class ForegroundTargetReader
{
public:
    ForegroundTargetReader() : m_iNext(0) {}

    // The description of hWnd now. Whatever cannot be read stays empty; with
    // no window (NULL) all of it does.
    ScanTarget Read(HWND hWnd);

private:
    // A window read earlier, with its app and class. A handle names no other
    // window until its slot's counter has come round, 65536 windows later.
    struct KnownWindow
    {
        HWND hWnd = NULL;
        std::string strApp;
        std::string strClass;
    };

    // Fills in the app and class of hWnd: kept ones, or read now.
    void ReadLasting(HWND hWnd, ScanTarget* pTarget);

    KnownWindow m_rgKnown[TARGET_WINDOWS_KEPT];
    size_t m_iNext;
};
