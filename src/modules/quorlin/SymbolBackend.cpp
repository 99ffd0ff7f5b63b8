#include "modules/quorlin/SymbolBackend.h"

#include <tchar.h>

#include <new>

#include "common/Assert.h"
#include "modules/quorlin/ScnApi.h"
#include "modules/quorlin/SymbolRecords.h"

#define SYMBOL_DEVICE_NAME L"SCN1:"

SymbolBackend::SymbolBackend()
    : m_pszBarcodeBuffer(NULL), m_hSymbolHandle(NULL), m_pScanBuffer(NULL), m_hSymbolEvent(NULL)
{
    m_pszBarcodeBuffer = new (std::nothrow) WCHAR[SYMBOL_BARCODE_BUFFER];
    FATAL_ASSERT(NULL != m_pszBarcodeBuffer);
    m_pszBarcodeBuffer[0] = L'\0';
}

SymbolBackend::~SymbolBackend()
{
    stopScanning();
    delete[] m_pszBarcodeBuffer;
}

BOOL SymbolBackend::startScanning()
{
    if (TRUE == m_bStarted || TRUE == isNoBarcodeTypeEnabled()) {
        return FALSE;
    }
    if (FALSE == open()) {
        // Nothing half-made stays behind: a later start begins afresh.
        release();
        return FALSE;
    }
    m_bStarted = TRUE;
    return TRUE;
}

BOOL SymbolBackend::open()
{
    if (E_SCN_SUCCESS != SCAN_OpenDevice(SYMBOL_DEVICE_NAME, &m_hSymbolHandle)) {
        m_hSymbolHandle = NULL;
        return FALSE;
    }
    if (E_SCN_SUCCESS != SCAN_ReadyDevice(m_hSymbolHandle)) {
        SCAN_CloseDevice(m_hSymbolHandle);
        m_hSymbolHandle = NULL;
        return FALSE;
    }
    configure();
    m_pScanBuffer = SCAN_AllocBuffer(TRUE, SYMBOL_BARCODE_BUFFER);
    if (NULL == m_pScanBuffer) {
        return FALSE;
    }
    m_hSymbolEvent = CreateEventW(NULL, TRUE, FALSE, NULL);
    if (NULL == m_hSymbolEvent) {
        return FALSE;
    }
    DWORD dwRequestId = 0;
    return E_SCN_SUCCESS == SCAN_SubmitRead(m_hSymbolHandle, m_pScanBuffer, m_hSymbolEvent, 0, &dwRequestId)
        ? TRUE : FALSE;
}

