#include "script/ScanTarget.h"

#include "common/AnsiText.h"
#include "common/Assert.h"
#include "common/Escapes.h"
#include "common/HostSettings.h"
#include "common/MyString.h"
#include "common/Settings.h"
#include "keyboard/KeyTranslator.h"
#include "script/ScanProcessor.h"

std::string TargetText(const void* pvData, DWORD cbData, size_t cchMax)
{
    std::string strText = NarrowScanString(pvData, cbData);
    if (strText.size() > cchMax) {
        strText.resize(cchMax);
    }
    return strText;
}

// Lower case of 8-bit text whose bytes are the characters U+0000 to U+00FF:
// A-Z and the Latin-1 capitals (but the multiplication sign).
static void LowerLatin1(std::string& strText)
{
    for (char& ch : strText) {
        unsigned char nByte = (unsigned char)ch;
        if ((nByte >= 'A' && nByte <= 'Z') || (nByte >= 0xC0 && nByte <= 0xDE && nByte != 0xD7)) {
            ch = (char)(nByte + 0x20);
        }
    }
}

std::string TargetAppName(const void* pvPath, DWORD cbPath)
{
    std::string strApp = TargetText(pvPath, cbPath, std::string::npos);
    size_t iSeparator = strApp.find_last_of("\\/");
    if (std::string::npos != iSeparator) {
        strApp.erase(0, iSeparator + 1);
    }
    LowerLatin1(strApp);
    return strApp;
}

std::string TargetText(const std::vector<UTF16UNIT>& rgUnits, size_t cchMax)
{
    return TargetText(rgUnits.data(), (DWORD)(rgUnits.size() * sizeof(UTF16UNIT)), cchMax);
}

std::string TargetAppName(const std::vector<UTF16UNIT>& rgPath)
{
    return TargetAppName(rgPath.data(), (DWORD)(rgPath.size() * sizeof(UTF16UNIT)));
}

// A setting's text in UTF-16 units (WCHAR is 4 bytes natively), so that it
// takes the same road as a window's texts.
static std::vector<UTF16UNIT> SettingUnits(const WCHAR* pszText)
{
    return DecodeUtf8(NarrowUtf8(pszText));
}

TypingMode::TypingMode(BOOL fKeyStrokes)
    : m_fAuto(FALSE), m_fKeyStrokes(fKeyStrokes)
{
}

TypingMode::TypingMode(const std::vector<std::string>& rgRdpApps)
    : m_fAuto(TRUE), m_fKeyStrokes(FALSE), m_rgRdpApps(rgRdpApps)
{
}

const char* TypingMode::GetName() const
{
    return (TRUE == m_fAuto) ? "auto" : TypingModeName(m_fKeyStrokes);
}

const char* TypingModeName(BOOL fKeyStrokes)
{
    return (TRUE == fKeyStrokes) ? "keys" : "unicode";
}

BOOL TypingMode::UsesKeyStrokes(const std::string& strApp) const
{
    if (TRUE != m_fAuto) {
        return m_fKeyStrokes;
    }
    for (const std::string& strRdpApp : m_rgRdpApps) {
        if (strRdpApp == strApp) {
            return TRUE;
        }
    }
    return FALSE;
}

std::vector<std::string> ParseRdpApps(const WCHAR* pszApps)
{
    FATAL_ASSERT(NULL != pszApps);
    std::vector<std::string> rgApps;
    std::wstring strRest = pszApps;
    for (;;) {
        size_t iComma = strRest.find(L',');
        std::wstring strName = strRest.substr(0, iComma);
        TrimBlanks(strName);
        if (!strName.empty()) {
            rgApps.push_back(TargetAppName(SettingUnits(strName.c_str())));
        }
        if (std::wstring::npos == iComma) {
            return rgApps;
        }
        strRest.erase(0, iComma + 1);
    }
}

TypingMode GetTypingMode()
{
    FATAL_ASSERT(NULL != gpSettings);
    const WCHAR* pszMode = gpSettings->Get(L"RDPMode");
    if (NULL != pszMode && TRUE == EqualsNoCase(pszMode, TVX_RDP_MODE_AUTO)) {
        const WCHAR* pszApps = gpSettings->Get(L"RDPApps");
        return TypingMode(ParseRdpApps((NULL != pszApps) ? pszApps : TVX_DEFAULT_RDP_APPS));
    }
    return TypingMode((TRUE == GetUnicodeTyping()) ? FALSE : TRUE);
}

ScanSettings ReadScanSettings()
{
    FATAL_ASSERT(NULL != gpSettings);
    ScanSettings settings(GetInterKeyDelay(), GetTypingMode());
    const WCHAR* pszLayout = FindLayoutName(gpSettings->Get(L"KeyboardLayout"));
    if (NULL != pszLayout) {
        settings.strLayout = NarrowUtf8(pszLayout);
    }
    const WCHAR* pszModule = gpSettings->Get(L"InputModule");
    if (NULL != pszModule) {
        settings.strModule = TargetText(SettingUnits(pszModule), std::string::npos);
    }
    return settings;
}
