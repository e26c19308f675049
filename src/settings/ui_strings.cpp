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
    if (translation == nullptr)
        return english;
    int length = LocaleAnswerLength(translation);
    if (length == 0)
        return english;
    auto* block = static_cast<LPWSTR>(
        HeapAlloc(context->HostHeap, HEAP_ZERO_MEMORY, (length + 1) * sizeof(WCHAR)));
    if (block == nullptr)
        return english;
    StringCchCopyNW(block, length + 1, translation, length);
    HeapFree(context->HostHeap, 0, english);
    return block;
}

} // namespace

int LocaleAnswerLength(LPCWSTR answer) {
    size_t length = 0;
    // No terminator within the bound: the text is cut there.
    if (FAILED(StringCchLengthW(answer, kComposedChars, &length)))
        return answer != nullptr ? kComposedChars - 1 : 0;
    return static_cast<int>(length);
}

LPCWSTR TranslateWord(const SettingsContext* context, LPCWSTR section, LPCWSTR english,
                      WCHAR (&buffer)[kComposedChars]) {
    LPCWSTR translation = nullptr;
    if (context->LocaleInstance != nullptr) {
        if (section == nullptr && context->GetString != nullptr)
            translation = context->GetString(context->LocaleInstance, english);
        else if (section != nullptr && context->GetSectionString != nullptr)
            translation = context->GetSectionString(context->LocaleInstance, section, english);
    }
    if (translation == nullptr || LocaleAnswerLength(translation) == 0)
        return english;
    StringCchCopyNW(buffer, kComposedChars, translation, LocaleAnswerLength(translation));
    return buffer;
}

LPCWSTR GetUiString(const SettingsContext* context, UINT id) {
    if (LoadStringW(context->ResourceModule, id, g_uiText, kComposedChars) <= 0)
        return kMissingText;
    if (context->LocaleInstance == nullptr || context->GetString == nullptr)
        return g_uiText;
    LPCWSTR translation = context->GetString(context->LocaleInstance, g_uiText);
    // An empty translation would leave nothing to show: the English text stays.
    if (translation != nullptr && translation != g_uiText && LocaleAnswerLength(translation) > 0)
        StringCchCopyNW(g_uiText, kComposedChars, translation, LocaleAnswerLength(translation));
    return g_uiText;
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
