#include "modules/dravet/BhtBackend.h"

#include <new>
#include <string>

#include "common/Assert.h"
#include "common/Settings.h"
#include "modules/dravet/BhtLogic.h"
#include "modules/dravet/DravetSettings.h"
#include "vendor/BhtLib.h"

BhtBackend::BhtBackend()
    : m_pszBarcodeBuffer(NULL)
{
    m_pszBarcodeBuffer = new (std::nothrow) WCHAR[BHT_BARCODE_BUFFER];
    FATAL_ASSERT(NULL != m_pszBarcodeBuffer);
    m_pszBarcodeBuffer[0] = L'\0';
}

BhtBackend::~BhtBackend()
{
    stopScanning();
    delete[] m_pszBarcodeBuffer;
}

BOOL BhtBackend::buildCodeTypeList()
{
    WCHAR szModel[BHT_MODEL_BUFFER] = L"";
    // What the value holds after a failed call is the library's matter; it
    // starts at 0 so that a library that leaves it alone means "not Q-type".
    DWORD dwValue = 0;
    DWORD dwStatus = BHT_GetSysSettingWCS(BHT_SYS_MODEL, szModel, BHT_MODEL_BUFFER - 1, &dwValue);
    szModel[BHT_MODEL_BUFFER - 1] = L'\0';
    BhtTerminal terminal = ClassifyTerminal(dwStatus, szModel, dwValue);

    std::wstring strList = BuildCodeTypeList(m_config, terminal);
    if (strList.empty()) {
        return FALSE;
    }
    return 0 == BHT_EnableBar(BHT_READ_MODE, strList.c_str()) ? TRUE : FALSE;
}

BOOL BhtBackend::startScanning()
{
    if (TRUE == m_bStarted || TRUE == isNoBarcodeTypeEnabled()) {
        return FALSE;
    }
    if (FALSE == buildCodeTypeList()) {
        return FALSE;
    }
    m_bStarted = TRUE;
    return TRUE;
}

BOOL BhtBackend::stopScanning()
{
    if (FALSE == m_bStarted) {
        return FALSE;
    }
    BHT_DisableBar();
    m_bStarted = FALSE;
    return TRUE;
}

const WCHAR* BhtBackend::getBarcode()
{
    if (FALSE == m_bStarted) {
        return NULL;
    }
    DWORD dwCount = 0;
    if (0 != BHT_GetBarNum(&dwCount) || 0 == dwCount) {
        return NULL;
    }
    DWORD dwRead = 0;
    if (0 != BHT_ReadBar(m_pszBarcodeBuffer, BHT_BARCODE_BUFFER, &dwRead)) {
        return NULL;
    }
    // The library promises the terminator; the buffer's last unit makes sure.
    m_pszBarcodeBuffer[BHT_BARCODE_BUFFER - 1] = L'\0';
    DWORD dwType = 0;
    DWORD dwLength = 0;
    if (0 != BHT_GetBarType(&dwType, &dwLength)) {
        return NULL;
    }
    // A read the filter drops is gone without feedback.
    if (FALSE == PassesReadFilter(m_config, dwType, m_pszBarcodeBuffer[0], dwLength)) {
        return NULL;
    }
    return m_pszBarcodeBuffer;
}

void BhtBackend::setFeedbackMode(DWORD dwSelect)
{
    if (BHT_FEEDBACK_NONE == dwSelect) {
        return;
    }
    FATAL_ASSERT(ERROR_SUCCESS == BHT_SetSysSettingDW( BHT_BEEP_VIB_SELECT, dwSelect ));
}

void BhtBackend::signalGoodRead()
{
    FATAL_ASSERT(NULL != gpSettings);
    BhtBeep beep;
    if (FALSE == GetGoodReadBeep(gpSettings->Get(DRAVET_BEEPER_VIBRATOR_MODE),
                                 gpSettings->Get(DRAVET_BEEP_TIME),
                                 gpSettings->Get(DRAVET_BEEP_FREQUENCY), &beep)) {
        return;
    }
    BHT_StartBeep(beep.dwOnTime, beep.dwOffTime, beep.dwCount, beep.wFrequency);
}
