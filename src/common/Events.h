// The pair of named manual-reset events through which the host asks its
// input module to stop and the module reports that it has stopped.
#pragma once

#include <windows.h>

#include "common/EventNames.h"

extern HANDLE ghStopInputModuleEvent;
extern HANDLE ghInputModuleEventStopped;

// Creates (or opens, when the other side was first) both events for the
// receiver window. FALSE with both handles null when either cannot be made.
BOOL CreateStopEvents(HWND hWndReceiver);
// Closes each handle that is open and sets it to null.
void CloseStopEvents();
