#include "support/ModuleReceiver.h"

#include "support/SimSession.h"
#include "support/TestWindows.h"

#define RECEIVER_CLASS L"TvxModuleReceiver"

ModuleReceiver::ModuleReceiver() : m_hWnd(NULL)
{
    // Made once every member the window procedure reads exists.
    m_hWnd = CreateObjectWindow(RECEIVER_CLASS, Proc, L"Receiver", WS_OVERLAPPED, 100, NULL, this);
}

ModuleReceiver::~ModuleReceiver()
{
    m_process.Close();
    if (NULL != m_hWnd) {
        DestroyWindow(m_hWnd);
    }
}

BOOL ModuleReceiver::Start(const WCHAR* pszProgramFile, const WCHAR* pszCurrentFolder)
{
    if (NULL == m_hWnd) {
        return FALSE;
    }
    return StartModuleProcess(m_process, GetTestProgramPath(pszProgramFile).c_str(), m_hWnd,
                              pszCurrentFolder);
}

BOOL ModuleReceiver::WaitForScans(size_t nCount, DWORD dwTimeoutMs)
{
    return PumpUntil([&] { return m_scans.size() >= nCount; }, dwTimeoutMs);
}

std::vector<std::wstring> ModuleReceiver::GetTexts() const
{
    std::vector<std::wstring> texts;
    for (const ReceivedScan& scan : m_scans) {
        texts.push_back(scan.strText);
    }
    return texts;
}

LRESULT CALLBACK ModuleReceiver::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    ModuleReceiver* pReceiver = reinterpret_cast<ModuleReceiver*>(GetWindowLongPtrW(hWnd, 0));
    if (WM_COPYDATA != uMsg || NULL == pReceiver) {
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
    LARGE_INTEGER liNow;
    QueryPerformanceCounter(&liNow);
    const COPYDATASTRUCT* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    ReceivedScan scan;
    scan.llReceived = liNow.QuadPart;
    scan.wParam = wParam;
    scan.dwData = pcds->dwData;
    scan.cbData = pcds->cbData;
    const WCHAR* pUnits = static_cast<const WCHAR*>(pcds->lpData);
    size_t cUnits = pcds->cbData / sizeof(WCHAR);
    size_t cch = 0;
    while (cch < cUnits && L'\0' != pUnits[cch]) {
        cch++;
    }
    scan.strText.assign(pUnits, cch);
    scan.fTerminated = (cUnits > 0 && L'\0' == pUnits[cUnits - 1]) ? TRUE : FALSE;
    pReceiver->m_scans.push_back(scan);
    return TRUE;
}
