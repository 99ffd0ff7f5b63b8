#include "script/ScanProcessor.h"

#include <stdio.h>

#include "common/MessageTexts.h"

// Native builds have no message boxes: the caption and text go to standard error.
void ShowScriptRuntimeError(void* /*pvOwner*/, const WCHAR* pszText)
{
    fprintf(stderr, "%ls: %ls\n", TVX_SCRIPT_ERROR_CAPTION, pszText);
}
