// Cutting the byte stream of a serial scanner into labels: the suffix the
// scanner sends after each label, or a pause, ends a label. Pure logic, with
// the time of each read given by the caller, so that every case is tested
// natively.
#pragma once

#include <deque>
#include <string>

#include "common/Types.h"

// Labels waiting for delivery at most; a newer one beyond that is dropped
// and counted, so the order of the others is never broken.
#define SERIAL_QUEUE_LIMIT 10000

enum SerialTerminator
{
    SERIAL_TERMINATOR_CR,
    SERIAL_TERMINATOR_LF,
    SERIAL_TERMINATOR_CRLF,
    SERIAL_TERMINATOR_TAB,
    SERIAL_TERMINATOR_NONE,
};

class SerialFramer
{
public:
    // dwIdleTimeoutMs 0: only the terminator ends a label. cchMaxLabel: the
    // longest label delivered; a longer one is cut there, and the rest of it
    // up to its end is dropped.
    SerialFramer(SerialTerminator terminator, DWORD dwIdleTimeoutMs, size_t cchMaxLabel);

    // The bytes of one read made at nNowMs. Each byte becomes the character
    // of the same value (0xNN: U+00NN); NUL bytes are dropped.
    void feed(const BYTE* pbData, size_t cbData, uint64_t nNowMs);
    // Ends the label in progress when nothing has come for the idle timeout
    // up to nNowMs. Call it after reading everything the port holds: a pause
    // is only seen between reads.
    void endIdleLabel(uint64_t nNowMs);
    // Forgets the label in progress (the port failed in the middle of it).
    void dropPartialLabel();

    // Moves the oldest waiting label into *pstrLabel; FALSE when none waits.
    BOOL takeLabel(std::wstring* pstrLabel);

    size_t getWaiting() const { return m_labels.size(); }
    // Labels dropped because the queue was full.
    uint64_t getDropped() const { return m_nDropped; }

private:
    void endLabel();

    SerialTerminator m_terminator;
    DWORD m_dwIdleTimeoutMs;
    size_t m_cchMaxLabel;

    std::wstring m_strLabel;
    // With CRLF: a CR came last, and ends the label if LF follows.
    BOOL m_fPendingCR;
    uint64_t m_nLastByteMs;

    std::deque<std::wstring> m_labels;
    uint64_t m_nDropped;
};
