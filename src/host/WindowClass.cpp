#include "host/WindowClass.h"

#include "host/WindowBase.h"

BOOL RegisterWindowClass(HINSTANCE hInstance)
{
    return RegisterWindowBaseClass(hInstance, TOLVEX_WINDOW_CLASS, WindowProc);
}
