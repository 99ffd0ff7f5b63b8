// What the module window needs of a scanner back-end. Each terminal family
// (Symbol, Falcon, BHT, LXE) implements it over its vendor library; the window
// makes one back-end through the module's description (ScannerModule.h),
// drives it on its one thread and destroys it through this interface.
#pragma once

#include "common/Types.h"

// The longest scan text a back-end hands out, in UTF-16 units with the
// terminator: the largest back-end buffer (BHT), and the module window's copy.
#define SCANNER_SCAN_BUFFER 8320

class ScannerBackend
{
public:
    // Destruction releases the device and the buffers; a back-end that is
    // still scanning stops first. Virtual: the window owns the back-end only
    // through this interface, and deleting it runs the concrete destructor.
    virtual ~ScannerBackend() {}

    // Enables every symbology the back-end knows, before the start. TRUE on
    // success. A back-end without a symbology configuration has nothing to
    // enable and keeps this.
    virtual BOOL enableAllBarcodeTypes() { return TRUE; }

    // TRUE (1) when the scanner is running afterwards, FALSE otherwise; the
    // window does not report a failed start and simply stays idle.
    virtual BOOL startScanning() = 0;

    // The newest scan text (NUL-terminated UTF-16 on Windows), each scan once;
    // NULL while nothing new has come or the scanner is not running. The text
    // stays valid until the next call into the back-end.
    virtual const WCHAR* getBarcode() = 0;

    // The device library's notification message reached the window (only in
    // modules whose description names a device message). A back-end whose
    // library posts nothing keeps this.
    virtual void onScannerMessage() {}

    // TRUE when it was scanning and has stopped; FALSE when it was not started.
    virtual BOOL stopScanning() = 0;

protected:
    ScannerBackend() {}

private:
    ScannerBackend(const ScannerBackend&) = delete;
    ScannerBackend& operator=(const ScannerBackend&) = delete;
};
