#include "script/ScanProcessor.h"

#include <windows.h>

#include "common/MessageTexts.h"

void ShowScriptRuntimeError(void* pvOwner, const WCHAR* pszText)
{
    MessageBoxW((HWND)pvOwner, pszText, TVX_SCRIPT_ERROR_CAPTION,
                MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}
