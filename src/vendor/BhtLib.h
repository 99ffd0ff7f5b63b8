// The calls of the BHT terminals' library BHTLib that the BHT back-end and
// the Dravet module make. Every call that returns a status returns 0
// (ERROR_SUCCESS) on success.
#pragma once

#include <windows.h>

// The system setting that selects the good-read device: 1 beeper,
// 2 vibrator, 3 both.
#define BHT_BEEP_VIB_SELECT 0x300
// The system setting whose text names the terminal model.
#define BHT_SYS_MODEL 4

extern "C" {

// Starts reading labels of the code types listed in pszCodeTypes (entries
// "letter:options" joined by commas) in the read mode pszReadMode.
DWORD WINAPI BHT_EnableBar(LPCWSTR pszReadMode, LPCWSTR pszCodeTypes);
// Stops reading labels.
DWORD WINAPI BHT_DisableBar(void);
// The number of decoded reads waiting to be taken.
DWORD WINAPI BHT_GetBarNum(DWORD* pdwCount);
// Takes the oldest waiting read into pszBuffer (cchBuffer characters with
// the terminator; a longer read is cut to fit); *pdwRead: characters stored.
DWORD WINAPI BHT_ReadBar(LPWSTR pszBuffer, DWORD cchBuffer, DWORD* pdwRead);
// The code-type letter and the length of the read taken last.
DWORD WINAPI BHT_GetBarType(DWORD* pdwType, DWORD* pdwLength);
// A system setting as text (at most cchValue characters and a terminator)
// and its numeric value.
DWORD WINAPI BHT_GetSysSettingWCS(DWORD dwSetting, LPWSTR pszValue, DWORD cchValue, DWORD* pdwValue);
// Sets a numeric system setting.
DWORD WINAPI BHT_SetSysSettingDW(DWORD dwSetting, DWORD dwValue);
// Starts a beep (or vibration, as BHT_BEEP_VIB_SELECT says) without waiting
// for it: dwCount times on for dwOnTime and off for dwOffTime, in tenths of
// a second, at wFrequency hertz.
DWORD WINAPI BHT_StartBeep(DWORD dwOnTime, DWORD dwOffTime, DWORD dwCount, WORD wFrequency);
// Switches the terminal's radio on.
DWORD WINAPI BHT_RF_Open(DWORD dwMode);

}  // extern "C"
