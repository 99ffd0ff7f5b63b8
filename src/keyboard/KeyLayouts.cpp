#include "keyboard/KeyLayouts.h"

#include "common/Assert.h"
#include "keyboard/VirtualKeys.h"

// Each character row types its own character on the real Windows layout of
// that name. Codes 0x7F to 0xBC are the program's own codes for navigation,
// editing, keypad and function keys, the same on every layout; the keypad
// digits and decimal point are not extended keys (with the flag, a receiver
// that goes by scan codes would see Insert, End, the arrows or Delete), while
// every key that Windows itself reports as extended carries the flag, Break
// (E0 46), Num Lock and the right Windows key (E0 5C) among them: through a
// channel that carries scan codes (Remote Desktop) a key without it would be
// taken for another (Break for Scroll Lock).
// GS (0x1D) types a circumflex on every layout. A character that the layout
// has no single key for is not valid here.

// US (KBDUS, 00000409).
static const BYTE gLayoutUS[][LAYOUT_ROW_BYTES] = {
    { 0,             0, 0                             },  // 0x00
    { VK_LBUTTON,    0, LF_VALID                      },  // 0x01 LButton
    { VK_RBUTTON,    0, LF_VALID                      },  // 0x02 RButton
    { VK_CANCEL,     0, LF_VALID | LF_EXTENDED        },  // 0x03 Cancel (Break)
    { VK_MBUTTON,    0, LF_VALID                      },  // 0x04 MButton
    { 0,             0, 0                             },  // 0x05
    { 0,             0, 0                             },  // 0x06
    { 0,             0, 0                             },  // 0x07
    { VK_BACK,       0, LF_VALID                      },  // 0x08 BS
    { VK_TAB,        0, LF_VALID                      },  // 0x09 HT
    { 0,             0, 0                             },  // 0x0A LF
    { 0,             0, 0                             },  // 0x0B
    { VK_CLEAR,      0, LF_VALID                      },  // 0x0C Clear
    { VK_RETURN,     0, LF_VALID                      },  // 0x0D CR
    { 0,             0, 0                             },  // 0x0E
    { 0,             0, 0                             },  // 0x0F
    { VK_SHIFT,      0, 0                             },  // 0x10 Shift
    { VK_CONTROL,    0, 0                             },  // 0x11 Control
    { VK_MENU,       0, 0                             },  // 0x12 Alt
    { VK_PAUSE,      0, 0                             },  // 0x13 Pause
    { VK_CAPITAL,    0, 0                             },  // 0x14 CapsLock
    { 0,             0, 0                             },  // 0x15
    { 0,             0, 0                             },  // 0x16
    { 0,             0, 0                             },  // 0x17
    { 0,             0, 0                             },  // 0x18
    { 0,             0, 0                             },  // 0x19
    { 0,             0, 0                             },  // 0x1A
    { VK_ESCAPE,     0, LF_VALID                      },  // 0x1B ESC
    { 0,             0, 0                             },  // 0x1C
    { '6',           0, LF_VALID | LF_SHIFT           },  // 0x1D GS
    { 0,             0, 0                             },  // 0x1E
    { 0,             0, 0                             },  // 0x1F
    { VK_SPACE,      0, LF_VALID                      },  // 0x20 space
    { '1',           0, LF_VALID | LF_SHIFT           },  // 0x21 '!'
    { VK_OEM_7,      0, LF_VALID | LF_SHIFT           },  // 0x22 '"'
    { '3',           0, LF_VALID | LF_SHIFT           },  // 0x23 '#'
    { '4',           0, LF_VALID | LF_SHIFT           },  // 0x24 '$'
    { '5',           0, LF_VALID | LF_SHIFT           },  // 0x25 '%'
    { '7',           0, LF_VALID | LF_SHIFT           },  // 0x26 '&'
    { VK_OEM_7,      0, LF_VALID                      },  // 0x27 apostrophe
    { '9',           0, LF_VALID | LF_SHIFT           },  // 0x28 '('
    { '0',           0, LF_VALID | LF_SHIFT           },  // 0x29 ')'
    { '8',           0, LF_VALID | LF_SHIFT           },  // 0x2A '*'
    { VK_OEM_PLUS,   0, LF_VALID | LF_SHIFT           },  // 0x2B '+'
    { VK_OEM_COMMA,  0, LF_VALID                      },  // 0x2C ','
    { VK_OEM_MINUS,  0, LF_VALID                      },  // 0x2D '-'
    { VK_OEM_PERIOD, 0, LF_VALID                      },  // 0x2E '.'
    { VK_OEM_2,      0, LF_VALID                      },  // 0x2F '/'
    { '0',           0, LF_VALID                      },  // 0x30 '0'
    { '1',           0, LF_VALID                      },  // 0x31 '1'
    { '2',           0, LF_VALID                      },  // 0x32 '2'
    { '3',           0, LF_VALID                      },  // 0x33 '3'
    { '4',           0, LF_VALID                      },  // 0x34 '4'
    { '5',           0, LF_VALID                      },  // 0x35 '5'
    { '6',           0, LF_VALID                      },  // 0x36 '6'
    { '7',           0, LF_VALID                      },  // 0x37 '7'
    { '8',           0, LF_VALID                      },  // 0x38 '8'
    { '9',           0, LF_VALID                      },  // 0x39 '9'
    { VK_OEM_1,      0, LF_VALID | LF_SHIFT           },  // 0x3A ':'
    { VK_OEM_1,      0, LF_VALID                      },  // 0x3B ';'
    { VK_OEM_COMMA,  0, LF_VALID | LF_SHIFT           },  // 0x3C '<'
    { VK_OEM_PLUS,   0, LF_VALID                      },  // 0x3D '='
    { VK_OEM_PERIOD, 0, LF_VALID | LF_SHIFT           },  // 0x3E '>'
    { VK_OEM_2,      0, LF_VALID | LF_SHIFT           },  // 0x3F '?'
    { '2',           0, LF_VALID | LF_SHIFT           },  // 0x40 '@'
    { 'A',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x41 'A'
    { 'B',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x42 'B'
    { 'C',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x43 'C'
    { 'D',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x44 'D'
    { 'E',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x45 'E'
    { 'F',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x46 'F'
    { 'G',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x47 'G'
    { 'H',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x48 'H'
    { 'I',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x49 'I'
    { 'J',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4A 'J'
    { 'K',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4B 'K'
    { 'L',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4C 'L'
    { 'M',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4D 'M'
    { 'N',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4E 'N'
    { 'O',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4F 'O'
    { 'P',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x50 'P'
    { 'Q',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x51 'Q'
    { 'R',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x52 'R'
    { 'S',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x53 'S'
    { 'T',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x54 'T'
    { 'U',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x55 'U'
    { 'V',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x56 'V'
    { 'W',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x57 'W'
    { 'X',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x58 'X'
    { 'Y',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x59 'Y'
    { 'Z',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x5A 'Z'
    { VK_OEM_4,      0, LF_VALID                      },  // 0x5B '['
    { VK_OEM_5,      0, LF_VALID                      },  // 0x5C backslash
    { VK_OEM_6,      0, LF_VALID                      },  // 0x5D ']'
    { '6',           0, LF_VALID | LF_SHIFT           },  // 0x5E '^'
    { VK_OEM_MINUS,  0, LF_VALID | LF_SHIFT           },  // 0x5F '_'
    { VK_OEM_3,      0, LF_VALID                      },  // 0x60 '`'
    { 'A',           0, LF_VALID | LF_CAPS            },  // 0x61 'a'
    { 'B',           0, LF_VALID | LF_CAPS            },  // 0x62 'b'
    { 'C',           0, LF_VALID | LF_CAPS            },  // 0x63 'c'
    { 'D',           0, LF_VALID | LF_CAPS            },  // 0x64 'd'
    { 'E',           0, LF_VALID | LF_CAPS            },  // 0x65 'e'
    { 'F',           0, LF_VALID | LF_CAPS            },  // 0x66 'f'
    { 'G',           0, LF_VALID | LF_CAPS            },  // 0x67 'g'
    { 'H',           0, LF_VALID | LF_CAPS            },  // 0x68 'h'
    { 'I',           0, LF_VALID | LF_CAPS            },  // 0x69 'i'
    { 'J',           0, LF_VALID | LF_CAPS            },  // 0x6A 'j'
    { 'K',           0, LF_VALID | LF_CAPS            },  // 0x6B 'k'
    { 'L',           0, LF_VALID | LF_CAPS            },  // 0x6C 'l'
    { 'M',           0, LF_VALID | LF_CAPS            },  // 0x6D 'm'
    { 'N',           0, LF_VALID | LF_CAPS            },  // 0x6E 'n'
    { 'O',           0, LF_VALID | LF_CAPS            },  // 0x6F 'o'
    { 'P',           0, LF_VALID | LF_CAPS            },  // 0x70 'p'
    { 'Q',           0, LF_VALID | LF_CAPS            },  // 0x71 'q'
    { 'R',           0, LF_VALID | LF_CAPS            },  // 0x72 'r'
    { 'S',           0, LF_VALID | LF_CAPS            },  // 0x73 's'
    { 'T',           0, LF_VALID | LF_CAPS            },  // 0x74 't'
    { 'U',           0, LF_VALID | LF_CAPS            },  // 0x75 'u'
    { 'V',           0, LF_VALID | LF_CAPS            },  // 0x76 'v'
    { 'W',           0, LF_VALID | LF_CAPS            },  // 0x77 'w'
    { 'X',           0, LF_VALID | LF_CAPS            },  // 0x78 'x'
    { 'Y',           0, LF_VALID | LF_CAPS            },  // 0x79 'y'
    { 'Z',           0, LF_VALID | LF_CAPS            },  // 0x7A 'z'
    { VK_OEM_4,      0, LF_VALID | LF_SHIFT           },  // 0x7B '{'
    { VK_OEM_5,      0, LF_VALID | LF_SHIFT           },  // 0x7C '|'
    { VK_OEM_6,      0, LF_VALID | LF_SHIFT           },  // 0x7D '}'
    { VK_OEM_3,      0, LF_VALID | LF_SHIFT           },  // 0x7E '~'
    { VK_DELETE,     0, LF_VALID | LF_EXTENDED        },  // 0x7F DEL
    { VK_PRIOR,      0, LF_VALID | LF_EXTENDED        },  // 0x80 PgUp
    { VK_NEXT,       0, LF_VALID | LF_EXTENDED        },  // 0x81 PgDn
    { VK_END,        0, LF_VALID | LF_EXTENDED        },  // 0x82 End
    { VK_HOME,       0, LF_VALID | LF_EXTENDED        },  // 0x83 Home
    { VK_LEFT,       0, LF_VALID | LF_EXTENDED        },  // 0x84 Left
    { VK_UP,         0, LF_VALID | LF_EXTENDED        },  // 0x85 Up
    { VK_RIGHT,      0, LF_VALID | LF_EXTENDED        },  // 0x86 Right
    { VK_DOWN,       0, LF_VALID | LF_EXTENDED        },  // 0x87 Down
    { VK_SELECT,     0, LF_VALID                      },  // 0x88 Select
    { VK_PRINT,      0, LF_VALID                      },  // 0x89 Print
    { VK_EXECUTE,    0, LF_VALID                      },  // 0x8A Execute
    { VK_SNAPSHOT,   0, LF_VALID | LF_EXTENDED        },  // 0x8B PrtSc
    { VK_INSERT,     0, LF_VALID | LF_EXTENDED        },  // 0x8C Ins
    { VK_DELETE,     0, LF_VALID | LF_EXTENDED        },  // 0x8D Del
    { VK_HELP,       0, LF_VALID                      },  // 0x8E Help
    { VK_LWIN,       0, LF_VALID | LF_EXTENDED        },  // 0x8F LWin
    { VK_RWIN,       0, LF_VALID | LF_EXTENDED        },  // 0x90 RWin
    { VK_APPS,       0, LF_VALID | LF_EXTENDED        },  // 0x91 Apps
    { VK_NUMPAD0,    0, LF_VALID                      },  // 0x92 keypad 0
    { VK_NUMPAD1,    0, LF_VALID                      },  // 0x93 keypad 1
    { VK_NUMPAD2,    0, LF_VALID                      },  // 0x94 keypad 2
    { VK_NUMPAD3,    0, LF_VALID                      },  // 0x95 keypad 3
    { VK_NUMPAD4,    0, LF_VALID                      },  // 0x96 keypad 4
    { VK_NUMPAD5,    0, LF_VALID                      },  // 0x97 keypad 5
    { VK_NUMPAD6,    0, LF_VALID                      },  // 0x98 keypad 6
    { VK_NUMPAD7,    0, LF_VALID                      },  // 0x99 keypad 7
    { VK_NUMPAD8,    0, LF_VALID                      },  // 0x9A keypad 8
    { VK_NUMPAD9,    0, LF_VALID                      },  // 0x9B keypad 9
    { VK_MULTIPLY,   0, LF_VALID                      },  // 0x9C keypad *
    { VK_ADD,        0, LF_VALID                      },  // 0x9D keypad +
    { VK_SEPARATOR,  0, LF_VALID                      },  // 0x9E keypad separator
    { VK_SUBTRACT,   0, LF_VALID                      },  // 0x9F keypad -
    { VK_DECIMAL,    0, LF_VALID                      },  // 0xA0 keypad .
    { VK_DIVIDE,     0, LF_VALID | LF_EXTENDED        },  // 0xA1 keypad /
    { VK_F1,         0, LF_VALID                      },  // 0xA2 F1
    { VK_F2,         0, LF_VALID                      },  // 0xA3 F2
    { VK_F3,         0, LF_VALID                      },  // 0xA4 F3
    { VK_F4,         0, LF_VALID                      },  // 0xA5 F4
    { VK_F5,         0, LF_VALID                      },  // 0xA6 F5
    { VK_F6,         0, LF_VALID                      },  // 0xA7 F6
    { VK_F7,         0, LF_VALID                      },  // 0xA8 F7
    { VK_F8,         0, LF_VALID                      },  // 0xA9 F8
    { VK_F9,         0, LF_VALID                      },  // 0xAA F9
    { VK_F10,        0, LF_VALID                      },  // 0xAB F10
    { VK_F11,        0, LF_VALID                      },  // 0xAC F11
    { VK_F12,        0, LF_VALID                      },  // 0xAD F12
    { VK_F13,        0, LF_VALID                      },  // 0xAE F13
    { VK_F14,        0, LF_VALID                      },  // 0xAF F14
    { VK_F15,        0, LF_VALID                      },  // 0xB0 F15
    { VK_F16,        0, LF_VALID                      },  // 0xB1 F16
    { VK_F17,        0, LF_VALID                      },  // 0xB2 F17
    { VK_F18,        0, LF_VALID                      },  // 0xB3 F18
    { VK_F19,        0, LF_VALID                      },  // 0xB4 F19
    { VK_F20,        0, LF_VALID                      },  // 0xB5 F20
    { VK_F21,        0, LF_VALID                      },  // 0xB6 F21
    { VK_F22,        0, LF_VALID                      },  // 0xB7 F22
    { VK_F23,        0, LF_VALID                      },  // 0xB8 F23
    { VK_F24,        0, LF_VALID                      },  // 0xB9 F24
    { VK_NUMLOCK,    0, LF_VALID | LF_EXTENDED        },  // 0xBA NumLock
    { VK_SCROLL,     0, LF_VALID                      },  // 0xBB ScrollLock
    { VK_RETURN,     0, LF_VALID | LF_EXTENDED        },  // 0xBC keypad Enter
    { 0,             0, 0                             },  // 0xBD
    { 0,             0, 0                             },  // 0xBE
    { 0,             0, 0                             },  // 0xBF
    { 0,             0, 0                             },  // 0xC0
    { 0,             0, 0                             },  // 0xC1
    { 0,             0, 0                             },  // 0xC2
    { 0,             0, 0                             },  // 0xC3
    { 0,             0, 0                             },  // 0xC4 A diaeresis
    { 0,             0, 0                             },  // 0xC5 A ring
    { 0,             0, 0                             },  // 0xC6
    { 0,             0, 0                             },  // 0xC7
    { 0,             0, 0                             },  // 0xC8
    { 0,             0, 0                             },  // 0xC9
    { 0,             0, 0                             },  // 0xCA
    { 0,             0, 0                             },  // 0xCB
    { 0,             0, 0                             },  // 0xCC
    { 0,             0, 0                             },  // 0xCD
    { 0,             0, 0                             },  // 0xCE
    { 0,             0, 0                             },  // 0xCF
    { 0,             0, 0                             },  // 0xD0
    { 0,             0, 0                             },  // 0xD1
    { 0,             0, 0                             },  // 0xD2
    { 0,             0, 0                             },  // 0xD3
    { 0,             0, 0                             },  // 0xD4
    { 0,             0, 0                             },  // 0xD5
    { 0,             0, 0                             },  // 0xD6 O diaeresis
    { 0,             0, 0                             },  // 0xD7
    { 0,             0, 0                             },  // 0xD8
    { 0,             0, 0                             },  // 0xD9
    { 0,             0, 0                             },  // 0xDA
    { 0,             0, 0                             },  // 0xDB
    { 0,             0, 0                             },  // 0xDC
    { 0,             0, 0                             },  // 0xDD
    { 0,             0, 0                             },  // 0xDE
    { 0,             0, 0                             },  // 0xDF
    { 0,             0, 0                             },  // 0xE0
    { 0,             0, 0                             },  // 0xE1
    { 0,             0, 0                             },  // 0xE2
    { 0,             0, 0                             },  // 0xE3
    { 0,             0, 0                             },  // 0xE4 a diaeresis
    { 0,             0, 0                             },  // 0xE5 a ring
    { 0,             0, 0                             },  // 0xE6
    { 0,             0, 0                             },  // 0xE7
    { 0,             0, 0                             },  // 0xE8
    { 0,             0, 0                             },  // 0xE9
    { 0,             0, 0                             },  // 0xEA
    { 0,             0, 0                             },  // 0xEB
    { 0,             0, 0                             },  // 0xEC
    { 0,             0, 0                             },  // 0xED
    { 0,             0, 0                             },  // 0xEE
    { 0,             0, 0                             },  // 0xEF
    { 0,             0, 0                             },  // 0xF0
    { 0,             0, 0                             },  // 0xF1
    { 0,             0, 0                             },  // 0xF2
    { 0,             0, 0                             },  // 0xF3
    { 0,             0, 0                             },  // 0xF4
    { 0,             0, 0                             },  // 0xF5
    { 0,             0, 0                             },  // 0xF6 o diaeresis
    { 0,             0, 0                             },  // 0xF7
    { 0,             0, 0                             },  // 0xF8
    { 0,             0, 0                             },  // 0xF9
    { 0,             0, 0                             },  // 0xFA
    { 0,             0, 0                             },  // 0xFB
    { 0,             0, 0                             },  // 0xFC
    { VK_RWIN,       0, LF_VALID | LF_CONTROL | LF_EXTENDED },  // 0xFD Ctrl+RWin
    { 'K',           0, LF_VALID | LF_CONTROL         },  // 0xFE Ctrl+K
    { 0,             0, 0                             },  // 0xFF
};
static_assert(sizeof(gLayoutUS) / sizeof(gLayoutUS[0]) == LAYOUT_CODES, "US layout rows");

// Swedish (KBDSW, 0000041D). The circumflex, the tilde and the grave accent
// are dead keys.
static const BYTE gLayoutSwedish[][LAYOUT_ROW_BYTES] = {
    { 0,             0, 0                             },  // 0x00
    { VK_LBUTTON,    0, LF_VALID                      },  // 0x01 LButton
    { VK_RBUTTON,    0, LF_VALID                      },  // 0x02 RButton
    { VK_CANCEL,     0, LF_VALID | LF_EXTENDED        },  // 0x03 Cancel (Break)
    { VK_MBUTTON,    0, LF_VALID                      },  // 0x04 MButton
    { 0,             0, 0                             },  // 0x05
    { 0,             0, 0                             },  // 0x06
    { 0,             0, 0                             },  // 0x07
    { VK_BACK,       0, LF_VALID                      },  // 0x08 BS
    { VK_TAB,        0, LF_VALID                      },  // 0x09 HT
    { 0,             0, 0                             },  // 0x0A LF
    { 0,             0, 0                             },  // 0x0B
    { VK_CLEAR,      0, LF_VALID                      },  // 0x0C Clear
    { VK_RETURN,     0, LF_VALID                      },  // 0x0D CR
    { 0,             0, 0                             },  // 0x0E
    { 0,             0, 0                             },  // 0x0F
    { VK_SHIFT,      0, 0                             },  // 0x10 Shift
    { VK_CONTROL,    0, 0                             },  // 0x11 Control
    { VK_MENU,       0, 0                             },  // 0x12 Alt
    { VK_PAUSE,      0, 0                             },  // 0x13 Pause
    { VK_CAPITAL,    0, 0                             },  // 0x14 CapsLock
    { 0,             0, 0                             },  // 0x15
    { 0,             0, 0                             },  // 0x16
    { 0,             0, 0                             },  // 0x17
    { 0,             0, 0                             },  // 0x18
    { 0,             0, 0                             },  // 0x19
    { 0,             0, 0                             },  // 0x1A
    { VK_ESCAPE,     0, LF_VALID                      },  // 0x1B ESC
    { 0,             0, 0                             },  // 0x1C
    { VK_OEM_1,      0, LF_VALID | LF_SHIFT | LF_DEAD },  // 0x1D GS
    { 0,             0, 0                             },  // 0x1E
    { 0,             0, 0                             },  // 0x1F
    { VK_SPACE,      0, LF_VALID                      },  // 0x20 space
    { '1',           0, LF_VALID | LF_SHIFT           },  // 0x21 '!'
    { '2',           0, LF_VALID | LF_SHIFT           },  // 0x22 '"'
    { '3',           0, LF_VALID | LF_SHIFT           },  // 0x23 '#'
    { '4',           0, LF_VALID | LF_ALTGR           },  // 0x24 '$'
    { '5',           0, LF_VALID | LF_SHIFT           },  // 0x25 '%'
    { '6',           0, LF_VALID | LF_SHIFT           },  // 0x26 '&'
    { VK_OEM_2,      0, LF_VALID                      },  // 0x27 apostrophe
    { '8',           0, LF_VALID | LF_SHIFT           },  // 0x28 '('
    { '9',           0, LF_VALID | LF_SHIFT           },  // 0x29 ')'
    { VK_OEM_2,      0, LF_VALID | LF_SHIFT           },  // 0x2A '*'
    { VK_OEM_PLUS,   0, LF_VALID                      },  // 0x2B '+'
    { VK_OEM_COMMA,  0, LF_VALID                      },  // 0x2C ','
    { VK_OEM_MINUS,  0, LF_VALID                      },  // 0x2D '-'
    { VK_OEM_PERIOD, 0, LF_VALID                      },  // 0x2E '.'
    { '7',           0, LF_VALID | LF_SHIFT           },  // 0x2F '/'
    { '0',           0, LF_VALID                      },  // 0x30 '0'
    { '1',           0, LF_VALID                      },  // 0x31 '1'
    { '2',           0, LF_VALID                      },  // 0x32 '2'
    { '3',           0, LF_VALID                      },  // 0x33 '3'
    { '4',           0, LF_VALID                      },  // 0x34 '4'
    { '5',           0, LF_VALID                      },  // 0x35 '5'
    { '6',           0, LF_VALID                      },  // 0x36 '6'
    { '7',           0, LF_VALID                      },  // 0x37 '7'
    { '8',           0, LF_VALID                      },  // 0x38 '8'
    { '9',           0, LF_VALID                      },  // 0x39 '9'
    { VK_OEM_PERIOD, 0, LF_VALID | LF_SHIFT           },  // 0x3A ':'
    { VK_OEM_COMMA,  0, LF_VALID | LF_SHIFT           },  // 0x3B ';'
    { VK_OEM_102,    0, LF_VALID                      },  // 0x3C '<'
    { '0',           0, LF_VALID | LF_SHIFT           },  // 0x3D '='
    { VK_OEM_102,    0, LF_VALID | LF_SHIFT           },  // 0x3E '>'
    { VK_OEM_PLUS,   0, LF_VALID | LF_SHIFT           },  // 0x3F '?'
    { '2',           0, LF_VALID | LF_ALTGR           },  // 0x40 '@'
    { 'A',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x41 'A'
    { 'B',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x42 'B'
    { 'C',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x43 'C'
    { 'D',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x44 'D'
    { 'E',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x45 'E'
    { 'F',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x46 'F'
    { 'G',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x47 'G'
    { 'H',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x48 'H'
    { 'I',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x49 'I'
    { 'J',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4A 'J'
    { 'K',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4B 'K'
    { 'L',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4C 'L'
    { 'M',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4D 'M'
    { 'N',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4E 'N'
    { 'O',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4F 'O'
    { 'P',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x50 'P'
    { 'Q',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x51 'Q'
    { 'R',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x52 'R'
    { 'S',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x53 'S'
    { 'T',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x54 'T'
    { 'U',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x55 'U'
    { 'V',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x56 'V'
    { 'W',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x57 'W'
    { 'X',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x58 'X'
    { 'Y',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x59 'Y'
    { 'Z',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x5A 'Z'
    { '8',           0, LF_VALID | LF_ALTGR           },  // 0x5B '['
    { VK_OEM_PLUS,   0, LF_VALID | LF_ALTGR           },  // 0x5C backslash
    { '9',           0, LF_VALID | LF_ALTGR           },  // 0x5D ']'
    { VK_OEM_1,      0, LF_VALID | LF_SHIFT | LF_DEAD },  // 0x5E '^'
    { VK_OEM_MINUS,  0, LF_VALID | LF_SHIFT           },  // 0x5F '_'
    { VK_OEM_4,      0, LF_VALID | LF_SHIFT | LF_DEAD },  // 0x60 '`'
    { 'A',           0, LF_VALID | LF_CAPS            },  // 0x61 'a'
    { 'B',           0, LF_VALID | LF_CAPS            },  // 0x62 'b'
    { 'C',           0, LF_VALID | LF_CAPS            },  // 0x63 'c'
    { 'D',           0, LF_VALID | LF_CAPS            },  // 0x64 'd'
    { 'E',           0, LF_VALID | LF_CAPS            },  // 0x65 'e'
    { 'F',           0, LF_VALID | LF_CAPS            },  // 0x66 'f'
    { 'G',           0, LF_VALID | LF_CAPS            },  // 0x67 'g'
    { 'H',           0, LF_VALID | LF_CAPS            },  // 0x68 'h'
    { 'I',           0, LF_VALID | LF_CAPS            },  // 0x69 'i'
    { 'J',           0, LF_VALID | LF_CAPS            },  // 0x6A 'j'
    { 'K',           0, LF_VALID | LF_CAPS            },  // 0x6B 'k'
    { 'L',           0, LF_VALID | LF_CAPS            },  // 0x6C 'l'
    { 'M',           0, LF_VALID | LF_CAPS            },  // 0x6D 'm'
    { 'N',           0, LF_VALID | LF_CAPS            },  // 0x6E 'n'
    { 'O',           0, LF_VALID | LF_CAPS            },  // 0x6F 'o'
    { 'P',           0, LF_VALID | LF_CAPS            },  // 0x70 'p'
    { 'Q',           0, LF_VALID | LF_CAPS            },  // 0x71 'q'
    { 'R',           0, LF_VALID | LF_CAPS            },  // 0x72 'r'
    { 'S',           0, LF_VALID | LF_CAPS            },  // 0x73 's'
    { 'T',           0, LF_VALID | LF_CAPS            },  // 0x74 't'
    { 'U',           0, LF_VALID | LF_CAPS            },  // 0x75 'u'
    { 'V',           0, LF_VALID | LF_CAPS            },  // 0x76 'v'
    { 'W',           0, LF_VALID | LF_CAPS            },  // 0x77 'w'
    { 'X',           0, LF_VALID | LF_CAPS            },  // 0x78 'x'
    { 'Y',           0, LF_VALID | LF_CAPS            },  // 0x79 'y'
    { 'Z',           0, LF_VALID | LF_CAPS            },  // 0x7A 'z'
    { '7',           0, LF_VALID | LF_ALTGR           },  // 0x7B '{'
    { VK_OEM_102,    0, LF_VALID | LF_ALTGR           },  // 0x7C '|'
    { '0',           0, LF_VALID | LF_ALTGR           },  // 0x7D '}'
    { VK_OEM_1,      0, LF_VALID | LF_ALTGR | LF_DEAD },  // 0x7E '~'
    { VK_DELETE,     0, LF_VALID | LF_EXTENDED        },  // 0x7F DEL
    { VK_PRIOR,      0, LF_VALID | LF_EXTENDED        },  // 0x80 PgUp
    { VK_NEXT,       0, LF_VALID | LF_EXTENDED        },  // 0x81 PgDn
    { VK_END,        0, LF_VALID | LF_EXTENDED        },  // 0x82 End
    { VK_HOME,       0, LF_VALID | LF_EXTENDED        },  // 0x83 Home
    { VK_LEFT,       0, LF_VALID | LF_EXTENDED        },  // 0x84 Left
    { VK_UP,         0, LF_VALID | LF_EXTENDED        },  // 0x85 Up
    { VK_RIGHT,      0, LF_VALID | LF_EXTENDED        },  // 0x86 Right
    { VK_DOWN,       0, LF_VALID | LF_EXTENDED        },  // 0x87 Down
    { VK_SELECT,     0, LF_VALID                      },  // 0x88 Select
    { VK_PRINT,      0, LF_VALID                      },  // 0x89 Print
    { VK_EXECUTE,    0, LF_VALID                      },  // 0x8A Execute
    { VK_SNAPSHOT,   0, LF_VALID | LF_EXTENDED        },  // 0x8B PrtSc
    { VK_INSERT,     0, LF_VALID | LF_EXTENDED        },  // 0x8C Ins
    { VK_DELETE,     0, LF_VALID | LF_EXTENDED        },  // 0x8D Del
    { VK_HELP,       0, LF_VALID                      },  // 0x8E Help
    { VK_LWIN,       0, LF_VALID | LF_EXTENDED        },  // 0x8F LWin
    { VK_RWIN,       0, LF_VALID | LF_EXTENDED        },  // 0x90 RWin
    { VK_APPS,       0, LF_VALID | LF_EXTENDED        },  // 0x91 Apps
    { VK_NUMPAD0,    0, LF_VALID                      },  // 0x92 keypad 0
    { VK_NUMPAD1,    0, LF_VALID                      },  // 0x93 keypad 1
    { VK_NUMPAD2,    0, LF_VALID                      },  // 0x94 keypad 2
    { VK_NUMPAD3,    0, LF_VALID                      },  // 0x95 keypad 3
    { VK_NUMPAD4,    0, LF_VALID                      },  // 0x96 keypad 4
    { VK_NUMPAD5,    0, LF_VALID                      },  // 0x97 keypad 5
    { VK_NUMPAD6,    0, LF_VALID                      },  // 0x98 keypad 6
    { VK_NUMPAD7,    0, LF_VALID                      },  // 0x99 keypad 7
    { VK_NUMPAD8,    0, LF_VALID                      },  // 0x9A keypad 8
    { VK_NUMPAD9,    0, LF_VALID                      },  // 0x9B keypad 9
    { VK_MULTIPLY,   0, LF_VALID                      },  // 0x9C keypad *
    { VK_ADD,        0, LF_VALID                      },  // 0x9D keypad +
    { VK_SEPARATOR,  0, LF_VALID                      },  // 0x9E keypad separator
    { VK_SUBTRACT,   0, LF_VALID                      },  // 0x9F keypad -
    { VK_DECIMAL,    0, LF_VALID                      },  // 0xA0 keypad .
    { VK_DIVIDE,     0, LF_VALID | LF_EXTENDED        },  // 0xA1 keypad /
    { VK_F1,         0, LF_VALID                      },  // 0xA2 F1
    { VK_F2,         0, LF_VALID                      },  // 0xA3 F2
    { VK_F3,         0, LF_VALID                      },  // 0xA4 F3
    { VK_F4,         0, LF_VALID                      },  // 0xA5 F4
    { VK_F5,         0, LF_VALID                      },  // 0xA6 F5
    { VK_F6,         0, LF_VALID                      },  // 0xA7 F6
    { VK_F7,         0, LF_VALID                      },  // 0xA8 F7
    { VK_F8,         0, LF_VALID                      },  // 0xA9 F8
    { VK_F9,         0, LF_VALID                      },  // 0xAA F9
    { VK_F10,        0, LF_VALID                      },  // 0xAB F10
    { VK_F11,        0, LF_VALID                      },  // 0xAC F11
    { VK_F12,        0, LF_VALID                      },  // 0xAD F12
    { VK_F13,        0, LF_VALID                      },  // 0xAE F13
    { VK_F14,        0, LF_VALID                      },  // 0xAF F14
    { VK_F15,        0, LF_VALID                      },  // 0xB0 F15
    { VK_F16,        0, LF_VALID                      },  // 0xB1 F16
    { VK_F17,        0, LF_VALID                      },  // 0xB2 F17
    { VK_F18,        0, LF_VALID                      },  // 0xB3 F18
    { VK_F19,        0, LF_VALID                      },  // 0xB4 F19
    { VK_F20,        0, LF_VALID                      },  // 0xB5 F20
    { VK_F21,        0, LF_VALID                      },  // 0xB6 F21
    { VK_F22,        0, LF_VALID                      },  // 0xB7 F22
    { VK_F23,        0, LF_VALID                      },  // 0xB8 F23
    { VK_F24,        0, LF_VALID                      },  // 0xB9 F24
    { VK_NUMLOCK,    0, LF_VALID | LF_EXTENDED        },  // 0xBA NumLock
    { VK_SCROLL,     0, LF_VALID                      },  // 0xBB ScrollLock
    { VK_RETURN,     0, LF_VALID | LF_EXTENDED        },  // 0xBC keypad Enter
    { 0,             0, 0                             },  // 0xBD
    { 0,             0, 0                             },  // 0xBE
    { 0,             0, 0                             },  // 0xBF
    { 0,             0, 0                             },  // 0xC0
    { 0,             0, 0                             },  // 0xC1
    { 0,             0, 0                             },  // 0xC2
    { 0,             0, 0                             },  // 0xC3
    { VK_OEM_7,      0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0xC4 A diaeresis
    { VK_OEM_6,      0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0xC5 A ring
    { 0,             0, 0                             },  // 0xC6
    { 0,             0, 0                             },  // 0xC7
    { 0,             0, 0                             },  // 0xC8
    { 0,             0, 0                             },  // 0xC9
    { 0,             0, 0                             },  // 0xCA
    { 0,             0, 0                             },  // 0xCB
    { 0,             0, 0                             },  // 0xCC
    { 0,             0, 0                             },  // 0xCD
    { 0,             0, 0                             },  // 0xCE
    { 0,             0, 0                             },  // 0xCF
    { 0,             0, 0                             },  // 0xD0
    { 0,             0, 0                             },  // 0xD1
    { 0,             0, 0                             },  // 0xD2
    { 0,             0, 0                             },  // 0xD3
    { 0,             0, 0                             },  // 0xD4
    { 0,             0, 0                             },  // 0xD5
    { VK_OEM_3,      0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0xD6 O diaeresis
    { 0,             0, 0                             },  // 0xD7
    { 0,             0, 0                             },  // 0xD8
    { 0,             0, 0                             },  // 0xD9
    { 0,             0, 0                             },  // 0xDA
    { 0,             0, 0                             },  // 0xDB
    { 0,             0, 0                             },  // 0xDC
    { 0,             0, 0                             },  // 0xDD
    { 0,             0, 0                             },  // 0xDE
    { 0,             0, 0                             },  // 0xDF
    { 0,             0, 0                             },  // 0xE0
    { 0,             0, 0                             },  // 0xE1
    { 0,             0, 0                             },  // 0xE2
    { 0,             0, 0                             },  // 0xE3
    { VK_OEM_7,      0, LF_VALID | LF_CAPS            },  // 0xE4 a diaeresis
    { VK_OEM_6,      0, LF_VALID | LF_CAPS            },  // 0xE5 a ring
    { 0,             0, 0                             },  // 0xE6
    { 0,             0, 0                             },  // 0xE7
    { 0,             0, 0                             },  // 0xE8
    { 0,             0, 0                             },  // 0xE9
    { 0,             0, 0                             },  // 0xEA
    { 0,             0, 0                             },  // 0xEB
    { 0,             0, 0                             },  // 0xEC
    { 0,             0, 0                             },  // 0xED
    { 0,             0, 0                             },  // 0xEE
    { 0,             0, 0                             },  // 0xEF
    { 0,             0, 0                             },  // 0xF0
    { 0,             0, 0                             },  // 0xF1
    { 0,             0, 0                             },  // 0xF2
    { 0,             0, 0                             },  // 0xF3
    { 0,             0, 0                             },  // 0xF4
    { 0,             0, 0                             },  // 0xF5
    { VK_OEM_3,      0, LF_VALID | LF_CAPS            },  // 0xF6 o diaeresis
    { 0,             0, 0                             },  // 0xF7
    { 0,             0, 0                             },  // 0xF8
    { 0,             0, 0                             },  // 0xF9
    { 0,             0, 0                             },  // 0xFA
    { 0,             0, 0                             },  // 0xFB
    { 0,             0, 0                             },  // 0xFC
    { VK_RWIN,       0, LF_VALID | LF_CONTROL | LF_EXTENDED },  // 0xFD Ctrl+RWin
    { 'K',           0, LF_VALID | LF_CONTROL         },  // 0xFE Ctrl+K
    { 0,             0, 0                             },  // 0xFF
};
static_assert(sizeof(gLayoutSwedish) / sizeof(gLayoutSwedish[0]) == LAYOUT_CODES,
              "Swedish layout rows");

// Belgian French (KBDBE, 0000080C; the Period and Comma variants put every
// character typed here on the same keys). Digits need Shift; the grave accent
// and the tilde are dead keys; Ä, ä, Ö, ö, Å and å need a dead key first and
// so have no row.
static const BYTE gLayoutBelgian[][LAYOUT_ROW_BYTES] = {
    { 0,             0, 0                             },  // 0x00
    { VK_LBUTTON,    0, LF_VALID                      },  // 0x01 LButton
    { VK_RBUTTON,    0, LF_VALID                      },  // 0x02 RButton
    { VK_CANCEL,     0, LF_VALID | LF_EXTENDED        },  // 0x03 Cancel (Break)
    { VK_MBUTTON,    0, LF_VALID                      },  // 0x04 MButton
    { 0,             0, 0                             },  // 0x05
    { 0,             0, 0                             },  // 0x06
    { 0,             0, 0                             },  // 0x07
    { VK_BACK,       0, LF_VALID                      },  // 0x08 BS
    { VK_TAB,        0, LF_VALID                      },  // 0x09 HT
    { 0,             0, 0                             },  // 0x0A LF
    { 0,             0, 0                             },  // 0x0B
    { VK_CLEAR,      0, LF_VALID                      },  // 0x0C Clear
    { VK_RETURN,     0, LF_VALID                      },  // 0x0D CR
    { 0,             0, 0                             },  // 0x0E
    { 0,             0, 0                             },  // 0x0F
    { VK_SHIFT,      0, 0                             },  // 0x10 Shift
    { VK_CONTROL,    0, 0                             },  // 0x11 Control
    { VK_MENU,       0, 0                             },  // 0x12 Alt
    { VK_PAUSE,      0, 0                             },  // 0x13 Pause
    { VK_CAPITAL,    0, 0                             },  // 0x14 CapsLock
    { 0,             0, 0                             },  // 0x15
    { 0,             0, 0                             },  // 0x16
    { 0,             0, 0                             },  // 0x17
    { 0,             0, 0                             },  // 0x18
    { 0,             0, 0                             },  // 0x19
    { 0,             0, 0                             },  // 0x1A
    { VK_ESCAPE,     0, LF_VALID                      },  // 0x1B ESC
    { 0,             0, 0                             },  // 0x1C
    { '6',           0, LF_VALID | LF_ALTGR           },  // 0x1D GS
    { 0,             0, 0                             },  // 0x1E
    { 0,             0, 0                             },  // 0x1F
    { VK_SPACE,      0, LF_VALID                      },  // 0x20 space
    { '8',           0, LF_VALID                      },  // 0x21 '!'
    { '3',           0, LF_VALID                      },  // 0x22 '"'
    { '3',           0, LF_VALID | LF_ALTGR           },  // 0x23 '#'
    { VK_OEM_1,      0, LF_VALID                      },  // 0x24 '$'
    { VK_OEM_3,      0, LF_VALID | LF_SHIFT           },  // 0x25 '%'
    { '1',           0, LF_VALID                      },  // 0x26 '&'
    { '4',           0, LF_VALID                      },  // 0x27 apostrophe
    { '5',           0, LF_VALID                      },  // 0x28 '('
    { VK_OEM_4,      0, LF_VALID                      },  // 0x29 ')'
    { VK_OEM_1,      0, LF_VALID | LF_SHIFT           },  // 0x2A '*'
    { VK_OEM_PLUS,   0, LF_VALID | LF_SHIFT           },  // 0x2B '+'
    { VK_OEM_COMMA,  0, LF_VALID                      },  // 0x2C ','
    { VK_OEM_MINUS,  0, LF_VALID                      },  // 0x2D '-'
    { VK_OEM_PERIOD, 0, LF_VALID | LF_SHIFT           },  // 0x2E '.'
    { VK_OEM_2,      0, LF_VALID | LF_SHIFT           },  // 0x2F '/'
    { '0',           0, LF_VALID | LF_SHIFT           },  // 0x30 '0'
    { '1',           0, LF_VALID | LF_SHIFT           },  // 0x31 '1'
    { '2',           0, LF_VALID | LF_SHIFT           },  // 0x32 '2'
    { '3',           0, LF_VALID | LF_SHIFT           },  // 0x33 '3'
    { '4',           0, LF_VALID | LF_SHIFT           },  // 0x34 '4'
    { '5',           0, LF_VALID | LF_SHIFT           },  // 0x35 '5'
    { '6',           0, LF_VALID | LF_SHIFT           },  // 0x36 '6'
    { '7',           0, LF_VALID | LF_SHIFT           },  // 0x37 '7'
    { '8',           0, LF_VALID | LF_SHIFT           },  // 0x38 '8'
    { '9',           0, LF_VALID | LF_SHIFT           },  // 0x39 '9'
    { VK_OEM_2,      0, LF_VALID                      },  // 0x3A ':'
    { VK_OEM_PERIOD, 0, LF_VALID                      },  // 0x3B ';'
    { VK_OEM_102,    0, LF_VALID                      },  // 0x3C '<'
    { VK_OEM_PLUS,   0, LF_VALID                      },  // 0x3D '='
    { VK_OEM_102,    0, LF_VALID | LF_SHIFT           },  // 0x3E '>'
    { VK_OEM_COMMA,  0, LF_VALID | LF_SHIFT           },  // 0x3F '?'
    { '2',           0, LF_VALID | LF_ALTGR           },  // 0x40 '@'
    { 'A',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x41 'A'
    { 'B',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x42 'B'
    { 'C',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x43 'C'
    { 'D',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x44 'D'
    { 'E',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x45 'E'
    { 'F',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x46 'F'
    { 'G',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x47 'G'
    { 'H',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x48 'H'
    { 'I',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x49 'I'
    { 'J',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4A 'J'
    { 'K',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4B 'K'
    { 'L',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4C 'L'
    { 'M',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4D 'M'
    { 'N',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4E 'N'
    { 'O',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x4F 'O'
    { 'P',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x50 'P'
    { 'Q',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x51 'Q'
    { 'R',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x52 'R'
    { 'S',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x53 'S'
    { 'T',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x54 'T'
    { 'U',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x55 'U'
    { 'V',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x56 'V'
    { 'W',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x57 'W'
    { 'X',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x58 'X'
    { 'Y',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x59 'Y'
    { 'Z',           0, LF_VALID | LF_CAPS | LF_SHIFT },  // 0x5A 'Z'
    { VK_OEM_6,      0, LF_VALID | LF_ALTGR           },  // 0x5B '['
    { VK_OEM_102,    0, LF_VALID | LF_ALTGR           },  // 0x5C backslash
    { VK_OEM_1,      0, LF_VALID | LF_ALTGR           },  // 0x5D ']'
    { '6',           0, LF_VALID | LF_ALTGR           },  // 0x5E '^'
    { VK_OEM_MINUS,  0, LF_VALID | LF_SHIFT           },  // 0x5F '_'
    { VK_OEM_5,      0, LF_VALID | LF_ALTGR | LF_DEAD },  // 0x60 '`'
    { 'A',           0, LF_VALID | LF_CAPS            },  // 0x61 'a'
    { 'B',           0, LF_VALID | LF_CAPS            },  // 0x62 'b'
    { 'C',           0, LF_VALID | LF_CAPS            },  // 0x63 'c'
    { 'D',           0, LF_VALID | LF_CAPS            },  // 0x64 'd'
    { 'E',           0, LF_VALID | LF_CAPS            },  // 0x65 'e'
    { 'F',           0, LF_VALID | LF_CAPS            },  // 0x66 'f'
    { 'G',           0, LF_VALID | LF_CAPS            },  // 0x67 'g'
    { 'H',           0, LF_VALID | LF_CAPS            },  // 0x68 'h'
    { 'I',           0, LF_VALID | LF_CAPS            },  // 0x69 'i'
    { 'J',           0, LF_VALID | LF_CAPS            },  // 0x6A 'j'
    { 'K',           0, LF_VALID | LF_CAPS            },  // 0x6B 'k'
    { 'L',           0, LF_VALID | LF_CAPS            },  // 0x6C 'l'
    { 'M',           0, LF_VALID | LF_CAPS            },  // 0x6D 'm'
    { 'N',           0, LF_VALID | LF_CAPS            },  // 0x6E 'n'
    { 'O',           0, LF_VALID | LF_CAPS            },  // 0x6F 'o'
    { 'P',           0, LF_VALID | LF_CAPS            },  // 0x70 'p'
    { 'Q',           0, LF_VALID | LF_CAPS            },  // 0x71 'q'
    { 'R',           0, LF_VALID | LF_CAPS            },  // 0x72 'r'
    { 'S',           0, LF_VALID | LF_CAPS            },  // 0x73 's'
    { 'T',           0, LF_VALID | LF_CAPS            },  // 0x74 't'
    { 'U',           0, LF_VALID | LF_CAPS            },  // 0x75 'u'
    { 'V',           0, LF_VALID | LF_CAPS            },  // 0x76 'v'
    { 'W',           0, LF_VALID | LF_CAPS            },  // 0x77 'w'
    { 'X',           0, LF_VALID | LF_CAPS            },  // 0x78 'x'
    { 'Y',           0, LF_VALID | LF_CAPS            },  // 0x79 'y'
    { 'Z',           0, LF_VALID | LF_CAPS            },  // 0x7A 'z'
    { '9',           0, LF_VALID | LF_ALTGR           },  // 0x7B '{'
    { '1',           0, LF_VALID | LF_ALTGR           },  // 0x7C '|'
    { '0',           0, LF_VALID | LF_ALTGR           },  // 0x7D '}'
    { VK_OEM_PLUS,   0, LF_VALID | LF_ALTGR | LF_DEAD },  // 0x7E '~'
    { VK_DELETE,     0, LF_VALID | LF_EXTENDED        },  // 0x7F DEL
    { VK_PRIOR,      0, LF_VALID | LF_EXTENDED        },  // 0x80 PgUp
    { VK_NEXT,       0, LF_VALID | LF_EXTENDED        },  // 0x81 PgDn
    { VK_END,        0, LF_VALID | LF_EXTENDED        },  // 0x82 End
    { VK_HOME,       0, LF_VALID | LF_EXTENDED        },  // 0x83 Home
    { VK_LEFT,       0, LF_VALID | LF_EXTENDED        },  // 0x84 Left
    { VK_UP,         0, LF_VALID | LF_EXTENDED        },  // 0x85 Up
    { VK_RIGHT,      0, LF_VALID | LF_EXTENDED        },  // 0x86 Right
    { VK_DOWN,       0, LF_VALID | LF_EXTENDED        },  // 0x87 Down
    { VK_SELECT,     0, LF_VALID                      },  // 0x88 Select
    { VK_PRINT,      0, LF_VALID                      },  // 0x89 Print
    { VK_EXECUTE,    0, LF_VALID                      },  // 0x8A Execute
    { VK_SNAPSHOT,   0, LF_VALID | LF_EXTENDED        },  // 0x8B PrtSc
    { VK_INSERT,     0, LF_VALID | LF_EXTENDED        },  // 0x8C Ins
    { VK_DELETE,     0, LF_VALID | LF_EXTENDED        },  // 0x8D Del
    { VK_HELP,       0, LF_VALID                      },  // 0x8E Help
    { VK_LWIN,       0, LF_VALID | LF_EXTENDED        },  // 0x8F LWin
    { VK_RWIN,       0, LF_VALID | LF_EXTENDED        },  // 0x90 RWin
    { VK_APPS,       0, LF_VALID | LF_EXTENDED        },  // 0x91 Apps
    { VK_NUMPAD0,    0, LF_VALID                      },  // 0x92 keypad 0
    { VK_NUMPAD1,    0, LF_VALID                      },  // 0x93 keypad 1
    { VK_NUMPAD2,    0, LF_VALID                      },  // 0x94 keypad 2
    { VK_NUMPAD3,    0, LF_VALID                      },  // 0x95 keypad 3
    { VK_NUMPAD4,    0, LF_VALID                      },  // 0x96 keypad 4
    { VK_NUMPAD5,    0, LF_VALID                      },  // 0x97 keypad 5
    { VK_NUMPAD6,    0, LF_VALID                      },  // 0x98 keypad 6
    { VK_NUMPAD7,    0, LF_VALID                      },  // 0x99 keypad 7
    { VK_NUMPAD8,    0, LF_VALID                      },  // 0x9A keypad 8
    { VK_NUMPAD9,    0, LF_VALID                      },  // 0x9B keypad 9
    { VK_MULTIPLY,   0, LF_VALID                      },  // 0x9C keypad *
    { VK_ADD,        0, LF_VALID                      },  // 0x9D keypad +
    { VK_SEPARATOR,  0, LF_VALID                      },  // 0x9E keypad separator
    { VK_SUBTRACT,   0, LF_VALID                      },  // 0x9F keypad -
    { VK_DECIMAL,    0, LF_VALID                      },  // 0xA0 keypad .
    { VK_DIVIDE,     0, LF_VALID | LF_EXTENDED        },  // 0xA1 keypad /
    { VK_F1,         0, LF_VALID                      },  // 0xA2 F1
    { VK_F2,         0, LF_VALID                      },  // 0xA3 F2
    { VK_F3,         0, LF_VALID                      },  // 0xA4 F3
    { VK_F4,         0, LF_VALID                      },  // 0xA5 F4
    { VK_F5,         0, LF_VALID                      },  // 0xA6 F5
    { VK_F6,         0, LF_VALID                      },  // 0xA7 F6
    { VK_F7,         0, LF_VALID                      },  // 0xA8 F7
    { VK_F8,         0, LF_VALID                      },  // 0xA9 F8
    { VK_F9,         0, LF_VALID                      },  // 0xAA F9
    { VK_F10,        0, LF_VALID                      },  // 0xAB F10
    { VK_F11,        0, LF_VALID                      },  // 0xAC F11
    { VK_F12,        0, LF_VALID                      },  // 0xAD F12
    { VK_F13,        0, LF_VALID                      },  // 0xAE F13
    { VK_F14,        0, LF_VALID                      },  // 0xAF F14
    { VK_F15,        0, LF_VALID                      },  // 0xB0 F15
    { VK_F16,        0, LF_VALID                      },  // 0xB1 F16
    { VK_F17,        0, LF_VALID                      },  // 0xB2 F17
    { VK_F18,        0, LF_VALID                      },  // 0xB3 F18
    { VK_F19,        0, LF_VALID                      },  // 0xB4 F19
    { VK_F20,        0, LF_VALID                      },  // 0xB5 F20
    { VK_F21,        0, LF_VALID                      },  // 0xB6 F21
    { VK_F22,        0, LF_VALID                      },  // 0xB7 F22
    { VK_F23,        0, LF_VALID                      },  // 0xB8 F23
    { VK_F24,        0, LF_VALID                      },  // 0xB9 F24
    { VK_NUMLOCK,    0, LF_VALID | LF_EXTENDED        },  // 0xBA NumLock
    { VK_SCROLL,     0, LF_VALID                      },  // 0xBB ScrollLock
    { VK_RETURN,     0, LF_VALID | LF_EXTENDED        },  // 0xBC keypad Enter
    { 0,             0, 0                             },  // 0xBD
    { 0,             0, 0                             },  // 0xBE
    { 0,             0, 0                             },  // 0xBF
    { 0,             0, 0                             },  // 0xC0
    { 0,             0, 0                             },  // 0xC1
    { 0,             0, 0                             },  // 0xC2
    { 0,             0, 0                             },  // 0xC3
    { 0,             0, 0                             },  // 0xC4 A diaeresis
    { 0,             0, 0                             },  // 0xC5 A ring
    { 0,             0, 0                             },  // 0xC6
    { 0,             0, 0                             },  // 0xC7
    { 0,             0, 0                             },  // 0xC8
    { 0,             0, 0                             },  // 0xC9
    { 0,             0, 0                             },  // 0xCA
    { 0,             0, 0                             },  // 0xCB
    { 0,             0, 0                             },  // 0xCC
    { 0,             0, 0                             },  // 0xCD
    { 0,             0, 0                             },  // 0xCE
    { 0,             0, 0                             },  // 0xCF
    { 0,             0, 0                             },  // 0xD0
    { 0,             0, 0                             },  // 0xD1
    { 0,             0, 0                             },  // 0xD2
    { 0,             0, 0                             },  // 0xD3
    { 0,             0, 0                             },  // 0xD4
    { 0,             0, 0                             },  // 0xD5
    { 0,             0, 0                             },  // 0xD6 O diaeresis
    { 0,             0, 0                             },  // 0xD7
    { 0,             0, 0                             },  // 0xD8
    { 0,             0, 0                             },  // 0xD9
    { 0,             0, 0                             },  // 0xDA
    { 0,             0, 0                             },  // 0xDB
    { 0,             0, 0                             },  // 0xDC
    { 0,             0, 0                             },  // 0xDD
    { 0,             0, 0                             },  // 0xDE
    { 0,             0, 0                             },  // 0xDF
    { 0,             0, 0                             },  // 0xE0
    { 0,             0, 0                             },  // 0xE1
    { 0,             0, 0                             },  // 0xE2
    { 0,             0, 0                             },  // 0xE3
    { 0,             0, 0                             },  // 0xE4 a diaeresis
    { 0,             0, 0                             },  // 0xE5 a ring
    { 0,             0, 0                             },  // 0xE6
    { 0,             0, 0                             },  // 0xE7
    { 0,             0, 0                             },  // 0xE8
    { 0,             0, 0                             },  // 0xE9
    { 0,             0, 0                             },  // 0xEA
    { 0,             0, 0                             },  // 0xEB
    { 0,             0, 0                             },  // 0xEC
    { 0,             0, 0                             },  // 0xED
    { 0,             0, 0                             },  // 0xEE
    { 0,             0, 0                             },  // 0xEF
    { 0,             0, 0                             },  // 0xF0
    { 0,             0, 0                             },  // 0xF1
    { 0,             0, 0                             },  // 0xF2
    { 0,             0, 0                             },  // 0xF3
    { 0,             0, 0                             },  // 0xF4
    { 0,             0, 0                             },  // 0xF5
    { 0,             0, 0                             },  // 0xF6 o diaeresis
    { 0,             0, 0                             },  // 0xF7
    { 0,             0, 0                             },  // 0xF8
    { 0,             0, 0                             },  // 0xF9
    { 0,             0, 0                             },  // 0xFA
    { 0,             0, 0                             },  // 0xFB
    { 0,             0, 0                             },  // 0xFC
    { VK_RWIN,       0, LF_VALID | LF_CONTROL | LF_EXTENDED },  // 0xFD Ctrl+RWin
    { 'K',           0, LF_VALID | LF_CONTROL         },  // 0xFE Ctrl+K
    { 0,             0, 0                             },  // 0xFF
};
static_assert(sizeof(gLayoutBelgian) / sizeof(gLayoutBelgian[0]) == LAYOUT_CODES,
              "Belgian layout rows");

// Scan codes by virtual key, one column per layout (US, Swedish, Belgian), as
// Windows maps them on each layout: a remote session forwards scan codes and
// types what its own layout puts on them. Print Screen is 0x37 (sent
// extended); Pause keeps 0x45.
static const BYTE gScanCodes[][3] = {
    { 0x00, 0x00, 0x00 },  // 0x00
    { 0x00, 0x00, 0x00 },  // 0x01 VK_LBUTTON
    { 0x00, 0x00, 0x00 },  // 0x02 VK_RBUTTON
    { 0x46, 0x46, 0x46 },  // 0x03 VK_CANCEL
    { 0x00, 0x00, 0x00 },  // 0x04 VK_MBUTTON
    { 0x00, 0x00, 0x00 },  // 0x05
    { 0x00, 0x00, 0x00 },  // 0x06
    { 0x00, 0x00, 0x00 },  // 0x07
    { 0x0E, 0x0E, 0x0E },  // 0x08 VK_BACK
    { 0x0F, 0x0F, 0x0F },  // 0x09 VK_TAB
    { 0x00, 0x00, 0x00 },  // 0x0A
    { 0x00, 0x00, 0x00 },  // 0x0B
    { 0x4C, 0x4C, 0x4C },  // 0x0C VK_CLEAR
    { 0x1C, 0x1C, 0x1C },  // 0x0D VK_RETURN
    { 0x00, 0x00, 0x00 },  // 0x0E
    { 0x00, 0x00, 0x00 },  // 0x0F
    { 0x2A, 0x2A, 0x2A },  // 0x10 VK_SHIFT
    { 0x1D, 0x1D, 0x1D },  // 0x11 VK_CONTROL
    { 0x38, 0x38, 0x38 },  // 0x12 VK_MENU
    { 0x45, 0x45, 0x45 },  // 0x13 VK_PAUSE
    { 0x3A, 0x3A, 0x3A },  // 0x14 VK_CAPITAL
    { 0x00, 0x00, 0x00 },  // 0x15
    { 0x00, 0x00, 0x00 },  // 0x16
    { 0x00, 0x00, 0x00 },  // 0x17
    { 0x00, 0x00, 0x00 },  // 0x18
    { 0x00, 0x00, 0x00 },  // 0x19
    { 0x00, 0x00, 0x00 },  // 0x1A
    { 0x01, 0x01, 0x01 },  // 0x1B VK_ESCAPE
    { 0x00, 0x00, 0x00 },  // 0x1C
    { 0x00, 0x00, 0x00 },  // 0x1D
    { 0x00, 0x00, 0x00 },  // 0x1E
    { 0x00, 0x00, 0x00 },  // 0x1F
    { 0x39, 0x39, 0x39 },  // 0x20 VK_SPACE
    { 0x49, 0x49, 0x49 },  // 0x21 VK_PRIOR
    { 0x51, 0x51, 0x51 },  // 0x22 VK_NEXT
    { 0x4F, 0x4F, 0x4F },  // 0x23 VK_END
    { 0x47, 0x47, 0x47 },  // 0x24 VK_HOME
    { 0x4B, 0x4B, 0x4B },  // 0x25 VK_LEFT
    { 0x48, 0x48, 0x48 },  // 0x26 VK_UP
    { 0x4D, 0x4D, 0x4D },  // 0x27 VK_RIGHT
    { 0x50, 0x50, 0x50 },  // 0x28 VK_DOWN
    { 0x00, 0x00, 0x00 },  // 0x29 VK_SELECT
    { 0x00, 0x00, 0x00 },  // 0x2A VK_PRINT
    { 0x00, 0x00, 0x00 },  // 0x2B VK_EXECUTE
    { 0x37, 0x37, 0x37 },  // 0x2C VK_SNAPSHOT
    { 0x52, 0x52, 0x52 },  // 0x2D VK_INSERT
    { 0x53, 0x53, 0x53 },  // 0x2E VK_DELETE
    { 0x63, 0x63, 0x63 },  // 0x2F VK_HELP
    { 0x0B, 0x0B, 0x0B },  // 0x30 VK_0
    { 0x02, 0x02, 0x02 },  // 0x31 VK_1
    { 0x03, 0x03, 0x03 },  // 0x32 VK_2
    { 0x04, 0x04, 0x04 },  // 0x33 VK_3
    { 0x05, 0x05, 0x05 },  // 0x34 VK_4
    { 0x06, 0x06, 0x06 },  // 0x35 VK_5
    { 0x07, 0x07, 0x07 },  // 0x36 VK_6
    { 0x08, 0x08, 0x08 },  // 0x37 VK_7
    { 0x09, 0x09, 0x09 },  // 0x38 VK_8
    { 0x0A, 0x0A, 0x0A },  // 0x39 VK_9
    { 0x00, 0x00, 0x00 },  // 0x3A
    { 0x00, 0x00, 0x00 },  // 0x3B
    { 0x00, 0x00, 0x00 },  // 0x3C
    { 0x00, 0x00, 0x00 },  // 0x3D
    { 0x00, 0x00, 0x00 },  // 0x3E
    { 0x00, 0x00, 0x00 },  // 0x3F
    { 0x00, 0x00, 0x00 },  // 0x40
    { 0x1E, 0x1E, 0x10 },  // 0x41 VK_A
    { 0x30, 0x30, 0x30 },  // 0x42 VK_B
    { 0x2E, 0x2E, 0x2E },  // 0x43 VK_C
    { 0x20, 0x20, 0x20 },  // 0x44 VK_D
    { 0x12, 0x12, 0x12 },  // 0x45 VK_E
    { 0x21, 0x21, 0x21 },  // 0x46 VK_F
    { 0x22, 0x22, 0x22 },  // 0x47 VK_G
    { 0x23, 0x23, 0x23 },  // 0x48 VK_H
    { 0x17, 0x17, 0x17 },  // 0x49 VK_I
    { 0x24, 0x24, 0x24 },  // 0x4A VK_J
    { 0x25, 0x25, 0x25 },  // 0x4B VK_K
    { 0x26, 0x26, 0x26 },  // 0x4C VK_L
    { 0x32, 0x32, 0x27 },  // 0x4D VK_M
    { 0x31, 0x31, 0x31 },  // 0x4E VK_N
    { 0x18, 0x18, 0x18 },  // 0x4F VK_O
    { 0x19, 0x19, 0x19 },  // 0x50 VK_P
    { 0x10, 0x10, 0x1E },  // 0x51 VK_Q
    { 0x13, 0x13, 0x13 },  // 0x52 VK_R
    { 0x1F, 0x1F, 0x1F },  // 0x53 VK_S
    { 0x14, 0x14, 0x14 },  // 0x54 VK_T
    { 0x16, 0x16, 0x16 },  // 0x55 VK_U
    { 0x2F, 0x2F, 0x2F },  // 0x56 VK_V
    { 0x11, 0x11, 0x2C },  // 0x57 VK_W
    { 0x2D, 0x2D, 0x2D },  // 0x58 VK_X
    { 0x15, 0x15, 0x15 },  // 0x59 VK_Y
    { 0x2C, 0x2C, 0x11 },  // 0x5A VK_Z
    { 0x5B, 0x5B, 0x5B },  // 0x5B VK_LWIN
    { 0x5C, 0x5C, 0x5C },  // 0x5C VK_RWIN
    { 0x5D, 0x5D, 0x5D },  // 0x5D VK_APPS
    { 0x00, 0x00, 0x00 },  // 0x5E
    { 0x00, 0x00, 0x00 },  // 0x5F
    { 0x52, 0x52, 0x52 },  // 0x60 VK_NUMPAD0
    { 0x4F, 0x4F, 0x4F },  // 0x61 VK_NUMPAD1
    { 0x50, 0x50, 0x50 },  // 0x62 VK_NUMPAD2
    { 0x51, 0x51, 0x51 },  // 0x63 VK_NUMPAD3
    { 0x4B, 0x4B, 0x4B },  // 0x64 VK_NUMPAD4
    { 0x4C, 0x4C, 0x4C },  // 0x65 VK_NUMPAD5
    { 0x4D, 0x4D, 0x4D },  // 0x66 VK_NUMPAD6
    { 0x47, 0x47, 0x47 },  // 0x67 VK_NUMPAD7
    { 0x48, 0x48, 0x48 },  // 0x68 VK_NUMPAD8
    { 0x49, 0x49, 0x49 },  // 0x69 VK_NUMPAD9
    { 0x37, 0x37, 0x37 },  // 0x6A VK_MULTIPLY
    { 0x4E, 0x4E, 0x4E },  // 0x6B VK_ADD
    { 0x00, 0x00, 0x00 },  // 0x6C VK_SEPARATOR
    { 0x4A, 0x4A, 0x4A },  // 0x6D VK_SUBTRACT
    { 0x53, 0x53, 0x53 },  // 0x6E VK_DECIMAL
    { 0x35, 0x35, 0x35 },  // 0x6F VK_DIVIDE
    { 0x3B, 0x3B, 0x3B },  // 0x70 VK_F1
    { 0x3C, 0x3C, 0x3C },  // 0x71 VK_F2
    { 0x3D, 0x3D, 0x3D },  // 0x72 VK_F3
    { 0x3E, 0x3E, 0x3E },  // 0x73 VK_F4
    { 0x3F, 0x3F, 0x3F },  // 0x74 VK_F5
    { 0x40, 0x40, 0x40 },  // 0x75 VK_F6
    { 0x41, 0x41, 0x41 },  // 0x76 VK_F7
    { 0x42, 0x42, 0x42 },  // 0x77 VK_F8
    { 0x43, 0x43, 0x43 },  // 0x78 VK_F9
    { 0x44, 0x44, 0x44 },  // 0x79 VK_F10
    { 0x57, 0x57, 0x57 },  // 0x7A VK_F11
    { 0x58, 0x58, 0x58 },  // 0x7B VK_F12
    { 0x64, 0x64, 0x64 },  // 0x7C VK_F13
    { 0x65, 0x65, 0x65 },  // 0x7D VK_F14
    { 0x66, 0x66, 0x66 },  // 0x7E VK_F15
    { 0x67, 0x67, 0x67 },  // 0x7F VK_F16
    { 0x68, 0x68, 0x68 },  // 0x80 VK_F17
    { 0x69, 0x69, 0x69 },  // 0x81 VK_F18
    { 0x6A, 0x6A, 0x6A },  // 0x82 VK_F19
    { 0x6B, 0x6B, 0x6B },  // 0x83 VK_F20
    { 0x6C, 0x6C, 0x6C },  // 0x84 VK_F21
    { 0x6D, 0x6D, 0x6D },  // 0x85 VK_F22
    { 0x6E, 0x6E, 0x6E },  // 0x86 VK_F23
    { 0x76, 0x76, 0x76 },  // 0x87 VK_F24
    { 0x00, 0x00, 0x00 },  // 0x88
    { 0x00, 0x00, 0x00 },  // 0x89
    { 0x00, 0x00, 0x00 },  // 0x8A
    { 0x00, 0x00, 0x00 },  // 0x8B
    { 0x00, 0x00, 0x00 },  // 0x8C
    { 0x00, 0x00, 0x00 },  // 0x8D
    { 0x00, 0x00, 0x00 },  // 0x8E
    { 0x00, 0x00, 0x00 },  // 0x8F
    { 0x45, 0x45, 0x45 },  // 0x90 VK_NUMLOCK
    { 0x46, 0x46, 0x46 },  // 0x91 VK_SCROLL
    { 0x00, 0x00, 0x00 },  // 0x92
    { 0x00, 0x00, 0x00 },  // 0x93
    { 0x00, 0x00, 0x00 },  // 0x94
    { 0x00, 0x00, 0x00 },  // 0x95
    { 0x00, 0x00, 0x00 },  // 0x96
    { 0x00, 0x00, 0x00 },  // 0x97
    { 0x00, 0x00, 0x00 },  // 0x98
    { 0x00, 0x00, 0x00 },  // 0x99
    { 0x00, 0x00, 0x00 },  // 0x9A
    { 0x00, 0x00, 0x00 },  // 0x9B
    { 0x00, 0x00, 0x00 },  // 0x9C
    { 0x00, 0x00, 0x00 },  // 0x9D
    { 0x00, 0x00, 0x00 },  // 0x9E
    { 0x00, 0x00, 0x00 },  // 0x9F
    { 0x00, 0x00, 0x00 },  // 0xA0
    { 0x00, 0x00, 0x00 },  // 0xA1
    { 0x00, 0x00, 0x00 },  // 0xA2
    { 0x00, 0x00, 0x00 },  // 0xA3
    { 0x00, 0x00, 0x00 },  // 0xA4
    { 0x38, 0x38, 0x38 },  // 0xA5 VK_RMENU
    { 0x00, 0x00, 0x00 },  // 0xA6
    { 0x00, 0x00, 0x00 },  // 0xA7
    { 0x00, 0x00, 0x00 },  // 0xA8
    { 0x00, 0x00, 0x00 },  // 0xA9
    { 0x00, 0x00, 0x00 },  // 0xAA
    { 0x00, 0x00, 0x00 },  // 0xAB
    { 0x00, 0x00, 0x00 },  // 0xAC
    { 0x00, 0x00, 0x00 },  // 0xAD
    { 0x00, 0x00, 0x00 },  // 0xAE
    { 0x00, 0x00, 0x00 },  // 0xAF
    { 0x00, 0x00, 0x00 },  // 0xB0
    { 0x00, 0x00, 0x00 },  // 0xB1
    { 0x00, 0x00, 0x00 },  // 0xB2
    { 0x00, 0x00, 0x00 },  // 0xB3
    { 0x00, 0x00, 0x00 },  // 0xB4
    { 0x00, 0x00, 0x00 },  // 0xB5
    { 0x00, 0x00, 0x00 },  // 0xB6
    { 0x00, 0x00, 0x00 },  // 0xB7
    { 0x00, 0x00, 0x00 },  // 0xB8
    { 0x00, 0x00, 0x00 },  // 0xB9
    { 0x27, 0x1B, 0x1B },  // 0xBA VK_OEM_1
    { 0x0D, 0x0C, 0x35 },  // 0xBB VK_OEM_PLUS
    { 0x33, 0x33, 0x32 },  // 0xBC VK_OEM_COMMA
    { 0x0C, 0x35, 0x0D },  // 0xBD VK_OEM_MINUS
    { 0x34, 0x34, 0x33 },  // 0xBE VK_OEM_PERIOD
    { 0x35, 0x2B, 0x34 },  // 0xBF VK_OEM_2
    { 0x29, 0x27, 0x28 },  // 0xC0 VK_OEM_3
    { 0x00, 0x00, 0x00 },  // 0xC1
    { 0x00, 0x00, 0x00 },  // 0xC2
    { 0x00, 0x00, 0x00 },  // 0xC3
    { 0x00, 0x00, 0x00 },  // 0xC4
    { 0x00, 0x00, 0x00 },  // 0xC5
    { 0x00, 0x00, 0x00 },  // 0xC6
    { 0x00, 0x00, 0x00 },  // 0xC7
    { 0x00, 0x00, 0x00 },  // 0xC8
    { 0x00, 0x00, 0x00 },  // 0xC9
    { 0x00, 0x00, 0x00 },  // 0xCA
    { 0x00, 0x00, 0x00 },  // 0xCB
    { 0x00, 0x00, 0x00 },  // 0xCC
    { 0x00, 0x00, 0x00 },  // 0xCD
    { 0x00, 0x00, 0x00 },  // 0xCE
    { 0x00, 0x00, 0x00 },  // 0xCF
    { 0x00, 0x00, 0x00 },  // 0xD0
    { 0x00, 0x00, 0x00 },  // 0xD1
    { 0x00, 0x00, 0x00 },  // 0xD2
    { 0x00, 0x00, 0x00 },  // 0xD3
    { 0x00, 0x00, 0x00 },  // 0xD4
    { 0x00, 0x00, 0x00 },  // 0xD5
    { 0x00, 0x00, 0x00 },  // 0xD6
    { 0x00, 0x00, 0x00 },  // 0xD7
    { 0x00, 0x00, 0x00 },  // 0xD8
    { 0x00, 0x00, 0x00 },  // 0xD9
    { 0x00, 0x00, 0x00 },  // 0xDA
    { 0x1A, 0x0D, 0x0C },  // 0xDB VK_OEM_4
    { 0x2B, 0x29, 0x2B },  // 0xDC VK_OEM_5
    { 0x1B, 0x1A, 0x1A },  // 0xDD VK_OEM_6
    { 0x28, 0x28, 0x29 },  // 0xDE VK_OEM_7
    { 0x00, 0x00, 0x00 },  // 0xDF
    { 0x00, 0x00, 0x00 },  // 0xE0
    { 0x00, 0x00, 0x00 },  // 0xE1
    { 0x56, 0x56, 0x56 },  // 0xE2 VK_OEM_102
    { 0x00, 0x00, 0x00 },  // 0xE3
    { 0x00, 0x00, 0x00 },  // 0xE4
    { 0x00, 0x00, 0x00 },  // 0xE5
    { 0x00, 0x00, 0x00 },  // 0xE6
    { 0x00, 0x00, 0x00 },  // 0xE7
    { 0x00, 0x00, 0x00 },  // 0xE8
    { 0x00, 0x00, 0x00 },  // 0xE9
    { 0x00, 0x00, 0x00 },  // 0xEA
    { 0x00, 0x00, 0x00 },  // 0xEB
    { 0x00, 0x00, 0x00 },  // 0xEC
    { 0x00, 0x00, 0x00 },  // 0xED
    { 0x00, 0x00, 0x00 },  // 0xEE
    { 0x00, 0x00, 0x00 },  // 0xEF
    { 0x00, 0x00, 0x00 },  // 0xF0
    { 0x00, 0x00, 0x00 },  // 0xF1
    { 0x00, 0x00, 0x00 },  // 0xF2
    { 0x00, 0x00, 0x00 },  // 0xF3
    { 0x00, 0x00, 0x00 },  // 0xF4
    { 0x00, 0x00, 0x00 },  // 0xF5
    { 0x00, 0x00, 0x00 },  // 0xF6
    { 0x00, 0x00, 0x00 },  // 0xF7
    { 0x00, 0x00, 0x00 },  // 0xF8
    { 0x00, 0x00, 0x00 },  // 0xF9
    { 0x00, 0x00, 0x00 },  // 0xFA
    { 0x00, 0x00, 0x00 },  // 0xFB
    { 0x00, 0x00, 0x00 },  // 0xFC
    { 0x00, 0x00, 0x00 },  // 0xFD
    { 0x00, 0x00, 0x00 },  // 0xFE
    { 0x00, 0x00, 0x00 },  // 0xFF
};
static_assert(sizeof(gScanCodes) / sizeof(gScanCodes[0]) == 256, "scan-code rows");

// The column of gScanCodes for a layout number.
static int ScanCodeColumn(int nLayout)
{
    switch (nLayout) {
    case LAYOUT_SWEDISH:
        return 1;
    case LAYOUT_BELGIAN:
        return 2;
    default:
        return 0;
    }
}

const BYTE* GetLayoutRow(int nLayout, int nCode)
{
    FATAL_ASSERT(nCode >= 0 && nCode < LAYOUT_CODES);
    switch (nLayout) {
    case LAYOUT_SWEDISH:
        return gLayoutSwedish[nCode];
    case LAYOUT_BELGIAN:
        return gLayoutBelgian[nCode];
    default:
        return gLayoutUS[nCode];
    }
}

BYTE GetLayoutScanCode(int nLayout, int nKeyCode)
{
    FATAL_ASSERT(nKeyCode >= 0 && nKeyCode < 256);
    return gScanCodes[nKeyCode][ScanCodeColumn(nLayout)];
}
