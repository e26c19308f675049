// String look-ups by id, with the locale library's translation when it is bound.
#include "settings/ui_strings.h"

#include <strsafe.h>

namespace {

constexpr int kCopyChars = 260;
const WCHAR kMissingText[] = TEXT("---");
const WCHAR kCaptionSection[] = TEXT("Caption");

WCHAR g_uiText[kComposedChars];

// A string-table text in a new block of the host's heap, shrunk to its length.
LPWSTR LoadEnglishCopy(const SettingsContext* context, UINT id) {
    auto* block = static_cast<LPWSTR>(
        HeapAlloc(context->HostHeap, HEAP_ZERO_MEMORY, kCopyChars * sizeof(WCHAR)));
    if (block == nullptr)
        return nullptr;
    int length = LoadStringW(context->ResourceModule, id, block, kCopyChars);
    if (length <= 0) {
        HeapFree(context->HostHeap, 0, block);
        return nullptr;
    }
    void* shrunk = HeapReAlloc(context->HostHeap, 0, block, (length + 1) * sizeof(WCHAR));
    return shrunk != nullptr ? static_cast<LPWSTR>(shrunk) : block;
}

// Replaces the English block by a copy of the translation, when there is one.
LPWSTR ReplaceWithTranslation(const SettingsContext* context, LPWSTR english, LPCWSTR translation) {
    int length = LocaleAnswerLength(translation);
    if (length == 0)
        return english;
    auto* block = static_cast<LPWSTR>(
        HeapAlloc(context->HostHeap, HEAP_ZERO_MEMORY, (length + 1) * sizeof(WCHAR)));
    if (block == nullptr)
        return english;
    TakeLocaleAnswer(translation, english, block, length + 1);
    HeapFree(context->HostHeap, 0, english);
    return block;
}

} // namespace

LPCWSTR TranslateWord(const SettingsContext* context, LPCWSTR section, LPCWSTR english,
                      WCHAR (&buffer)[kComposedChars]) {
    LPCWSTR translation = nullptr;
    if (context->LocaleInstance != nullptr) {
        if (section == nullptr && context->GetString != nullptr)
            translation = context->GetString(context->LocaleInstance, english);
        else if (section != nullptr && context->GetSectionString != nullptr)
            translation = context->GetSectionString(context->LocaleInstance, section, english);
    }
    return TakeLocaleAnswer(translation, english, buffer, kComposedChars);
}

WCHAR DecimalSeparator(const SettingsContext* context) {
    WCHAR buffer[kComposedChars];
    return lstrcmpW(TranslateWord(context, TEXT("Format"), TEXT("."), buffer), TEXT(",")) == 0
               ? TEXT(',')
               : TEXT('.');
}

LPCWSTR GetUiString(const SettingsContext* context, UINT id) {
    if (LoadStringW(context->ResourceModule, id, g_uiText, kComposedChars) <= 0)
        return kMissingText;
    if (context->LocaleInstance == nullptr || context->GetString == nullptr)
        return g_uiText;
    return TakeLocaleAnswer(context->GetString(context->LocaleInstance, g_uiText), g_uiText,
                            g_uiText, kComposedChars);
}

LPWSTR GetUiStringCopy(const SettingsContext* context, UINT id) {
    LPWSTR english = LoadEnglishCopy(context, id);
    if (english == nullptr || context->LocaleInstance == nullptr || context->GetString == nullptr)
        return english;
    return ReplaceWithTranslation(context, english,
                                  context->GetString(context->LocaleInstance, english));
}

LPWSTR GetCaptionString(const SettingsContext* context, UINT id) {
    LPWSTR english = LoadEnglishCopy(context, id);
    if (english == nullptr || context->LocaleInstance == nullptr ||
        context->GetSectionString == nullptr)
        return english;
    return ReplaceWithTranslation(
        context, english,
        context->GetSectionString(context->LocaleInstance, kCaptionSection, english));
}

void TranslateWithLocale(const SettingsContext* context, HWND window) {
    if (context != nullptr && context->LocaleInstance != nullptr &&
        context->TranslateDialog != nullptr)
        context->TranslateDialog(context->LocaleInstance, window);
}
