// The serial module's settings file "Serial.txt": its keys, their defaults,
// and the check that turns the values into the port's configuration.
#pragma once

#include "common/Settings.h"
#include "common/Types.h"
#include "modules/serial/SerialFraming.h"

#define SERIAL_SETTINGS_FILE L"Serial.txt"

#define SERIAL_PORT L"Port"
#define SERIAL_BAUD_RATE L"BaudRate"
#define SERIAL_DATA_BITS L"DataBits"
#define SERIAL_PARITY L"Parity"
#define SERIAL_STOP_BITS L"StopBits"
#define SERIAL_FLOW_CONTROL L"FlowControl"
#define SERIAL_TERMINATOR L"Terminator"
#define SERIAL_IDLE_TIMEOUT L"IdleTimeout"

#define SERIAL_DEFAULT_PORT L"COM1"
#define SERIAL_DEFAULT_BAUD_RATE L"9600"
#define SERIAL_DEFAULT_DATA_BITS L"8"
#define SERIAL_DEFAULT_PARITY L"None"
#define SERIAL_DEFAULT_STOP_BITS L"1"
#define SERIAL_DEFAULT_FLOW_CONTROL L"None"
#define SERIAL_DEFAULT_TERMINATOR L"CR"
#define SERIAL_DEFAULT_IDLE_TIMEOUT L"50"

// Every key with its default, in the order above: entered before the file is
// read, so that the file overrides them.
extern const SettingDefault grgSerialDefaults[];
extern const size_t gcSerialDefaults;

// The ports a user may name: COM1 to COM256.
#define SERIAL_MAX_PORT 256
// A longer idle timeout is taken as this, so that no setting makes a label
// wait for ever.
#define SERIAL_MAX_IDLE_TIMEOUT 10000

enum SerialParity
{
    SERIAL_PARITY_NONE,
    SERIAL_PARITY_ODD,
    SERIAL_PARITY_EVEN,
    SERIAL_PARITY_MARK,
    SERIAL_PARITY_SPACE,
};

enum SerialFlowControl
{
    SERIAL_FLOW_NONE,
    SERIAL_FLOW_RTS_CTS,
    SERIAL_FLOW_XON_XOFF,
};

struct SerialConfig
{
    unsigned nPort;  // 1 to SERIAL_MAX_PORT
    DWORD dwBaudRate;
    unsigned nDataBits;  // 7 or 8
    SerialParity parity;
    unsigned nStopBits;  // 1 or 2
    SerialFlowControl flowControl;
    SerialTerminator terminator;
    DWORD dwIdleTimeoutMs;  // 0: a label ends only at its terminator
};

// Reads every key from pSettings (values in any case, otherwise as written)
// into *pConfig. FALSE at the first key, in the order above, whose value is
// outside its list, with that key in *ppszBadKey; an IdleTimeout of 0 with
// Terminator=None is refused as IdleTimeout, since no label would ever end.
BOOL ParseSerialSettings(const Settings* pSettings, SerialConfig* pConfig, const WCHAR** ppszBadKey);
