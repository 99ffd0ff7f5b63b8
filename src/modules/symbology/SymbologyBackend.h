// The symbology configuration shared by the Symbol and the BHT back-ends:
// which symbologies are enabled and with which length limits. Both back-ends
// enable the same symbologies, with the same ranges and in the same order;
// each then expresses the configuration in its own library's terms.
#pragma once

#include <stdint.h>

#include "common/Types.h"
#include "modules/frame/ScannerBackend.h"

// A symbology with a variable length. Code 128 and GS1-128 have no option;
// theirs stays 0.
struct VariableSymbology
{
    BOOL bEnabled;
    int32_t nMin;
    int32_t nMax;
    int32_t nOption;
};

// Every field 0 (nothing enabled) when value-initialised.
struct SymbologyConfig
{
    BOOL bEAN13;
    BOOL bUPCA;
    BOOL bEAN8;
    BOOL bUPCE0;
    VariableSymbology code39;
    VariableSymbology code128;
    VariableSymbology ean128;
    VariableSymbology codabar;
    VariableSymbology interleave2of5;
    VariableSymbology standard2of5;
};

// The length bounds each symbology accepts.
#define CODE39_MIN_LENGTH 1
#define CODE39_MAX_LENGTH 99
#define CODE128_MIN_LENGTH 1
#define CODE128_MAX_LENGTH 99
#define EAN128_MIN_LENGTH 1
#define EAN128_MAX_LENGTH 99
#define CODABAR_MIN_LENGTH 3
#define CODABAR_MAX_LENGTH 99
#define I2OF5_MIN_LENGTH 2
#define I2OF5_MAX_LENGTH 98
#define D2OF5_MIN_LENGTH 1
#define D2OF5_MAX_LENGTH 99

// TRUE when lo <= nMin <= nMax <= hi (which also keeps nMax >= lo and
// nMin <= hi); with bEven both values must also be even.
BOOL IsValidLengthRange(int32_t nMin, int32_t nMax, int32_t nLo, int32_t nHi, BOOL bEven);

// Lowers every stored minimum and maximum above nLimit to nLimit.
void LimitLengths(SymbologyConfig* pConfig, int32_t nLimit);

class SymbologyBackend : public ScannerBackend
{
public:
    // Calls every enabling operation below in its fixed order with the
    // widest ranges; FALSE at the first refusal.
    BOOL enableAllBarcodeTypes() override;

    // Each sets its symbology's enabled flag and stores the values: TRUE; or
    // FALSE, storing nothing, once started or when a range is invalid.
    // Enabling is additive: nothing disables a symbology again.
    BOOL enableUPCA();
    BOOL enableEAN13();
    BOOL enableUPCE0();
    BOOL enableEAN8();
    BOOL enableCode39(int32_t nMin, int32_t nMax, int32_t nOption);
    BOOL enableCode128(int32_t nMin, int32_t nMax);
    BOOL enableEAN128(int32_t nMin, int32_t nMax);
    BOOL enableCodabar(int32_t nMin, int32_t nMax, int32_t nOption);
    BOOL enableInterleave2of5(int32_t nMin, int32_t nMax, int32_t nOption);
    BOOL enableStandard2of5(int32_t nMin, int32_t nMax, int32_t nOption);

    // TRUE when no symbology is enabled.
    BOOL isNoBarcodeTypeEnabled() const;

    const SymbologyConfig& getConfig() const { return m_config; }
    BOOL isStarted() const { return m_bStarted; }

protected:
    SymbologyBackend();

    // TRUE between a successful start and the stop; the derived back-end
    // keeps it.
    BOOL m_bStarted;
    SymbologyConfig m_config;

private:
    BOOL enableFixed(BOOL* pbEnabled);
    BOOL enableVariable(VariableSymbology* pSymbology, int32_t nMin, int32_t nMax, int32_t nOption,
                        int32_t nLo, int32_t nHi, BOOL bEven);
};
