#include "modules/quorlin/SymbolBackend.h"

#include <tchar.h>

#include <new>

#include "common/Assert.h"
#include "modules/quorlin/SymbolRecords.h"
#include "vendor/ScnApi.h"

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

namespace {

// One word of a decoder's parameter block: its byte offset and its value. An
// offset of 0 ends a block's list (the head is never written).
struct DecoderWord
{
    size_t nOffset;
    DWORD dwValue;
};

// The most words a block gets (Code 39's).
#define MAX_DECODER_WORDS 9

// How the device is told one symbology: whether it is enabled, its decoder,
// the texts of the three checks of its calls, and the words of its parameter
// block. A decoder without the last two texts is only enabled.
struct DecoderSetup
{
    BOOL bEnabled;
    LPDECODER pDecoder;
    const char* pszEnableCheck;
    const char* pszInitCheck;
    const char* pszSetCheck;
    DecoderWord rgWords[MAX_DECODER_WORDS];
};

// The texts of a decoder's checks: each call as it would be written with the
// decoder's library name and the name of its parameter block. The names are
// made texts before anything expands them.
#define ENABLE_TEXT(name) "E_SCN_SUCCESS == SYMBOL_enableDecoder( " name " )"
#define ENABLE_CHECK_TEXT(decoder) ENABLE_TEXT(#decoder)
#define CHECK_TEXTS(decoder, block)                                                   \
    ENABLE_TEXT(#decoder),                                                            \
    "E_SCN_SUCCESS == SYMBOL_initDecoderParams( " #decoder ", &" #block " )",         \
    "E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, " #decoder ", &" #block " )"

// A refused call ends the module with its check's text, as FATAL_ASSERT would.
#define CHECK_SCN_CALL(call, pszCheck)                                                \
    do {                                                                              \
        if (E_SCN_SUCCESS != (call)) {                                                \
            FatalAssert((pszCheck), __FILE__, __LINE__);                              \
        }                                                                             \
    } while (0)

}  // namespace

// The device is told every enabled symbology with its lengths. A refusal
// here means a library that does not work as this back-end needs it, so it
// ends the module with the call that failed.
void SymbolBackend::configure()
{
    FATAL_ASSERT(E_SCN_SUCCESS == SYMBOL_ScanSetScanParams( CODE_ID_TYPE_NONE, SCAN_TYPE_FOREGROUND, FALSE, 0, 0, 0, _T("") ));

    // The configuration keeps the lowered values.
    LimitLengths(&m_config, SYMBOL_MAX_DEVICE_LENGTH);
    const SymbologyConfig& c = m_config;

    // The symbologies in the order the device is told them, each with the
    // words of its block as byte offset and value. Where a symbology has
    // lengths, its minimum is the word at 12 and its maximum the word at 16.
    // Every other word keeps the value the library reported.
    const DecoderSetup rgSetups[] = {
        { c.bUPCE0, DECODER_UPCE0, CHECK_TEXTS(DECODER_UPCE0, dpUPCE0),
          { { 20, 1 }, { 24, 1 }, { 28, 0 } } },
        { c.bUPCA, DECODER_UPCA, CHECK_TEXTS(DECODER_UPCA, dpUPCA),
          { { 20, 1 }, { 24, 1 } } },
        { c.bEAN13, DECODER_EAN13, ENABLE_CHECK_TEXT(DECODER_EAN13), NULL, NULL, {} },
        { c.bEAN8, DECODER_EAN8, CHECK_TEXTS(DECODER_EAN8, dpEAN8),
          { { 20, 0 } } },
        { c.code39.bEnabled, DECODER_CODE39, CHECK_TEXTS(DECODER_CODE39, dpCode39),
          { { 12, (DWORD)c.code39.nMin }, { 16, (DWORD)c.code39.nMax },
            { 20, (DWORD)c.code39.nOption }, { 24, 1 }, { 28, 0 }, { 32, 0 }, { 36, 0 },
            { 40, 0 }, { 44, 0 } } },
        // One decoder reads both; the word at 24 tells it to accept GS1 labels.
        { (TRUE == c.code128.bEnabled || TRUE == c.ean128.bEnabled) ? TRUE : FALSE,
          DECODER_CODE128, CHECK_TEXTS(DECODER_CODE128, dpCode128),
          { { 12, (DWORD)c.code128.nMin }, { 16, (DWORD)c.code128.nMax }, { 20, 0 },
            { 24, (DWORD)(TRUE == c.ean128.bEnabled ? 1 : 0) }, { 28, 1 }, { 32, 1 } } },
        { c.codabar.bEnabled, DECODER_CODABAR, CHECK_TEXTS(DECODER_CODABAR, dpCodabar),
          { { 12, (DWORD)c.codabar.nMin }, { 16, (DWORD)c.codabar.nMax }, { 20, 0 }, { 24, 0 },
            { 28, 0 } } },
        { c.interleave2of5.bEnabled, DECODER_I2OF5, CHECK_TEXTS(DECODER_I2OF5, dpInterleave2of5),
          { { 12, (DWORD)c.interleave2of5.nMin }, { 16, (DWORD)c.interleave2of5.nMax }, { 20, 0 },
            { 24, (DWORD)(1 == c.interleave2of5.nOption ? 1 : 0) }, { 28, 1 }, { 32, 0 } } },
        { c.standard2of5.bEnabled, DECODER_D2OF5, CHECK_TEXTS(DECODER_D2OF5, dpStandard2of5),
          { { 12, (DWORD)c.standard2of5.nMin }, { 16, (DWORD)c.standard2of5.nMax }, { 20, 0 } } },
    };

    for (const DecoderSetup& setup : rgSetups) {
        if (TRUE != setup.bEnabled) {
            continue;
        }
        CHECK_SCN_CALL(SYMBOL_enableDecoder(setup.pDecoder), setup.pszEnableCheck);
        if (NULL == setup.pszInitCheck) {
            continue;
        }
        SCN_DECODER_PARAMS params;
        CHECK_SCN_CALL(SYMBOL_initDecoderParams(setup.pDecoder, &params), setup.pszInitCheck);
        for (const DecoderWord& word : setup.rgWords) {
            if (0 == word.nOffset) {
                break;
            }
            SetDecoderWord(&params, word.nOffset, word.dwValue);
        }
        CHECK_SCN_CALL(SCAN_SetDecoderParams(m_hSymbolHandle, setup.pDecoder, &params),
                       setup.pszSetCheck);
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
