// The host's settings file and the defaults entered before it is read. The
// host and the script checker read "Tolvex.txt" the same way.
#pragma once

#include "common/Settings.h"

#define TVX_SETTINGS_FILE L"Tolvex.txt"

// "RDPMode" of this value (any case) types each scan as key strokes when the
// foreground application is one of "RDPApps", else as Unicode characters.
#define TVX_RDP_MODE_AUTO L"Auto"
// "RDPApps" when the file has none: the image names of the remote-session
// clients (Remote Desktop Connection, the Remote Desktop client of Azure
// Virtual Desktop, the Citrix Workspace session window, Hyper-V's virtual
// machine connection).
#define TVX_DEFAULT_RDP_APPS L"mstsc.exe,msrdc.exe,wfica32.exe,vmconnect.exe"

// Enters "Prefix" = "", "Suffix" = "<cr>", "KeyboardLayout" = "US" and
// "InterKeyDelay" = "1", in that order.
void EnterHostDefaults(Settings* pSettings);
