// One instance of the locale library: where its catalogues are, the language chosen and that
// language's catalogue.
#pragma once

#include "catalogue.h"
#include "locale_codes.h"

constexpr int kFolderChars = 4096;
constexpr int kNameChars = 64;

struct LocaleInstance {
    DWORD signature; // kInstanceSignature while the instance lives
    HANDLE heap;
    WCHAR folder[kFolderChars];
    WCHAR name[kNameChars];
    WCHAR activeCode[kCodeChars];
    WCHAR localeList[2 * kCodeChars + 1]; // EnumLocales' answer
    Catalogue catalogue;
};

// The instance behind a handle, or null for a handle this library did not hand out (or one
// already disposed).
LocaleInstance* InstanceFromHandle(HANDLE handle);

// Section "Dialog": TranslateDialog's texts.
extern const WCHAR kDialogSection[];

// Translates the window's caption and its children's texts (dialog_translation.cpp).
void TranslateWindowTexts(const Catalogue* catalogue, HWND window);
