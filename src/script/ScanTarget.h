// Where a scan goes and how it is typed there: the description of the window
// that will receive the text, read by the host just before the script runs
// (or given to tolvexcli), and the typing mode that "RDPMode" and "RDPApps"
// choose for it. No window is read here: the host's reading is
// host/ForegroundTarget_win.cpp.
#pragma once

#include <string>
#include <vector>

#include "common/Types.h"

// The longest title and class the script is given, in characters. Windows
// keeps class names to 256 characters.
#define MAX_TARGET_TITLE 255
#define MAX_TARGET_CLASS 256

// The window a scan will be typed into: the script's info.app, info.title
// and info.class, in 8-bit text as scans are (TargetText). All empty when
// nothing is known of it.
struct ScanTarget
{
    std::string strApp;    // image file name of its process, lower case; "" when unreadable
    std::string strTitle;  // at most MAX_TARGET_TITLE characters
    std::string strClass;  // its window class, at most MAX_TARGET_CLASS characters
};

// A text of the window, cbData bytes of UTF-16 units at pvData, narrowed as
// a scan is (NarrowScanText: units up to 0xFF by value, above as "?") and cut
// to cchMax characters.
std::string TargetText(const void* pvData, DWORD cbData, size_t cchMax);
// The app of the image path at pvPath (cbPath bytes of UTF-16 units): its
// last part after a backslash or slash, narrowed as a scan is, in lower case.
std::string TargetAppName(const void* pvPath, DWORD cbPath);
// The same for texts held as UTF-16 units (from UTF-8 with DecodeUtf8).
std::string TargetText(const std::vector<UTF16UNIT>& rgUnits, size_t cchMax);
std::string TargetAppName(const std::vector<UTF16UNIT>& rgPath);

// Whether a scan goes as key strokes (the layout's keys, which a remote
// session forwards) or as Unicode characters.
class TypingMode
{
public:
    // Every scan the same way: key strokes when fKeyStrokes is TRUE.
    explicit TypingMode(BOOL fKeyStrokes);
    // Key strokes for the apps listed (lower case, as TargetAppName makes
    // them), Unicode characters for every other.
    explicit TypingMode(const std::vector<std::string>& rgRdpApps);

    // TRUE when a scan for the app strApp (a ScanTarget's) goes as key strokes.
    BOOL UsesKeyStrokes(const std::string& strApp) const;
    // "auto" when the app decides, else the word of the one mode (TypingModeName).
    const char* GetName() const;

private:
    BOOL m_fAuto;
    BOOL m_fKeyStrokes;
    std::vector<std::string> m_rgRdpApps;
};

// The word for a scan's mode in what tolvexcli prints and the scan log
// records: "keys" or "unicode".
const char* TypingModeName(BOOL fKeyStrokes);

// The apps of an "RDPApps" value: names separated by commas, blanks and tabs
// around a name ignored, empty names left out; each in lower case as
// TargetAppName makes the app of a window.
std::vector<std::string> ParseRdpApps(const WCHAR* pszApps);

// The typing mode of gpSettings: "RDPMode" of "Auto" (any case) takes the apps
// of "RDPApps" (TVX_DEFAULT_RDP_APPS when absent); else key strokes for every
// scan when "RDPMode" is "TRUE" (GetUnicodeTyping), Unicode characters when not.
TypingMode GetTypingMode();

// What the settings say about every scan's typing and origin, read once.
struct ScanSettings
{
    ScanSettings(DWORD nDelay, const TypingMode& mode) : nInterKeyDelay(nDelay), typingMode(mode) {}

    DWORD nInterKeyDelay;
    TypingMode typingMode;
    std::string strLayout;  // info.layout: the layout's name ("US", ..., "Finnish")
    std::string strModule;  // info.module: "InputModule"
};

// The scan settings of gpSettings, as the host and tolvexcli use them.
ScanSettings ReadScanSettings();
