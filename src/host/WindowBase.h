// The window framework shared by the host and the input modules: one base
// class whose virtual operations stand for the window messages we handle,
// one window procedure that binds a window to its object, and one dialog
// procedure that does the same for modal dialogs.
#pragma once

#include <windows.h>

class WindowBase
{
public:
    WindowBase();
    // Not virtual: owners always destroy an object through its concrete class.
    ~WindowBase();

    // The slot order is fixed; the modules route their device message to
    // onDeviceMessage in the same table.
    virtual BOOL create();                                                  // 0
    virtual void onCreate(HWND hWnd);                                       // 1
    virtual void onDestroy();                                               // 2
    virtual void onPaint();                                                 // 3
    virtual void onSetFocus();                                              // 4
    virtual void onKillFocus(WPARAM wParam);                                // 5
    virtual void onChar(WPARAM wParam, LPARAM lParam);                      // 6
    virtual void onKeyDown(WPARAM wParam, LPARAM lParam);                   // 7
    virtual LRESULT onCommand(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam); // 8
    virtual void onNotify(HWND hWnd, WPARAM wParam, LPARAM lParam);         // 9
    virtual void onDrawItem(WPARAM wParam, LPARAM lParam);                  // 10
    virtual BOOL onClose();                                                 // 11
    virtual void onActivate(WPARAM wParam, WORD wHigh, LPARAM lParam);      // 12
    virtual LRESULT onCopyData(LPARAM lParam);                              // 13
    virtual LRESULT onGetDlgCode();                                         // 14
    virtual void onTimer(WPARAM wParam);                                    // 15
    virtual void onDeviceMessage();                                         // 16
    virtual LRESULT defaultProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam); // 17

    // Set by the derived class in its onCreate; the framework never writes it.
    HWND m_hWnd;
};

// The object of a framework window lives in its extra window memory at
// index 0, so a class must reserve room for one pointer.
#define WINDOWBASE_EXTRA_BYTES ((int)sizeof(WindowBase*))

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The object bound to a framework window, or NULL before WM_CREATE and after
// WM_DESTROY. Lets a creator check that the binding happened.
WindowBase* GetWindowObject(HWND hWnd);

// Registers a window class whose windows are bound to WindowBase objects:
// room for the object pointer, no icon, no cursor, a white background.
BOOL RegisterWindowBaseClass(HINSTANCE hInstance, const WCHAR* pszClassName, WNDPROC pfnWndProc);

// The one routing table behind WindowProc. A module passes the message number
// of its device library as uDeviceMessage (0: none), which is routed to
// onDeviceMessage with result 0.
LRESULT RouteWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                           UINT uDeviceMessage);
