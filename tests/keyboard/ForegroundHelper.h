// What the Caps Lock test and its foreground helper agree on. The host's
// HostTargetTest also runs a copy of the helper, as mstsc.exe with the class
// of that remote client's window, and waits for the same captions.
#pragma once

#define FOREGROUND_HELPER_PROGRAM L"keyboard_foreground_helper.exe"
#define FOREGROUND_CAPS_ON L"Caps Lock on"
#define FOREGROUND_CAPS_OFF L"Caps Lock off"
// The helper never outlives a test by much, even if the test dies.
#define FOREGROUND_HELPER_LIFETIME_MS 60000
// How long the helper tries to keep the focus once its window shows.
#define FOREGROUND_HELPER_SETTLE_MS 10000
