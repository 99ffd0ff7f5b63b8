#include "common/ErrorBox.h"

#include <stdio.h>

// Native builds have no message boxes: the text goes to standard error.
int ShowError(const WCHAR* pszText, ErrorBoxStyle)
{
    fprintf(stderr, "%ls\n", pszText);
    return 1;
}
