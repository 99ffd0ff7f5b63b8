// The event sequence that typing produces, through the recording sink.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "keyboard/KeyRecorder.h"
#include "keyboard/KeyTranslator.h"
#include "keyboard/TypeText.h"

namespace {

typedef std::vector<std::string> Lines;

// Types with a recorder and gives the printed lines; the timer-resolution
// calls appear as "timer-begin" and "timer-end".
Lines Type(int nLayout, const char* pszText, DWORD nDelay, BOOL fUnicode, BOOL fCapsLock = FALSE,
           BOOL* pfCapsLockAfter = NULL)
{
    gpKeyTranslatorMap = new KeyTranslatorMap(nLayout);
    RecordingKeySink sink;
    sink.setCapsLock(fCapsLock);
    TypeText(&sink, pszText, nDelay, fUnicode);
    delete gpKeyTranslatorMap;
    gpKeyTranslatorMap = NULL;

    if (NULL != pfCapsLockAfter) {
        *pfCapsLockAfter = sink.isCapsLockOn();
    }
    Lines lines;
    for (const KeyEvent& event : sink.getEvents()) {
        if (KEYEVENT_TIMER_BEGIN == event.nKind) {
            lines.push_back("timer-begin");
        } else if (KEYEVENT_TIMER_END == event.nKind) {
            lines.push_back("timer-end");
        } else {
            lines.push_back(FormatKeyEvent(event));
        }
    }
    return lines;
}

// The lines between the timer calls, which must bracket every text.
Lines Events(int nLayout, const char* pszText, DWORD nDelay, BOOL fUnicode, BOOL fCapsLock = FALSE,
             BOOL* pfCapsLockAfter = NULL)
{
    Lines lines = Type(nLayout, pszText, nDelay, fUnicode, fCapsLock, pfCapsLockAfter);
    if (lines.size() < 2 || "timer-begin" != lines.front() || "timer-end" != lines.back()) {
        ADD_FAILURE() << "the timer resolution is not raised around the text";
        return lines;
    }
    return Lines(lines.begin() + 1, lines.end() - 1);
}

// Each key event followed by the pause.
Lines Keys(std::initializer_list<const char*> keys, const char* pszPause = "pause 1")
{
    Lines lines;
    for (const char* pszKey : keys) {
        lines.push_back(pszKey);
        lines.push_back(pszPause);
    }
    return lines;
}

Lines Join(std::initializer_list<Lines> parts)
{
    Lines lines;
    for (const Lines& part : parts) {
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

TEST(TypeText, EmptyTextDoesNothingAtAll)
{
    EXPECT_EQ(Lines(), Type(LAYOUT_US, "", 1, TRUE));
    EXPECT_EQ(Lines(), Type(LAYOUT_US, "", 1, FALSE, TRUE));
}

TEST(TypeText, UnicodeCharactersAreReleasedThenPaused)
{
    EXPECT_EQ(Lines({ "unicode-down 0041", "unicode-up 0041", "pause 1", "unicode-down 0031",
                      "unicode-up 0031", "pause 1" }),
              Events(LAYOUT_US, "A1", 1, TRUE));
    // Every printable ASCII character, on any layout.
    std::string strText;
    Lines expected;
    for (int ch = 0x20; ch <= 0x7E; ch++) {
        strText += (char)ch;
        char szLine[32];
        snprintf(szLine, sizeof(szLine), "unicode-down %04X", ch);
        expected.push_back(szLine);
        snprintf(szLine, sizeof(szLine), "unicode-up %04X", ch);
        expected.push_back(szLine);
        expected.push_back("pause 0");
    }
    for (int nLayout : { LAYOUT_US, LAYOUT_SWEDISH, LAYOUT_BELGIAN }) {
        EXPECT_EQ(expected, Events(nLayout, strText.c_str(), 0, TRUE));
    }
}

struct SequenceCase
{
    const char* pszName;
    int nLayout;
    const char* pszText;
    BOOL fUnicode;
    Lines expected;
};

class Sequence : public ::testing::TestWithParam<SequenceCase>
{
};

TEST_P(Sequence, IsExactlyTheKeysOfTheLayout)
{
    const SequenceCase& c = GetParam();
    EXPECT_EQ(c.expected, Events(c.nLayout, c.pszText, 1, c.fUnicode));
}

const Lines kShiftA = Keys({ "key-down 10 2A", "key-down 41 1E", "key-up 41 1E", "key-up 10 2A" });
const Lines kEnter = Keys({ "key-down 0D 1C", "key-up 0D 1C" });
const Lines kSpace = Keys({ "key-down 20 39", "key-up 20 39" });

INSTANTIATE_TEST_SUITE_P(
    Cases, Sequence,
    ::testing::Values(
        SequenceCase{ "ShiftedLetterInRdpMode", LAYOUT_US, "A", FALSE, kShiftA },
        SequenceCase{ "EnterInUnicodeMode", LAYOUT_US, "\r", TRUE, kEnter },
        SequenceCase{ "EnterInRdpMode", LAYOUT_US, "\r", FALSE, kEnter },
        SequenceCase{ "TabInUnicodeMode", LAYOUT_US, "\t", TRUE,
                      Keys({ "key-down 09 0F", "key-up 09 0F" }) },
        SequenceCase{ "UsSemicolonScanCode", LAYOUT_US, ";", FALSE,
                      Keys({ "key-down BA 27", "key-up BA 27" }) },
        SequenceCase{ "SwedishAtUsesAltGr", LAYOUT_SWEDISH, "@", FALSE,
                      Keys({ "key-down 11 1D", "key-down A5 38 ext", "key-down 32 03",
                             "key-up 32 03", "key-up A5 38 ext", "key-up 11 1D" }) },
        SequenceCase{ "SwedishGraveIsDeadAndSpaced", LAYOUT_SWEDISH, "`", FALSE,
                      Join({ Keys({ "key-down 10 2A", "key-down DB 0D", "key-up DB 0D",
                                    "key-up 10 2A" }),
                             kSpace }) },
        SequenceCase{ "SwedishTildeIsAltGrDead", LAYOUT_SWEDISH, "~", FALSE,
                      Join({ Keys({ "key-down 11 1D", "key-down A5 38 ext", "key-down BA 1B",
                                    "key-up BA 1B", "key-up A5 38 ext", "key-up 11 1D" }),
                             kSpace }) },
        SequenceCase{ "SwedishPlusIsItsOwnKey", LAYOUT_SWEDISH, "+", FALSE,
                      Keys({ "key-down BB 0C", "key-up BB 0C" }) },
        SequenceCase{ "SwedishRingAIsAKeyEvenInUnicodeMode", LAYOUT_SWEDISH, "\xE5", TRUE,
                      Keys({ "key-down DD 1A", "key-up DD 1A" }) },
        SequenceCase{ "BelgianAtUsesAltGr", LAYOUT_BELGIAN, "@", FALSE,
                      Keys({ "key-down 11 1D", "key-down A5 38 ext", "key-down 32 03",
                             "key-up 32 03", "key-up A5 38 ext", "key-up 11 1D" }) },
        SequenceCase{ "BelgianDigitNeedsShift", LAYOUT_BELGIAN, "1", FALSE,
                      Keys({ "key-down 10 2A", "key-down 31 02", "key-up 31 02",
                             "key-up 10 2A" }) },
        SequenceCase{ "BelgianAOnItsAzertyScanCode", LAYOUT_BELGIAN, "a", FALSE,
                      Keys({ "key-down 41 10", "key-up 41 10" }) },
        SequenceCase{ "GsOnUs", LAYOUT_US, "\x1D", TRUE,
                      Keys({ "key-down 10 2A", "key-down 36 07", "key-up 36 07",
                             "key-up 10 2A" }) },
        SequenceCase{ "GsOnSwedish", LAYOUT_SWEDISH, "\x1D", TRUE,
                      Join({ Keys({ "key-down 10 2A", "key-down BA 1B", "key-up BA 1B",
                                    "key-up 10 2A" }),
                             kSpace }) },
        SequenceCase{ "GsOnBelgian", LAYOUT_BELGIAN, "\x1D", TRUE,
                      Keys({ "key-down 11 1D", "key-down A5 38 ext", "key-down 36 07",
                             "key-up 36 07", "key-up A5 38 ext", "key-up 11 1D" }) },
        SequenceCase{ "LeftArrowIsExtendedInUnicodeMode", LAYOUT_US, "\x84", TRUE,
                      Keys({ "key-down 25 4B ext", "key-up 25 4B ext" }) },
        SequenceCase{ "LeftArrowIsExtendedInRdpMode", LAYOUT_SWEDISH, "\x84", FALSE,
                      Keys({ "key-down 25 4B ext", "key-up 25 4B ext" }) },
        SequenceCase{ "KeypadDigitIsNotExtended", LAYOUT_US, "\x92", FALSE,
                      Keys({ "key-down 60 52", "key-up 60 52" }) },
        SequenceCase{ "KeypadEnterIsExtended", LAYOUT_US, "\xBC", FALSE,
                      Keys({ "key-down 0D 1C ext", "key-up 0D 1C ext" }) },
        SequenceCase{ "PrintScreen", LAYOUT_BELGIAN, "\x8B", FALSE,
                      Keys({ "key-down 2C 37 ext", "key-up 2C 37 ext" }) },
        SequenceCase{ "ControlK", LAYOUT_US, "\xFE", TRUE,
                      Keys({ "key-down 11 1D", "key-down 4B 25", "key-up 4B 25",
                             "key-up 11 1D" }) },
        SequenceCase{ "F5", LAYOUT_US, "\xA6", TRUE, Keys({ "key-down 74 3F", "key-up 74 3F" }) },
        SequenceCase{ "ControlRightWindowsKeyIsExtended", LAYOUT_BELGIAN, "\xFD", FALSE,
                      Keys({ "key-down 11 1D", "key-down 5C 5C ext", "key-up 5C 5C ext",
                             "key-up 11 1D" }) },
        SequenceCase{ "BreakAndNumLockAreExtended", LAYOUT_SWEDISH, "\x03\xBA", TRUE,
                      Keys({ "key-down 03 46 ext", "key-up 03 46 ext", "key-down 90 45 ext",
                             "key-up 90 45 ext" }) },
        SequenceCase{ "LineFeedIsAFixedPause", LAYOUT_US, "1\n2", TRUE,
                      Lines({ "unicode-down 0031", "unicode-up 0031", "pause 1", "pause 100",
                              "unicode-down 0032", "unicode-up 0032", "pause 1" }) },
        SequenceCase{ "BytesWithoutARowAreDropped", LAYOUT_US, "\x07\x1C\x05", TRUE, Lines() },
        SequenceCase{ "LatinLettersWithoutAKeyGoAsUnicode", LAYOUT_US, "\xE5\xFF\xBD", TRUE,
                      Lines({ "unicode-down 00E5", "unicode-up 00E5", "pause 1",
                              "unicode-down 00FF", "unicode-up 00FF", "pause 1",
                              "unicode-down 00BD", "unicode-up 00BD", "pause 1" }) },
        SequenceCase{ "LatinLettersWithoutAKeyAreDroppedInRdpMode", LAYOUT_BELGIAN,
                      "\xE4\xE9\xFF", FALSE, Lines() }),
    [](const ::testing::TestParamInfo<SequenceCase>& paramInfo) {
        return std::string(paramInfo.param.pszName);
    });

TEST(TypeText, PausesFollowTheDelayUpToTheBound)
{
    struct Case
    {
        DWORD nDelay;
        const char* pszPause;
    } const cases[] = { { 0, "pause 0" }, { 7, "pause 7" }, { 1000, "pause 1000" },
                        { 1001, "pause 1000" }, { 0xFFFFFFFF, "pause 1000" } };
    for (const Case& c : cases) {
        EXPECT_EQ(Keys({ "key-down 10 2A", "key-down 41 1E", "key-up 41 1E", "key-up 10 2A" },
                       c.pszPause),
                  Events(LAYOUT_US, "A", c.nDelay, FALSE));
        // The line feed's pause does not follow the delay.
        EXPECT_EQ(Lines({ "pause 100" }), Events(LAYOUT_US, "\n", c.nDelay, FALSE));
    }
}

TEST(TypeText, CapsLockIsOffForKeyStrokesAndRestored)
{
    const Lines kCaps = Keys({ "key-down 14 3A", "key-up 14 3A" });
    const Lines kLowerA = Keys({ "key-down 41 1E", "key-up 41 1E" });
    BOOL fAfter = FALSE;

    // On: switched off before the first key stroke, on again after the last.
    EXPECT_EQ(Join({ kCaps, kLowerA, kShiftA, kCaps }),
              Events(LAYOUT_US, "aA", 1, FALSE, TRUE, &fAfter));
    EXPECT_EQ(TRUE, fAfter);

    // Off: left alone.
    EXPECT_EQ(Join({ kLowerA, kShiftA }), Events(LAYOUT_US, "aA", 1, FALSE, FALSE, &fAfter));
    EXPECT_EQ(FALSE, fAfter);

    // Unicode characters and keys that Caps Lock does not change (Enter) need
    // no switching.
    EXPECT_EQ(Join({ Lines({ "unicode-down 0061", "unicode-up 0061", "pause 1" }), kEnter }),
              Events(LAYOUT_US, "a\r", 1, TRUE, TRUE, &fAfter));
    EXPECT_EQ(TRUE, fAfter);

    // A Swedish letter typed as a key among Unicode characters.
    EXPECT_EQ(Join({ Lines({ "unicode-down 0078", "unicode-up 0078", "pause 1" }), kCaps,
                     Keys({ "key-down DD 1A", "key-up DD 1A" }), kEnter, kCaps }),
              Events(LAYOUT_SWEDISH, "x\xE5\r", 1, TRUE, TRUE, &fAfter));
    EXPECT_EQ(TRUE, fAfter);
}

// Whatever the text, no key stays down and every event has its pause.
TEST(TypeText, EveryKeyIsReleasedAndEveryEventPaused)
{
    std::string strText;
    for (int ch = 1; ch < 256; ch++) {
        strText += (char)ch;
    }
    for (int nLayout : { LAYOUT_US, LAYOUT_SWEDISH, LAYOUT_BELGIAN }) {
        for (BOOL fUnicode : { TRUE, FALSE }) {
            for (BOOL fCapsLock : { TRUE, FALSE }) {
                SCOPED_TRACE(::testing::Message() << "layout " << nLayout << " unicode "
                                                  << fUnicode << " caps " << fCapsLock);
                BOOL fAfter = !fCapsLock;
                Lines lines = Events(nLayout, strText.c_str(), 3, fUnicode, fCapsLock, &fAfter);
                EXPECT_EQ(fCapsLock, fAfter);
                std::vector<std::string> held;
                for (size_t i = 0; i < lines.size(); i++) {
                    const std::string& strLine = lines[i];
                    if (0 == strLine.compare(0, 6, "pause ")) {
                        continue;
                    }
                    const std::string strNext = i + 1 < lines.size() ? lines[i + 1] : "";
                    if (0 == strLine.compare(0, 13, "unicode-down ")) {
                        EXPECT_EQ("unicode-up " + strLine.substr(13), strNext);
                    } else {
                        EXPECT_EQ("pause 3", strNext) << strLine;
                    }
                    if (0 == strLine.compare(0, 9, "key-down ")) {
                        held.push_back(strLine.substr(9));
                    } else if (0 == strLine.compare(0, 7, "key-up ")) {
                        ASSERT_FALSE(held.empty()) << strLine;
                        EXPECT_EQ(held.back(), strLine.substr(7));
                        held.pop_back();
                    }
                }
                EXPECT_TRUE(held.empty());
            }
        }
    }
}

// The keys a sequence of lines leaves down, in the order they were pressed:
// "key-down X" holds X until its "key-up X", "unicode-down X" until its
// "unicode-up X".
Lines KeysHeld(const Lines& lines)
{
    Lines held;
    for (const std::string& strLine : lines) {
        size_t iSpace = strLine.find(' ');
        std::string strKind = strLine.substr(0, iSpace);
        std::string strKey = strLine.substr(iSpace + 1);
        if ("key-down" == strKind || "unicode-down" == strKind) {
            held.push_back(strKind.substr(0, strKind.size() - 5) + " " + strKey);
        } else if ("key-up" == strKind || "unicode-up" == strKind) {
            std::string strHeld = strKind.substr(0, strKind.size() - 3) + " " + strKey;
            for (size_t i = held.size(); i > 0; i--) {
                if (held[i - 1] == strHeld) {
                    held.erase(held.begin() + (ptrdiff_t)(i - 1));
                    break;
                }
            }
        }
    }
    return held;
}

// The printed lines of the events recorded since the last clear.
Lines Recorded(const RecordingKeySink& sink)
{
    Lines lines;
    for (const KeyEvent& event : sink.getEvents()) {
        std::string strLine = FormatKeyEvent(event);
        if (!strLine.empty()) {
            lines.push_back(strLine);
        }
    }
    return lines;
}

size_t CountLines(const Lines& lines, const std::string& strLine)
{
    return (size_t)std::count(lines.begin(), lines.end(), strLine);
}

struct RefusalCase
{
    int nLayout;
    const char* pszText;
    BOOL fUnicode;
};

// Texts that hold modifiers (Control, AltGr, Shift), a dead key, Caps Lock
// switched off and on, and Unicode characters.
const RefusalCase kRefusalCases[] = {
    { LAYOUT_SWEDISH, "a@B~\xFE\r", FALSE },
    { LAYOUT_US, "x\x1Dy\xE9", TRUE },
};

// The system refuses events k to k + m - 1 of a text, for every k, then takes
// everything again: the text is refused with one error sound, and after the
// next text no key is down, the keys the first left down were released first,
// and Caps Lock is on as the user had it.
TEST(TypeTextRefused, NoKeyStaysDownWhereverTheSystemRefuses)
{
    for (const RefusalCase& c : kRefusalCases) {
        KeyTranslatorMap map(c.nLayout);
        gpKeyTranslatorMap = &map;
        RecordingKeySink whole;
        whole.setCapsLock(TRUE);
        ASSERT_EQ(TRUE, TypeText(&whole, c.pszText, 1, c.fUnicode));
        Lines wholeLines = Recorded(whole);
        size_t nInputs = wholeLines.size() - CountLines(wholeLines, "pause 1");
        ASSERT_GT(nInputs, 10u);

        for (size_t k = 0; k < nInputs; k++) {
            for (size_t m : { (size_t)1, (size_t)2, (size_t)3, (size_t)7, nInputs }) {
                SCOPED_TRACE(::testing::Message() << c.pszText << " refused from event " << k
                                                  << " for " << m);
                RecordingKeySink sink;
                sink.setCapsLock(TRUE);
                sink.refuseInputs(k, m);
                EXPECT_EQ(FALSE, TypeText(&sink, c.pszText, 1, c.fUnicode));
                Lines first = Recorded(sink);
                EXPECT_EQ(1u, CountLines(first, "error-sound"));
                Lines held = KeysHeld(first);
                if (1 == m) {
                    // The system takes input again at once: the text puts
                    // everything back itself.
                    EXPECT_EQ(Lines(), held);
                    EXPECT_EQ(TRUE, sink.isCapsLockOn());
                }

                sink.clear();
                sink.refuseInputs(0, 0);
                EXPECT_EQ(TRUE, TypeText(&sink, "\r", 1, c.fUnicode));
                Lines next = Recorded(sink);
                EXPECT_EQ(0u, CountLines(next, "error-sound"));
                // The late releases come first, the latest key first.
                Lines releases;
                for (size_t i = held.size(); i > 0; i--) {
                    releases.push_back(held[i - 1].substr(0, held[i - 1].find(' ')) + "-up" +
                                       held[i - 1].substr(held[i - 1].find(' ')));
                    releases.push_back("pause 1");
                }
                ASSERT_GE(next.size(), releases.size());
                EXPECT_EQ(releases, Lines(next.begin(), next.begin() + (ptrdiff_t)releases.size()));

                first.insert(first.end(), next.begin(), next.end());
                EXPECT_EQ(Lines(), KeysHeld(first));
                EXPECT_EQ(TRUE, sink.isCapsLockOn());
                EXPECT_TRUE(sink.getKeysLeftDown().keys.empty());
            }
        }
        gpKeyTranslatorMap = NULL;
    }
}

// While the system keeps refusing, every text is refused with its own error
// sound and sends nothing but the releases it owes; then they go first.
TEST(TypeTextRefused, ReleasesWaitUntilTheSystemTakesInputAgain)
{
    KeyTranslatorMap map(LAYOUT_US);
    gpKeyTranslatorMap = &map;
    RecordingKeySink sink;
    sink.setCapsLock(TRUE);
    sink.refuseInputs(2, 1000);  // Caps Lock goes off, then Shift+6 is refused
    EXPECT_EQ(FALSE, TypeText(&sink, "\x1D", 0, TRUE));
    EXPECT_EQ(Lines({ "key-down 14 3A", "pause 0", "key-up 14 3A", "pause 0", "error-sound" }),
              Recorded(sink));
    EXPECT_EQ(FALSE, sink.isCapsLockOn());

    sink.clear();
    EXPECT_EQ(FALSE, TypeText(&sink, "A", 0, TRUE));
    EXPECT_EQ(Lines({ "error-sound" }), Recorded(sink));

    sink.clear();
    sink.refuseInputs(0, 0);
    EXPECT_EQ(TRUE, TypeText(&sink, "A", 0, TRUE));
    // Caps Lock back on as the user had it, then the text.
    EXPECT_EQ(Lines({ "key-down 14 3A", "pause 0", "key-up 14 3A", "pause 0", "unicode-down 0041",
                      "unicode-up 0041", "pause 0" }),
              Recorded(sink));
    EXPECT_EQ(TRUE, sink.isCapsLockOn());
    gpKeyTranslatorMap = NULL;
}

TEST(FormatKeyEvent, OneLinePerEvent)
{
    struct Case
    {
        KeyEvent event;
        const char* pszLine;
    } const cases[] = {
        { { KEYEVENT_UNICODE_DOWN, 0x41, 0, FALSE, 0 }, "unicode-down 0041" },
        { { KEYEVENT_UNICODE_UP, 0xE5, 0, FALSE, 0 }, "unicode-up 00E5" },
        { { KEYEVENT_KEY_DOWN, 0x10, 0x2A, FALSE, 0 }, "key-down 10 2A" },
        { { KEYEVENT_KEY_UP, 0xA5, 0x38, TRUE, 0 }, "key-up A5 38 ext" },
        { { KEYEVENT_KEY_DOWN, 0x0D, 0x1C, TRUE, 0 }, "key-down 0D 1C ext" },
        { { KEYEVENT_PAUSE, 0, 0, FALSE, 100 }, "pause 100" },
        { { KEYEVENT_PAUSE, 0, 0, FALSE, 0 }, "pause 0" },
        { { KEYEVENT_ERROR_SOUND, 0, 0, FALSE, 0 }, "error-sound" },
        { { KEYEVENT_TIMER_BEGIN, 0, 0, FALSE, 1 }, "" },
        { { KEYEVENT_TIMER_END, 0, 0, FALSE, 1 }, "" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.pszLine, FormatKeyEvent(c.event));
    }
}

TEST(RecordingKeySink, RecordsInputRecordsAsTheyWouldArrive)
{
    RecordingKeySink sink;
    sink.sendInput({ 0x14, 0x3A, 0 });
    sink.sendInput({ 0x14, 0x3A, KEYSINK_KEYUP });
    sink.sendInput({ 0, 0x20AC, KEYSINK_UNICODE });
    EXPECT_EQ(TRUE, sink.isCapsLockOn());
    ASSERT_EQ(3u, sink.getEvents().size());
    EXPECT_EQ("key-down 14 3A", FormatKeyEvent(sink.getEvents()[0]));
    EXPECT_EQ("key-up 14 3A", FormatKeyEvent(sink.getEvents()[1]));
    EXPECT_EQ("unicode-down 20AC", FormatKeyEvent(sink.getEvents()[2]));
    sink.clear();
    EXPECT_TRUE(sink.getEvents().empty());
}

#ifndef _WIN32
TEST(TypeTextDeathTest, NullTextEndsTheProcess)
{
    EXPECT_EXIT(TypeText(GetPlatformKeySink(), NULL, 1, TRUE), ::testing::ExitedWithCode(255),
                "Assertion failed: NULL != psz");
}

TEST(TypeText, NativelyThePlatformSinkRecords)
{
    gpKeyTranslatorMap = new KeyTranslatorMap(LAYOUT_US);
    RecordingKeySink* pSink = static_cast<RecordingKeySink*>(GetPlatformKeySink());
    pSink->clear();
    TypeText("A", 0, TRUE);
    delete gpKeyTranslatorMap;
    gpKeyTranslatorMap = NULL;
    ASSERT_EQ(5u, pSink->getEvents().size());
    EXPECT_EQ("unicode-down 0041", FormatKeyEvent(pSink->getEvents()[1]));
    pSink->clear();
}
#endif

}  // namespace
