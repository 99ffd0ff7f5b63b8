// Resource identifiers of the host; included by the resource script too, so
// it holds nothing but numbers.
#pragma once

#define IDI_TOLVEX          101
#define IDD_ABOUT           105
#define IDC_ABOUT_UNLOAD    1001
#define IDC_ABOUT_VERSION   1002

// The tray icon's identifier; its callback arrives as WM_COMMAND with this in wParam.
#define IDM_TRAY_ICON       40004
