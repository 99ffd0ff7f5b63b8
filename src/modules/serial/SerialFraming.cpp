#include "modules/serial/SerialFraming.h"

#define SERIAL_CR 0x0D
#define SERIAL_LF 0x0A
#define SERIAL_TAB 0x09

SerialFramer::SerialFramer(SerialTerminator terminator, DWORD dwIdleTimeoutMs, size_t cchMaxLabel)
    : m_terminator(terminator), m_dwIdleTimeoutMs(dwIdleTimeoutMs), m_cchMaxLabel(cchMaxLabel),
      m_fInLabel(FALSE), m_fPendingCR(FALSE), m_nLastByteMs(0), m_nDropped(0)
{
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
        switch (m_terminator) {
        case SERIAL_TERMINATOR_CR:
            if (SERIAL_CR == b) {
                endLabel();
                continue;
            }
            break;
        case SERIAL_TERMINATOR_LF:
            if (SERIAL_LF == b) {
                endLabel();
                continue;
            }
            break;
        case SERIAL_TERMINATOR_CRLF:
            if (SERIAL_CR == b) {
                m_fInLabel = TRUE;
                m_fPendingCR = TRUE;
                continue;
            }
            break;
        case SERIAL_TERMINATOR_TAB:
            if (SERIAL_TAB == b) {
                endLabel();
                continue;
            }
            break;
        case SERIAL_TERMINATOR_NONE:
            break;
        }
        m_fInLabel = TRUE;
        // NUL would end the text early on its way to the host; past the
        // longest label the rest is dropped rather than made a second label.
        if (0 != b && m_strLabel.size() < m_cchMaxLabel) {
            m_strLabel += (WCHAR)b;
        }
    }
}

void SerialFramer::endIdleLabel(uint64_t nNowMs)
{
    if (TRUE == m_fInLabel && 0 != m_dwIdleTimeoutMs && nNowMs - m_nLastByteMs >= m_dwIdleTimeoutMs) {
        // A CR left waiting for its LF was the start of the suffix.
        endLabel();
    }
}

void SerialFramer::dropPartialLabel()
{
    m_strLabel.clear();
    m_fInLabel = FALSE;
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
