// The back-end of Ostwin, for LXE terminals: takes over the terminal's
// internal scanner, notes each data announcement the library posts to the
// module window, and on the next poll fetches the data, 8-bit text, and
// converts it to wide text.
#pragma once

#include <windows.h>

#include "modules/frame/ScannerBackend.h"

// The most bytes one read may return; the read buffer holds one more, which
// stays 0 as the terminator.
#define LXE_READ_CAPACITY 100

class LxeBackend : public ScannerBackend
{
public:
    // With an internal scanner: switches its keys off when they are on and
    // registers hWnd for the data announcements. Without one: says so in a
    // box and is made all the same.
    explicit LxeBackend(HWND hWnd);
    // Stops, then frees the buffer. The keys and the registered window are
    // left as they are.
    ~LxeBackend() override;

    BOOL startScanning() override;
    // Reads and converts the announced data; each announcement is read at
    // most once, also when the read fails.
    const WCHAR* getBarcode() override;
    // Notes the announcement; the data is read on the next poll.
    void onScannerMessage() override;
    BOOL stopScanning() override;

private:
    BOOL m_bDataReady;
    // Room for a full read converted, with its terminator.
    WCHAR* m_pszBarcodeBuffer;
    BOOL m_bStarted;
};
