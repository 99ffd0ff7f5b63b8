// For tests that drive a scanner back-end in the test process, over its
// stand-in vendor library: one simulated terminal for the whole program (the
// stand-in reads its file names once, at its first call), its folder as the
// current folder, a window that stands in for the module window, and the
// GoogleTest fixtures over them.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/SimSession.h"

// The program's simulated terminal. A test program calls End from the
// TearDown of a global test environment, so that the folder goes at the end.
class BackendTestKit
{
public:
    // The session, made at the first call, with its folder as the current
    // folder (where the Falcon stand-in makes its device files). NULL when it
    // could not be made.
    static SimSession* Get();
    // Puts the current folder back and ends the session.
    static void End();

    // The number of calls logged so far: a mark for CallsSince.
    static size_t Mark();
    // The calls logged after the mark (of pszName only, unless NULL).
    static std::vector<SimCall> CallsSince(size_t nMark, const char* pszName = NULL);
    // The calls after the mark as "Name key=value ..." texts without the
    // terminal's own lines (those starting with *) and without the keys in
    // the NULL-terminated list rgpszIgnored.
    static std::vector<std::string> CallTextsSince(size_t nMark, const char* const* rgpszIgnored);
};

// A message-only window standing in for the module window: each time
// uMessage arrives it calls fnOnMessage.
class DeviceWindow
{
public:
    DeviceWindow(UINT uMessage, std::function<void()> fnOnMessage);
    ~DeviceWindow();

    DeviceWindow(const DeviceWindow&) = delete;
    DeviceWindow& operator=(const DeviceWindow&) = delete;

    HWND GetHandle() const { return m_hWnd; }
    // How often uMessage has arrived.
    int GetCount() const { return m_nCount; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    UINT m_uMessage;
    std::function<void()> m_fnOnMessage;
    int m_nCount;
};

// Ends the kit's session after the last test: each test program registers
// one with ::testing::AddGlobalTestEnvironment.
class BackendKitEnvironment : public ::testing::Environment
{
public:
    void TearDown() override { BackendTestKit::End(); }
};

// Each test starts from the base conditions, with a mark for the calls it
// causes.
class BackendTestFixture : public ::testing::Test
{
protected:
    explicit BackendTestFixture(const char* pszBaseConditions) : m_pszBaseConditions(pszBaseConditions) {}

    void SetUp() override;

    SimSession* m_pSession = NULL;
    size_t m_nMark = 0;

private:
    const char* m_pszBaseConditions;
};

// For a back-end that the test makes and polls itself, reading its calls by
// name.
class PolledBackendTestFixture : public BackendTestFixture
{
protected:
    explicit PolledBackendTestFixture(const char* pszBaseConditions) : BackendTestFixture(pszBaseConditions) {}

    // The calls since the test's start (of pszName only, unless NULL).
    std::vector<SimCall> Calls(const char* pszName = NULL) const;
    // Their names, without the terminal's own lines.
    std::vector<std::string> CallNames() const;
};

// For a back-end made on a device window: the window routes uDeviceMessage
// to the back-end's onScannerMessage, and the calls read as texts without
// the NULL-terminated list of keys rgpszVarying.
template <class TBackend>
class WindowBackendTestFixture : public BackendTestFixture
{
protected:
    WindowBackendTestFixture(const char* pszBaseConditions, UINT uDeviceMessage, const char* const* rgpszVarying)
        : BackendTestFixture(pszBaseConditions), m_uDeviceMessage(uDeviceMessage), m_rgpszVarying(rgpszVarying)
    {
    }

    void SetUp() override
    {
        BackendTestFixture::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_pWindow.reset(new DeviceWindow(m_uDeviceMessage, [this]() {
            if (m_pBackend) {
                m_pBackend->onScannerMessage();
            }
        }));
        ASSERT_NE(nullptr, m_pWindow->GetHandle());
    }

    // The back-end goes before its window.
    void TearDown() override
    {
        m_pBackend.reset();
        m_pWindow.reset();
    }

    void Make(const std::string& strConditions)
    {
        ASSERT_EQ(TRUE, m_pSession->SetConditions(strConditions));
        m_pBackend.reset(new TBackend(m_pWindow->GetHandle()));
    }

    std::vector<std::string> Calls() const { return BackendTestKit::CallTextsSince(m_nMark, m_rgpszVarying); }

    // What getBarcode hands out; "(null)" for NULL.
    std::wstring Fetch()
    {
        const WCHAR* pszText = m_pBackend->getBarcode();
        return NULL == pszText ? std::wstring(L"(null)") : std::wstring(pszText);
    }

    std::unique_ptr<DeviceWindow> m_pWindow;
    std::unique_ptr<TBackend> m_pBackend;

private:
    UINT m_uDeviceMessage;
    const char* const* m_rgpszVarying;
};
