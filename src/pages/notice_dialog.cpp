// The notice dialog: a question that may be answered once and for all.
#include "pages/notice_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "settings/ui_strings.h"

namespace {

NoticeRequest* g_request = nullptr;

constexpr INT_PTR kAnswerYes = 1;
constexpr INT_PTR kAnswerNo = 2;

BOOL OnInitDialog(HWND dialog, NoticeRequest* request) {
    g_request = request;
    SetDlgItemTextW(dialog, IDC_NOTICE_TEXT, request->Text);
    EnableControl(dialog, IDC_NOTICE_NO, true);
    SetDlgItemTextW(dialog, IDC_NOTICE_NO, TEXT("&No"));
    SetDlgItemTextW(dialog, IDC_NOTICE_YES, TEXT("&Yes"));
    ShowWindow(GetDlgItem(dialog, IDC_NOTICE_OPT_OUT), static_cast<int>(request->OptOutShowState));
    // The plain OK button is for notices without the opt-out question.
    ShowControl(dialog, IDC_NOTICE_OK, request->OptOutShowState != SW_SHOW);
    TranslateWithLocale(request->Context, dialog);
    return TRUE;
}

void Answer(HWND dialog, INT_PTR answer) {
    g_request->OptOutResult = IsChecked(dialog, IDC_NOTICE_OPT_OUT) ? 1 : 0;
    EndDialog(dialog, answer);
}

} // namespace

INT_PTR CALLBACK NoticeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<NoticeRequest*>(lParam));
    case WM_COMMAND:
        // "&Yes" carries the cancel id, so Escape and the close box answer Yes.
        if (LOWORD(wParam) == IDC_NOTICE_YES) {
            Answer(dialog, kAnswerYes);
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_NOTICE_NO) {
            Answer(dialog, kAnswerNo);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR NoticeDialog(HWND owner, NoticeRequest* request) {
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_NOTICE), owner, NoticeDialogProc,
                                reinterpret_cast<LPARAM>(request));
}
