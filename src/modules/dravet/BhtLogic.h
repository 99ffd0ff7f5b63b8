// The platform-free half of the BHT back-end: the code-type list handed to
// the library, the filter applied to every read, and the good-read feedback
// taken from the module's settings.
#pragma once

#include <string>

#include "common/Types.h"
#include "modules/symbology/SymbologyBackend.h"

// Code-type letters the library reports for a read.
#define BHT_TYPE_EAN_UPC 0x41   // A: EAN-13, UPC-A, EAN-8, UPC-E
#define BHT_TYPE_CODE128 0x4B   // K
#define BHT_TYPE_EAN128 0x57    // W

// The read mode the back-end starts the library in.
#define BHT_READ_MODE L"F"

// What the terminal test found.
struct BhtTerminal
{
    // The terminal reads the Q entry.
    BOOL bQType;
    // Non-zero: the Standard 2 of 5 entry is left out.
    DWORD dwNoStandard2of5;
};

// The terminal test over the answer to the model setting: a Q-type terminal
// when the call succeeded (dwStatus 0) with the text "B20QWC" or "B22QWC",
// or else when dwValue is 1. The no-Standard-2-of-5 mark is TRUE after a text
// match and dwValue otherwise.
BhtTerminal ClassifyTerminal(DWORD dwStatus, const WCHAR* pszModel, DWORD dwValue);

// The code-type list for the enabled symbologies on that terminal: entries
// joined by commas, empty when nothing is enabled.
std::wstring BuildCodeTypeList(const SymbologyConfig& config, const BhtTerminal& terminal);

// Whether a read of type dwType whose text starts with chFirst and has
// dwLength characters is passed on: "A" by its first character (UPC-A when
// it is "0", else EAN-13), "W" and "K" by enabling and length; every other
// type passes.
BOOL PassesReadFilter(const SymbologyConfig& config, DWORD dwType, WCHAR chFirst, DWORD dwLength);

// Feedback modes: the value for BHT_BEEP_VIB_SELECT, 0 leaving it alone.
#define BHT_FEEDBACK_NONE 0
#define BHT_FEEDBACK_BEEPER 1
#define BHT_FEEDBACK_VIBRATOR 2
#define BHT_FEEDBACK_BOTH 3

// "None" 0, "Beeper" 1, "Vibrator" 2, "Both" 3 (any case), anything else 1.
// A NULL text is a fatal assertion.
DWORD ParseBeeperVibratorMode(const WCHAR* pszMode);

// The arguments of the good-read beep.
struct BhtBeep
{
    DWORD dwOnTime;
    DWORD dwOffTime;
    DWORD dwCount;
    WORD wFrequency;
};

// The longest good-read beep, in milliseconds: a larger "BeepTime" is cut.
#define BHT_MAX_BEEP_TIME 10000

// The good-read beep for the settings' texts (each may be NULL): FALSE when
// the mode is "None" (any case) and no beep is due. Otherwise the on time is
// pszBeepTime / 100 (tenths of a second, the time at most BHT_MAX_BEEP_TIME),
// off time and count 1, the frequency pszBeepFrequency cut to 16 bits.
BOOL GetGoodReadBeep(const WCHAR* pszMode, const WCHAR* pszBeepTime, const WCHAR* pszBeepFrequency,
                     BhtBeep* pBeep);
