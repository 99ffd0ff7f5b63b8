#include "support/BackendTestKit.h"

#include <memory>

#include "support/TestWindows.h"

#define DEVICE_WINDOW_CLASS L"TvxDeviceWindow"

namespace {

struct KitState
{
    std::unique_ptr<SimSession> pSession;
    std::wstring strOldFolder;
    bool fMade = false;
};

KitState& State()
{
    static KitState state;
    return state;
}

}

SimSession* BackendTestKit::Get()
{
    KitState& s = State();
    if (!s.fMade) {
        s.fMade = true;
        WCHAR szFolder[MAX_PATH];
        DWORD cch = GetCurrentDirectoryW(MAX_PATH, szFolder);
        if (cch > 0 && cch < MAX_PATH) {
            s.strOldFolder = szFolder;
        }
        s.pSession.reset(new SimSession());
        if (TRUE != s.pSession->IsReady() ||
            !SetCurrentDirectoryW(s.pSession->GetFolder().GetPath().c_str())) {
            s.pSession.reset();
        }
    }
    return s.pSession.get();
}

void BackendTestKit::End()
{
    KitState& s = State();
    // The folder can only go once it is no longer the current one.
    if (!s.strOldFolder.empty()) {
        SetCurrentDirectoryW(s.strOldFolder.c_str());
    }
    s.pSession.reset();
}

size_t BackendTestKit::Mark()
{
    SimSession* pSession = Get();
    return NULL == pSession ? 0 : pSession->ReadCalls().size();
}

std::vector<SimCall> BackendTestKit::CallsSince(size_t nMark, const char* pszName)
{
    std::vector<SimCall> calls;
    SimSession* pSession = Get();
    if (NULL == pSession) {
        return calls;
    }
    std::vector<SimCall> all = pSession->ReadCalls();
    for (size_t i = nMark; i < all.size(); i++) {
        if (NULL == pszName || all[i].strName == pszName) {
            calls.push_back(all[i]);
        }
    }
    return calls;
}

std::vector<std::string> BackendTestKit::CallTextsSince(size_t nMark, const char* const* rgpszIgnored)
{
    std::vector<std::string> texts;
    for (const SimCall& call : CallsSince(nMark)) {
        if ('*' == call.strName[0]) {
            continue;
        }
        std::string strText = call.strName;
        for (const auto& arg : call.args) {
            bool fIgnored = false;
            for (const char* const* ppsz = rgpszIgnored; NULL != ppsz && NULL != *ppsz; ppsz++) {
                fIgnored = fIgnored || arg.first == *ppsz;
            }
            if (!fIgnored) {
                strText += " " + arg.first + (arg.second.empty() ? "" : "=" + arg.second);
            }
        }
        texts.push_back(strText);
    }
    return texts;
}

void BackendTestFixture::SetUp()
{
    m_pSession = BackendTestKit::Get();
    ASSERT_NE(nullptr, m_pSession);
    ASSERT_EQ(TRUE, m_pSession->SetConditions(m_pszBaseConditions));
    m_nMark = BackendTestKit::Mark();
}

std::vector<SimCall> PolledBackendTestFixture::Calls(const char* pszName) const
{
    return BackendTestKit::CallsSince(m_nMark, pszName);
}

std::vector<std::string> PolledBackendTestFixture::CallNames() const
{
    std::vector<std::string> names;
    for (const SimCall& call : Calls()) {
        if ('*' != call.strName[0]) {
            names.push_back(call.strName);
        }
    }
    return names;
}

DeviceWindow::DeviceWindow(UINT uMessage, std::function<void()> fnOnMessage)
    : m_hWnd(NULL), m_uMessage(uMessage), m_fnOnMessage(fnOnMessage), m_nCount(0)
{
    // Made once every member the window procedure reads exists.
    m_hWnd = CreateObjectWindow(DEVICE_WINDOW_CLASS, Proc, L"", 0, 0, HWND_MESSAGE, this);
}

DeviceWindow::~DeviceWindow()
{
    if (NULL != m_hWnd) {
        DestroyWindow(m_hWnd);
    }
}

LRESULT CALLBACK DeviceWindow::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    DeviceWindow* pWindow = reinterpret_cast<DeviceWindow*>(GetWindowLongPtrW(hWnd, 0));
    if (NULL != pWindow && uMsg == pWindow->m_uMessage) {
        pWindow->m_nCount++;
        if (pWindow->m_fnOnMessage) {
            pWindow->m_fnOnMessage();
        }
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}
