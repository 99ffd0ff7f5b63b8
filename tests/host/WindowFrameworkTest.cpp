// The window framework with real windows: binding, routing table, results.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/WindowBase.h"
#include "host/WindowClass.h"

namespace {

const WCHAR kszClass[] = L"TvxFrameworkTest";

class RecordingWindow : public WindowBase
{
public:
    void onCreate(HWND hWnd) override
    {
        m_hWnd = hWnd;
        log.push_back("onCreate");
    }
    void onDestroy() override
    {
        log.push_back("onDestroy");
        if (NULL != hWndToNotifyOnDestroy) {
            COPYDATASTRUCT cds = {0, 0, NULL};
            resultSentOnDestroy = SendMessageW(hWndToNotifyOnDestroy, WM_COPYDATA, 0,
                                               reinterpret_cast<LPARAM>(&cds));
        }
    }
    void onPaint() override { log.push_back("onPaint"); }
    void onSetFocus() override { log.push_back("onSetFocus"); }
    void onKillFocus(WPARAM wParam) override { log.push_back("onKillFocus " + std::to_string(wParam)); }
    void onChar(WPARAM wParam, LPARAM lParam) override
    {
        log.push_back("onChar " + std::to_string(wParam) + " " + std::to_string(lParam));
    }
    void onKeyDown(WPARAM wParam, LPARAM lParam) override
    {
        log.push_back("onKeyDown " + std::to_string(wParam) + " " + std::to_string(lParam));
    }
    LRESULT onCommand(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override
    {
        log.push_back("onCommand " + std::to_string(hWnd == m_hWnd) + " " + std::to_string(uMsg) +
                      " " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 7;
    }
    void onNotify(HWND hWnd, WPARAM wParam, LPARAM) override
    {
        log.push_back("onNotify " + std::to_string(hWnd == m_hWnd) + " " + std::to_string(wParam));
    }
    BOOL onClose() override
    {
        log.push_back("onClose");
        return fKeepOnClose;
    }
    void onActivate(WPARAM wParam, WORD wHigh, LPARAM) override
    {
        log.push_back("onActivate " + std::to_string(wParam) + " " + std::to_string(wHigh));
    }
    LRESULT onCopyData(LPARAM lParam) override
    {
        const COPYDATASTRUCT* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        log.push_back("onCopyData " + std::to_string(pcds->cbData));
        return 42;
    }
    void onTimer(WPARAM wParam) override { log.push_back("onTimer " + std::to_string(wParam)); }
    void onDeviceMessage() override { log.push_back("onDeviceMessage"); }
    LRESULT defaultProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (fLogDefault) {
            log.push_back("defaultProc " + std::to_string(uMsg));
        }
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }

    std::vector<std::string> log;
    BOOL fKeepOnClose = FALSE;
    bool fLogDefault = true;
    HWND hWndToNotifyOnDestroy = NULL;
    LRESULT resultSentOnDestroy = -1;
};

// A module's window procedure: the same table plus its device message.
LRESULT CALLBACK DeviceWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return RouteWindowMessage(hWnd, uMsg, wParam, lParam, WM_USER + 1);
}

class WindowFrameworkTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = WindowProc;
        wc.cbWndExtra = WINDOWBASE_EXTRA_BYTES;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = kszClass;
        ASSERT_NE(0, RegisterClassW(&wc));
        wc.lpfnWndProc = DeviceWindowProc;
        wc.lpszClassName = L"TvxFrameworkDevice";
        ASSERT_NE(0, RegisterClassW(&wc));
    }

    HWND Create(WindowBase* pWindow, const WCHAR* pszClass = kszClass)
    {
        HWND hWnd = CreateWindowExW(0, pszClass, L"framework", WS_OVERLAPPED, 0, 0, 100, 100,
                                    NULL, NULL, GetModuleHandleW(NULL), pWindow);
        if (NULL != hWnd) {
            m_windows.push_back(hWnd);
        }
        return hWnd;
    }

    void TearDown() override
    {
        for (HWND hWnd : m_windows) {
            if (IsWindow(hWnd)) {
                DestroyWindow(hWnd);
            }
        }
    }

    std::vector<HWND> m_windows;
};

TEST_F(WindowFrameworkTest, BindsOnCreateBeforeAnyOtherHandler)
{
    RecordingWindow window;
    HWND hWnd = Create(&window);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(&window, GetWindowObject(hWnd));
    EXPECT_EQ(hWnd, window.m_hWnd);
    // WM_NCCREATE and friends came before WM_CREATE and reached no object.
    ASSERT_FALSE(window.log.empty());
    EXPECT_EQ("onCreate", window.log.front());
}

