#include <gtest/gtest.h>

#include <string>

#include "common/Settings.h"
#include "keyboard/KeyTranslator.h"

namespace {

// A settings table as the host's, installed as gpSettings for one test.
class WithSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gpSettings = new Settings(L"folder");
    }
    void TearDown() override
    {
        DeleteKeyTranslatorMap();
        delete gpSettings;
        gpSettings = NULL;
    }
};

KeyTranslator* NewTranslator(int nASCII)
{
    return new KeyTranslator(nASCII, 0x41, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE,
                             0x1E);
}

TEST(KeyTranslator, SettersRefuseCodesOutsideAByte)
{
    KeyTranslator translator(65, 0x41, TRUE, TRUE, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, 0x1E);
    struct Case
    {
        int nValue;
        BOOL fStored;
    } const cases[] = { { -1, FALSE }, { 0, TRUE }, { 255, TRUE }, { 256, FALSE } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nValue);
        EXPECT_EQ(c.fStored, translator.setASCII(c.nValue));
        EXPECT_EQ(c.fStored, translator.setKeyCode(c.nValue));
        EXPECT_EQ(c.fStored, translator.setScanCode(c.nValue));
    }
    // The refused values left the last stored ones.
    EXPECT_EQ(255, translator.getASCII());
    EXPECT_EQ(255, translator.getKeyCode());
    EXPECT_EQ(255, translator.getScanCode());
}

TEST(KeyTranslatorMap, HoldsAllCodesInEveryLayout)
{
    for (int nLayout : { LAYOUT_US, LAYOUT_SWEDISH, LAYOUT_BELGIAN }) {
        KeyTranslatorMap map(nLayout);
        EXPECT_EQ(256, map.GetCount());
        EXPECT_EQ(nLayout, map.GetLayout());
        KeyTranslator* pTranslator = nullptr;
        ASSERT_EQ(TRUE, map.Lookup(L"65", pTranslator));
        EXPECT_EQ(65, pTranslator->getASCII());
        EXPECT_EQ(0x41, pTranslator->getKeyCode());
        EXPECT_EQ(TRUE, pTranslator->getShift());
        EXPECT_EQ(TRUE, pTranslator->getValid());
        for (const WCHAR* pszAbsent : { L"256", L"065", L"-1", L"" }) {
            EXPECT_EQ(FALSE, map.Lookup(pszAbsent, pTranslator)) << pszAbsent;
        }
    }
}

TEST(KeyTranslatorMap, AddKeepsTheFirstTranslatorOfAKey)
{
    KeyTranslatorMap map(LAYOUT_US);
    KeyTranslator* pOld = nullptr;
    ASSERT_EQ(TRUE, map.Lookup(L"7", pOld));
    KeyTranslator* pNew = NewTranslator(7);
    EXPECT_EQ(FALSE, map.Add(L"7", pNew));
    KeyTranslator* pFound = nullptr;
    ASSERT_EQ(TRUE, map.Lookup(L"7", pFound));
    EXPECT_EQ(pOld, pFound);
    delete pNew;  // refused, so still the caller's
}

TEST(KeyTranslatorMap, RemovalDestroysAndEmpties)
{
    KeyTranslatorMap map(LAYOUT_SWEDISH);
    EXPECT_EQ(TRUE, map.RemoveKey(L"10"));
    EXPECT_EQ(255, map.GetCount());
    EXPECT_EQ(FALSE, map.RemoveKey(L"10"));
    EXPECT_EQ(FALSE, map.RemoveKey(L"300"));
    EXPECT_EQ(TRUE, map.Add(L"300", NewTranslator(44)));
    map.RemoveAllTranslators();
    EXPECT_EQ(0, map.GetCount());
    // The sanitizer's leak check proves that every translator was destroyed.
}

