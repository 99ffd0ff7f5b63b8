// Every text that Tolvex.exe and its input modules show in a message box,
// every format such a text is made from, and the boxes' captions: one
// definition each, used by the programs, the script checker and the tests.
// In a format each %s takes the next text (FormatText, common/MyString.h),
// except where a comment names another formatter. The texts raised as Lua
// errors are 8-bit, the others wide.
#pragma once

// ---- Captions ----
// Every error box of the host and the modules (ShowError).
#define TVX_CAPTION L"Tolvex"
// The fatal assertion's box.
#define TVX_FATAL_ERROR_CAPTION L"Fatal Error"
// A script's failure on one scan, in a box owned by the host's main window.
#define TVX_SCRIPT_ERROR_CAPTION L"Script Runtime Error"
// Ostwin on a terminal without an internal scanner.
#define TVX_NO_SCANNER_CAPTION L"SCANNER Error"

// ---- Caption "Tolvex": host start-up ----
// The common controls cannot be initialised.
#define TVX_AFX_INIT_FAILED_TEXT L"Afx init failed"
// The interpreter cannot be made, or script.lua cannot be loaded (at start-up,
// or on "Reload script", when the running script stays); %s is empty or the
// interpreter's message as TVX_LUA_ERROR_SUFFIX_FORMAT.
#define TVX_LUA_INIT_FAILED_FORMAT L"Unable to initialize Lua%s."
// script.lua raised an error while it ran; %s as above.
#define TVX_SCRIPT_COMPILE_FAILED_FORMAT L"Unable to compile script%s."
// The interpreter's message inside the two texts above.
#define TVX_LUA_ERROR_SUFFIX_FORMAT L" (%s)"
// The path of script.lua is 260 characters or longer (tolvexcli: the folder).
#define TVX_SCRIPT_PATH_TOO_LONG_TEXT L"Path to application too long."
// Tolvex.txt, or a module's own settings file, cannot be read; %s is its path.
#define TVX_SETTINGS_READ_FAILED_FORMAT L"Failed to read settings from file %s."
// A required setting is absent: its name, then the file's path.
#define TVX_SETTING_MISSING_FORMAT L"The setting %s is missing from file %s."
// A setting's value is not one of those allowed: its name, then its value.
#define TVX_INVALID_SETTING_FORMAT L"Invalid setting: %s=%s"

// ---- Caption "Tolvex": the tray menu ----
// "Open data folder" could not open the installation folder; %s is its path.
#define TVX_OPEN_FOLDER_FAILED_FORMAT L"The data folder %s cannot be opened."

// ---- Caption "Tolvex": host and modules at their start ----
// The two named stop events cannot be made or opened.
#define TVX_EVENTS_FAILED_TEXT L"Failed to create synchronization events."
// The host cannot start its input module; %s is the module's path.
#define TVX_MODULE_START_FAILED_FORMAT L"Failed to start input module (%s)."
// A module was started without the host window's handle as its argument.
#define TVX_MODULE_REFUSED_TEXT L"This module may not be started separately."

// The input module's process ended without reporting that it stopped: the
// module's full path, its exit code as eight upper-case hexadecimal digits,
// and one of the two hints below or nothing. The host then ends.
#define TVX_MODULE_ENDED_FORMAT L"The input module %s ended unexpectedly (exit code 0x%s).%s"
// Hints for the exit codes the loader gives when a module cannot start.
#define TVX_MODULE_LIBRARY_MISSING_TEXT L" A library it needs is missing."
#define TVX_MODULE_NOT_64BIT_TEXT L" It or a library it needs is not a 64-bit Windows program."

// ---- Caption "Tolvex": the serial module ----
// A value of Serial.txt is not one of those allowed: the key, then the value
// as written. The module does not start.
#define TVX_SERIAL_INVALID_SETTING_FORMAT L"Invalid setting in Serial.txt: %s=%s"
// The serial port did not open at start: the port (COM5), then the system's
// message without its line end and full stop. The module keeps trying.
#define TVX_SERIAL_PORT_FAILED_FORMAT L"Serial port %s cannot be opened (%s). Tolvex keeps trying."

// ---- Caption "SCANNER Error" ----
// Ostwin: the terminal has no internal scanner; the module runs on.
#define TVX_NO_SCANNER_TEXT L"No scanner found"

// ---- Caption "Script Runtime Error": what the host itself composes ----
// The script's "process" returned neither a string nor a number: "" or "a ",
// then the Lua type name. Raised with luaL_error, whose %s takes 8-bit text.
#define TVX_PROCESS_RESULT_FORMAT "Function \"process\" returned %s%s instead of a string or a number."
// The second result of "process" is a table that holds another field than
// rdp: the field's name (a key that is no string in brackets: [1]). Raised
// with luaL_error.
#define TVX_OVERRIDE_FIELD_FORMAT "Function \"process\" returned the field %s in its second result, which may hold only rdp = true or false."
// The second result of "process" is a table whose rdp is no boolean: "" or
// "a ", then the Lua type name. Raised with luaL_error.
#define TVX_OVERRIDE_RDP_FORMAT "Function \"process\" returned rdp = %s%s in its second result instead of true or false."
// The script raised an error value that has no text: "" or "a ", then the
// Lua type name.
#define TVX_ERROR_WITHOUT_MESSAGE_FORMAT L"Script error without a message (the error value is %s%s)."
// A built-in called without one of its arguments; raised with luaL_error.
#define TVX_EAN128_MISSING_ARGUMENT_TEXT "Missing argument to function ean128."
#define TVX_SLEEP_MISSING_ARGUMENT_TEXT "Missing argument to function sleep."
#define TVX_LOG_MISSING_ARGUMENT_TEXT "Missing argument to function log."

// ---- Caption "Fatal Error" ----
// A must-hold condition failed: its text, the source file's name and the
// line. Filled by the printf family: on Windows %S in a wide format takes
// 8-bit text, natively wide text.
#define TVX_ASSERTION_FORMAT L"Assertion failed: %S (%S,%d)"
