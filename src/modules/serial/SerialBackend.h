// The back-end of the serial module: reads a scanner on a serial port (RS-232,
// or USB in virtual COM port mode), cuts the bytes into labels and hands them
// to the frame, every waiting one at each tick. The port may be missing at
// start or vanish while open (a USB scanner unplugged): the back-end tries
// again once a second, and tells the user once, when the first open fails.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "modules/frame/ScannerBackend.h"
#include "modules/serial/SerialFraming.h"
#include "modules/serial/SerialPort.h"
#include "modules/serial/SerialSettings.h"

// The back-end posts this to the module window to show its box outside
// window creation and ticks; the module's description routes it back to
// onScannerMessage.
#define SERIAL_BOX_MESSAGE (WM_APP + 1)
// How often a closed port is tried again, and how often a port whose reads
// keep coming back empty is checked.
#define SERIAL_RETRY_MS 1000
#define SERIAL_CHECK_MS 1000
// The most bytes read in one go, and in one call of getBarcode.
#define SERIAL_READ_BUFFER 16384
#define SERIAL_READ_LIMIT SERIAL_INPUT_QUEUE

class SerialBackend : public ScannerBackend
{
public:
    SerialBackend(HWND hWnd, const SerialConfig& config);
    ~SerialBackend() override;

    // Starts opening the port; TRUE also when the port is missing, since the
    // back-end keeps trying.
    BOOL startScanning() override;
    // Reads everything the port holds, then hands out the oldest waiting label.
    const WCHAR* getBarcode() override;
    // The box of a first open that failed.
    void onScannerMessage() override;
    BOOL stopScanning() override;

private:
    void pollPort(uint64_t nNowMs);
    void finishOpen(uint64_t nNowMs);
    void readPort(uint64_t nNowMs);
    void portFailed(uint64_t nNowMs);

    HWND m_hWnd;
    // Before m_port, which holds on to it.
    SerialConfig m_config;
    SerialPort m_port;
    SerialFramer m_framer;
    BOOL m_bStarted;
    // Only the first open (at start) that fails is told in a box.
    BOOL m_fFirstOpen;
    uint64_t m_nNextOpenMs;
    // When the port last brought bytes or was checked.
    uint64_t m_nLastSignMs;
    std::wstring m_strBoxText;
    std::wstring m_strLabel;
    std::vector<BYTE> m_readBuffer;
};
