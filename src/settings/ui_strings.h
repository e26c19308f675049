// Texts by string id: the module's English string table, translated by the locale library when
// the context has bound it.
#pragma once

#include "settings/locale_answers.h"
#include "settings/settings_context.h"

// The (translated) text in one module-wide buffer that the next call overwrites, or "---" when
// the id has no entry.
LPCWSTR GetUiString(const SettingsContext* context, UINT id);

// The (translated) text in a new block of the host's heap that lives as long as the sheet;
// null when the id has no entry or memory is short.
LPWSTR GetUiStringCopy(const SettingsContext* context, UINT id);

// As GetUiStringCopy, translated from the locale library's "Caption" section.
LPWSTR GetCaptionString(const SettingsContext* context, UINT id);

// The locale library's word for an English word, from `section` (null: its plain strings),
// copied into `buffer` and cut at its size; the English word itself when the library has none
// or answers an empty text.
LPCWSTR TranslateWord(const SettingsContext* context, LPCWSTR section, LPCWSTR english,
                      WCHAR (&buffer)[kComposedChars]);

// The decimal point of the language the pages are shown in: what the locale library's "Format"
// section gives for ".", when that is ","; otherwise ".".
WCHAR DecimalSeparator(const SettingsContext* context);

// Binds the maker's locale library to the context; on success LocaleInstance is set.
void BindLocaleLibrary(SettingsContext* context);

// Translates a page or dialog in place when the context has a locale instance.
void TranslateWithLocale(const SettingsContext* context, HWND window);
