// The parts of the Falcon back-end that need no device: which enumerated
// device to open, and how a label's trailing line ends are removed.
#pragma once

#include "common/Types.h"
#include "vendor/Decoder.h"

// The number (1 to cWords) of the first device whose word has bit 0 or bit 1
// set, or 0 when none has.
unsigned FindFalconDevice(const DWORD* pdwDevices, size_t cWords);

// Replaces every carriage return and line feed at the end of pszText by the
// terminator, from the last character towards the first, until another
// character is met; a text made only of line ends becomes empty.
void StripTrailingLineEnds(WCHAR* pszText);
