// Reading Caps Lock through the foreground window's thread, and every way
// back to this thread's own reading, through a scripted set of Win32 calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard/CapsLock.h"

namespace {

#define OWN_THREAD 7
#define FOREGROUND_THREAD 42

// A system where this thread sees Caps Lock off and the foreground thread
// sees it on; what the reading calls is logged.
class ScriptedCalls : public CapsLockCalls
{
public:
    void* m_pvForeground = &m_window;
    DWORD m_dwForegroundThread = FOREGROUND_THREAD;
    BOOL m_fHung = FALSE;
    BOOL m_fAttachRefused = FALSE;
    BOOL m_fResets = FALSE;
    std::vector<std::string> m_log;

    void* foregroundWindow() override { return m_pvForeground; }
    DWORD windowThread(void*) override { return m_dwForegroundThread; }
    BOOL isHungAppWindow(void*) override
    {
        m_log.push_back("hung?");
        return m_fHung;
    }
    DWORD currentThread() override { return OWN_THREAD; }
    BOOL attachingResetsKeyState() override { return m_fResets; }
    BOOL attachThreadInput(DWORD dwThread, DWORD dwToThread, BOOL fAttach) override
    {
        m_log.push_back(std::string(TRUE == fAttach ? "attach " : "detach ") +
                        std::to_string(dwThread) + " " + std::to_string(dwToThread));
        if (TRUE == fAttach && TRUE == m_fAttachRefused) {
            return FALSE;
        }
        m_fAttached = fAttach;
        return TRUE;
    }
    BOOL capsLockToggled() override
    {
        m_log.push_back(TRUE == m_fAttached ? "read foreground" : "read own");
        return m_fAttached;
    }

private:
    int m_window = 0;
    BOOL m_fAttached = FALSE;
};

struct Case
{
    const char* pszName;
    void (*pfnSetUp)(ScriptedCalls&);
    BOOL fExpected;
    std::vector<std::string> log;
};

TEST(ReadCapsLock, AttachesOnlyWhereItMayAndFallsBackOtherwise)
{
    const Case cases[] = {
        { "the foreground thread's state, then detached", [](ScriptedCalls&) {}, TRUE,
          { "hung?", "attach 7 42", "read foreground", "detach 7 42" } },
        { "no foreground window", [](ScriptedCalls& c) { c.m_pvForeground = NULL; }, FALSE,
          { "read own" } },
        { "the foreground window is gone", [](ScriptedCalls& c) { c.m_dwForegroundThread = 0; },
          FALSE, { "read own" } },
        { "our own window in front",
          [](ScriptedCalls& c) { c.m_dwForegroundThread = OWN_THREAD; }, FALSE, { "read own" } },
        { "a hung window is never attached to", [](ScriptedCalls& c) { c.m_fHung = TRUE; }, FALSE,
          { "hung?", "read own" } },
        { "attaching would reset the key state", [](ScriptedCalls& c) { c.m_fResets = TRUE; },
          FALSE, { "read own" } },
        { "the attachment is refused", [](ScriptedCalls& c) { c.m_fAttachRefused = TRUE; }, FALSE,
          { "hung?", "attach 7 42", "read own" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        ScriptedCalls calls;
        c.pfnSetUp(calls);
        EXPECT_EQ(c.fExpected, ReadCapsLock(&calls));
        EXPECT_EQ(c.log, calls.m_log);
    }
}

}  // namespace
