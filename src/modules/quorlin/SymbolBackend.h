// The back-end of the Symbol terminals: drives the scanner "SCN1:" through
// SCNAPI32, enables one decoder per enabled symbology and keeps exactly one
// asynchronous read outstanding while it runs.
#pragma once

#include <windows.h>

#include "modules/symbology/SymbologyBackend.h"
#include "vendor/ScnApi.h"

// The back-end's label buffer, in UTF-16 units with the terminator; the scan
// buffer is requested with the same size.
#define SYMBOL_BARCODE_BUFFER 100
// The longest length the device is configured with.
#define SYMBOL_MAX_DEVICE_LENGTH 50
// The status of an enabling that found the device's decoder list full.
#define SYMBOL_E_DECODER_LIST_FULL ((DWORD)-2)

class SymbolBackend : public SymbologyBackend
{
public:
    SymbolBackend();
    ~SymbolBackend() override;

    BOOL startScanning() override;
    const WCHAR* getBarcode() override;
    BOOL stopScanning() override;

    // The library helpers, each returning the library's status.
    DWORD SYMBOL_ScanSetScanParams(DWORD dwCodeIdType, DWORD dwScanType, BOOL bFeedback,
                                   DWORD dwValue1, DWORD dwValue2, DWORD dwValue3,
                                   const WCHAR* pszPath);
    DWORD SYMBOL_enableDecoder(LPDECODER lpDecoder);
    DWORD SYMBOL_initDecoderParams(LPDECODER pDecoder, SCN_DECODER_PARAMS* pDecoderParams);

private:
    BOOL open();
    void configure();
    // Closes the event, frees the scan buffer and closes the device, each
    // only if present.
    void release();

    WCHAR* m_pszBarcodeBuffer;
    HANDLE m_hSymbolHandle;
    void* m_pScanBuffer;
    HANDLE m_hSymbolEvent;
};
