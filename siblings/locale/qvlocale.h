// qvlocale.dll, the locale library: translations of a program's English texts, read from one
// catalogue file per language. The names in the .def file are the ones the programs look up
// ("CreateEx", "GetString", ...); natively the tests register these functions under those names.
#pragma once

#include <windows.h>

extern "C" {
// A new instance for the catalogues "<name>.<locale>.txt" of a folder, in the caller's heap
// (Create: the process heap). Null when the folder or the name is unusable or memory is short.
HANDLE WINAPI QvLocaleCreate(LPCWSTR catalogueFolder, LPCWSTR catalogueName);
HANDLE WINAPI QvLocaleCreateEx(LPCWSTR catalogueFolder, LPCWSTR catalogueName, HANDLE heap);
// Frees the instance and every text it handed out.
void WINAPI QvLocaleDispose(HANDLE instance);
// Chooses the language ("de_de", "de", "en_us", ...): TRUE when its catalogue is loaded or the
// language is English. Earlier answers of the instance become invalid.
BOOL WINAPI QvLocaleInitLocale(HANDLE instance, LPCWSTR localeCode);
// The languages the instance can show now, as texts one after another ending with an empty one:
// English ("en_us") and the language whose catalogue is loaded. The list lives in the instance.
BOOL WINAPI QvLocaleEnumLocales(HANDLE instance, LPVOID* list);
// Not offered: *list is set to null.
BOOL WINAPI QvLocaleEnumLocaleStrings(HANDLE instance, LPVOID* list);
// The code of the language shown now ("en_us" without a catalogue).
LPCWSTR WINAPI QvLocaleGetActiveLocale(HANDLE instance);
// The translation from section "Strings" or from the named section, or null. The text lives until
// the next InitLocale or Dispose.
LPCWSTR WINAPI QvLocaleGetString(HANDLE instance, LPCWSTR english);
LPCWSTR WINAPI QvLocaleGetSectionString(HANDLE instance, LPCWSTR section, LPCWSTR english);
// Translates a page's or dialog's caption and its buttons, group boxes and static texts by their
// English text, from section "Dialog". TRUE when a catalogue is loaded.
BOOL WINAPI QvLocaleTranslateDialog(HANDLE instance, HWND window);
// Menus are not translated (the programs using this library have none): FALSE.
BOOL WINAPI QvLocaleTranslateMenu(HANDLE instance, HMENU menu);
}