TEST(FormatKeyText, DecimalWithoutLeadingZeros)
{
    struct Case
    {
        int nCode;
        const WCHAR* pszKey;
    } const cases[] = { { 0, L"0" }, { 9, L"9" }, { 10, L"10" }, { 99, L"99" }, { 100, L"100" },
                        { 255, L"255" } };
    for (const Case& c : cases) {
        WCHAR szKey[KEY_TEXT_SIZE];
        FormatKeyText(c.nCode, szKey);
        EXPECT_EQ(std::wstring(c.pszKey), std::wstring(szKey));
    }
}

TEST_F(WithSettings, CreateKeyTranslatorMapChoosesTheLayoutIgnoringCase)
{
    struct Case
    {
        const WCHAR* pszValue;
        int nLayout;
    } const cases[] = { { L"US", LAYOUT_US }, { L"us", LAYOUT_US }, { L"Swedish", LAYOUT_SWEDISH },
                        { L"swedish", LAYOUT_SWEDISH }, { L"BELGIAN", LAYOUT_BELGIAN },
                        { L"fINNISH", LAYOUT_SWEDISH } };
    for (const Case& c : cases) {
        gpSettings->Set(L"KeyboardLayout", c.pszValue);
        ASSERT_EQ(TRUE, CreateKeyTranslatorMap()) << c.pszValue;
        ASSERT_NE(nullptr, gpKeyTranslatorMap);
        EXPECT_EQ(c.nLayout, gpKeyTranslatorMap->GetLayout()) << c.pszValue;
        DeleteKeyTranslatorMap();
        EXPECT_EQ(nullptr, gpKeyTranslatorMap);
    }
    DeleteKeyTranslatorMap();  // a second call with no map does nothing
}

#ifndef _WIN32
// Natively the error box writes its text to standard error.
TEST_F(WithSettings, AnUnknownLayoutIsReportedAndBuildsNothing)
{
    for (const WCHAR* pszValue :
         { L"", L"German", L"Swedsh", L"US ", L"Belgian-French", L"Finnish multilingual" }) {
        gpSettings->Set(L"KeyboardLayout", pszValue);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(FALSE, CreateKeyTranslatorMap());
        std::string strShown = ::testing::internal::GetCapturedStderr();
        std::wstring strValue(pszValue);
        EXPECT_EQ("Invalid setting: KeyboardLayout=" + std::string(strValue.begin(), strValue.end()) +
                      "\n",
                  strShown);
        EXPECT_EQ(nullptr, gpKeyTranslatorMap);
    }
}
#endif

TEST_F(WithSettings, FormatInvalidSettingShowsNameAndValue)
{
    gpSettings->Set(L"KeyboardLayout", L"Dvorak");
    std::wstring strMessage;
    FormatInvalidSetting(strMessage, L"KeyboardLayout");
    EXPECT_EQ(L"Invalid setting: KeyboardLayout=Dvorak", strMessage);
    FormatInvalidSetting(strMessage, L"Missing");
    EXPECT_EQ(L"Invalid setting: Missing=", strMessage);
}

TEST_F(WithSettings, GetKeyTranslatorTakesTheCharacterAsAnUnsignedByte)
{
    gpSettings->Set(L"KeyboardLayout", L"Swedish");
    ASSERT_EQ(TRUE, CreateKeyTranslatorMap());
    struct Case
    {
        char ch;
        BOOL fValid;
        int nKeyCode;
    } const cases[] = {
        { '\xE5', TRUE, 0xDD },   // å
        { '\x0A', FALSE, 0 },     // line feed: never a key
        { '\x00', FALSE, 0 },
        { '\xFF', FALSE, 0 },
        { '\x10', FALSE, 0x10 },  // Shift: the key is kept, the row not valid
    };
    for (const Case& c : cases) {
        KeyTranslator* pTranslator = nullptr;
        EXPECT_EQ(c.fValid, GetKeyTranslator(c.ch, &pTranslator)) << (int)(unsigned char)c.ch;
        ASSERT_NE(nullptr, pTranslator);
        EXPECT_EQ((int)(unsigned char)c.ch, pTranslator->getASCII());
        EXPECT_EQ(c.nKeyCode, pTranslator->getKeyCode());
    }
}