TEST_F(WindowFrameworkTest, ClassWithFourExtraBytesCannotHoldTheObject)
{
    // The fault the creators' binding check catches on x86_64.
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = 4;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"TvxFrameworkNarrow";
    ASSERT_NE(0, RegisterClassW(&wc));
    RecordingWindow window;
    HWND hWnd = Create(&window, L"TvxFrameworkNarrow");
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, GetWindowObject(hWnd));
    window.log.clear();
    SendMessageW(hWnd, WM_TIMER, 1, 0);
    EXPECT_TRUE(window.log.empty());
}

struct RouteCase
{
    UINT uMsg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT nResult;
    std::vector<std::string> log;
};

TEST_F(WindowFrameworkTest, RoutesEachMessageToItsSlotWithItsResult)
{
    const UINT kDefault = 0x0400 + 77;
    const std::string sDefault = "defaultProc " + std::to_string(kDefault);
    const RouteCase cases[] = {
        {WM_TIMER, 5, 0, 0, {"onTimer 5"}},
        {WM_KEYDOWN, 0x41, 9, 0, {"onKeyDown 65 9"}},
        {WM_CHAR, 0x61, 3, 0, {"onChar 97 3"}},
        {WM_COMMAND, 40004, 513, 7, {"onCommand 1 273 40004 513"}},
        {WM_NOTIFY, 12, 0, 0, {"onNotify 1 12"}},
        {WM_SETFOCUS, 0, 0, 0, {"onSetFocus", "defaultProc 7"}},
        {WM_KILLFOCUS, 0, 0, 0, {"onKillFocus 0", "defaultProc 8"}},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0, 0,
         {"onActivate 65536 1", "defaultProc 6"}},
        {kDefault, 1, 2, 0, {sDefault}},
        // Only a module's own procedure knows its device message.
        {WM_USER + 1, 0, 0, 0, {"defaultProc 1025"}},
    };
    RecordingWindow window;
    HWND hWnd = Create(&window);
    ASSERT_NE(nullptr, hWnd);
    for (const RouteCase& c : cases) {
        SCOPED_TRACE(c.uMsg);
        window.log.clear();
        NMHDR nmhdr = {hWnd, 12, 0};
        LPARAM lParam = (WM_NOTIFY == c.uMsg) ? reinterpret_cast<LPARAM>(&nmhdr) : c.lParam;
        EXPECT_EQ(c.nResult, SendMessageW(hWnd, c.uMsg, c.wParam, lParam));
        EXPECT_EQ(c.log, window.log);
    }
}

TEST_F(WindowFrameworkTest, CopyDataReturnsTheHandlersResult)
{
    RecordingWindow window;
    HWND hWnd = Create(&window);
    ASSERT_NE(nullptr, hWnd);
    WCHAR szScan[] = L"4711";
    COPYDATASTRUCT cds = {0, sizeof(szScan), szScan};
    window.log.clear();
    EXPECT_EQ(42, SendMessageW(hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)));
    EXPECT_EQ(std::vector<std::string>{"onCopyData 10"}, window.log);
}

TEST_F(WindowFrameworkTest, PaintReachesDefaultProcWhichValidates)
{
    RecordingWindow window;
    HWND hWnd = Create(&window);
    ASSERT_NE(nullptr, hWnd);
    // Only a visible window is painted.
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hWnd);
    InvalidateRect(hWnd, NULL, FALSE);
    window.log.clear();
    UpdateWindow(hWnd);
    // WM_NCPAINT and WM_ERASEBKGND may come in between, but WM_PAINT goes on
    // to defaultProc right after the handler, which validates the window.
    auto itPaint = std::find(window.log.begin(), window.log.end(), "onPaint");
    ASSERT_NE(window.log.end(), itPaint);
    ASSERT_NE(window.log.end(), itPaint + 1);
    EXPECT_EQ("defaultProc 15", *(itPaint + 1));
    RECT rc;
    EXPECT_FALSE(GetUpdateRect(hWnd, &rc, FALSE));
}

