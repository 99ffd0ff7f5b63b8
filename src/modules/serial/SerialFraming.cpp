#include "modules/serial/SerialFraming.h"

#include "common/Assert.h"

#define SERIAL_CR 0x0D
#define SERIAL_LF 0x0A
#define SERIAL_TAB 0x09

// The byte that ends a label, in the order of SerialTerminator: with CRLF the
// CR only ends it if LF follows; with None no byte does.
static const int grgEndBytes[] = { SERIAL_CR, SERIAL_LF, SERIAL_CR, SERIAL_TAB, -1 };
static_assert(sizeof(grgEndBytes) / sizeof(grgEndBytes[0]) == SERIAL_TERMINATOR_NONE + 1,
              "one end byte per SerialTerminator");

SerialFramer::SerialFramer(SerialTerminator terminator, DWORD dwIdleTimeoutMs, size_t cchMaxLabel)
    : m_terminator(terminator), m_dwIdleTimeoutMs(dwIdleTimeoutMs), m_cchMaxLabel(cchMaxLabel),
      m_fPendingCR(FALSE), m_nLastByteMs(0), m_nDropped(0)
{
    FATAL_ASSERT((unsigned)terminator <= SERIAL_TERMINATOR_NONE);
}

void SerialFramer::feed(const BYTE* pbData, size_t cbData, uint64_t nNowMs)
{
    if (0 == cbData) {
        return;
    }
    m_nLastByteMs = nNowMs;
    for (size_t i = 0; i < cbData; i++) {
        BYTE b = pbData[i];
        if (TRUE == m_fPendingCR) {
            m_fPendingCR = FALSE;
            if (SERIAL_LF == b) {
                endLabel();
                continue;
            }
            // A CR that LF does not follow is part of the label.
            if (m_strLabel.size() < m_cchMaxLabel) {
                m_strLabel += (WCHAR)SERIAL_CR;
            }
        }
        if (grgEndBytes[m_terminator] == b) {
            if (SERIAL_TERMINATOR_CRLF == m_terminator) {
                m_fPendingCR = TRUE;
            } else {
                endLabel();
            }
            continue;
        }
        // NUL would end the text early on its way to the host; past the
        // longest label the rest is dropped rather than made a second label.
        if (0 != b && m_strLabel.size() < m_cchMaxLabel) {
            m_strLabel += (WCHAR)b;
        }
    }
}

void SerialFramer::endIdleLabel(uint64_t nNowMs)
{
    // A label is in progress when it has characters or a CR waits for its LF
    // (NULs alone leave nothing to end).
    BOOL fInLabel = (!m_strLabel.empty() || TRUE == m_fPendingCR) ? TRUE : FALSE;
    if (TRUE == fInLabel && 0 != m_dwIdleTimeoutMs && nNowMs - m_nLastByteMs >= m_dwIdleTimeoutMs) {
        // A CR left waiting for its LF was the start of the suffix.
        endLabel();
    }
}

void SerialFramer::dropPartialLabel()
{
    m_strLabel.clear();
    m_fPendingCR = FALSE;
}

void SerialFramer::endLabel()
{
    // A suffix with nothing before it (or only NULs) is no label.
    if (!m_strLabel.empty()) {
        if (m_labels.size() < SERIAL_QUEUE_LIMIT) {
            m_labels.push_back(m_strLabel);
        } else {
            m_nDropped++;
        }
    }
    dropPartialLabel();
}

BOOL SerialFramer::takeLabel(std::wstring* pstrLabel)
{
    if (m_labels.empty()) {
        return FALSE;
    }
    pstrLabel->swap(m_labels.front());
    m_labels.pop_front();
    return TRUE;
}
