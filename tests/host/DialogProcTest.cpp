// The dialog half of the framework with real modal dialogs made from an
// in-memory template.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "host/WindowBase.h"

namespace {

const WCHAR kszCaption[] = L"TvxDialogProcTest";
const int kButtonId = 1001;

// A modal dialog with one push button, built in memory.
std::vector<WORD> MakeTemplate()
{
    std::vector<WORD> words;
    auto pushDword = [&](DWORD dw) {
        words.push_back(LOWORD(dw));
        words.push_back(HIWORD(dw));
    };
    auto pushText = [&](const WCHAR* psz) {
        for (; *psz; ++psz) {
            words.push_back(*psz);
        }
        words.push_back(0);
    };
    pushDword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    pushDword(0);
    words.push_back(1);                       // one control
    words.insert(words.end(), {0, 0, 100, 60});
    words.push_back(0);                       // no menu
    words.push_back(0);                       // default class
    pushText(kszCaption);
    if (words.size() % 2) {
        words.push_back(0);                   // items are DWORD-aligned
    }
    pushDword(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    pushDword(0);
    words.insert(words.end(), {10, 30, 40, 14});
    words.push_back(kButtonId);
    words.push_back(0xFFFF);
    words.push_back(0x0080);                  // button
    pushText(L"Press");
    words.push_back(0);                       // no creation data
    return words;
}

class RecordingDialog : public WindowBase
{
public:
    void onCreate(HWND hWnd) override
    {
        m_hWnd = hWnd;
        boundInOnCreate = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hWnd, DWLP_USER));
        NMHDR nmhdr = {hWnd, 5, 0};
        SendMessageW(hWnd, WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&nmhdr));
        SendMessageW(hWnd, WM_GETDLGCODE, 0, 0);
        PostMessageW(GetDlgItem(hWnd, kButtonId), BM_CLICK, 0, 0);
    }
    LRESULT onCommand(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM) override
    {
        commands.push_back(wParam);
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), uMsg);
        if (kButtonId == LOWORD(wParam)) {
            EndDialog(hWnd, 77);
            return TRUE;
        }
        return FALSE;
    }
    void onNotify(HWND hWnd, WPARAM wParam, LPARAM) override
    {
        EXPECT_EQ(m_hWnd, hWnd);
        notified = wParam;
    }
    LRESULT onGetDlgCode() override
    {
        ++dlgCodeCalls;
        return DLGC_WANTALLKEYS;
    }

    WindowBase* boundInOnCreate = NULL;
    std::vector<WPARAM> commands;
    WPARAM notified = 0;
    int dlgCodeCalls = 0;
};

TEST(DialogProcTest, BindsTheObjectAndRoutesItsMessages)
{
    std::vector<WORD> words = MakeTemplate();
    RecordingDialog dialog;
    INT_PTR nResult = DialogBoxIndirectParamW(
        GetModuleHandleW(NULL), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), NULL,
        DialogProc, reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(77, nResult);
    EXPECT_EQ(&dialog, dialog.boundInOnCreate);
    EXPECT_NE(nullptr, dialog.m_hWnd);
    EXPECT_EQ(std::vector<WPARAM>{kButtonId}, dialog.commands);
    EXPECT_EQ(5u, dialog.notified);
    EXPECT_EQ(1, dialog.dlgCodeCalls);
}

WPARAM gCommandToSend = 0;
int gnTicks = 0;
bool gfStayedOpen = false;

// A thread timer fires in the dialog's own modal loop: the first tick sends
// the command, a later tick finds the dialog still open and cancels it.
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hWndDialog = FindWindowW(L"#32770", kszCaption);
    if (NULL == hWndDialog) {
        return;
    }
    if (0 == gnTicks++) {
        SendMessageW(hWndDialog, WM_COMMAND, gCommandToSend, 0);
    } else {
        gfStayedOpen = true;
        SendMessageW(hWndDialog, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST(DialogProcTest, WithoutObjectOkAndCancelEndWithOne)
{
    std::vector<WORD> words = MakeTemplate();
    for (WPARAM wCommand : {WPARAM(IDOK), WPARAM(IDCANCEL), WPARAM(kButtonId)}) {
        SCOPED_TRACE(wCommand);
        gCommandToSend = wCommand;
        gnTicks = 0;
        gfStayedOpen = false;
        UINT_PTR idTimer = SetTimer(NULL, 0, 50, AnswerDialog);
        ASSERT_NE(0u, idTimer);
        INT_PTR nResult = DialogBoxIndirectParamW(
            GetModuleHandleW(NULL), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), NULL,
            DialogProc, 0);
        KillTimer(NULL, idTimer);
        EXPECT_EQ(1, nResult);
        // Any other command leaves a dialog without an object open.
        EXPECT_EQ(kButtonId == wCommand, gfStayedOpen);
    }
}

}  // namespace