TEST(ParseInterKeyDelay, ConvertsLikeTheCLibraryAndBounds)
{
    struct Case
    {
        const WCHAR* pszValue;
        DWORD nDelay;
    } const cases[] = {
        { NULL, 0 },
        { L"", 0 },
        { L"abc", 0 },
        { L"1", 1 },
        { L" \t\n25", 25 },
        { L"+7", 7 },
        { L"12ms", 12 },
        { L"1000", 1000 },
        { L"1001", MAX_INTER_KEY_DELAY },
        { L"-0", 0 },
        { L"-1", MAX_INTER_KEY_DELAY },             // 4294967295 in 32 bits
        { L"-4294967295", 1 },                      // negated modulo 2^32
        { L"4294967295", MAX_INTER_KEY_DELAY },
        { L"99999999999999999999999", MAX_INTER_KEY_DELAY },
        { L"-99999999999999999999999", MAX_INTER_KEY_DELAY },
        { L"- 5", 0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.nDelay, ParseInterKeyDelay(c.pszValue)) << (c.pszValue ? c.pszValue : L"(null)");
    }
}

TEST_F(WithSettings, TypingSettingsAreReadFromGpSettings)
{
    EXPECT_EQ(0u, GetInterKeyDelay());
    EXPECT_EQ(TRUE, GetUnicodeTyping());

    gpSettings->Set(L"InterKeyDelay", L"-5");
    EXPECT_EQ((DWORD)MAX_INTER_KEY_DELAY, GetInterKeyDelay());
    gpSettings->Set(L"InterKeyDelay", L"3");
    EXPECT_EQ(3u, GetInterKeyDelay());

    struct Case
    {
        const WCHAR* pszValue;
        BOOL fUnicode;
    } const cases[] = { { L"TRUE", FALSE }, { L"true", FALSE }, { L"tRuE", FALSE },
                        { L"FALSE", TRUE }, { L"1", TRUE }, { L"yes", TRUE }, { L"TRUEX", TRUE } };
    for (const Case& c : cases) {
        gpSettings->Set(L"RDPMode", c.pszValue);
        EXPECT_EQ(c.fUnicode, GetUnicodeTyping()) << c.pszValue;
    }
}

#ifndef _WIN32
using KeyTranslatorDeathTest = WithSettings;

TEST_F(KeyTranslatorDeathTest, BrokenPreconditionsEndTheProcess)
{
    struct Case
    {
        void (*pfnRun)();
        const char* pszText;
    } const cases[] = {
        { [] { KeyTranslator t(256, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); },
          "TRUE == setASCII\\( nASCII \\)" },
        { [] { KeyTranslator t(1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0); },
          "TRUE == setKeyCode\\( nKeyCode \\)" },
        { [] { KeyTranslator t(1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 999); },
          "TRUE == setScanCode\\( nScanCode \\)" },
        { [] { KeyTranslatorMap map(0); map.Add(NULL, NewTranslator(1)); }, "NULL != key" },
        { [] { KeyTranslatorMap map(0); map.Add(L"x", NULL); }, "NULL != pKeyTranslator" },
        { [] { KeyTranslatorMap map(0); map.RemoveKey((const WCHAR*)NULL); }, "NULL != pszKey" },
        { [] { KeyTranslator* p; GetKeyTranslator('A', &p); }, "NULL != gpKeyTranslatorMap" },
        { [] { std::wstring s; FormatInvalidSetting(s, NULL); }, "NULL != pszSettingsName" },
        { [] {
              gpSettings->Set(L"KeyboardLayout", L"US");
              CreateKeyTranslatorMap();
              CreateKeyTranslatorMap();
          },
          "NULL == gpKeyTranslatorMap" },
        { [] {
              delete gpSettings;
              gpSettings = NULL;
              GetInterKeyDelay();
          },
          "NULL != gpSettings" },
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(c.pfnRun(), ::testing::ExitedWithCode(255),
                    std::string("Assertion failed: ") + c.pszText);
    }
}
#endif

}  // namespace