TEST_F(WindowFrameworkTest, CloseDestroysUnlessTheHandlerKeepsTheWindow)
{
    RecordingWindow keep;
    keep.fKeepOnClose = TRUE;
    HWND hWndKeep = Create(&keep);
    ASSERT_NE(nullptr, hWndKeep);
    keep.log.clear();
    EXPECT_EQ(0, SendMessageW(hWndKeep, WM_CLOSE, 0, 0));
    EXPECT_EQ(std::vector<std::string>{"onClose"}, keep.log);
    EXPECT_TRUE(IsWindow(hWndKeep));

    RecordingWindow close;
    close.fLogDefault = false;
    HWND hWndClose = Create(&close);
    ASSERT_NE(nullptr, hWndClose);
    close.log.clear();
    EXPECT_EQ(0, SendMessageW(hWndClose, WM_CLOSE, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"onClose", "onDestroy"}), close.log);
    EXPECT_FALSE(IsWindow(hWndClose));
}

TEST_F(WindowFrameworkTest, DestroyedWindowNoLongerReachesItsObject)
{
    // A parent gets WM_DESTROY before its child; the child's onDestroy then
    // sends to the parent, which is already unbound.
    RecordingWindow parent;
    HWND hWndParent = Create(&parent);
    ASSERT_NE(nullptr, hWndParent);
    RecordingWindow child;
    HWND hWndChild = CreateWindowExW(0, kszClass, L"child", WS_CHILD, 0, 0, 10, 10, hWndParent,
                                     NULL, GetModuleHandleW(NULL), &child);
    ASSERT_NE(nullptr, hWndChild);
    child.hWndToNotifyOnDestroy = hWndParent;
    parent.log.clear();
    DestroyWindow(hWndParent);
    EXPECT_EQ(0, child.resultSentOnDestroy);
    ASSERT_FALSE(parent.log.empty());
    EXPECT_EQ("onDestroy", parent.log.front());
    for (const std::string& entry : parent.log) {
        EXPECT_NE("onCopyData 0", entry);
    }
}

TEST_F(WindowFrameworkTest, WindowWithoutObjectGetsDefaultProcessing)
{
    HWND hWnd = Create(NULL);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, GetWindowObject(hWnd));
    EXPECT_EQ(0, SendMessageW(hWnd, WM_COMMAND, 1, 0));
    SendMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST_F(WindowFrameworkTest, BaseClassDefaults)
{
    WindowBase window;
    EXPECT_EQ(nullptr, window.m_hWnd);
    EXPECT_EQ(FALSE, window.create());
    HWND hWnd = Create(&window);
    ASSERT_NE(nullptr, hWnd);
    // The framework never writes m_hWnd; the derived class does.
    EXPECT_EQ(nullptr, window.m_hWnd);
    COPYDATASTRUCT cds = {0, 0, NULL};
    EXPECT_EQ(0, SendMessageW(hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)));
    EXPECT_EQ(0, SendMessageW(hWnd, WM_COMMAND, 1, 0));
    SendMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST_F(WindowFrameworkTest, ModuleProcedureRoutesItsDeviceMessage)
{
    RecordingWindow window;
    HWND hWnd = Create(&window, L"TvxFrameworkDevice");
    ASSERT_NE(nullptr, hWnd);
    window.log.clear();
    EXPECT_EQ(0, SendMessageW(hWnd, WM_USER + 1, 3, 4));
    EXPECT_EQ(std::vector<std::string>{"onDeviceMessage"}, window.log);
    window.log.clear();
    COPYDATASTRUCT cds = {0, 2, NULL};
    EXPECT_EQ(42, SendMessageW(hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)));
    EXPECT_EQ(std::vector<std::string>{"onCopyData 2"}, window.log);
}

TEST(RegisterWindowClassTest, RegistersTheHostClass)
{
    HINSTANCE hInstance = GetModuleHandleW(NULL);
    ASSERT_EQ(TRUE, RegisterWindowClass(hInstance));
    WNDCLASSW wc;
    ASSERT_TRUE(GetClassInfoW(hInstance, L"Tolvex", &wc));
    EXPECT_EQ(0u, wc.style);
    EXPECT_EQ(WindowProc, wc.lpfnWndProc);
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ((int)sizeof(void*), wc.cbWndExtra);
    EXPECT_EQ(nullptr, wc.hIcon);
    EXPECT_EQ(nullptr, wc.hCursor);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), wc.hbrBackground);
    EXPECT_EQ(nullptr, wc.lpszMenuName);
    // A second registration of the same class fails.
    EXPECT_EQ(FALSE, RegisterWindowClass(hInstance));
    UnregisterClassW(L"Tolvex", hInstance);
}

}  // namespace
