// The host's one window class.
#pragma once

#include <windows.h>

// Class name and title of the host's main window; modules find their host by it.
#define TOLVEX_WINDOW_CLASS L"Tolvex"

// Registers the class "Tolvex" with WindowProc and room for the object pointer.
BOOL RegisterWindowClass(HINSTANCE hInstance);
