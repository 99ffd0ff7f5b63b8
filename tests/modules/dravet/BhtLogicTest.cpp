// The BHT back-end's platform-free half: the terminal test, the code-type
// list, the read filter and the good-read feedback from the settings.
#include <gtest/gtest.h>

#include <string>

#include "modules/dravet/BhtLogic.h"

namespace {

// A configuration as enableAllBarcodeTypes leaves it.
SymbologyConfig AllEnabled()
{
    SymbologyConfig c = SymbologyConfig();
    c.bEAN13 = c.bUPCA = c.bEAN8 = c.bUPCE0 = TRUE;
    c.code39 = { TRUE, 1, 99, 0 };
    c.code128 = { TRUE, 1, 99, 0 };
    c.ean128 = { TRUE, 1, 99, 0 };
    c.codabar = { TRUE, 3, 99, 0 };
    c.interleave2of5 = { TRUE, 2, 98, 0 };
    c.standard2of5 = { TRUE, 1, 99, 0 };
    return c;
}

const BhtTerminal kNormal = { FALSE, 0 };
const BhtTerminal kQType = { TRUE, TRUE };

TEST(BhtTerminal, QTypeByModelTextOrByTheValue)
{
    struct Case
    {
        DWORD dwStatus;
        const WCHAR* pszModel;
        DWORD dwValue;
        BOOL bQType;
        DWORD dwNoStandard2of5;
    } rgCases[] = {
        { 0, L"B20QWC", 0, TRUE, TRUE },
        { 0, L"B22QWC", 7, TRUE, TRUE },
        { 0, L"B30BWC", 0, FALSE, 0 },
        { 0, L"b20qwc", 0, FALSE, 0 },       // the comparison is exact
        { 0, L"B20QWC ", 0, FALSE, 0 },
        { 0, L"B30BWC", 1, TRUE, 1 },        // the value names a Q-type terminal
        { 5, L"B20QWC", 0, FALSE, 0 },       // a failed call's text counts for nothing
        { 5, L"", 1, TRUE, 1 },              // its value still does
        { 0, L"B30BWC", 2, FALSE, 2 },       // any other non-zero value drops Standard 2 of 5 only
    };
    for (const Case& c : rgCases) {
        SCOPED_TRACE(::testing::Message() << c.dwStatus << " " << c.dwValue);
        BhtTerminal terminal = ClassifyTerminal(c.dwStatus, c.pszModel, c.dwValue);
        EXPECT_EQ(c.bQType, terminal.bQType);
        EXPECT_EQ(c.dwNoStandard2of5, terminal.dwNoStandard2of5);
    }
}

TEST(BhtCodeTypeList, AfterEnableAllOnBothKindsOfTerminal)
{
    EXPECT_EQ(L"Q:E,Y,Z,A:AS,A:BS,A:CS,M:1-99,K:1-99,N:3-99,I:2-98",
              BuildCodeTypeList(AllEnabled(), kQType));
    EXPECT_EQ(L"A:AS,A:BS,A:CS,M:1-99,K:1-99,N:3-99,I:2-98,H:1-99",
              BuildCodeTypeList(AllEnabled(), kNormal));
    // A terminal whose value is another non-zero number: no Q entry, no H entry.
    BhtTerminal other = { FALSE, 2 };
    EXPECT_EQ(L"A:AS,A:BS,A:CS,M:1-99,K:1-99,N:3-99,I:2-98", BuildCodeTypeList(AllEnabled(), other));
}

TEST(BhtCodeTypeList, EachSymbologyAloneGivesItsEntry)
{
    struct Case
    {
        void (*pfnEnable)(SymbologyConfig&);
        const WCHAR* pszNormal;
    } rgCases[] = {
        { [](SymbologyConfig& c) { c.bEAN13 = TRUE; }, L"A:AS" },
        { [](SymbologyConfig& c) { c.bUPCA = TRUE; }, L"A:AS" },
        { [](SymbologyConfig& c) { c.bEAN8 = TRUE; }, L"A:BS" },
        { [](SymbologyConfig& c) { c.bUPCE0 = TRUE; }, L"A:CS" },
        { [](SymbologyConfig& c) { c.code39 = { TRUE, 4, 20, 0 }; }, L"M:4-20" },
        { [](SymbologyConfig& c) { c.code39 = { TRUE, 4, 20, 1 }; }, L"M:4-20C" },
        { [](SymbologyConfig& c) { c.code39 = { TRUE, 4, 20, 2 }; }, L"M:4-20" },
        { [](SymbologyConfig& c) { c.code128 = { TRUE, 5, 30, 0 }; }, L"K:5-30" },
        { [](SymbologyConfig& c) { c.ean128 = { TRUE, 6, 48, 0 }; }, L"K:6-48" },
        { [](SymbologyConfig& c) { c.codabar = { TRUE, 3, 10, 1 }; }, L"N:3-10C" },
        { [](SymbologyConfig& c) { c.interleave2of5 = { TRUE, 4, 14, 1 }; }, L"I:4-14C" },
        { [](SymbologyConfig& c) { c.standard2of5 = { TRUE, 1, 9, 1 }; }, L"H:1-9C" },
    };
    for (const Case& c : rgCases) {
        SCOPED_TRACE(::testing::Message() << std::string(c.pszNormal, c.pszNormal + wcslen(c.pszNormal)));
        SymbologyConfig config = SymbologyConfig();
        c.pfnEnable(config);
        EXPECT_EQ(c.pszNormal, BuildCodeTypeList(config, kNormal));
        std::wstring strQ = BuildCodeTypeList(config, kQType);
        if (L'H' == c.pszNormal[0]) {
            EXPECT_EQ(L"Q:E,Y,Z", strQ);
        } else {
            EXPECT_EQ(std::wstring(L"Q:E,Y,Z,") + c.pszNormal, strQ);
        }
    }
}

TEST(BhtCodeTypeList, OneKEntrySpansBothCode128AndGS1128)
{
    SymbologyConfig c = SymbologyConfig();
    c.code128 = { TRUE, 10, 40, 0 };
    c.ean128 = { TRUE, 4, 20, 0 };
    EXPECT_EQ(L"K:4-40", BuildCodeTypeList(c, kNormal));
    c.ean128 = { TRUE, 20, 80, 0 };
    EXPECT_EQ(L"K:10-80", BuildCodeTypeList(c, kNormal));
    // EAN-13 and UPC-A together still make one A:AS entry.
    c.bEAN13 = c.bUPCA = TRUE;
    EXPECT_EQ(L"A:AS,K:10-80", BuildCodeTypeList(c, kNormal));
}

TEST(BhtCodeTypeList, NothingEnabledGivesAnEmptyListUnlessTheTerminalIsQType)
{
    EXPECT_EQ(L"", BuildCodeTypeList(SymbologyConfig(), kNormal));
    EXPECT_EQ(L"Q:E,Y,Z", BuildCodeTypeList(SymbologyConfig(), kQType));
}

TEST(BhtReadFilter, TypesAWAndKAreCheckedAndOthersPass)
{
    SymbologyConfig eanOnly = SymbologyConfig();
    eanOnly.bEAN13 = TRUE;
    SymbologyConfig upcOnly = SymbologyConfig();
    upcOnly.bUPCA = TRUE;
    SymbologyConfig lengths = SymbologyConfig();
    lengths.code128 = { TRUE, 5, 10, 0 };
    lengths.ean128 = { TRUE, 8, 20, 0 };
    SymbologyConfig gs1Only = SymbologyConfig();
    gs1Only.ean128 = { TRUE, 1, 99, 0 };

    struct Case
    {
        const char* pszNote;
        const SymbologyConfig& config;
        DWORD dwType;
        WCHAR chFirst;
        DWORD dwLength;
        BOOL bPasses;
    } rgCases[] = {
        { "A with 0, EAN-13 only", eanOnly, 'A', L'0', 13, FALSE },
        { "A with 5, EAN-13 only", eanOnly, 'A', L'5', 13, TRUE },
        { "A with 0, UPC-A only", upcOnly, 'A', L'0', 13, TRUE },
        { "A with 4, UPC-A only", upcOnly, 'A', L'4', 13, FALSE },
        { "A with 0, all", AllEnabled(), 'A', L'0', 13, TRUE },
        { "W at its minimum", lengths, 'W', L'0', 8, TRUE },
        { "W at its maximum", lengths, 'W', L'0', 20, TRUE },
        { "W below", lengths, 'W', L'0', 7, FALSE },
        { "W above", lengths, 'W', L'0', 21, FALSE },
        { "W, GS1-128 off", eanOnly, 'W', L'0', 10, FALSE },
        { "K at its minimum", lengths, 'K', L'A', 5, TRUE },
        { "K at its maximum", lengths, 'K', L'A', 10, TRUE },
        { "K above Code 128 but within GS1-128", lengths, 'K', L'A', 11, FALSE },
        { "K below", lengths, 'K', L'A', 4, FALSE },
        { "K, Code 128 off", gs1Only, 'K', L'A', 10, FALSE },
        { "K of a huge length", lengths, 'K', L'A', 0xFFFFFFFF, FALSE },
        { "M passes unchecked", SymbologyConfig(), 'M', L'x', 500, TRUE },
        { "N passes unchecked", eanOnly, 'N', L'x', 0, TRUE },
        { "Q passes unchecked", eanOnly, 'Q', L'x', 3, TRUE },
    };
    for (const Case& c : rgCases) {
        EXPECT_EQ(c.bPasses, PassesReadFilter(c.config, c.dwType, c.chFirst, c.dwLength)) << c.pszNote;
    }
}

TEST(BhtFeedback, ModeNamesInAnyCase)
{
    struct Case
    {
        const WCHAR* pszMode;
        DWORD dwMode;
    } rgCases[] = {
        { L"None", 0 }, { L"NONE", 0 }, { L"none", 0 },
        { L"Beeper", 1 }, { L"beeper", 1 },
        { L"Vibrator", 2 }, { L"vibrator", 2 }, { L"VIBRATOR", 2 },
        { L"Both", 3 }, { L"both", 3 },
        { L"", 1 }, { L"Buzzer", 1 }, { L"Non", 1 }, { L"None ", 1 }, { L"Bothx", 1 },
    };
    for (const Case& c : rgCases) {
        EXPECT_EQ(c.dwMode, ParseBeeperVibratorMode(c.pszMode));
    }
}

// Under Windows the assertion shows its box and waits: the fatal case is
// checked in the native build.
#ifndef _WIN32
TEST(BhtFeedbackDeathTest, NoModeTextIsFatal)
{
    EXPECT_EXIT(ParseBeeperVibratorMode(NULL), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != pszMode");
}
#endif

TEST(BhtFeedback, GoodReadBeepArguments)
{
    struct Case
    {
        const WCHAR* pszMode;
        const WCHAR* pszTime;
        const WCHAR* pszFrequency;
        DWORD dwOnTime;
        WORD wFrequency;
    } rgCases[] = {
        { L"Beeper", L"100", L"2793", 1, 2793 },   // the defaults
        { L"Beeper", L"250", L"2793", 2, 2793 },
        { L"Beeper", L"50", L"2793", 0, 2793 },
        { L"Vibrator", L"199", L"1000", 1, 1000 },
        { L"Both", L"0", L"0", 0, 0 },
        { L"Anything", L"300", L"65536", 3, 0 },     // cut to 16 bits
        { L"Beeper", L"100", L"70000", 1, 4464 },
        { L"Beeper", L"100000", L"2793", 100, 2793 }, // at most ten seconds
        { L"Beeper", L"abc", L"", 0, 0 },
        { L"Beeper", NULL, NULL, 0, 0 },
    };
    for (const Case& c : rgCases) {
        BhtBeep beep = { 99, 99, 99, 99 };
        ASSERT_EQ(TRUE, GetGoodReadBeep(c.pszMode, c.pszTime, c.pszFrequency, &beep));
        EXPECT_EQ(c.dwOnTime, beep.dwOnTime);
        EXPECT_EQ(1u, beep.dwOffTime);
        EXPECT_EQ(1u, beep.dwCount);
        EXPECT_EQ(c.wFrequency, beep.wFrequency);
    }
}

TEST(BhtFeedback, ModeNoneGivesNoBeep)
{
    BhtBeep beep = { 99, 99, 99, 99 };
    EXPECT_EQ(FALSE, GetGoodReadBeep(L"none", L"100", L"2793", &beep));
    EXPECT_EQ(FALSE, GetGoodReadBeep(L"NONE", L"100", L"2793", &beep));
    EXPECT_EQ(99u, beep.dwOnTime);
}

}
