#include "modules/pellimor/FalconBackend.h"

#include <stdio.h>

#include <new>

#include "common/Assert.h"
#include "modules/pellimor/FalconLogic.h"
#include "vendor/Decoder.h"

FalconBackend::FalconBackend(HWND hWnd)
    : m_bDataReady(FALSE),
      m_pszBarcodeBuffer(NULL),
      m_bStarted(FALSE),
      m_dwTriggerType1(0),
      m_dwTriggerType2(0),
      m_hDcd(INVALID_HANDLE_VALUE),
      m_hRequest(0)
{
    m_pszBarcodeBuffer = new (std::nothrow) WCHAR[FALCON_READ_CAPACITY];
    FATAL_ASSERT(NULL != m_pszBarcodeBuffer);
    m_pszBarcodeBuffer[0] = L'\0';
    m_dwTriggerType1 = DcdGetTriggerType(DCD_TRIGGER_1);
    m_dwTriggerType2 = DcdGetTriggerType(DCD_TRIGGER_2);
    // Without a device the back-end is still complete; it just never starts.
    open(hWnd);
}

FalconBackend::~FalconBackend()
{
    // The order matters: the triggers go off with the stop and get their
    // saved types back only once the device is closed.
    stopScanning();
    delete[] m_pszBarcodeBuffer;
    m_pszBarcodeBuffer = NULL;
    close();
    DcdSetTriggerType(DCD_TRIGGER_1, m_dwTriggerType1);
    DcdSetTriggerType(DCD_TRIGGER_2, m_dwTriggerType2);
}

BOOL FalconBackend::open(HWND hWnd)
{
    if (INVALID_HANDLE_VALUE != m_hDcd) {
        return TRUE;
    }
    DWORD rgdwDevices[DCD_MAX_DEVICES] = {};
    if (!DcdEnumDevices(rgdwDevices)) {
        return FALSE;
    }
    unsigned nDevice = FindFalconDevice(rgdwDevices, DCD_MAX_DEVICES);
    if (0 == nDevice) {
        return FALSE;
    }
    WCHAR szDevice[16];
    _snwprintf(szDevice, 16, L"DCD%u:", nDevice);
    szDevice[15] = L'\0';
    m_hDcd = CreateFileW(szDevice, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (INVALID_HANDLE_VALUE == m_hDcd) {
        return FALSE;
    }
    m_hRequest = DcdPostRequestMsg(m_hDcd, DCD_REQUEST_READ_STRING, hWnd, FALCON_DEVICE_MESSAGE);
    return TRUE;
}

void FalconBackend::close()
{
    if (INVALID_HANDLE_VALUE == m_hDcd) {
        return;
    }
    DcdCancelRequest(m_hDcd, m_hRequest);
    CloseHandle(m_hDcd);
    m_hDcd = INVALID_HANDLE_VALUE;
}

BOOL FalconBackend::startScanning()
{
    if (TRUE == m_bStarted || INVALID_HANDLE_VALUE == m_hDcd) {
        return 0;
    }
    // A label read before the start is not delivered.
    m_bDataReady = FALSE;
    DcdSetTriggerType(DCD_TRIGGER_1, m_dwTriggerType1);
    DcdSetTriggerType(DCD_TRIGGER_2, m_dwTriggerType2);
    DcdFlushData(m_hDcd);
    m_bStarted = TRUE;
    return 1;
}

void FalconBackend::onScannerMessage()
{
    FATAL_ASSERT(INVALID_HANDLE_VALUE != m_hDcd);
    DWORD cchLength = 0;
    if (!DcdReadString(m_hDcd, m_hRequest, m_pszBarcodeBuffer, FALCON_READ_CAPACITY, &cchLength)) {
        return;
    }
    // The library may fill the whole buffer: the label ends within it all the same.
    m_pszBarcodeBuffer[FALCON_READ_CAPACITY - 1] = L'\0';
    StripTrailingLineEnds(m_pszBarcodeBuffer);
    m_bDataReady = TRUE;
}

const WCHAR* FalconBackend::getBarcode()
{
    if (FALSE == m_bDataReady) {
        return NULL;
    }
    m_bDataReady = FALSE;
    return m_pszBarcodeBuffer;
}

BOOL FalconBackend::stopScanning()
{
    if (FALSE == m_bStarted) {
        return 0;
    }
    DcdSetTriggerType(DCD_TRIGGER_1, DCD_TRIGGER_OFF);
    DcdSetTriggerType(DCD_TRIGGER_2, DCD_TRIGGER_OFF);
    m_bStarted = FALSE;
    return 1;
}
