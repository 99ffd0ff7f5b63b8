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
