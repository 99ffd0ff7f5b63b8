#include "host/WindowClass.h"

#include "host/WindowBase.h"

BOOL RegisterWindowClass(HINSTANCE hInstance)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = 0;
    wc.lpfnWndProc = WindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = WINDOWBASE_EXTRA_BYTES;
    wc.hInstance = hInstance;
    wc.hIcon = NULL;
    wc.hCursor = NULL;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = NULL;
    wc.lpszClassName = TOLVEX_WINDOW_CLASS;
    return (0 != RegisterClassW(&wc)) ? TRUE : FALSE;
}
