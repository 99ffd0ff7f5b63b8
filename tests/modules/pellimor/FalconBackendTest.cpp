// The Falcon back-end in the test process over the stand-in DECODER.dll: the
// order and values of its library calls, read from the call log, and what
// getBarcode hands out. A message-only window stands in for the module
// window and routes message 1025 to onScannerMessage; the test itself plays
// the poll tick by calling getBarcode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/pellimor/FalconBackend.h"
#include "support/BackendTestKit.h"

namespace {

// Keys whose values change from run to run or are checked elsewhere.
const char* const grgpszVarying[] = { "hwnd", "request", "line", "words", "dropped", "length", NULL };

#define WAIT_MS 5000

// The triggers' types as the terminal reports them in every test here, so
// that "given back" can be told apart from "switched off".
#define BASE_CONDITIONS "trigger1=0x11\ntrigger2=0x22\npace=0\n"

::testing::Environment* const gpKitEnvironment =
    ::testing::AddGlobalTestEnvironment(new BackendKitEnvironment());

class FalconBackendTest : public WindowBackendTestFixture<FalconBackend>
{
protected:
    FalconBackendTest()
        : WindowBackendTestFixture<FalconBackend>(BASE_CONDITIONS, FALCON_DEVICE_MESSAGE, grgpszVarying)
    {
    }

