// Resource identifiers of the host and its version text; included by the
// resource script too, so it holds nothing but numbers and macros.
#pragma once

// The project's version as text, "2.7" (TOLVEX_VERSION_NUMBER from the build).
#define TOLVEX_TEXT_OF(x) #x
#define TOLVEX_TEXT(x) TOLVEX_TEXT_OF(x)
#define TOLVEX_VERSION_TEXT TOLVEX_TEXT(TOLVEX_VERSION_NUMBER)

#define IDI_TOLVEX          101
#define IDD_ABOUT           105
#define IDC_ABOUT_UNLOAD    1001
#define IDC_ABOUT_VERSION   1002

// The tray icon's identifier; its callback arrives as WM_COMMAND with this in wParam.
#define IDM_TRAY_ICON       40004

// The commands of the tray menu. Each item sends WM_COMMAND with its own
// identifier to the host's window, and a command posted there does the same
// as the click. Pause and resume are two commands, so that each does what it
// says whatever the state.
#define IDM_ABOUT           40011
#define IDM_OPEN_DATA_FOLDER 40012
#define IDM_RELOAD_SCRIPT   40013
#define IDM_PAUSE_TYPING    40014
#define IDM_RESUME_TYPING   40015
#define IDM_UNLOAD          40016
