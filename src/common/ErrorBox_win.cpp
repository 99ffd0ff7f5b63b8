#include "common/ErrorBox.h"

#include <windows.h>

int ShowError(const WCHAR* pszText, ErrorBoxStyle style)
{
    UINT uType = MB_ICONERROR | (ERROR_BOX_TOPMOST == style ? MB_TOPMOST : 0);
    return MessageBoxW(NULL, pszText, TVX_CAPTION, uType);
}
