// The symbology configuration that the Symbol and the BHT back-ends share,
// on a back-end that only configures.
#include <gtest/gtest.h>

#include "modules/symbology/SymbologyBackend.h"
#include "RangeCases.h"

namespace {

class ConfigOnlyBackend : public SymbologyBackend
{
public:
    BOOL startScanning() override
    {
        if (TRUE == m_bStarted) {
            return FALSE;
        }
        m_bStarted = TRUE;
        return TRUE;
    }
    const WCHAR* getBarcode() override { return NULL; }
    BOOL stopScanning() override
    {
        BOOL bWasStarted = m_bStarted;
        m_bStarted = FALSE;
        return bWasStarted;
    }
};

TEST(SymbologyConfig, RangesAreCheckedAsTheTableSays)
{
    ExpectRangeCases<ConfigOnlyBackend>();
}

TEST(SymbologyConfig, NothingIsEnabledAfterConstruction)
{
    ConfigOnlyBackend backend;
    EXPECT_TRUE(SameConfig(SymbologyConfig(), backend.getConfig()));
    EXPECT_EQ(TRUE, backend.isNoBarcodeTypeEnabled());
}

TEST(SymbologyConfig, EnableAllSetsEverySymbologyWithItsWidestRange)
{
    ConfigOnlyBackend backend;
    ASSERT_EQ(TRUE, backend.enableAllBarcodeTypes());
    const SymbologyConfig& c = backend.getConfig();
    EXPECT_EQ(TRUE, c.bEAN13);
    EXPECT_EQ(TRUE, c.bUPCA);
    EXPECT_EQ(TRUE, c.bEAN8);
    EXPECT_EQ(TRUE, c.bUPCE0);
    struct Expected
    {
        const char* pszName;
        const VariableSymbology& symbology;
        int32_t nMin;
        int32_t nMax;
    } rgExpected[] = {
        { "Code 39", c.code39, 1, 99 },
        { "Code 128", c.code128, 1, 99 },
        { "GS1-128", c.ean128, 1, 99 },
        { "Codabar", c.codabar, 3, 99 },
        { "Interleaved 2 of 5", c.interleave2of5, 2, 98 },
        { "Standard 2 of 5", c.standard2of5, 1, 99 },
    };
    for (const Expected& e : rgExpected) {
        SCOPED_TRACE(e.pszName);
        EXPECT_EQ(TRUE, e.symbology.bEnabled);
        EXPECT_EQ(e.nMin, e.symbology.nMin);
        EXPECT_EQ(e.nMax, e.symbology.nMax);
        EXPECT_EQ(0, e.symbology.nOption);
    }
    EXPECT_EQ(FALSE, backend.isNoBarcodeTypeEnabled());
}

TEST(SymbologyConfig, EveryOperationIsRefusedOnceStartedAndAllowedAfterTheStop)
{
    ConfigOnlyBackend backend;
    ASSERT_EQ(TRUE, backend.enableEAN8());
    ASSERT_EQ(TRUE, backend.startScanning());
    ExpectRefusedOnceStarted(backend);
    ASSERT_EQ(TRUE, backend.stopScanning());
    EXPECT_EQ(TRUE, backend.enableCode39(5, 20, 1));
    EXPECT_EQ(20, backend.getConfig().code39.nMax);
}

TEST(SymbologyConfig, EnablingIsAdditiveAndARefusalKeepsEarlierValues)
{
    ConfigOnlyBackend backend;
    ASSERT_EQ(TRUE, backend.enableCodabar(5, 40, 1));
    EXPECT_EQ(FALSE, backend.enableCodabar(2, 40, 0));
    EXPECT_EQ(5, backend.getConfig().codabar.nMin);
    EXPECT_EQ(1, backend.getConfig().codabar.nOption);
    ASSERT_EQ(TRUE, backend.enableCodabar(6, 30, 0));
    EXPECT_EQ(6, backend.getConfig().codabar.nMin);
    EXPECT_EQ(TRUE, backend.getConfig().codabar.bEnabled);
}

TEST(SymbologyConfig, EachFixedSymbologyAloneCountsAsEnabled)
{
    BOOL (SymbologyBackend::*rgpfnEnable[])() = {
        &SymbologyBackend::enableUPCA, &SymbologyBackend::enableEAN13,
        &SymbologyBackend::enableUPCE0, &SymbologyBackend::enableEAN8,
    };
    for (auto pfnEnable : rgpfnEnable) {
        ConfigOnlyBackend backend;
        ASSERT_EQ(TRUE, (backend.*pfnEnable)());
        EXPECT_EQ(FALSE, backend.isNoBarcodeTypeEnabled());
    }
}

TEST(SymbologyConfig, LimitLengthsLowersOnlyWhatIsAbove)
{
    ConfigOnlyBackend backend;
    ASSERT_EQ(TRUE, backend.enableAllBarcodeTypes());
    ASSERT_EQ(TRUE, backend.enableCode128(60, 70));
    SymbologyConfig config = backend.getConfig();
    LimitLengths(&config, 50);
    const VariableSymbology* rgLimited[] = {
        &config.code39, &config.code128, &config.ean128,
        &config.codabar, &config.interleave2of5, &config.standard2of5,
    };
    for (const VariableSymbology* p : rgLimited) {
        EXPECT_EQ(50, p->nMax);
    }
    EXPECT_EQ(50, config.code128.nMin);
    EXPECT_EQ(1, config.code39.nMin);
    EXPECT_EQ(3, config.codabar.nMin);
    EXPECT_EQ(2, config.interleave2of5.nMin);
    EXPECT_EQ(TRUE, config.bEAN13);
}

}
