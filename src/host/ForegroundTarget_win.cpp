#include "host/ForegroundTarget.h"

#include <windows.h>

#include <vector>

static_assert(sizeof(WCHAR) == sizeof(UTF16UNIT), "window texts are UTF-16 units");

// The full path of the image of process dwProcessId, or FALSE when it cannot
// be read (a process of another session or a protected one may refuse).
static BOOL ReadImagePath(DWORD dwProcessId, std::vector<WCHAR>* prgPath)
{
    HANDLE hProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwProcessId);
    if (NULL == hProcess) {
        return FALSE;
    }
    // The usual path fits the first buffer; a long one gets the longest a
    // path can be.
    BOOL fRead = FALSE;
    for (DWORD cchBuffer : { (DWORD)TVX_MAX_PATH, (DWORD)UNICODE_STRING_MAX_CHARS }) {
        prgPath->resize(cchBuffer);
        DWORD cchPath = cchBuffer;
        if (QueryFullProcessImageNameW(hProcess, 0, prgPath->data(), &cchPath)) {
            prgPath->resize(cchPath);
            fRead = TRUE;
            break;
        }
        if (ERROR_INSUFFICIENT_BUFFER != GetLastError()) {
            break;
        }
    }
    CloseHandle(hProcess);
    return fRead;
}

void ForegroundTargetReader::ReadLasting(HWND hWnd, ScanTarget* pTarget)
{
    for (const KnownWindow& known : m_rgKnown) {
        if (hWnd == known.hWnd) {
            pTarget->strApp = known.strApp;
            pTarget->strClass = known.strClass;
            return;
        }
    }
    DWORD dwProcessId = 0;
    std::vector<WCHAR> rgPath;
    if (0 != GetWindowThreadProcessId(hWnd, &dwProcessId) &&
        TRUE == ReadImagePath(dwProcessId, &rgPath)) {
        pTarget->strApp = TargetAppName(rgPath.data(), (DWORD)(rgPath.size() * sizeof(WCHAR)));
    }
    WCHAR szClass[MAX_TARGET_CLASS + 1];
    int cchClass = GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass));
    if (cchClass > 0) {
        pTarget->strClass = TargetText(szClass, (DWORD)cchClass * sizeof(WCHAR), MAX_TARGET_CLASS);
    }
    // A process that could not be read now may be at the next scan: only a
    // whole reading is kept, in place of the oldest.
    if (!pTarget->strApp.empty()) {
        KnownWindow& known = m_rgKnown[m_iNext];
        m_iNext = (m_iNext + 1) % ARRAYSIZE(m_rgKnown);
        known.hWnd = hWnd;
        known.strApp = pTarget->strApp;
        known.strClass = pTarget->strClass;
    }
}

ScanTarget ForegroundTargetReader::Read(HWND hWnd)
{
    ScanTarget target;
    if (NULL == hWnd) {
        return target;
    }
    ReadLasting(hWnd, &target);
    // Another process's title is read without a message to it, so a hung
    // window cannot hold the scan up.
    WCHAR szTitle[MAX_TARGET_TITLE + 1];
    int cchTitle = GetWindowTextW(hWnd, szTitle, ARRAYSIZE(szTitle));
    if (cchTitle > 0) {
        target.strTitle = TargetText(szTitle, (DWORD)cchTitle * sizeof(WCHAR), MAX_TARGET_TITLE);
    }
    return target;
}
