// What typed text lands in: a visible top-level window of this process with a
// multiline EDIT control (Enter gives CR LF, Tab is a character) that holds
// the keyboard focus. Waits pump this thread's messages and are bounded.
#pragma once

#include <windows.h>

#include <string>

// The class of the target's top-level window.
#define TYPING_TARGET_CLASS L"TolvexTypingTarget"

class TypingTarget
{
public:
    // Makes the window and focuses the EDIT control.
    TypingTarget();
    ~TypingTarget();

    TypingTarget(const TypingTarget&) = delete;
    TypingTarget& operator=(const TypingTarget&) = delete;

    // Brings the window to the foreground and the focus to the EDIT control
    // again; TRUE when both hold.
    BOOL Focus();
    // Wine settles the activation of a newly started program's windows late:
    // focuses again until the EDIT control has kept the focus for half a
    // second, at most dwTimeoutMs; TRUE when it has.
    BOOL FocusUntilSettled(DWORD dwTimeoutMs);
    // Empties the EDIT control.
    void Clear();
    // The text so far, after dispatching what is waiting.
    std::wstring GetText();
    // Dispatches messages until the text holds at least nLength characters
    // and nothing more has come for 100 ms, or dwTimeoutMs has passed; the
    // text then.
    std::wstring WaitForText(size_t nLength, DWORD dwTimeoutMs);

    HWND GetWindow() const { return m_hWnd; }
    HWND GetEdit() const { return m_hEdit; }

private:
    HWND m_hWnd;
    HWND m_hEdit;
};

// Dispatches every message waiting for this thread.
void PumpMessages();
