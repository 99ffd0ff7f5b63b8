// The back-end of the BHT terminals: hands the library one code-type list
// built from the symbology configuration and the terminal model, polls it
// for decoded reads, filters them by type and length, and gives the
// good-read beep or vibration the module's settings ask for.
#pragma once

#include <windows.h>

#include "modules/symbology/SymbologyBackend.h"

// The back-end's read buffer, in characters with the terminator: the
// longest scan the module window takes.
#define BHT_BARCODE_BUFFER SCANNER_SCAN_BUFFER
// The model setting's text buffer, and the characters the library may fill.
#define BHT_MODEL_BUFFER 30

class BhtBackend : public SymbologyBackend
{
public:
    BhtBackend();
    ~BhtBackend() override;

    BOOL startScanning() override;
    const WCHAR* getBarcode() override;
    BOOL stopScanning() override;

    // Selects beeper, vibrator or both (1, 2, 3); 0 leaves the terminal's
    // selection alone.
    void setFeedbackMode(DWORD dwSelect);
    // The good-read beep or vibration, as the settings say at this moment.
    void signalGoodRead();

private:
    // Tests the terminal, builds the list and enables it in the library.
    BOOL buildCodeTypeList();

    WCHAR* m_pszBarcodeBuffer;
};
