// TranslateDialog: a page's or dialog's caption and the texts of its buttons, group boxes and
// static texts, looked up by their English text in section "Dialog". Edit boxes, lists and the
// common controls hold values, not texts of the program, and are left alone.
#include "locale_instance.h"

namespace {

constexpr int kClassChars = 32;

bool IsClass(LPCWSTR actual, const char* wanted) {
    for (int i = 0;; ++i) {
        WCHAR a =
            actual[i] >= 'A' && actual[i] <= 'Z' ? static_cast<WCHAR>(actual[i] + 32) : actual[i];
        char w =
            wanted[i] >= 'A' && wanted[i] <= 'Z' ? static_cast<char>(wanted[i] + 32) : wanted[i];
        if (a != static_cast<WCHAR>(w))
            return false;
        if (a == 0)
            return true;
    }
}

bool HoldsProgramText(HWND control) {
    WCHAR className[kClassChars] = {};
    if (GetClassNameW(control, className, kClassChars) <= 0)
        return false;
    return IsClass(className, "Button") || IsClass(className, "Static");
}

void TranslateText(const Catalogue* catalogue, HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0 || length > kMaxTextChars)
        return; // no text, or longer than any key
    WCHAR text[kMaxTextChars + 1] = {};
    if (GetWindowTextW(window, text, kMaxTextChars + 1) <= 0)
        return;
    LPCWSTR translation = FindTranslation(catalogue, kDialogSection, text);
    if (translation != nullptr)
        SetWindowTextW(window, translation);
}

} // namespace

void TranslateWindowTexts(const Catalogue* catalogue, HWND window) {
    TranslateText(catalogue, window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        if (HoldsProgramText(child))
            TranslateText(catalogue, child);
}
