#include "common/ErrorBox.h"

#include <windows.h>

int ShowError(const WCHAR* pszText)
{
    return MessageBoxW(NULL, pszText, TVX_CAPTION, MB_ICONERROR | MB_TOPMOST);
}
