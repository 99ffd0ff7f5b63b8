// Typing through the real Win32 calls into a focused EDIT control of this
// process, read back exactly, with the US layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

#include "common/Settings.h"
#include "keyboard/KeyTranslator.h"
#include "keyboard/TypeText.h"
#include "support/TypingTarget.h"

namespace {

class TypingIntoEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gpSettings = new Settings(L"C:\\");
        gpSettings->Set(L"KeyboardLayout", L"US");
        ASSERT_EQ(TRUE, CreateKeyTranslatorMap());
        ASSERT_NE(nullptr, m_target.GetEdit());
        ASSERT_EQ(TRUE, m_target.Focus());
        m_target.Clear();
    }

    void TearDown() override
    {
        DeleteKeyTranslatorMap();
        delete gpSettings;
        gpSettings = NULL;
    }

    TypingTarget m_target;
};

// Tab, every printable ASCII character and Enter, as a script could return them.
std::string TextToType()
{
    std::string strText = "Tab\tthen ";
    for (int ch = 0x20; ch <= 0x7E; ch++) {
        strText += (char)ch;
    }
    return strText + "\rnext line";
}

// What the multiline EDIT control holds after it: Enter is CR LF there.
std::wstring TextExpected()
{
    std::wstring strText = L"Tab\tthen ";
    for (int ch = 0x20; ch <= 0x7E; ch++) {
        strText += (WCHAR)ch;
    }
    return strText + L"\r\nnext line";
}

BOOL IsCapsLockOn()
{
    PumpMessages();
    return (GetKeyState(VK_CAPITAL) & 1) ? TRUE : FALSE;
}

void PressCapsLock()
{
    keybd_event(VK_CAPITAL, 0x3A, 0, 0);
    keybd_event(VK_CAPITAL, 0x3A, KEYEVENTF_KEYUP, 0);
    PumpMessages();
    Sleep(50);
    PumpMessages();
}

TEST_F(TypingIntoEdit, UnicodeModeTypesTheTextExactly)
{
    TypeText(TextToType().c_str(), 0, TRUE);
    EXPECT_EQ(TextExpected(), m_target.WaitForText(TextExpected().size(), 10000));
}

TEST_F(TypingIntoEdit, RdpModeTypesTheTextExactly)
{
    TypeText(TextToType().c_str(), 0, FALSE);
    EXPECT_EQ(TextExpected(), m_target.WaitForText(TextExpected().size(), 10000));
}

TEST_F(TypingIntoEdit, PausedTypingArrivesTheSame)
{
    TypeText("Ab1;\x1D\n@~", 1, FALSE);
    TypeText("Ab1;\x1D\n@~", 1, TRUE);
    const std::wstring strExpected = L"Ab1;^@~Ab1;^@~";
    EXPECT_EQ(strExpected, m_target.WaitForText(strExpected.size(), 10000));
}

TEST_F(TypingIntoEdit, CapsLockChangesNoKeyStrokeAndStaysOn)
{
    if (IsCapsLockOn()) {
        PressCapsLock();
    }
    PressCapsLock();
    ASSERT_EQ(TRUE, IsCapsLockOn()) << "Caps Lock cannot be switched on here";
    ASSERT_EQ(TRUE, m_target.Focus());

    TypeText("aB1;Zq\r", 0, FALSE);
    std::wstring strText = m_target.WaitForText(8, 10000);
    BOOL fCapsLockAfter = IsCapsLockOn();
    PressCapsLock();  // back off for the next tests

    EXPECT_EQ(L"aB1;Zq\r\n", strText);
    EXPECT_EQ(TRUE, fCapsLockAfter);
}

double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * (double)(now.QuadPart - start.QuadPart) / (double)frequency.QuadPart;
}

// Run by hand (--gtest_also_run_disabled_tests): how long typing 1000
// characters takes, and how long until the last one is in the EDIT control.
TEST_F(TypingIntoEdit, DISABLED_ThousandCharactersTiming)
{
    std::string strText;
    while (strText.size() < 1000) {
        strText += "Ab3-x;Q@7/z(k_P9,m%Tq0[e] ";
    }
    strText.resize(1000);
    for (BOOL fUnicode : { TRUE, FALSE }) {
        for (DWORD nDelay : { 0u, 1u }) {
            m_target.Clear();
            ASSERT_EQ(TRUE, m_target.Focus());
            LARGE_INTEGER start;
            QueryPerformanceCounter(&start);
            TypeText(strText.c_str(), nDelay, fUnicode);
            double msTyped = MillisecondsSince(start);
            int nLength = 0;
            while (nLength < 1000 && MillisecondsSince(start) < 180000.0) {
                PumpMessages();
                nLength = GetWindowTextLengthW(m_target.GetEdit());
                if (nLength < 1000) {
                    MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
                }
            }
            printf("%s mode, InterKeyDelay %lu: typed in %.0f ms, all 1000 in the EDIT after "
                   "%.0f ms\n",
                   TRUE == fUnicode ? "Unicode" : "RDP", (unsigned long)nDelay, msTyped,
                   MillisecondsSince(start));
            EXPECT_EQ(std::wstring(strText.begin(), strText.end()), m_target.GetText());
        }
    }
}

}  // namespace
