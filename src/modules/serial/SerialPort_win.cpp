#include "modules/serial/SerialPort.h"

#include <new>

#include "common/Assert.h"

// One open of the port, shared by the module's thread and the helper thread
// that makes the one blocking call. Whichever lets go last frees it, and
// closes a handle the module never took.
struct SerialOpening
{
    LONG nRefs;
    WCHAR szDevice[16];
    HANDLE hPort;
    DWORD dwError;
    LONG fDone;
};

static void ReleaseOpening(SerialOpening* pOpening)
{
    if (0 == InterlockedDecrement(&pOpening->nRefs)) {
        if (INVALID_HANDLE_VALUE != pOpening->hPort) {
            CloseHandle(pOpening->hPort);
        }
        delete pOpening;
    }
}

// The helper thread only opens the port and hands the handle over; the
// module's thread does everything else with it.
static DWORD WINAPI OpenPortThread(LPVOID pvOpening)
{
    SerialOpening* pOpening = static_cast<SerialOpening*>(pvOpening);
    HANDLE hPort = CreateFileW(pOpening->szDevice, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    pOpening->dwError = (INVALID_HANDLE_VALUE == hPort) ? GetLastError() : ERROR_SUCCESS;
    pOpening->hPort = hPort;
    // A full barrier: the module reads the handle only after it sees this.
    InterlockedExchange(&pOpening->fDone, TRUE);
    ReleaseOpening(pOpening);
    return 0;
}

SerialPort::SerialPort(const SerialConfig& config)
    : m_config(config), m_hPort(INVALID_HANDLE_VALUE), m_pOpening(NULL)
{
}

SerialPort::~SerialPort()
{
    close();
}

void SerialPort::beginOpen()
{
    FATAL_ASSERT(FALSE == isOpen() && NULL == m_pOpening);
    SerialOpening* pOpening = new (std::nothrow) SerialOpening();
    FATAL_ASSERT(NULL != pOpening);
    pOpening->nRefs = 2;
    _snwprintf(pOpening->szDevice, sizeof(pOpening->szDevice) / sizeof(WCHAR), L"\\\\.\\COM%u", m_config.nPort);
    pOpening->szDevice[sizeof(pOpening->szDevice) / sizeof(WCHAR) - 1] = L'\0';
    pOpening->hPort = INVALID_HANDLE_VALUE;
    pOpening->dwError = ERROR_SUCCESS;
    pOpening->fDone = FALSE;
    m_pOpening = pOpening;
    HANDLE hThread = CreateThread(NULL, 0, OpenPortThread, pOpening, 0, NULL);
    if (NULL == hThread) {
        // No thread: this attempt fails with the reason, and the next one tries again.
        pOpening->dwError = GetLastError();
        pOpening->fDone = TRUE;
        ReleaseOpening(pOpening);
        return;
    }
    CloseHandle(hThread);
}

SerialOpenResult SerialPort::finishOpen(DWORD* pdwError)
{
    FATAL_ASSERT(NULL != m_pOpening);
    if (FALSE == InterlockedCompareExchange(&m_pOpening->fDone, FALSE, FALSE)) {
        return SERIAL_OPEN_PENDING;
    }
    m_hPort = m_pOpening->hPort;
    m_pOpening->hPort = INVALID_HANDLE_VALUE;
    *pdwError = m_pOpening->dwError;
    ReleaseOpening(m_pOpening);
    m_pOpening = NULL;
    if (FALSE == isOpen()) {
        return SERIAL_OPEN_FAILED;
    }
    if (TRUE != configure()) {
        *pdwError = GetLastError();
        close();
        return SERIAL_OPEN_FAILED;
    }
    return SERIAL_OPEN_DONE;
}

BOOL SerialPort::configure()
{
    // The queue sizes are a request that a driver may decline; reading at
    // every tick drains the port all the same.
    SetupComm(m_hPort, SERIAL_INPUT_QUEUE, SERIAL_OUTPUT_QUEUE);

    DCB dcb;
    ZeroMemory(&dcb, sizeof(dcb));
    dcb.DCBlength = sizeof(dcb);
    if (!GetCommState(m_hPort, &dcb)) {
        return FALSE;
    }
    // In the order of SerialParity.
    static const BYTE rgParity[] = { NOPARITY, ODDPARITY, EVENPARITY, MARKPARITY, SPACEPARITY };
    static_assert(sizeof(rgParity) == SERIAL_PARITY_SPACE + 1, "one DCB parity per SerialParity");
    dcb.BaudRate = m_config.dwBaudRate;
    dcb.ByteSize = (BYTE)m_config.nDataBits;
    dcb.Parity = rgParity[m_config.parity];
    dcb.fParity = (SERIAL_PARITY_NONE != m_config.parity) ? TRUE : FALSE;
    dcb.StopBits = (2 == m_config.nStopBits) ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    // Many scanners send nothing until DTR is asserted; RTS too, unless the
    // driver drives it for RTS/CTS handshaking.
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    BOOL fRtsCts = (SERIAL_FLOW_RTS_CTS == m_config.flowControl) ? TRUE : FALSE;
    dcb.fOutxCtsFlow = fRtsCts;
    dcb.fRtsControl = fRtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    BOOL fXonXoff = (SERIAL_FLOW_XON_XOFF == m_config.flowControl) ? TRUE : FALSE;
    dcb.fOutX = fXonXoff;
    dcb.fInX = fXonXoff;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = SERIAL_INPUT_QUEUE / 4;
    dcb.XoffLim = SERIAL_INPUT_QUEUE / 4;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fErrorChar = FALSE;
    // NUL bytes reach the framing, which drops them itself.
    dcb.fNull = FALSE;
    // A line error must not stop the reads until someone clears it.
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(m_hPort, &dcb)) {
        return FALSE;
    }
    // A read returns at once with what the port holds: the module's thread
    // never waits on the port.
    COMMTIMEOUTS timeouts;
    ZeroMemory(&timeouts, sizeof(timeouts));
    timeouts.ReadIntervalTimeout = MAXDWORD;
    return SetCommTimeouts(m_hPort, &timeouts) ? TRUE : FALSE;
}

BOOL SerialPort::read(BYTE* pbBuffer, DWORD cbBuffer, DWORD* pcbRead)
{
    *pcbRead = 0;
    return ReadFile(m_hPort, pbBuffer, cbBuffer, pcbRead, NULL) ? TRUE : FALSE;
}

BOOL SerialPort::check()
{
    DWORD dwErrors = 0;
    COMSTAT status;
    return ClearCommError(m_hPort, &dwErrors, &status) ? TRUE : FALSE;
}

void SerialPort::close()
{
    if (NULL != m_pOpening) {
        ReleaseOpening(m_pOpening);
        m_pOpening = NULL;
    }
    if (INVALID_HANDLE_VALUE != m_hPort) {
        CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
    }
}

std::wstring SerialPortName(unsigned nPort)
{
    return L"COM" + std::to_wstring(nPort);
}

std::wstring SystemMessage(DWORD dwError)
{
    WCHAR szMessage[512];
    DWORD cch = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, dwError, 0,
                               szMessage, sizeof(szMessage) / sizeof(WCHAR), NULL);
    std::wstring strMessage(szMessage, cch);
    while (!strMessage.empty() && (L'\r' == strMessage.back() || L'\n' == strMessage.back() ||
                                   L' ' == strMessage.back() || L'.' == strMessage.back())) {
        strMessage.pop_back();
    }
    if (strMessage.empty()) {
        strMessage = L"error " + std::to_wstring(dwError);
    }
    return strMessage;
}