    // Feeds the lines and waits until the back-end has read them all (the
    // reads run in this thread, when the window gets message 1025).
    void FeedAndRead(const std::vector<std::string>& lines)
    {
        size_t nReads = BackendTestKit::CallsSince(m_nMark, "DcdReadString").size();
        for (const std::string& strLine : lines) {
            ASSERT_EQ(TRUE, m_pSession->FeedLine(strLine));
        }
        ULONGLONG ullStart = GetTickCount64();
        while (BackendTestKit::CallsSince(m_nMark, "DcdReadString").size() < nReads + lines.size()) {
            ASSERT_LT(GetTickCount64() - ullStart, (ULONGLONG)WAIT_MS) << "the labels were not read";
            PumpWait(NULL, 10);
        }
    }
};

// ---- finding and opening the device ----

struct DeviceCase
{
    const char* pszName;
    const char* pszWords;
    // The device opened, as the log names it; NULL: none.
    const char* pszDevice;
};

class FalconDeviceTest : public FalconBackendTest, public ::testing::WithParamInterface<DeviceCase> {};

TEST_P(FalconDeviceTest, OpensTheFirstDeviceWithBit0Or1)
{
    const DeviceCase& c = GetParam();
    Make(std::string(BASE_CONDITIONS) + c.pszWords);
    std::vector<SimCall> posts = BackendTestKit::CallsSince(m_nMark, "DcdPostRequestMsg");
    if (NULL == c.pszDevice) {
        EXPECT_TRUE(posts.empty());
        EXPECT_EQ(0, m_pBackend->startScanning());
        return;
    }
    ASSERT_EQ(1u, posts.size());
    EXPECT_EQ(std::string("\"") + c.pszDevice + "\"", posts[0].Get("device"));
    EXPECT_EQ((long long)(UINT_PTR)m_pWindow->GetHandle(), posts[0].GetNumber("hwnd", 0));
    EXPECT_EQ(0x101, posts[0].GetNumber("type", 0));
    EXPECT_EQ(1025, posts[0].GetNumber("msg", 0));
    EXPECT_EQ(1, m_pBackend->startScanning());
}

// The stand-in makes a device file for every non-zero word, so a device that
// is wrongly counted would be opened and named in the log.
INSTANTIATE_TEST_SUITE_P(
    Words, FalconDeviceTest,
    ::testing::Values(
        DeviceCase{ "Devices1And3", "device1=1\ndevice3=1\n", "DCD1:" },
        DeviceCase{ "Only3", "device1=0\ndevice3=1\n", "DCD3:" },
        DeviceCase{ "Bit1Only", "device1=0\ndevice2=2\n", "DCD2:" },
        DeviceCase{ "HigherBitsDoNotCount", "device1=0x4\ndevice2=0xfc\ndevice5=0x3\n", "DCD5:" },
        DeviceCase{ "OnlyTheNinth", "device1=0\ndevice9=1\n", "DCD9:" },
        DeviceCase{ "NoWordWithBit0Or1",
                    "device1=4\ndevice2=8\ndevice3=0x10\ndevice4=0x20\ndevice5=0x40\n"
                    "device6=0x80\ndevice7=0x100\ndevice8=0xfffffffc\ndevice9=0x80000000\n",
                    NULL },
        DeviceCase{ "EnumerationFails", "refuse=DcdEnumDevices\n", NULL },
        DeviceCase{ "DeviceCannotBeOpened", "device1=1\nnofile=1\n", NULL }),
    [](const ::testing::TestParamInfo<DeviceCase>& paramInfo) { return std::string(paramInfo.param.pszName); });

TEST_F(FalconBackendTest, ConstructionReadsTheTriggersThenOpens)
{
    Make(BASE_CONDITIONS);
    std::vector<std::string> expected = {
        "DcdGetTriggerType trigger=0x10000 result=0x11",
        "DcdGetTriggerType trigger=0x20000 result=0x22",
        "DcdEnumDevices result=1",
    };
    std::vector<std::string> calls = Calls();
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ(expected, std::vector<std::string>(calls.begin(), calls.begin() + 3));
    // The request identifier is the library's to choose.
    EXPECT_EQ(0u, calls[3].find("DcdPostRequestMsg device=\"DCD1:\" type=0x101 msg=1025 result="));
    EXPECT_NE(0, BackendTestKit::CallsSince(m_nMark, "DcdPostRequestMsg")[0].GetNumber("result", 0));
}

// ---- the trigger switching and the order of destruction ----

TEST_F(FalconBackendTest, StartStopAndDestructionInOrder)
{
    Make(BASE_CONDITIONS);
    m_nMark = BackendTestKit::Mark();
    EXPECT_EQ(1, m_pBackend->startScanning());
    EXPECT_EQ(0, m_pBackend->startScanning());
    EXPECT_EQ(1, m_pBackend->stopScanning());
    EXPECT_EQ(0, m_pBackend->stopScanning());
    m_pBackend.reset();
    std::vector<std::string> expected = {
        // start: the saved types switch the triggers on; the second start does nothing
        "DcdSetTriggerType trigger=0x10000 type=0x11 result=1",
        "DcdSetTriggerType trigger=0x20000 type=0x22 result=1",
        "DcdFlushData device=\"DCD1:\" result=1",
        // stop: off; the second stop does nothing
        "DcdSetTriggerType trigger=0x10000 type=0x0 result=1",
        "DcdSetTriggerType trigger=0x20000 type=0x0 result=1",
        // destruction: the request and device go before the triggers get their types back
        "DcdCancelRequest device=\"DCD1:\" result=1",
        "DcdSetTriggerType trigger=0x10000 type=0x11 result=1",
        "DcdSetTriggerType trigger=0x20000 type=0x22 result=1",
    };
    EXPECT_EQ(expected, Calls());
}

TEST_F(FalconBackendTest, DestructionWhileScanningStopsFirst)
{
    Make(BASE_CONDITIONS);
    EXPECT_EQ(1, m_pBackend->startScanning());
    m_nMark = BackendTestKit::Mark();
    m_pBackend.reset();
    std::vector<std::string> expected = {
        "DcdSetTriggerType trigger=0x10000 type=0x0 result=1",
        "DcdSetTriggerType trigger=0x20000 type=0x0 result=1",
        "DcdCancelRequest device=\"DCD1:\" result=1",
        "DcdSetTriggerType trigger=0x10000 type=0x11 result=1",
        "DcdSetTriggerType trigger=0x20000 type=0x22 result=1",
    };
    EXPECT_EQ(expected, Calls());
}

TEST_F(FalconBackendTest, DestroyingANeverStartedBackendGivesTheTriggersBack)
{
    Make(BASE_CONDITIONS);
    m_nMark = BackendTestKit::Mark();
    m_pBackend.reset();
    std::vector<std::string> expected = {
        "DcdCancelRequest device=\"DCD1:\" result=1",
        "DcdSetTriggerType trigger=0x10000 type=0x11 result=1",
        "DcdSetTriggerType trigger=0x20000 type=0x22 result=1",
    };
    EXPECT_EQ(expected, Calls());
}

TEST_F(FalconBackendTest, WithoutADeviceOnlyTheTriggersAreGivenBack)
{
    Make(std::string(BASE_CONDITIONS) + "device1=0\n");
    EXPECT_EQ(0, m_pBackend->startScanning());
    EXPECT_EQ(0, m_pBackend->stopScanning());
    EXPECT_EQ(nullptr, m_pBackend->getBarcode());
    m_nMark = BackendTestKit::Mark();
    m_pBackend.reset();
    std::vector<std::string> expected = {
        "DcdSetTriggerType trigger=0x10000 type=0x11 result=1",
        "DcdSetTriggerType trigger=0x20000 type=0x22 result=1",
    };
    EXPECT_EQ(expected, Calls());
}

TEST_F(FalconBackendTest, TheDeviceIsClosedWithTheBackend)
{
    Make(BASE_CONDITIONS);
    // Opened without sharing: nobody else can open it while the back-end lives.
    HANDLE hOther = CreateFileW(L"DCD1:", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hOther);
    if (INVALID_HANDLE_VALUE != hOther) {
        CloseHandle(hOther);
    }
    m_pBackend.reset();
    hOther = CreateFileW(L"DCD1:", GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_NE(INVALID_HANDLE_VALUE, hOther);
    if (INVALID_HANDLE_VALUE != hOther) {
        CloseHandle(hOther);
    }
}

// ---- labels ----

struct LabelCase
{
    const char* pszName;
    // As written in the feed (escapes resolved by the stand-in).
    const char* pszFeedLine;
    const WCHAR* pszDelivered;
};

class FalconLabelTest : public FalconBackendTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(FalconLabelTest, IsDeliveredOnceWithoutTrailingLineEnds)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(1, m_pBackend->startScanning());
    EXPECT_EQ(L"(null)", Fetch());
    FeedAndRead({ GetParam().pszFeedLine });
    EXPECT_EQ(std::wstring(GetParam().pszDelivered), Fetch());
    EXPECT_EQ(L"(null)", Fetch());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FalconLabelTest,
    ::testing::Values(
        LabelCase{ "Plain", "4006381333931", L"4006381333931" },
        LabelCase{ "CrLf", "4006381333931\\r\\n", L"4006381333931" },
        LabelCase{ "LoneLineFeed", "\\n", L"" },
        LabelCase{ "OnlyLineEnds", "\\r\\n\\r\\n", L"" },
        LabelCase{ "InnerLineEndsStay", "A\\r\\nB\\n", L"A\r\nB" },
        LabelCase{ "Gs1WithGroupSeparator", "0101234567890128\\x1d10ABC\\r", L"0101234567890128\x1d" L"10ABC" },
        LabelCase{ "Empty", "", L"" },
        LabelCase{ "Latin1", "Gr\\xfc\\xdfe", L"Gr\u00fc\u00dfe" }),
    [](const ::testing::TestParamInfo<LabelCase>& paramInfo) { return std::string(paramInfo.param.pszName); });

TEST_F(FalconBackendTest, TwoLabelsBeforeATickDeliverOnlyTheSecond)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(1, m_pBackend->startScanning());
    FeedAndRead({ "FIRST", "SECOND" });
    EXPECT_EQ(L"SECOND", Fetch());
    EXPECT_EQ(L"(null)", Fetch());
}

