// The BHT back-end in the test process over the stand-in BHTLib.dll: the
// code-type list by terminal model, the read filter on fed reads, the
// feedback calls, start and stop, read from the call log. The test plays
// the poll tick itself; the module's settings are a table of its own.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Settings.h"
#include "modules/dravet/BhtBackend.h"
#include "modules/dravet/DravetSettings.h"
#include "modules/frame/Scanner.h"
#include "support/BackendTestKit.h"

namespace {

::testing::Environment* const gpKitEnvironment =
    ::testing::AddGlobalTestEnvironment(new BackendKitEnvironment());

// Every test here keeps the real beeper quiet.
#define QUIET "beep=off\n"

class BhtBackendTest : public PolledBackendTestFixture
{
protected:
    BhtBackendTest() : PolledBackendTestFixture(QUIET) {}

    void SetUp() override
    {
        PolledBackendTestFixture::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_pSettings.reset(new Settings(L"."));
        m_pSettings->Set(DRAVET_BEEPER_VIBRATOR_MODE, DRAVET_DEFAULT_BEEPER_VIBRATOR_MODE);
        m_pSettings->Set(DRAVET_BEEP_TIME, DRAVET_DEFAULT_BEEP_TIME);
        m_pSettings->Set(DRAVET_BEEP_FREQUENCY, DRAVET_DEFAULT_BEEP_FREQUENCY);
        m_pSettings->Set(DRAVET_START_RADIO, DRAVET_DEFAULT_START_RADIO);
        gpSettings = m_pSettings.get();
    }

    void TearDown() override
    {
        gpSettings = NULL;
    }

    // The code-type list the back-end handed to BHT_EnableBar on its start
    // under the given terminal conditions.
    std::wstring StartedList(const std::string& strConditions, void (*pfnEnable)(BhtBackend&))
    {
        EXPECT_EQ(TRUE, m_pSession->SetConditions(QUIET + strConditions));
        size_t nMark = BackendTestKit::Mark();
        BhtBackend backend;
        pfnEnable(backend);
        EXPECT_EQ(TRUE, backend.startScanning());
        std::vector<SimCall> models = BackendTestKit::CallsSince(nMark, "BHT_GetSysSettingWCS");
        std::vector<SimCall> enables = BackendTestKit::CallsSince(nMark, "BHT_EnableBar");
        EXPECT_EQ(1u, models.size());
        EXPECT_EQ(1u, enables.size());
        if (1 != models.size() || 1 != enables.size()) {
            return L"?";
        }
        EXPECT_EQ(4, models[0].GetNumber("setting", -1));
        EXPECT_EQ(29, models[0].GetNumber("size", -1));
        EXPECT_EQ(L"F", enables[0].GetText("mode"));
        return enables[0].GetText("codes");
    }

