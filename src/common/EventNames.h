// Texts that the host and its input modules must agree on exactly.
#pragma once

#include "common/Types.h"

#define TVX_STOP_EVENT_FORMAT L"StopInputModule_%08x"
#define TVX_STOPPED_EVENT_FORMAT L"InputModuleStopped_%08x"

// The handle as it travels: its low 32 bits as eight lower-case hex digits.
#define TVX_HANDLE_FORMAT L"%08x"
#define TVX_HANDLE_DIGITS 8
// The module command line: quoted module path, a blank, the handle; and how
// much longer than the path it is (the two quotes, the blank, the digits).
#define TVX_MODULE_COMMAND_LINE_FORMAT L"\"%s\" %08x"
#define TVX_MODULE_COMMAND_LINE_EXTRA (2 + 1 + TVX_HANDLE_DIGITS)