// The device is told every enabled symbology with its lengths. A refusal
// here means a library that does not work as this back-end needs it, so it
// ends the module with the call that failed.
void SymbolBackend::configure()
{
    FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_ScanSetScanParams( CODE_ID_TYPE_NONE, SCAN_TYPE_FOREGROUND, FALSE, 0, 0, 0, _T("") ));

    // The configuration keeps the lowered values.
    LimitLengths(&m_config, SYMBOL_MAX_DEVICE_LENGTH);
    const SymbologyConfig& c = m_config;

    if (TRUE == c.bUPCE0) {
        SCN_DECODER_PARAMS dpUPCE0;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_UPCE0 ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_UPCE0, &dpUPCE0 ));
        SetDecoderWord(&dpUPCE0, 20, 1);
        SetDecoderWord(&dpUPCE0, 24, 1);
        SetDecoderWord(&dpUPCE0, 28, 0);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_UPCE0, &dpUPCE0 ));
    }
    if (TRUE == c.bUPCA) {
        SCN_DECODER_PARAMS dpUPCA;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_UPCA ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_UPCA, &dpUPCA ));
        SetDecoderWord(&dpUPCA, 20, 1);
        SetDecoderWord(&dpUPCA, 24, 1);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_UPCA, &dpUPCA ));
    }
    if (TRUE == c.bEAN13) {
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_EAN13 ));
    }
    if (TRUE == c.bEAN8) {
        SCN_DECODER_PARAMS dpEAN8;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_EAN8 ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_EAN8, &dpEAN8 ));
        SetDecoderWord(&dpEAN8, 20, 0);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_EAN8, &dpEAN8 ));
    }
    if (TRUE == c.code39.bEnabled) {
        SCN_DECODER_PARAMS dpCode39;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_CODE39 ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_CODE39, &dpCode39 ));
        SetDecoderWord(&dpCode39, 12, (DWORD)c.code39.nMin);
        SetDecoderWord(&dpCode39, 16, (DWORD)c.code39.nMax);
        SetDecoderWord(&dpCode39, 20, (DWORD)c.code39.nOption);
        SetDecoderWord(&dpCode39, 24, 1);
        SetDecoderWord(&dpCode39, 28, 0);
        SetDecoderWord(&dpCode39, 32, 0);
        SetDecoderWord(&dpCode39, 36, 0);
        SetDecoderWord(&dpCode39, 40, 0);
        SetDecoderWord(&dpCode39, 44, 0);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_CODE39, &dpCode39 ));
    }
    // One decoder reads both; the GS1-128 flag tells it to accept GS1 labels.
    if (TRUE == c.code128.bEnabled || TRUE == c.ean128.bEnabled) {
        SCN_DECODER_PARAMS dpCode128;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_CODE128 ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_CODE128, &dpCode128 ));
        SetDecoderWord(&dpCode128, 12, (DWORD)c.code128.nMin);
        SetDecoderWord(&dpCode128, 16, (DWORD)c.code128.nMax);
        SetDecoderWord(&dpCode128, 20, 0);
        SetDecoderWord(&dpCode128, 24, TRUE == c.ean128.bEnabled ? 1 : 0);
        SetDecoderWord(&dpCode128, 28, 1);
        SetDecoderWord(&dpCode128, 32, 1);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_CODE128, &dpCode128 ));
    }
    if (TRUE == c.codabar.bEnabled) {
        SCN_DECODER_PARAMS dpCodabar;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_CODABAR ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_CODABAR, &dpCodabar ));
        SetDecoderWord(&dpCodabar, 12, (DWORD)c.codabar.nMin);
        SetDecoderWord(&dpCodabar, 16, (DWORD)c.codabar.nMax);
        SetDecoderWord(&dpCodabar, 20, 0);
        SetDecoderWord(&dpCodabar, 24, 0);
        SetDecoderWord(&dpCodabar, 28, 0);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_CODABAR, &dpCodabar ));
    }
    if (TRUE == c.interleave2of5.bEnabled) {
        SCN_DECODER_PARAMS dpInterleave2of5;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_I2OF5 ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_I2OF5, &dpInterleave2of5 ));
        SetDecoderWord(&dpInterleave2of5, 12, (DWORD)c.interleave2of5.nMin);
        SetDecoderWord(&dpInterleave2of5, 16, (DWORD)c.interleave2of5.nMax);
        SetDecoderWord(&dpInterleave2of5, 20, 0);
        SetDecoderWord(&dpInterleave2of5, 24, 1 == c.interleave2of5.nOption ? 1 : 0);
        SetDecoderWord(&dpInterleave2of5, 28, 1);
        SetDecoderWord(&dpInterleave2of5, 32, 0);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_I2OF5, &dpInterleave2of5 ));
    }
    if (TRUE == c.standard2of5.bEnabled) {
        SCN_DECODER_PARAMS dpStandard2of5;
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_D2OF5 ));
        FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_D2OF5, &dpStandard2of5 ));
        SetDecoderWord(&dpStandard2of5, 12, (DWORD)c.standard2of5.nMin);
        SetDecoderWord(&dpStandard2of5, 16, (DWORD)c.standard2of5.nMax);
        SetDecoderWord(&dpStandard2of5, 20, 0);
        FATAL_ASSERT(E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_D2OF5, &dpStandard2of5 ));
    }
}

