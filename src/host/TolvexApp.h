// The host's application object: settings, start-up delay, window class,
// main window and the message loop.
#pragma once

#include <windows.h>

class TolvexWindow;

// The host's module instance, stored first thing at entry.
extern HINSTANCE ghInst;

class TolvexApp
{
public:
    // The script's interpreter is ScriptHost's, started before and closed
    // after by the entry point.
    TolvexApp();
    // Destroys the main window object (which stops the input module), then
    // frees the settings.
    ~TolvexApp();

    TolvexApp(const TolvexApp&) = delete;
    TolvexApp& operator=(const TolvexApp&) = delete;

    // 1 when the main window runs, 0 when the host must end.
    int Init(HINSTANCE hInstance);
    // Creates gpSettings with its defaults and reads "Tolvex.txt"; 0 after
    // showing why not.
    int LoadSettings();
    // The message loop; the quit message's code.
    int Run();
    void FreeSettings();

    HINSTANCE m_hInstance;
    TolvexWindow* m_pMainWindow;
};
