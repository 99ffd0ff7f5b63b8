#include "script/ScriptPlatform.h"

#include <windows.h>

void SleepMilliseconds(DWORD nMilliseconds)
{
    Sleep(nMilliseconds);
}
