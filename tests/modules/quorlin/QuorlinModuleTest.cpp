// Quorlin.exe as the host meets it: copied into an installation folder of
// its own with its two stand-in libraries, started with a receiver window's
// handle after the test has made the stop events, fed labels, and stopped.
// A refusal during the scanner's configuration ends it with the fatal
// assertion's box, which the test reads and answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/Events.h"
#include "support/ModuleTestFixture.h"
#include "support/TestWindows.h"

namespace {

const WCHAR* const grgpszLibraries[] = { L"SCNAPI32.dll", L"AUDIOAPI32.dll", NULL };

// A short, valid sound: 8-bit mono PCM at 8000 Hz, 800 samples.
std::string SmallWave()
{
    std::string strData(800, '\0');
    for (size_t i = 0; i < strData.size(); i++) {
        strData[i] = (char)((i / 4) % 2 ? 0xC0 : 0x40);
    }
    auto word = [](unsigned nValue, int cb) {
        std::string str;
        for (int i = 0; i < cb; i++) {
            str += (char)((nValue >> (8 * i)) & 0xFF);
        }
        return str;
    };
    return "RIFF" + word(36 + (unsigned)strData.size(), 4) + "WAVE" + "fmt " + word(16, 4) + word(1, 2) +
           word(1, 2) + word(8000, 4) + word(8000, 4) + word(1, 2) + word(8, 2) + "data" +
           word((unsigned)strData.size(), 4) + strData;
}

class QuorlinModule : public InstalledModuleTestFixture
{
protected:
    QuorlinModule() : InstalledModuleTestFixture(L"Quorlin.exe", grgpszLibraries) {}
};

TEST_F(QuorlinModule, DeliversEachLabelWithTheGoodReadSound)
{
    ASSERT_EQ(TRUE, m_install.WriteFile(L"barcode.wav", SmallWave().c_str()));
    Start("decoders=\n");
    ASSERT_EQ(TRUE, m_sim.FeedLine("4006381333931"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("0101234567890128\\x1d" "10LOT7"));
    std::string strLong(150, 'L');
    strLong[98] = 'E';
    ASSERT_EQ(TRUE, m_sim.FeedLine(strLong));
    ASSERT_EQ(TRUE, m_sim.FeedLine(""));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(4, START_MS));

    std::vector<std::wstring> expected = {
        L"4006381333931", L"0101234567890128\x1d" L"10LOT7", std::wstring(strLong.begin(), strLong.begin() + 99), L"",
    };
    ExpectDelivered(expected);

    // One good-read sound per delivered scan, the installation's file.
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("AUDIO_PlayBeeper", 4, START_MS));
    std::vector<SimCall> sounds = m_sim.ReadCalls("AUDIO_PlayBeeper");
    ASSERT_EQ(4u, sounds.size());
    for (const SimCall& sound : sounds) {
        EXPECT_EQ(m_install.GetFilePath(L"barcode.wav"), sound.GetText("file"));
        EXPECT_EQ(0, sound.GetNumber("volume", -1));
        EXPECT_EQ(0, sound.GetNumber("flags", -1));
    }

    StopAndExpectExit0();
    std::vector<std::string> names = CallNames();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ("SCAN_OpenDevice", names[0]);
    EXPECT_EQ("SCAN_ReadyDevice", names[1]);
    // The device goes last, after the buffer its read was to fill.
    EXPECT_EQ("SCAN_FreeBuffer", names[names.size() - 2]);
    EXPECT_EQ("SCAN_CloseDevice", names[names.size() - 1]);
    // One read at the start and one after each label; never two at once.
    std::vector<SimCall> reads = m_sim.ReadCalls("SCAN_SubmitRead");
    EXPECT_EQ(5u, reads.size());
    for (const SimCall& read : reads) {
        EXPECT_EQ(0, read.GetNumber("outstanding", -1));
    }
}

TEST_F(QuorlinModule, WithoutTheSoundFileScansStillArrive)
{
    Start("decoders=\n");
    ASSERT_EQ(TRUE, m_sim.FeedLine("NOSOUND"));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(1, START_MS));
    std::vector<std::wstring> expected = { L"NOSOUND" };
    EXPECT_EQ(expected, m_receiver.GetTexts());
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("AUDIO_PlayBeeper", 1, START_MS));
    SimCall sound = m_sim.ReadCalls("AUDIO_PlayBeeper")[0];
    EXPECT_EQ(0, sound.GetNumber("played", -1));
    EXPECT_NE(0, sound.GetNumber("result", 0));
    StopAndExpectExit0();
}

TEST_F(QuorlinModule, WithoutAScannerItStaysIdleAndStillStops)
{
    ExpectIdleUntilStopped("devices=\n", "SCAN_OpenDevice");
    std::vector<std::string> expected = { "SCAN_OpenDevice" };
    EXPECT_EQ(expected, CallNames());
}

struct FatalCase
{
    const char* pszConditions;
    const WCHAR* pszAssertion;
};

class QuorlinFatal : public QuorlinModule, public ::testing::WithParamInterface<FatalCase>
{
};

TEST_P(QuorlinFatal, ARefusalWhileConfiguringEndsTheModuleWithTheFailedCall)
{
    Start(std::string("decoders=\n") + GetParam().pszConditions);
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, L"Fatal Error", START_MS, m_process.GetId());
    ASSERT_NE(nullptr, hBox);
    std::wstring strText = ReadBoxText(hBox);
    std::wstring strExpected = std::wstring(L"Assertion failed: ") + GetParam().pszAssertion + L" (SymbolBackend.cpp,";
    EXPECT_EQ(strExpected, strText.substr(0, strExpected.size()));
    EXPECT_EQ(L')', strText.back());
    EXPECT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    DWORD dwExitCode = 0;
    ASSERT_EQ(TRUE, m_process.Wait(START_MS, &dwExitCode));
    EXPECT_EQ((DWORD)-1, dwExitCode);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(ghInputModuleEventStopped, 0));
    EXPECT_TRUE(m_receiver.GetScans().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Configure, QuorlinFatal,
    ::testing::Values(
        FatalCase{ "refuse=SCAN_GetScanParams\n",
                   L"E_SCN_SUCCESS == SYMBOL_ScanSetScanParams( CODE_ID_TYPE_NONE, SCAN_TYPE_FOREGROUND, "
                   L"FALSE, 0, 0, 0, _T(\"\") )" },
        FatalCase{ "refuse=SCAN_SetDecoderList@1\n", L"E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_UPCE0 )" },
        FatalCase{ "refuse=SCAN_GetDecoderList@3\n", L"E_SCN_SUCCESS == SYMBOL_enableDecoder( DECODER_EAN13 )" },
        FatalCase{ "refuse=SCAN_GetDecoderParams@3\n",
                   L"E_SCN_SUCCESS == SYMBOL_initDecoderParams( DECODER_EAN8, &dpEAN8 )" },
        FatalCase{ "refuse=SCAN_SetDecoderParams@7\n",
                   L"E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_I2OF5, &dpInterleave2of5 )" },
        FatalCase{ "refuse=SCAN_SetDecoderParams@1\n",
                   L"E_SCN_SUCCESS == SCAN_SetDecoderParams( m_hSymbolHandle, DECODER_UPCE0, &dpUPCE0 )" }));

}
