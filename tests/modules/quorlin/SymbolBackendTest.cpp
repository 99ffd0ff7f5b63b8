// The Symbol back-end in the test process over the stand-in SCNAPI32.dll:
// the order and values of its library calls, read from the call log, and
// what getBarcode hands out. The test plays the poll tick itself.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "modules/quorlin/SymbolBackend.h"
#include "support/BackendTestKit.h"

namespace {

#define WAIT_MS 5000

::testing::Environment* const gpKitEnvironment =
    ::testing::AddGlobalTestEnvironment(new BackendKitEnvironment());

// A device with no decoder enabled, that keeps whatever list it is told.
#define FRESH_DEVICE "decoders=\n"

class SymbolBackendTest : public PolledBackendTestFixture
{
protected:
    SymbolBackendTest() : PolledBackendTestFixture(FRESH_DEVICE) {}

    // Plays poll ticks until getBarcode hands out a label; NULL after WAIT_MS.
    const WCHAR* PollForLabel(SymbolBackend& backend)
    {
        ULONGLONG ullStart = GetTickCount64();
        while (GetTickCount64() - ullStart < WAIT_MS) {
            const WCHAR* pszLabel = backend.getBarcode();
            if (NULL != pszLabel) {
                return pszLabel;
            }
            Sleep(10);
        }
        return NULL;
    }
};

// The words of a logged parameter block, by byte offset.
std::map<int, long long> Words(const SimCall& call)
{
    std::map<int, long long> words;
    std::string strWords = call.Get("words") ? call.Get("words") : "";
    size_t nPos = 0;
    while (nPos < strWords.size()) {
        size_t nEnd = strWords.find(',', nPos);
        if (std::string::npos == nEnd) {
            nEnd = strWords.size();
        }
        std::string strWord = strWords.substr(nPos, nEnd - nPos);
        size_t nColon = strWord.find(':');
        words[atoi(strWord.substr(0, nColon).c_str())] = atoll(strWord.substr(nColon + 1).c_str());
        nPos = nEnd + 1;
    }
    return words;
}

// What the stand-in reports in a word nobody has set.
long long LibraryWord(int nOffset)
{
    return 0x1000 + nOffset;
}

TEST_F(SymbolBackendTest, ConfigurationAfterEnableAllFollowsTheDecoderTable)
{
    SymbolBackend backend;
    ASSERT_EQ(TRUE, backend.enableAllBarcodeTypes());
    ASSERT_EQ(TRUE, backend.startScanning());

    const std::vector<std::string> decoderCalls = {
        "SCAN_GetDecoderList", "SCAN_SetDecoderList", "SCAN_GetDecoderParams", "SCAN_SetDecoderParams",
    };
    std::vector<std::string> expected = {
        "SCAN_OpenDevice", "SCAN_ReadyDevice", "SCAN_GetScanParams", "SCAN_SetScanParams",
    };
    for (int i = 0; i < 9; i++) {
        // The third decoder, EAN-13, is only enabled.
        expected.insert(expected.end(), decoderCalls.begin(), decoderCalls.begin() + (2 == i ? 2 : 4));
    }
    expected.push_back("SCAN_AllocBuffer");
    expected.push_back("SCAN_SubmitRead");
    EXPECT_EQ(expected, CallNames());

    std::vector<SimCall> opens = Calls("SCAN_OpenDevice");
    ASSERT_EQ(1u, opens.size());
    EXPECT_EQ(L"SCN1:", opens[0].GetText("device"));

    std::vector<SimCall> gets = Calls("SCAN_GetScanParams");
    ASSERT_EQ(1u, gets.size());
    EXPECT_EQ(3212, gets[0].GetNumber("allocated", -1));
    EXPECT_EQ(8, gets[0].GetNumber("used", -1));
    EXPECT_EQ(1, gets[0].GetNumber("clean", -1));
    std::vector<SimCall> sets = Calls("SCAN_SetScanParams");
    ASSERT_EQ(1u, sets.size());
    EXPECT_EQ(0, sets[0].GetNumber("scantype", -1));
    EXPECT_EQ(0, sets[0].GetNumber("feedback", -1));
    EXPECT_STREQ("0,0,0", sets[0].Get("values"));
    EXPECT_STREQ("\"\"", sets[0].Get("path"));
    EXPECT_EQ(552, sets[0].GetNumber("used", -1));
    // The code-identifier type stays as the device had it.
    EXPECT_EQ(2, sets[0].GetNumber("codeid", -1));

    // Every decoder in order, each added once to the end of the list.
    std::vector<SimCall> lists = Calls("SCAN_SetDecoderList");
    const char* rgpszLists[] = {
        "\"0\"", "\"02\"", "\"025\"", "\"0254\"", "\"02547\"", "\"02547<\"", "\"02547<6\"",
        "\"02547<69\"", "\"02547<698\"",
    };
    ASSERT_EQ(9u, lists.size());
    for (size_t i = 0; i < lists.size(); i++) {
        EXPECT_STREQ(rgpszLists[i], lists[i].Get("decoders")) << i;
        EXPECT_EQ((long long)(13 + i), lists[i].GetNumber("used", -1)) << i;
    }
    for (const SimCall& get : Calls("SCAN_GetDecoderList")) {
        EXPECT_EQ(140, get.GetNumber("allocated", -1));
        EXPECT_EQ(8, get.GetNumber("used", -1));
        EXPECT_EQ(1, get.GetNumber("clean", -1));
    }

    // The words of each block at their offsets; every other word as the
    // library reported it (offset 8 holds the decoder's code).
    struct Block
    {
        const char* pszDecoder;
        std::map<int, long long> words;
    } rgBlocks[] = {
        { "\"0\"", { { 20, 1 }, { 24, 1 }, { 28, 0 } } },
        { "\"2\"", { { 20, 1 }, { 24, 1 } } },
        { "\"4\"", { { 20, 0 } } },
        { "\"7\"", { { 12, 1 }, { 16, 50 }, { 20, 0 }, { 24, 1 }, { 28, 0 }, { 32, 0 }, { 36, 0 },
                     { 40, 0 }, { 44, 0 } } },
        { "\"<\"", { { 12, 1 }, { 16, 50 }, { 20, 0 }, { 24, 1 }, { 28, 1 }, { 32, 1 } } },
        { "\"6\"", { { 12, 3 }, { 16, 50 }, { 20, 0 }, { 24, 0 }, { 28, 0 } } },
        { "\"9\"", { { 12, 2 }, { 16, 50 }, { 20, 0 }, { 24, 0 }, { 28, 1 }, { 32, 0 } } },
        { "\"8\"", { { 12, 1 }, { 16, 50 }, { 20, 0 } } },
    };
    std::vector<SimCall> params = Calls("SCAN_SetDecoderParams");
    std::vector<SimCall> paramGets = Calls("SCAN_GetDecoderParams");
    ASSERT_EQ(8u, params.size());
    ASSERT_EQ(8u, paramGets.size());
    for (size_t i = 0; i < params.size(); i++) {
        const Block& block = rgBlocks[i];
        SCOPED_TRACE(block.pszDecoder);
        EXPECT_STREQ(block.pszDecoder, params[i].Get("decoder"));
        EXPECT_STREQ(block.pszDecoder, paramGets[i].Get("decoder"));
        EXPECT_EQ(100, paramGets[i].GetNumber("allocated", -1));
        EXPECT_EQ(8, paramGets[i].GetNumber("used", -1));
        EXPECT_EQ(1, paramGets[i].GetNumber("clean", -1));
        std::map<int, long long> words = Words(params[i]);
        ASSERT_EQ(23u, words.size());
        EXPECT_EQ((long long)(unsigned char)block.pszDecoder[1], words[8]);
        for (int nOffset = 12; nOffset < 100; nOffset += 4) {
            auto it = block.words.find(nOffset);
            EXPECT_EQ(block.words.end() == it ? LibraryWord(nOffset) : it->second, words[nOffset])
                << "offset " << nOffset;
        }
    }

    std::vector<SimCall> allocs = Calls("SCAN_AllocBuffer");
    ASSERT_EQ(1u, allocs.size());
    EXPECT_EQ(1, allocs[0].GetNumber("text", -1));
    EXPECT_EQ(100, allocs[0].GetNumber("size", -1));
    std::vector<SimCall> reads = Calls("SCAN_SubmitRead");
    ASSERT_EQ(1u, reads.size());
    EXPECT_EQ(0, reads[0].GetNumber("timeout", -1));
    EXPECT_EQ(allocs[0].GetNumber("result", -1), reads[0].GetNumber("buffer", -2));
    EXPECT_EQ(opens[0].GetNumber("handle", -1), reads[0].GetNumber("handle", -2));

    // The configuration keeps the maxima lowered to 50.
    const SymbologyConfig& c = backend.getConfig();
    const VariableSymbology* rgLowered[] = {
        &c.code39, &c.code128, &c.ean128, &c.codabar, &c.interleave2of5, &c.standard2of5,
    };
    for (const VariableSymbology* p : rgLowered) {
        EXPECT_EQ(50, p->nMax);
    }
    EXPECT_EQ(2, c.interleave2of5.nMin);
    EXPECT_EQ(3, c.codabar.nMin);
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(SymbolBackendTest, DecodersTheDeviceHasEnabledAreNotAddedAgain)
{
    ASSERT_EQ(TRUE, m_pSession->SetConditions("decoders=59\n"));
    SymbolBackend backend;
    ASSERT_EQ(TRUE, backend.enableEAN13());
    ASSERT_EQ(TRUE, backend.enableEAN8());
    ASSERT_EQ(TRUE, backend.enableInterleave2of5(4, 60, 1));
    ASSERT_EQ(TRUE, backend.startScanning());

    EXPECT_EQ(3u, Calls("SCAN_GetDecoderList").size());
    std::vector<SimCall> lists = Calls("SCAN_SetDecoderList");
    ASSERT_EQ(1u, lists.size());
    EXPECT_STREQ("\"594\"", lists[0].Get("decoders"));
    // The enabled decoders keep their parameter calls all the same.
    std::vector<SimCall> params = Calls("SCAN_SetDecoderParams");
    ASSERT_EQ(2u, params.size());
    EXPECT_STREQ("\"4\"", params[0].Get("decoder"));
    EXPECT_STREQ("\"9\"", params[1].Get("decoder"));
    std::map<int, long long> words = Words(params[1]);
    EXPECT_EQ(4, words[12]);
    EXPECT_EQ(50, words[16]);
    EXPECT_EQ(1, words[24]);   // option 1
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(SymbolBackendTest, CodeOneTwentyEightCarriesTheGS1FlagAndItsOwnRange)
{
    SymbolBackend backend;
    ASSERT_EQ(TRUE, backend.enableEAN128(4, 40));
    ASSERT_EQ(TRUE, backend.startScanning());
    std::vector<SimCall> params = Calls("SCAN_SetDecoderParams");
    ASSERT_EQ(1u, params.size());
    EXPECT_STREQ("\"<\"", params[0].Get("decoder"));
    std::map<int, long long> words = Words(params[0]);
    // Code 128 itself is not enabled: its range words are its zeros.
    EXPECT_EQ(0, words[12]);
    EXPECT_EQ(0, words[16]);
    EXPECT_EQ(1, words[24]);
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(SymbolBackendTest, NothingEnabledTouchesNoDevice)
{
    SymbolBackend backend;
    EXPECT_EQ(FALSE, backend.startScanning());
    EXPECT_EQ(nullptr, backend.getBarcode());
    EXPECT_EQ(FALSE, backend.stopScanning());
    EXPECT_TRUE(CallNames().empty());
}

TEST_F(SymbolBackendTest, OneReadIsOutstandingAndEachLabelIsHandedOutOnce)
{
    SymbolBackend backend;
    ASSERT_EQ(TRUE, backend.enableAllBarcodeTypes());
    ASSERT_EQ(TRUE, backend.startScanning());
    EXPECT_EQ(nullptr, backend.getBarcode());

    ASSERT_EQ(TRUE, m_pSession->FeedLine("4006381333931"));
    const WCHAR* pszLabel = PollForLabel(backend);
    ASSERT_NE(nullptr, pszLabel);
    EXPECT_STREQ(L"4006381333931", pszLabel);
    // The second call for the same label finds nothing new.
    EXPECT_EQ(nullptr, backend.getBarcode());

    // Three at once (the last one empty): the terminal fills one read at a
    // time, in order.
    ASSERT_EQ(TRUE, m_pSession->FeedLine("ONE\nTWO\\x1dGS\n"));
    std::vector<std::wstring> labels;
    for (int i = 0; i < 3; i++) {
        pszLabel = PollForLabel(backend);
        ASSERT_NE(nullptr, pszLabel);
        labels.push_back(pszLabel);
    }
    std::vector<std::wstring> expected = { L"ONE", L"TWO\x1dGS", L"" };
    EXPECT_EQ(expected, labels);
    EXPECT_EQ(nullptr, backend.getBarcode());

    // A read is submitted at the start and after each label, never while
    // another is outstanding.
    std::vector<SimCall> reads = Calls("SCAN_SubmitRead");
    ASSERT_EQ(5u, reads.size());
    for (const SimCall& read : reads) {
        EXPECT_EQ(0, read.GetNumber("outstanding", -1));
        EXPECT_EQ(0, read.GetNumber("result", -1));
    }
    EXPECT_EQ(4u, Calls("*complete").size());
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(SymbolBackendTest, TheLabelIsFoundAtTheOffsetTheHeadNamesOrAt148)
{
    ASSERT_EQ(TRUE, m_pSession->SetConditions(FRESH_DEVICE "label-offset=300\n"));
    SymbolBackend backend;
    ASSERT_EQ(TRUE, backend.enableCode39(1, 99, 0));
    ASSERT_EQ(TRUE, backend.startScanning());
    ASSERT_EQ(TRUE, m_pSession->FeedLine("AT300"));
    const WCHAR* pszLabel = PollForLabel(backend);
    ASSERT_NE(nullptr, pszLabel);
    EXPECT_STREQ(L"AT300", pszLabel);

    // A head too short for the offset word: the text is at byte 148.
    ASSERT_EQ(TRUE, m_pSession->SetConditions(FRESH_DEVICE "label-offset=300\nhead-used=12\n"));
    ASSERT_EQ(TRUE, m_pSession->FeedLine("AT148"));
    pszLabel = PollForLabel(backend);
    ASSERT_NE(nullptr, pszLabel);
    EXPECT_STREQ(L"AT148", pszLabel);

    std::vector<SimCall> completions = Calls("*complete");
    ASSERT_EQ(2u, completions.size());
    EXPECT_EQ(300, completions[0].GetNumber("offset", -1));
    EXPECT_EQ(148, completions[1].GetNumber("offset", -1));
    EXPECT_EQ(12, completions[1].GetNumber("used", -1));
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(SymbolBackendTest, ALabelLongerThan99UnitsIsCut)
{
    SymbolBackend backend;
    ASSERT_EQ(TRUE, backend.enableCode128(1, 99));
    ASSERT_EQ(TRUE, backend.startScanning());
    std::string strLong(150, 'L');
    strLong[98] = 'E';
    ASSERT_EQ(TRUE, m_pSession->FeedLine(strLong));
    const WCHAR* pszLabel = PollForLabel(backend);
    ASSERT_NE(nullptr, pszLabel);
    std::wstring strLabel = pszLabel;
    EXPECT_EQ(99u, strLabel.size());
    EXPECT_EQ(L'E', strLabel[98]);
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(SymbolBackendTest, StopReleasesBufferThenDeviceAndASecondStopIsRefused)
{
    SymbolBackend backend;
    ASSERT_EQ(TRUE, backend.enableUPCA());
    ASSERT_EQ(TRUE, backend.startScanning());
    size_t nBeforeStop = CallNames().size();
    EXPECT_EQ(TRUE, backend.stopScanning());
    std::vector<std::string> names = CallNames();
    std::vector<std::string> tail(names.begin() + (ptrdiff_t)nBeforeStop, names.end());
    std::vector<std::string> expected = { "SCAN_FreeBuffer", "SCAN_CloseDevice" };
    EXPECT_EQ(expected, tail);
    // The outstanding read went with its buffer.
    std::vector<SimCall> drops = Calls("*drop");
    ASSERT_EQ(1u, drops.size());
    EXPECT_STREQ("buffer-freed", drops[0].Get("reason"));

    EXPECT_EQ(FALSE, backend.stopScanning());
    EXPECT_EQ(nullptr, backend.getBarcode());
    EXPECT_EQ(nBeforeStop + 2, CallNames().size());

    // Stopped, it can be configured and started again.
    EXPECT_EQ(TRUE, backend.enableEAN8());
    EXPECT_EQ(TRUE, backend.startScanning());
    EXPECT_EQ(TRUE, backend.stopScanning());
}

TEST_F(SymbolBackendTest, AFailedStartLeavesNothingOpen)
{
    struct Case
    {
        const char* pszConditions;
        std::vector<std::string> tail;
    } rgCases[] = {
        { "refuse=SCAN_OpenDevice\n", { "SCAN_OpenDevice" } },
        { "devices=SCN2:\n", { "SCAN_OpenDevice" } },
        { "refuse=SCAN_ReadyDevice\n", { "SCAN_OpenDevice", "SCAN_ReadyDevice", "SCAN_CloseDevice" } },
        { "refuse=SCAN_AllocBuffer\n", { "SCAN_AllocBuffer", "SCAN_CloseDevice" } },
        { "refuse=SCAN_SubmitRead\n", { "SCAN_SubmitRead", "SCAN_FreeBuffer", "SCAN_CloseDevice" } },
    };
    for (const Case& c : rgCases) {
        SCOPED_TRACE(c.pszConditions);
        ASSERT_EQ(TRUE, m_pSession->SetConditions(std::string(FRESH_DEVICE) + c.pszConditions));
        size_t nMark = CallNames().size();
        SymbolBackend backend;
        ASSERT_EQ(TRUE, backend.enableEAN13());
        EXPECT_EQ(FALSE, backend.startScanning());
        EXPECT_EQ(FALSE, backend.isStarted());
        EXPECT_EQ(nullptr, backend.getBarcode());
        EXPECT_EQ(FALSE, backend.stopScanning());
        std::vector<std::string> names = CallNames();
        ASSERT_GE(names.size(), nMark + c.tail.size());
        std::vector<std::string> tail(names.end() - (ptrdiff_t)c.tail.size(), names.end());
        EXPECT_EQ(c.tail, tail);

        // With the terminal well again, the same back-end starts.
        ASSERT_EQ(TRUE, m_pSession->SetConditions(FRESH_DEVICE));
        EXPECT_EQ(TRUE, backend.startScanning());
        EXPECT_EQ(TRUE, backend.stopScanning());
    }
}

}
