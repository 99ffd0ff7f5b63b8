// The texts and formats of the message boxes that users see.
#pragma once

// The serial module refuses to start: the key and its value as written.
#define TVX_SERIAL_INVALID_SETTING_FORMAT L"Invalid setting in Serial.txt: %s=%s"
// The serial port did not open at start: the port (COM5) and the system's
// message without its line end and full stop. The module keeps trying.
#define TVX_SERIAL_PORT_FAILED_FORMAT L"Serial port %s cannot be opened (%s). Tolvex keeps trying."
