// The host's settings file and the defaults entered before it is read. The
// host and the script checker read "Tolvex.txt" the same way.
#pragma once

#include "common/Settings.h"

#define TVX_SETTINGS_FILE L"Tolvex.txt"

// Enters "Prefix" = "", "Suffix" = "<cr>", "KeyboardLayout" = "US" and
// "InterKeyDelay" = "1", in that order.
void EnterHostDefaults(Settings* pSettings);
