#include "modules/symbology/SymbologyBackend.h"

BOOL IsValidLengthRange(int32_t nMin, int32_t nMax, int32_t nLo, int32_t nHi, BOOL bEven)
{
    if (nMin < nLo || nMax < nLo || nMin > nHi || nMax > nHi || nMin > nMax) {
        return FALSE;
    }
    if (TRUE == bEven && (0 != nMin % 2 || 0 != nMax % 2)) {
        return FALSE;
    }
    return TRUE;
}

static void LimitSymbology(VariableSymbology* pSymbology, int32_t nLimit)
{
    if (pSymbology->nMin > nLimit) {
        pSymbology->nMin = nLimit;
    }
    if (pSymbology->nMax > nLimit) {
        pSymbology->nMax = nLimit;
    }
}

void LimitLengths(SymbologyConfig* pConfig, int32_t nLimit)
{
    LimitSymbology(&pConfig->code39, nLimit);
    LimitSymbology(&pConfig->code128, nLimit);
    LimitSymbology(&pConfig->ean128, nLimit);
    LimitSymbology(&pConfig->codabar, nLimit);
    LimitSymbology(&pConfig->interleave2of5, nLimit);
    LimitSymbology(&pConfig->standard2of5, nLimit);
}

SymbologyBackend::SymbologyBackend()
    : m_bStarted(FALSE), m_config()
{
}

BOOL SymbologyBackend::enableAllBarcodeTypes()
{
    return enableUPCA()
        && enableEAN13()
        && enableUPCE0()
        && enableEAN8()
        && enableCode39(CODE39_MIN_LENGTH, CODE39_MAX_LENGTH, 0)
        && enableCode128(CODE128_MIN_LENGTH, CODE128_MAX_LENGTH)
        && enableEAN128(EAN128_MIN_LENGTH, EAN128_MAX_LENGTH)
        && enableCodabar(CODABAR_MIN_LENGTH, CODABAR_MAX_LENGTH, 0)
        && enableInterleave2of5(I2OF5_MIN_LENGTH, I2OF5_MAX_LENGTH, 0)
        && enableStandard2of5(D2OF5_MIN_LENGTH, D2OF5_MAX_LENGTH, 0)
        ? TRUE : FALSE;
}

BOOL SymbologyBackend::enableFixed(BOOL* pbEnabled)
{
    if (TRUE == m_bStarted) {
        return FALSE;
    }
    *pbEnabled = TRUE;
    return TRUE;
}

BOOL SymbologyBackend::enableVariable(VariableSymbology* pSymbology, int32_t nMin, int32_t nMax,
                                      int32_t nOption, int32_t nLo, int32_t nHi, BOOL bEven)
{
    if (TRUE == m_bStarted || FALSE == IsValidLengthRange(nMin, nMax, nLo, nHi, bEven)) {
        return FALSE;
    }
    pSymbology->bEnabled = TRUE;
    pSymbology->nMin = nMin;
    pSymbology->nMax = nMax;
    pSymbology->nOption = nOption;
    return TRUE;
}

BOOL SymbologyBackend::enableUPCA()
{
    return enableFixed(&m_config.bUPCA);
}

BOOL SymbologyBackend::enableEAN13()
{
    return enableFixed(&m_config.bEAN13);
}

BOOL SymbologyBackend::enableUPCE0()
{
    return enableFixed(&m_config.bUPCE0);
}

BOOL SymbologyBackend::enableEAN8()
{
    return enableFixed(&m_config.bEAN8);
}

BOOL SymbologyBackend::enableCode39(int32_t nMin, int32_t nMax, int32_t nOption)
{
    return enableVariable(&m_config.code39, nMin, nMax, nOption,
                          CODE39_MIN_LENGTH, CODE39_MAX_LENGTH, FALSE);
}

BOOL SymbologyBackend::enableCode128(int32_t nMin, int32_t nMax)
{
    return enableVariable(&m_config.code128, nMin, nMax, 0,
                          CODE128_MIN_LENGTH, CODE128_MAX_LENGTH, FALSE);
}

BOOL SymbologyBackend::enableEAN128(int32_t nMin, int32_t nMax)
{
    return enableVariable(&m_config.ean128, nMin, nMax, 0,
                          EAN128_MIN_LENGTH, EAN128_MAX_LENGTH, FALSE);
}

BOOL SymbologyBackend::enableCodabar(int32_t nMin, int32_t nMax, int32_t nOption)
{
    return enableVariable(&m_config.codabar, nMin, nMax, nOption,
                          CODABAR_MIN_LENGTH, CODABAR_MAX_LENGTH, FALSE);
}

BOOL SymbologyBackend::enableInterleave2of5(int32_t nMin, int32_t nMax, int32_t nOption)
{
    return enableVariable(&m_config.interleave2of5, nMin, nMax, nOption,
                          I2OF5_MIN_LENGTH, I2OF5_MAX_LENGTH, TRUE);
}

BOOL SymbologyBackend::enableStandard2of5(int32_t nMin, int32_t nMax, int32_t nOption)
{
    return enableVariable(&m_config.standard2of5, nMin, nMax, nOption,
                          D2OF5_MIN_LENGTH, D2OF5_MAX_LENGTH, FALSE);
}

BOOL SymbologyBackend::isNoBarcodeTypeEnabled() const
{
    const SymbologyConfig& c = m_config;
    BOOL bAny = c.bEAN13 || c.bUPCA || c.bEAN8 || c.bUPCE0 || c.code39.bEnabled
        || c.code128.bEnabled || c.ean128.bEnabled || c.codabar.bEnabled
        || c.interleave2of5.bEnabled || c.standard2of5.bEnabled;
    return bAny ? FALSE : TRUE;
}
