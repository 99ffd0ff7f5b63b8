#include "keyboard/KeyRecorder.h"

#include <stdio.h>

#include "keyboard/VirtualKeys.h"

RecordingKeySink::RecordingKeySink()
    : m_fCapsLock(FALSE), m_nInputs(0), m_nFirstRefused(0), m_nRefused(0)
{
}

void RecordingKeySink::refuseInputs(size_t nFirst, size_t nCount)
{
    m_nInputs = 0;
    m_nFirstRefused = nFirst;
    m_nRefused = nCount;
}

BOOL RecordingKeySink::sendInput(const KeyInput& input)
{
    size_t iInput = m_nInputs++;
    if (iInput >= m_nFirstRefused && iInput - m_nFirstRefused < m_nRefused) {
        return FALSE;
    }
    if (0 != (input.dwFlags & KEYSINK_UNICODE)) {
        KeyEvent event = { (input.dwFlags & KEYSINK_KEYUP) ? KEYEVENT_UNICODE_UP
                                                           : KEYEVENT_UNICODE_DOWN,
                           input.wScan, 0, FALSE, 0 };
        m_events.push_back(event);
    } else {
        recordKey(input.wVk, input.wScan, input.dwFlags);
    }
    return TRUE;
}

void RecordingKeySink::sleep(DWORD nMilliseconds)
{
    KeyEvent event = { KEYEVENT_PAUSE, 0, 0, FALSE, nMilliseconds };
    m_events.push_back(event);
}

void RecordingKeySink::beginTimerPeriod()
{
    KeyEvent event = { KEYEVENT_TIMER_BEGIN, 0, 0, FALSE, 1 };
    m_events.push_back(event);
}

void RecordingKeySink::endTimerPeriod()
{
    KeyEvent event = { KEYEVENT_TIMER_END, 0, 0, FALSE, 1 };
    m_events.push_back(event);
}

void RecordingKeySink::errorSound()
{
    KeyEvent event = { KEYEVENT_ERROR_SOUND, 0, 0, FALSE, 0 };
    m_events.push_back(event);
}

void RecordingKeySink::recordKey(WORD wVk, WORD wScan, DWORD dwFlags)
{
    BOOL fUp = (0 != (dwFlags & KEYSINK_KEYUP)) ? TRUE : FALSE;
    KeyEvent event = { fUp ? KEYEVENT_KEY_UP : KEYEVENT_KEY_DOWN, wVk, wScan,
                       (0 != (dwFlags & KEYSINK_EXTENDEDKEY)) ? TRUE : FALSE, 0 };
    m_events.push_back(event);
    if (VK_CAPITAL == wVk && FALSE == fUp) {
        m_fCapsLock = (TRUE == m_fCapsLock) ? FALSE : TRUE;
    }
}

std::string FormatKeyEvent(const KeyEvent& event)
{
    char szLine[48];
    switch (event.nKind) {
    case KEYEVENT_UNICODE_DOWN:
    case KEYEVENT_UNICODE_UP:
        snprintf(szLine, sizeof(szLine), "%s %04X",
                 KEYEVENT_UNICODE_DOWN == event.nKind ? "unicode-down" : "unicode-up",
                 (unsigned)event.wCode);
        return szLine;
    case KEYEVENT_KEY_DOWN:
    case KEYEVENT_KEY_UP:
        snprintf(szLine, sizeof(szLine), "%s %02X %02X%s",
                 KEYEVENT_KEY_DOWN == event.nKind ? "key-down" : "key-up",
                 (unsigned)event.wCode, (unsigned)event.wScan,
                 TRUE == event.fExtended ? " ext" : "");
        return szLine;
    case KEYEVENT_PAUSE:
        snprintf(szLine, sizeof(szLine), "pause %lu", (unsigned long)event.nMilliseconds);
        return szLine;
    case KEYEVENT_ERROR_SOUND:
        return "error-sound";
    case KEYEVENT_TIMER_BEGIN:
    case KEYEVENT_TIMER_END:
        break;
    }
    return std::string();
}