const WCHAR* SymbolBackend::getBarcode()
{
    if (FALSE == m_bStarted || NULL == m_hSymbolHandle) {
        return NULL;
    }
    FATAL_ASSERT(NULL != m_pScanBuffer);
    FATAL_ASSERT(NULL != m_hSymbolEvent);
    if (WAIT_OBJECT_0 != WaitForSingleObject(m_hSymbolEvent, 0)) {
        return NULL;
    }
    CopyScanLabel(m_pScanBuffer, m_pszBarcodeBuffer, SYMBOL_BARCODE_BUFFER);
    ResetEvent(m_hSymbolEvent);
    // The next read goes out at once, so that one is always outstanding. A
    // refused one is not noticed: no further label arrives.
    DWORD dwRequestId = 0;
    SCAN_SubmitRead(m_hSymbolHandle, m_pScanBuffer, m_hSymbolEvent, 0, &dwRequestId);
    return m_pszBarcodeBuffer;
}

BOOL SymbolBackend::stopScanning()
{
    if (FALSE == m_bStarted) {
        return FALSE;
    }
    release();
    m_bStarted = FALSE;
    return TRUE;
}

// The order matters: the event, then the buffer the read would fill, then
// the device.
void SymbolBackend::release()
{
    if (NULL != m_hSymbolEvent) {
        CloseHandle(m_hSymbolEvent);
        m_hSymbolEvent = NULL;
    }
    if (NULL != m_pScanBuffer) {
        SCAN_FreeBuffer(m_pScanBuffer);
        m_pScanBuffer = NULL;
    }
    if (NULL != m_hSymbolHandle) {
        SCAN_CloseDevice(m_hSymbolHandle);
        m_hSymbolHandle = NULL;
    }
}

DWORD SymbolBackend::SYMBOL_ScanSetScanParams(DWORD dwCodeIdType, DWORD dwScanType, BOOL bFeedback,
                                              DWORD dwValue1, DWORD dwValue2, DWORD dwValue3,
                                              const WCHAR* pszPath)
{
    // The code-identifier type stays as the device has it.
    (void)dwCodeIdType;
    SCN_SCAN_PARAMS params;
    InitScnRecord(&params);
    DWORD dwStatus = SCAN_GetScanParams(m_hSymbolHandle, &params);
    if (E_SCN_SUCCESS != dwStatus) {
        return dwStatus;
    }
    ApplyScanParams(&params, dwScanType, bFeedback, dwValue1, dwValue2, dwValue3, pszPath);
    return SCAN_SetScanParams(m_hSymbolHandle, &params);
}

DWORD SymbolBackend::SYMBOL_enableDecoder(LPDECODER lpDecoder)
{
    FATAL_ASSERT(NULL != m_hSymbolHandle);
    FATAL_ASSERT(NULL != lpDecoder);
    SCN_DECODER_LIST list;
    InitScnRecord(&list);
    DWORD dwStatus = SCAN_GetDecoderList(m_hSymbolHandle, &list);
    if (E_SCN_SUCCESS != dwStatus) {
        return dwStatus;
    }
    switch (AddDecoderToList(&list, lpDecoder[0])) {
    case DECODER_ALREADY_LISTED:
        return E_SCN_SUCCESS;
    case DECODER_LIST_FULL:
        return SYMBOL_E_DECODER_LIST_FULL;
    case DECODER_ADDED:
        break;
    }
    return SCAN_SetDecoderList(m_hSymbolHandle, &list);
}

DWORD SymbolBackend::SYMBOL_initDecoderParams(LPDECODER pDecoder, SCN_DECODER_PARAMS* pDecoderParams)
{
    FATAL_ASSERT(NULL != m_hSymbolHandle);
    FATAL_ASSERT(NULL != pDecoder);
    FATAL_ASSERT(NULL != pDecoderParams);
    InitScnRecord(pDecoderParams);
    return SCAN_GetDecoderParams(m_hSymbolHandle, pDecoder, pDecoderParams);
}
