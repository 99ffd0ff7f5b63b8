// The three national keyboard layouts the host types through: for every 8-bit
// character code, the virtual key to press and how; and for every virtual key,
// the scan code that goes with it on that layout.
#pragma once

#include "common/Types.h"

// Layout numbers. Any number other than Swedish or Belgian selects US.
#define LAYOUT_US      0
#define LAYOUT_SWEDISH 1
#define LAYOUT_BELGIAN 2

// Rows per layout (one per character code) and bytes per row: the virtual-key
// code, a byte that is always 0 and never read, and the flag byte.
#define LAYOUT_CODES     256
#define LAYOUT_ROW_BYTES 3

// Bits of the flag byte. A row without LF_VALID has no other bit set.
#define LF_VALID    0x01  // the character can be typed through this row
#define LF_CAPS     0x02  // a letter whose case follows Caps Lock (kept, not used)
#define LF_CONTROL  0x04  // hold Control
#define LF_ALT      0x08  // hold Alt
#define LF_ALTGR    0x10  // hold AltGr (Control and right Alt)
#define LF_SHIFT    0x20  // hold Shift
#define LF_DEAD     0x40  // a dead key: Space follows to type the accent itself
#define LF_EXTENDED 0x80  // sent as an extended key

// The row of character code nCode (0..255) in layout nLayout.
const BYTE* GetLayoutRow(int nLayout, int nCode);

// The scan code of virtual key nKeyCode (0..255) on layout nLayout; 0 where the
// layout has none.
BYTE GetLayoutScanCode(int nLayout, int nKeyCode);
