// Cutting a serial scanner's bytes into labels, with the time of each read
// given: terminators, the idle timeout, labels in pieces and several in one
// read, NUL bytes, the cut at the frame's buffer, the queue bound; and the
// settings check of "Serial.txt".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/serial/SerialFraming.h"
#include "modules/serial/SerialSettings.h"

namespace {

// One step: a read of these bytes at a time, or a look for a pause, or the
// port failing.
enum StepKind { READ, IDLE, FAIL };

struct Step
{
    StepKind kind;
    std::string strBytes;
    uint64_t nAtMs;
};

struct FramingCase
{
    const char* pszName;
    SerialTerminator terminator;
    DWORD dwIdleTimeoutMs;
    size_t cchMaxLabel;
    std::vector<Step> steps;
    std::vector<std::wstring> labels;
};

Step Read(const std::string& strBytes, uint64_t nAtMs = 0)
{
    return Step{ READ, strBytes, nAtMs };
}

Step Idle(uint64_t nAtMs)
{
    return Step{ IDLE, "", nAtMs };
}

const std::string kNul("\0", 1);

const FramingCase grgCases[] = {
    { "CR", SERIAL_TERMINATOR_CR, 0, 100, { Read("4006381333931\rB\n\r") }, { L"4006381333931", L"B\n" } },
    { "LF", SERIAL_TERMINATOR_LF, 0, 100, { Read("A\r\nB\n") }, { L"A\r", L"B" } },
    { "CRLF", SERIAL_TERMINATOR_CRLF, 0, 100, { Read("A\r\nB\rC\r\r\n") }, { L"A", L"B\rC\r" } },
    { "CRLF split between reads", SERIAL_TERMINATOR_CRLF, 0, 100, { Read("A\r"), Read("\nB\r"), Read("\n") },
      { L"A", L"B" } },
    { "Tab", SERIAL_TERMINATOR_TAB, 0, 100, { Read("A\tB\r\t") }, { L"A", L"B\r" } },
    { "None ends at a pause only", SERIAL_TERMINATOR_NONE, 50, 100,
      { Read("AB\r", 0), Read("C", 40), Idle(89), Read("D", 100), Idle(149), Idle(150), Read("E", 160), Idle(300) },
      { L"AB\rCD", L"E" } },
    { "a pause also ends a label before its terminator", SERIAL_TERMINATOR_CR, 50, 100,
      { Read("40063", 0), Read("81333931\r", 100), Read("AB", 100), Idle(200), Read("\r", 210) },
      { L"4006381333931", L"AB" } },
    { "idle timeout 0: only the terminator", SERIAL_TERMINATOR_CR, 0, 100,
      { Read("AB", 0), Idle(1000000), Read("C\r", 1000001) }, { L"ABC" } },
    { "a CR waiting for its LF ends with the pause", SERIAL_TERMINATOR_CRLF, 50, 100,
      { Read("A\r", 0), Idle(60) }, { L"A" } },
    { "several labels in one read, the last in pieces", SERIAL_TERMINATOR_CR, 0, 100,
      { Read("A\rB\rC"), Read("D"), Read("E\r") }, { L"A", L"B", L"CDE" } },
    { "NUL bytes dropped, empty labels none", SERIAL_TERMINATOR_CR, 0, 100,
      { Read("A" + kNul + "B\r" + kNul + kNul + "\r\r") }, { L"AB" } },
    { "bytes are the characters of the same value", SERIAL_TERMINATOR_CR, 0, 100,
      { Read("\x1d\xe9\xff\x7f\r") }, { L"\x1d\xe9\xff\x7f" } },
    { "cut at the longest label, never split", SERIAL_TERMINATOR_CR, 0, 4,
      { Read("ABCDEF"), Read("GH\rIJKL\rM\r") }, { L"ABCD", L"IJKL", L"M" } },
    { "cut with CRLF keeps the terminator whole", SERIAL_TERMINATOR_CRLF, 0, 2,
      { Read("AB\rC\r\nD\r\n") }, { L"AB", L"D" } },
    { "a failed port drops the label in progress", SERIAL_TERMINATOR_CR, 0, 100,
      { Read("A\rPAR"), Step{ FAIL, "", 0 }, Read("C\r") }, { L"A", L"C" } },
};

class Framing : public ::testing::TestWithParam<FramingCase>
{
};

TEST_P(Framing, GivesTheLabelsInOrder)
{
    const FramingCase& c = GetParam();
    SerialFramer framer(c.terminator, c.dwIdleTimeoutMs, c.cchMaxLabel);
    for (const Step& step : c.steps) {
        switch (step.kind) {
        case READ:
            framer.feed(reinterpret_cast<const BYTE*>(step.strBytes.data()), step.strBytes.size(), step.nAtMs);
            break;
        case IDLE:
            framer.endIdleLabel(step.nAtMs);
            break;
        case FAIL:
            framer.dropPartialLabel();
            break;
        }
    }
    std::vector<std::wstring> labels;
    std::wstring strLabel;
    while (TRUE == framer.takeLabel(&strLabel)) {
        labels.push_back(strLabel);
    }
    EXPECT_EQ(c.labels, labels);
    EXPECT_EQ(0u, framer.getDropped());
}

INSTANTIATE_TEST_SUITE_P(Cases, Framing, ::testing::ValuesIn(grgCases),
                         [](const ::testing::TestParamInfo<FramingCase>& caseInfo) {
                             std::string strName;
                             for (const char* p = caseInfo.param.pszName; *p; p++) {
                                 strName += isalnum((unsigned char)*p) ? *p : '_';
                             }
                             return strName;
                         });

TEST(FramingQueue, BeyondTheBoundNewLabelsAreDroppedAndCountedInOrder)
{
    SerialFramer framer(SERIAL_TERMINATOR_CR, 50, 100);
    std::string strBatch;
    for (int i = 0; i < SERIAL_QUEUE_LIMIT + 5; i++) {
        strBatch += std::to_string(i) + "\r";
    }
    framer.feed(reinterpret_cast<const BYTE*>(strBatch.data()), strBatch.size(), 0);
    EXPECT_EQ((size_t)SERIAL_QUEUE_LIMIT, framer.getWaiting());
    EXPECT_EQ(5u, framer.getDropped());

    // Room again once labels are taken: a new one goes behind the others.
    std::wstring strLabel;
    ASSERT_EQ(TRUE, framer.takeLabel(&strLabel));
    EXPECT_EQ(L"0", strLabel);
    framer.feed(reinterpret_cast<const BYTE*>("new\r"), 4, 1);
    size_t nTaken = 1;
    std::wstring strPrevious;
    while (TRUE == framer.takeLabel(&strLabel)) {
        strPrevious = strLabel;
        nTaken++;
    }
    EXPECT_EQ((size_t)SERIAL_QUEUE_LIMIT + 1, nTaken);
    EXPECT_EQ(L"new", strPrevious);
    EXPECT_EQ(5u, framer.getDropped());
}

// ---- Serial.txt ---------------------------------------------------------

struct SettingsCase
{
    std::vector<std::pair<const WCHAR*, const WCHAR*>> values;  // over the defaults
    const WCHAR* pszBadKey;                                      // NULL: accepted
};

const SettingsCase grgSettingsCases[] = {
    { { { L"Port", L"com256" }, { L"Parity", L"even" }, { L"FlowControl", L"RTSCTS" } }, NULL },
    { { { L"Port", L"COM257" } }, L"Port" },
    { { { L"Port", L"COM0" } }, L"Port" },
    { { { L"Port", L"COM05" } }, L"Port" },
    { { { L"Port", L" COM5" } }, L"Port" },
    { { { L"Port", L"LPT1" }, { L"BaudRate", L"0" } }, L"Port" },  // the first bad key is told
    { { { L"BaudRate", L"0" } }, L"BaudRate" },
    { { { L"BaudRate", L"-9600" } }, L"BaudRate" },
    { { { L"BaudRate", L"4294967296" } }, L"BaudRate" },
    { { { L"BaudRate", L"" } }, L"BaudRate" },
    { { { L"DataBits", L"6" } }, L"DataBits" },
    { { { L"Parity", L"Evn" } }, L"Parity" },
    { { { L"StopBits", L"1.5" } }, L"StopBits" },
    { { { L"FlowControl", L"Hardware" } }, L"FlowControl" },
    { { { L"Terminator", L"CR LF" } }, L"Terminator" },
    { { { L"IdleTimeout", L"0" } }, NULL },
    { { { L"Terminator", L"none" }, { L"IdleTimeout", L"0" } }, L"IdleTimeout" },
    { { { L"IdleTimeout", L"50ms" } }, L"IdleTimeout" },
};

class SettingsCheck : public ::testing::TestWithParam<SettingsCase>
{
};

// The module's table of defaults, entered as the module enters it.
void SetDefaults(Settings* pSettings)
{
    for (size_t i = 0; i < gcSerialDefaults; i++) {
        pSettings->Set(grgSerialDefaults[i].pszName, grgSerialDefaults[i].pszValue);
    }
}

TEST_P(SettingsCheck, RefusesTheFirstValueOutsideItsList)
{
    Settings settings(L".");
    SetDefaults(&settings);
    for (const auto& value : GetParam().values) {
        settings.Set(value.first, value.second);
    }
    SerialConfig config = SerialConfig();
    const WCHAR* pszBadKey = L"(unset)";
    BOOL fAccepted = ParseSerialSettings(&settings, &config, &pszBadKey);
    if (NULL == GetParam().pszBadKey) {
        EXPECT_EQ(TRUE, fAccepted);
        EXPECT_EQ(nullptr, pszBadKey);
    } else {
        EXPECT_EQ(FALSE, fAccepted);
        ASSERT_NE(nullptr, pszBadKey);
        EXPECT_EQ(std::wstring(GetParam().pszBadKey), pszBadKey);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsCheck, ::testing::ValuesIn(grgSettingsCases));

void ExpectConfig(const SerialConfig& expected, const SerialConfig& actual)
{
    EXPECT_EQ(expected.nPort, actual.nPort);
    EXPECT_EQ(expected.dwBaudRate, actual.dwBaudRate);
    EXPECT_EQ(expected.nDataBits, actual.nDataBits);
    EXPECT_EQ(expected.parity, actual.parity);
    EXPECT_EQ(expected.nStopBits, actual.nStopBits);
    EXPECT_EQ(expected.flowControl, actual.flowControl);
    EXPECT_EQ(expected.terminator, actual.terminator);
    EXPECT_EQ(expected.dwIdleTimeoutMs, actual.dwIdleTimeoutMs);
}

TEST(SettingsCheck, DefaultsAndValuesInAnyCase)
{
    Settings settings(L".");
    SetDefaults(&settings);
    SerialConfig config = SerialConfig();
    const WCHAR* pszBadKey = NULL;
    ASSERT_EQ(TRUE, ParseSerialSettings(&settings, &config, &pszBadKey));
    ExpectConfig({ 1, 9600, 8, SERIAL_PARITY_NONE, 1, SERIAL_FLOW_NONE, SERIAL_TERMINATOR_CR, 50 }, config);

    settings.Set(L"port", L"cOm42");
    settings.Set(L"BAUDRATE", L"115200");
    settings.Set(L"DataBits", L"7");
    settings.Set(L"Parity", L"SPACE");
    settings.Set(L"StopBits", L"2");
    settings.Set(L"FlowControl", L"xonxoff");
    settings.Set(L"Terminator", L"tab");
    settings.Set(L"IdleTimeout", L"99999999999999999999999");
    ASSERT_EQ(TRUE, ParseSerialSettings(&settings, &config, &pszBadKey));
    // The idle timeout is bounded, so that no setting makes a label wait for ever.
    ExpectConfig({ 42, 115200, 7, SERIAL_PARITY_SPACE, 2, SERIAL_FLOW_XON_XOFF, SERIAL_TERMINATOR_TAB,
                   SERIAL_MAX_IDLE_TIMEOUT },
                 config);
}

// The shipped "Serial.txt" names every key with the default the module enters
// before it reads the file: a user sees each setting and what it is.
TEST(SettingsCheck, ShippedFileHoldsEveryKeyWithItsDefault)
{
    Settings defaults(L".");
    SetDefaults(&defaults);
    Settings shipped(TVX_DIST_FOLDER);
    ASSERT_EQ(TRUE, shipped.Read(SERIAL_SETTINGS_FILE));
    EXPECT_EQ(defaults.GetCount(), shipped.GetCount());
    for (int i = 0; i < defaults.GetCount(); i++) {
        const WCHAR* pszName = defaults.GetName(i);
        const WCHAR* pszShipped = shipped.Get(pszName);
        EXPECT_EQ(std::wstring(defaults.Get(pszName)),
                  std::wstring(NULL == pszShipped ? L"(missing)" : pszShipped))
            << i;
    }
}

}  // namespace
