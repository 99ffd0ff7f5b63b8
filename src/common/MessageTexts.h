// The texts and formats of every message box that Tolvex.exe and the input
// modules show, in one place: the troubleshooting table of the documentation
// lists each of them.
#pragma once

// The host's module process ended without reporting that it stopped: the
// module's full path and its exit code, then one of the hints below (or none).
#define TVX_MODULE_ENDED_FORMAT L"The input module %s ended unexpectedly (exit code 0x%08X).%s"
// Hints for the exit codes the loader gives when a module cannot start.
#define TVX_MODULE_LIBRARY_MISSING_TEXT L" A library it needs is missing."
#define TVX_MODULE_NOT_64BIT_TEXT L" It or a library it needs is not a 64-bit Windows program."

// The serial module refuses to start: the key and its value as written.
#define TVX_SERIAL_INVALID_SETTING_FORMAT L"Invalid setting in Serial.txt: %s=%s"
// The serial port did not open at start: the port (COM5) and the system's
// message without its line end and full stop. The module keeps trying.
#define TVX_SERIAL_PORT_FAILED_FORMAT L"Serial port %s cannot be opened (%s). Tolvex keeps trying."
