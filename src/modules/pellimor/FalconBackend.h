// The back-end of Pellimor, for Falcon terminals: finds and opens the decoder
// device, leaves one read request with the decoder library, which posts
// FALCON_DEVICE_MESSAGE to the module window whenever a label has been read,
// switches the scan triggers on while scanning and gives them back the types
// it found when it goes.
#pragma once

#include <windows.h>

#include "modules/frame/ScannerBackend.h"

// The message the decoder library posts to the module window (WM_USER + 1).
#define FALCON_DEVICE_MESSAGE 1025
// The label buffer, in UTF-16 units with the terminator.
#define FALCON_READ_CAPACITY 100

class FalconBackend : public ScannerBackend
{
public:
    // Reads the triggers' types and opens the device for hWnd; a back-end
    // without a device is still made and never starts.
    explicit FalconBackend(HWND hWnd);
    // Stops, frees the buffer, cancels the request and closes the device,
    // then gives the triggers back their saved types, in that order.
    ~FalconBackend() override;

    BOOL startScanning() override;
    const WCHAR* getBarcode() override;
    // Reads the label the library announced; a newer label replaces one that
    // has not been fetched.
    void onScannerMessage() override;
    BOOL stopScanning() override;

private:
    BOOL open(HWND hWnd);
    void close();

    BOOL m_bDataReady;
    WCHAR* m_pszBarcodeBuffer;
    BOOL m_bStarted;
    DWORD m_dwTriggerType1;
    DWORD m_dwTriggerType2;
    HANDLE m_hDcd;
    DWORD m_hRequest;
};
