#include "modules/serial/SerialBackend.h"

#include "common/ErrorBox.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"

SerialBackend::SerialBackend(HWND hWnd, const SerialConfig& config)
    : m_hWnd(hWnd), m_config(config), m_port(m_config),
      m_framer(config.terminator, config.dwIdleTimeoutMs, SCANNER_SCAN_BUFFER - 1), m_bStarted(FALSE),
      m_fFirstOpen(TRUE), m_nNextOpenMs(0), m_nLastSignMs(0), m_readBuffer(SERIAL_READ_BUFFER)
{
}

SerialBackend::~SerialBackend()
{
    stopScanning();
}

BOOL SerialBackend::startScanning()
{
    if (TRUE == m_bStarted) {
        return FALSE;
    }
    m_bStarted = TRUE;
    m_fFirstOpen = TRUE;
    m_port.beginOpen();
    return TRUE;
}

BOOL SerialBackend::stopScanning()
{
    if (TRUE != m_bStarted) {
        return FALSE;
    }
    m_port.close();
    m_bStarted = FALSE;
    return TRUE;
}

const WCHAR* SerialBackend::getBarcode()
{
    if (TRUE != m_bStarted) {
        return NULL;
    }
    uint64_t nNowMs = GetTickCount64();
    pollPort(nNowMs);
    // Only after the port is drained: a pause is real when no byte came since.
    m_framer.endIdleLabel(nNowMs);
    if (TRUE != m_framer.takeLabel(&m_strLabel)) {
        return NULL;
    }
    return m_strLabel.c_str();
}

void SerialBackend::pollPort(uint64_t nNowMs)
{
    if (TRUE == m_port.isOpening()) {
        finishOpen(nNowMs);
    } else if (FALSE == m_port.isOpen() && nNowMs >= m_nNextOpenMs) {
        m_port.beginOpen();
        finishOpen(nNowMs);
    }
    if (TRUE == m_port.isOpen()) {
        readPort(nNowMs);
    }
}

void SerialBackend::finishOpen(uint64_t nNowMs)
{
    DWORD dwError = ERROR_SUCCESS;
    SerialOpenResult result = m_port.finishOpen(&dwError);
    if (SERIAL_OPEN_PENDING == result) {
        return;
    }
    if (SERIAL_OPEN_DONE == result) {
        m_nLastSignMs = nNowMs;
    } else {
        m_nNextOpenMs = nNowMs + SERIAL_RETRY_MS;
        if (TRUE == m_fFirstOpen) {
            m_strBoxText = FormatText(TVX_SERIAL_PORT_FAILED_FORMAT,
                                      { SerialPortName(m_config.nPort).c_str(),
                                        SystemMessage(dwError).c_str() });
            // Shown when the message comes: never inside a tick.
            PostMessageW(m_hWnd, SERIAL_BOX_MESSAGE, 0, 0);
        }
    }
    m_fFirstOpen = FALSE;
}

void SerialBackend::readPort(uint64_t nNowMs)
{
    size_t cbTotal = 0;
    while (cbTotal < SERIAL_READ_LIMIT) {
        DWORD cbRead = 0;
        if (TRUE != m_port.read(m_readBuffer.data(), (DWORD)m_readBuffer.size(), &cbRead)) {
            portFailed(nNowMs);
            return;
        }
        if (0 == cbRead) {
            break;
        }
        m_framer.feed(m_readBuffer.data(), cbRead, nNowMs);
        cbTotal += cbRead;
    }
    if (0 != cbTotal) {
        m_nLastSignMs = nNowMs;
        return;
    }
    // After a hang-up a plain read may go on returning nothing without an
    // error: a port that has been quiet for a while is asked whether it is
    // still there.
    if (nNowMs - m_nLastSignMs >= SERIAL_CHECK_MS) {
        if (TRUE != m_port.check()) {
            portFailed(nNowMs);
            return;
        }
        m_nLastSignMs = nNowMs;
    }
}

void SerialBackend::portFailed(uint64_t nNowMs)
{
    m_port.close();
    // The rest of a label cut off by the failure will not come.
    m_framer.dropPartialLabel();
    m_nNextOpenMs = nNowMs + SERIAL_RETRY_MS;
}

void SerialBackend::onScannerMessage()
{
    // The box runs a message loop of its own in which the ticks go on; a stop
    // request then releases this back-end before the box returns, so nothing
    // of it is touched after the box.
    std::wstring strText = m_strBoxText;
    ShowError(strText.c_str());
}