    std::unique_ptr<Settings> m_pSettings;
};

void EnableAll(BhtBackend& backend)
{
    EXPECT_EQ(TRUE, backend.enableAllBarcodeTypes());
}

TEST_F(BhtBackendTest, CodeTypeListByTerminalModel)
{
    const std::wstring strQType = L"Q:E,Y,Z,A:AS,A:BS,A:CS,M:1-99,K:1-99,N:3-99,I:2-98";
    const std::wstring strNormal = L"A:AS,A:BS,A:CS,M:1-99,K:1-99,N:3-99,I:2-98,H:1-99";
    EXPECT_EQ(strQType, StartedList("model=B20QWC\n", EnableAll));
    EXPECT_EQ(strQType, StartedList("model=B22QWC\n", EnableAll));
    EXPECT_EQ(strNormal, StartedList("model=B30BWC\n", EnableAll));
    EXPECT_EQ(strNormal, StartedList("model=B20QWCX\n", EnableAll));
    // The value alone marks a Q-type terminal, also when the call fails.
    EXPECT_EQ(strQType, StartedList("model=B30BWC\nmodel-value=1\n", EnableAll));
    EXPECT_EQ(strQType, StartedList("model=B20QWC\nmodel-value=1\nrefuse=BHT_GetSysSettingWCS\n", EnableAll));
    EXPECT_EQ(strNormal, StartedList("model=B20QWC\nrefuse=BHT_GetSysSettingWCS\n", EnableAll));
}

TEST_F(BhtBackendTest, OptionsAddCAndCode128SharesItsEntryWithGS1128)
{
    EXPECT_EQ(L"A:AS,M:2-20C,K:3-60,N:5-9C,I:4-8C,H:6-7C", StartedList("", [](BhtBackend& b) {
        EXPECT_EQ(TRUE, b.enableUPCA());
        EXPECT_EQ(TRUE, b.enableCode39(2, 20, 1));
        EXPECT_EQ(TRUE, b.enableCode128(10, 60));
        EXPECT_EQ(TRUE, b.enableEAN128(3, 40));
        EXPECT_EQ(TRUE, b.enableCodabar(5, 9, 1));
        EXPECT_EQ(TRUE, b.enableInterleave2of5(4, 8, 1));
        EXPECT_EQ(TRUE, b.enableStandard2of5(6, 7, 1));
    }));
}

TEST_F(BhtBackendTest, StartAndStopAsTheLibraryAllows)
{
    BhtBackend backend;
    EXPECT_EQ(FALSE, backend.stopScanning());
    // Nothing enabled: no call at all.
    EXPECT_EQ(FALSE, backend.startScanning());
    EXPECT_TRUE(CallNames().empty());

    ASSERT_EQ(TRUE, backend.enableEAN8());
    EXPECT_EQ(TRUE, backend.startScanning());
    EXPECT_EQ(FALSE, backend.startScanning());
    EXPECT_EQ(TRUE, backend.stopScanning());
    EXPECT_EQ(FALSE, backend.stopScanning());
    std::vector<std::string> expected = { "BHT_GetSysSettingWCS", "BHT_EnableBar", "BHT_DisableBar" };
    EXPECT_EQ(expected, CallNames());

    // A refused list leaves the back-end stopped; nothing polls the library.
    ASSERT_EQ(TRUE, m_pSession->SetConditions(QUIET "refuse=BHT_EnableBar\n"));
    EXPECT_EQ(FALSE, backend.startScanning());
    EXPECT_EQ(nullptr, backend.getBarcode());
    EXPECT_EQ(FALSE, backend.stopScanning());
    EXPECT_TRUE(Calls("BHT_GetBarNum").empty());
    EXPECT_EQ(1u, Calls("BHT_DisableBar").size());
}

TEST_F(BhtBackendTest, ReadsAreFilteredByTypeAndLength)
{
    BhtBackend backend;
    ASSERT_EQ(TRUE, backend.enableEAN13());
    ASSERT_EQ(TRUE, backend.enableCode128(5, 10));
    ASSERT_EQ(TRUE, backend.enableEAN128(8, 20));
    ASSERT_EQ(TRUE, backend.startScanning());
    EXPECT_EQ(nullptr, backend.getBarcode());

    struct Read
    {
        const char* pszFeed;
        const WCHAR* pszPassed;
    } rgReads[] = {
        { "{type=A}0012345678905", NULL },              // UPC-A, not enabled
        { "{type=A}4006381333931", L"4006381333931" },  // EAN-13
        { "{type=W len=7}0112345", NULL },
        { "{type=W len=8}01123456", L"01123456" },
        { "{type=W len=21}011234567890123456789", NULL },
        { "{type=K}ABCDE", L"ABCDE" },
        { "{type=K}ABCDEFGHIJK", NULL },                 // 11: above the Code 128 maximum
        { "{type=K len=4}ABCDEFGH", NULL },              // the library's length counts
        { "{type=N}A123B", L"A123B" },                   // passes unchecked
        { "PLAIN", L"PLAIN" },                           // the stand-in's M
    };
    for (const Read& read : rgReads) {
        SCOPED_TRACE(read.pszFeed);
        size_t nTaken = Calls("BHT_ReadBar").size();
        ASSERT_EQ(TRUE, m_pSession->FeedLine(read.pszFeed));
        const WCHAR* pszScan = backend.getBarcode();
        ASSERT_EQ(nTaken + 1, Calls("BHT_ReadBar").size());
        if (NULL == read.pszPassed) {
            EXPECT_EQ(nullptr, pszScan);
        } else {
            ASSERT_NE(nullptr, pszScan);
            EXPECT_STREQ(read.pszPassed, pszScan);
        }
        // Each read is taken once: the next tick finds nothing.
        EXPECT_EQ(nullptr, backend.getBarcode());
    }
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(BhtBackendTest, UPCAPassesByItsLeadingZeroOnlyWhenEnabled)
{
    BhtBackend backend;
    ASSERT_EQ(TRUE, backend.enableUPCA());
    ASSERT_EQ(TRUE, backend.startScanning());
    ASSERT_EQ(TRUE, m_pSession->FeedLine("{type=A}0012345678905"));
    const WCHAR* pszScan = backend.getBarcode();
    ASSERT_NE(nullptr, pszScan);
    EXPECT_STREQ(L"0012345678905", pszScan);
    ASSERT_EQ(TRUE, m_pSession->FeedLine("{type=A}5012345678900"));
    EXPECT_EQ(nullptr, backend.getBarcode());
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(BhtBackendTest, LibraryErrorsWhilePollingGiveNothingForThatTick)
{
    BhtBackend backend;
    ASSERT_EQ(TRUE, backend.enableCode39(1, 99, 0));
    ASSERT_EQ(TRUE, backend.startScanning());
    const char* rgpszRefusals[] = { "BHT_GetBarNum", "BHT_ReadBar", "BHT_GetBarType" };
    for (const char* pszCall : rgpszRefusals) {
        SCOPED_TRACE(pszCall);
        ASSERT_EQ(TRUE, m_pSession->SetConditions(std::string(QUIET "refuse=") + pszCall + "\n"));
        ASSERT_EQ(TRUE, m_pSession->FeedLine("LOST"));
        EXPECT_EQ(nullptr, backend.getBarcode());
        ASSERT_EQ(TRUE, m_pSession->SetConditions(QUIET));
        // Until BHT_ReadBar succeeds the read stays with the library; once
        // taken, a failure after it loses it.
        const WCHAR* pszScan = backend.getBarcode();
        if (0 == strcmp("BHT_GetBarType", pszCall)) {
            EXPECT_EQ(nullptr, pszScan);
        } else {
            ASSERT_NE(nullptr, pszScan);
            EXPECT_STREQ(L"LOST", pszScan);
        }
    }
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(BhtBackendTest, ARead8320UnitsOrLongerIsCutToTheBuffer)
{
    BhtBackend backend;
    ASSERT_EQ(TRUE, backend.enableCodabar(3, 99, 0));
    ASSERT_EQ(TRUE, backend.startScanning());
    std::string strLong(9000, 'x');
    strLong[8318] = 'E';
    ASSERT_EQ(TRUE, m_pSession->FeedLine("{type=N}" + strLong));
    const WCHAR* pszScan = backend.getBarcode();
    ASSERT_NE(nullptr, pszScan);
    EXPECT_EQ((size_t)BHT_BARCODE_BUFFER - 1, wcslen(pszScan));
    EXPECT_EQ(L'E', pszScan[8318]);
    std::vector<SimCall> reads = Calls("BHT_ReadBar");
    ASSERT_EQ(1u, reads.size());
    EXPECT_EQ(8320, reads[0].GetNumber("size", -1));
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(BhtBackendTest, FeedbackModeZeroChangesNothing)
{
    BhtBackend backend;
    backend.setFeedbackMode(0);
    EXPECT_TRUE(CallNames().empty());
    for (DWORD dwSelect = 1; dwSelect <= 3; dwSelect++) {
        backend.setFeedbackMode(dwSelect);
    }
    std::vector<SimCall> sets = Calls("BHT_SetSysSettingDW");
    ASSERT_EQ(3u, sets.size());
    for (long long i = 0; i < 3; i++) {
        EXPECT_EQ(0x300, sets[i].GetNumber("setting", -1));
        EXPECT_EQ(i + 1, sets[i].GetNumber("value", -1));
    }
}

TEST_F(BhtBackendTest, GoodReadBeepFollowsTheSettingsOfTheMoment)
{
    struct Case
    {
        const WCHAR* pszMode;
        const WCHAR* pszTime;
        const WCHAR* pszFrequency;
        long long nOnTime;
        long long nFrequency;
    } rgCases[] = {
        { DRAVET_DEFAULT_BEEPER_VIBRATOR_MODE, DRAVET_DEFAULT_BEEP_TIME, DRAVET_DEFAULT_BEEP_FREQUENCY, 1, 2793 },
        { L"Beeper", L"250", L"2793", 2, 2793 },
        { L"Beeper", L"50", L"2793", 0, 2793 },
        { L"vibrator", L"100", L"1000", 1, 1000 },
        { L"Both", L"100", L"66000", 1, 464 },
    };
    BhtBackend backend;
    for (const Case& c : rgCases) {
        m_pSettings->Set(DRAVET_BEEPER_VIBRATOR_MODE, c.pszMode);
        m_pSettings->Set(DRAVET_BEEP_TIME, c.pszTime);
        m_pSettings->Set(DRAVET_BEEP_FREQUENCY, c.pszFrequency);
        size_t nMark = BackendTestKit::Mark();
        backend.signalGoodRead();
        std::vector<SimCall> beeps = BackendTestKit::CallsSince(nMark, "BHT_StartBeep");
        ASSERT_EQ(1u, beeps.size());
        EXPECT_EQ(c.nOnTime, beeps[0].GetNumber("on", -1));
        EXPECT_EQ(1, beeps[0].GetNumber("off", -1));
        EXPECT_EQ(1, beeps[0].GetNumber("count", -1));
        EXPECT_EQ(c.nFrequency, beeps[0].GetNumber("frequency", -1));
    }

    m_pSettings->Set(DRAVET_BEEPER_VIBRATOR_MODE, L"NONE");
    size_t nMark = BackendTestKit::Mark();
    backend.signalGoodRead();
    EXPECT_TRUE(BackendTestKit::CallsSince(nMark, "BHT_StartBeep").empty());
}

}
