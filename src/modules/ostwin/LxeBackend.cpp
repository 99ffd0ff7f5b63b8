#include "modules/ostwin/LxeBackend.h"

#include <string.h>

#include <new>

#include "common/Assert.h"
#include "common/MessageTexts.h"
#include "vendor/Lxeapi.h"

LxeBackend::LxeBackend(HWND hWnd) : m_bDataReady(FALSE), m_pszBarcodeBuffer(NULL), m_bStarted(FALSE)
{
    m_pszBarcodeBuffer = new (std::nothrow) WCHAR[LXE_READ_CAPACITY + 1];
    FATAL_ASSERT(NULL != m_pszBarcodeBuffer);
    m_pszBarcodeBuffer[0] = L'\0';
    if (LXEHasIntScanner()) {
        if (LXE_KEY_STATUS_ON == OstwinKeyStatus()) {
            OstwinKeysOff();
        }
        OstwinSetWindow(hWnd);
    } else {
        // The module runs on all the same and delivers whatever the library announces.
        MessageBoxW(GetForegroundWindow(), TVX_NO_SCANNER_TEXT, TVX_NO_SCANNER_CAPTION,
                    MB_SETFOREGROUND | MB_TOPMOST);
    }
}

LxeBackend::~LxeBackend()
{
    stopScanning();
    delete[] m_pszBarcodeBuffer;
    m_pszBarcodeBuffer = NULL;
}

BOOL LxeBackend::startScanning()
{
    if (TRUE == m_bStarted) {
        return FALSE;
    }
    OstwinInputEnable();
    m_bStarted = TRUE;
    return TRUE;
}

BOOL LxeBackend::stopScanning()
{
    if (FALSE == m_bStarted) {
        return FALSE;
    }
    OstwinInputDisable();
    // Data announced just before the stop is never read.
    m_bDataReady = FALSE;
    m_bStarted = FALSE;
    return TRUE;
}

void LxeBackend::onScannerMessage()
{
    m_bDataReady = TRUE;
}

const WCHAR* LxeBackend::getBarcode()
{
    if (FALSE == m_bDataReady) {
        return NULL;
    }
    // Cleared before the read, so that a failed read is not tried again.
    m_bDataReady = FALSE;
    char* pTempBuffer = new (std::nothrow) char[LXE_READ_CAPACITY + 1];
    FATAL_ASSERT(NULL != pTempBuffer);
    memset(pTempBuffer, 0, LXE_READ_CAPACITY + 1);
    LONG lLength = LXE_READ_CAPACITY;
    if (!OstwinGetData(pTempBuffer, &lLength) || lLength <= 0) {
        delete[] pTempBuffer;
        return NULL;
    }
    // The text ends at its first zero byte; the last byte of the buffer is
    // always one. Each byte becomes the character of the same value (0xNN is
    // U+00NN), which the host narrows back to the same byte: a code page
    // would turn bytes above 0x7F into other characters, and the host would
    // then type them as "?".
    memset(m_pszBarcodeBuffer, 0, (LXE_READ_CAPACITY + 1) * sizeof(WCHAR));
    for (size_t i = 0; i < LXE_READ_CAPACITY && '\0' != pTempBuffer[i]; i++) {
        m_pszBarcodeBuffer[i] = (WCHAR)(unsigned char)pTempBuffer[i];
    }
    delete[] pTempBuffer;
    return m_pszBarcodeBuffer;
}