TEST_F(FalconBackendTest, ALabelReadBeforeTheStartIsNotDelivered)
{
    Make(BASE_CONDITIONS);
    FeedAndRead({ "EARLY" });
    ASSERT_EQ(1, m_pBackend->startScanning());
    EXPECT_EQ(L"(null)", Fetch());
    FeedAndRead({ "LATER" });
    EXPECT_EQ(L"LATER", Fetch());
}

TEST_F(FalconBackendTest, AFailedReadChangesNothing)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(1, m_pBackend->startScanning());
    FeedAndRead({ "KEPT" });
    FeedAndRead({ "{fail}LOST" });
    // The failed read neither replaced the waiting label nor announced a new one.
    EXPECT_EQ(L"KEPT", Fetch());
    EXPECT_EQ(L"(null)", Fetch());
    FeedAndRead({ "{fail}LOST" });
    EXPECT_EQ(L"(null)", Fetch());
}

TEST_F(FalconBackendTest, TheReadIsToldTheBufferCapacity)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(1, m_pBackend->startScanning());
    FeedAndRead({ "X" });
    std::vector<SimCall> reads = BackendTestKit::CallsSince(m_nMark, "DcdReadString");
    ASSERT_EQ(1u, reads.size());
    EXPECT_EQ(100, reads[0].GetNumber("capacity", 0));
    EXPECT_STREQ("\"DCD1:\"", reads[0].Get("device"));
    std::vector<SimCall> posts = BackendTestKit::CallsSince(m_nMark, "DcdPostRequestMsg");
    ASSERT_EQ(1u, posts.size());
    // The read names the request the open left with the library.
    EXPECT_EQ(posts[0].GetNumber("result", -1), reads[0].GetNumber("request", -2));
    EXPECT_EQ(L"X", Fetch());
}

TEST_F(FalconBackendTest, AReadThatFillsTheWholeBufferStaysWithinIt)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(1, m_pBackend->startScanning());
    // The library fills all 100 units and leaves out the terminator.
    FeedAndRead({ "{fill}" + std::string(120, '7') });
    EXPECT_EQ(std::wstring(99, L'7'), Fetch());
    // A long label the library cuts itself.
    FeedAndRead({ std::string(150, '8') });
    EXPECT_EQ(std::wstring(99, L'8'), Fetch());
}

}
