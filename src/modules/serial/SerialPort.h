// The serial port itself: a thin shell over the Win32 communications calls.
// Opening runs on a helper thread, since opening a Bluetooth serial port can
// block for seconds while the scanner is away and the module must still
// answer a stop request within its bound.
#pragma once

#include <windows.h>

#include <string>

#include "modules/serial/SerialSettings.h"

// The input queue asked of the driver: a batch upload fits while the host types.
#define SERIAL_INPUT_QUEUE 65536
#define SERIAL_OUTPUT_QUEUE 4096

enum SerialOpenResult
{
    SERIAL_OPEN_PENDING,  // the helper thread is still opening
    SERIAL_OPEN_DONE,     // open and configured
    SERIAL_OPEN_FAILED,   // the error is in *pdwError
};

struct SerialOpening;

class SerialPort
{
public:
    // Opens the port that config names, with its settings; config must
    // outlive the port.
    explicit SerialPort(const SerialConfig& config);
    // Closes the port; an open still in progress is abandoned (its thread
    // closes what it gets).
    ~SerialPort();

    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    BOOL isOpen() const { return INVALID_HANDLE_VALUE != m_hPort; }
    BOOL isOpening() const { return NULL != m_pOpening; }

    // Starts opening \\.\COMn (the port must be closed, no open in progress).
    void beginOpen();
    // Takes the result of the open once the thread has it and applies every
    // setting: a port may come with any speed, and a reopened one with what
    // another program left.
    SerialOpenResult finishOpen(DWORD* pdwError);

    // Reads what the port holds, without waiting, into pbBuffer; FALSE when
    // the read failed (the port is gone).
    BOOL read(BYTE* pbBuffer, DWORD cbBuffer, DWORD* pcbRead);
    // Whether the port still answers. A plain read after a hang-up may go on
    // returning nothing without an error, so the caller asks this while
    // reads keep coming back empty.
    BOOL check();
    void close();

private:
    BOOL configure();

    const SerialConfig& m_config;
    HANDLE m_hPort;
    SerialOpening* m_pOpening;
};

// "COMn", as the user writes the port.
std::wstring SerialPortName(unsigned nPort);
// The system's message for dwError, without its line end and full stop.
std::wstring SystemMessage(DWORD dwError);
