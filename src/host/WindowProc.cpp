#include "host/WindowBase.h"

// Kept in its own file: a module whose device library posts a message of its
// own defines its own WindowProc around RouteWindowMessage instead.
LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return RouteWindowMessage(hWnd, uMsg, wParam, lParam, 0);
}
