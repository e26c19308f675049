// The locale library's entry points.
#include "qvlocale.h"

#include "catalogue_file.h"
#include "locale_instance.h"

#include <strsafe.h>

const WCHAR kDialogSection[] = TEXT("Dialog");

namespace {

constexpr DWORD kInstanceSignature = 0x4C435651; // "QVCL"
const WCHAR kStringsSection[] = TEXT("Strings");
const WCHAR kEnglish[] = TEXT("en_us");

// The instances alive now. A handle is looked up here before it is used, so a stale or foreign
// handle is answered like a missing translation instead of being read.
constexpr int kMaxInstances = 64;
LocaleInstance* g_instances[kMaxInstances];

bool Remember(LocaleInstance* instance) {
    for (LocaleInstance*& slot : g_instances) {
        if (slot == nullptr) {
            slot = instance;
            return true;
        }
    }
    return false;
}

void Forget(LocaleInstance* instance) {
    for (LocaleInstance*& slot : g_instances)
        if (slot == instance)
            slot = nullptr;
}

void UseEnglish(LocaleInstance* instance) {
    FreeCatalogue(&instance->catalogue);
    StringCchCopyW(instance->activeCode, kCodeChars, kEnglish);
}

// "de_de" is looked for as "qvembui.de_de.txt", then as "qvembui.de.txt".
bool LoadLanguage(LocaleInstance* instance, LPCWSTR code, LPCWSTR language) {
    HANDLE heap = instance->heap;
    if (!LoadCatalogueFile(instance->folder, instance->name, code, heap, &instance->catalogue) &&
        (language[0] == 0 || !LoadCatalogueFile(instance->folder, instance->name, language, heap,
                                                &instance->catalogue)))
        return false;
    StringCchCopyW(instance->activeCode, kCodeChars, code);
    return true;
}

} // namespace

LocaleInstance* InstanceFromHandle(HANDLE handle) {
    if (handle == nullptr)
        return nullptr;
    for (LocaleInstance* instance : g_instances)
        if (instance == handle && instance->signature == kInstanceSignature)
            return instance;
    return nullptr;
}

extern "C" {

HANDLE WINAPI QvLocaleCreateEx(LPCWSTR catalogueFolder, LPCWSTR catalogueName, HANDLE heap) {
    if (catalogueFolder == nullptr || !IsPlainName(catalogueName, kNameChars))
        return nullptr;
    if (heap == nullptr)
        heap = GetProcessHeap();
    auto* instance =
        static_cast<LocaleInstance*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(LocaleInstance)));
    if (instance == nullptr)
        return nullptr;
    instance->signature = kInstanceSignature;
    instance->heap = heap;
    // A folder that is too long or not a full path leaves the instance English.
    if (FAILED(StringCchCopyW(instance->folder, kFolderChars, catalogueFolder)) ||
        !IsFullPath(instance->folder))
        instance->folder[0] = 0;
    StringCchCopyW(instance->name, kNameChars, catalogueName);
    StringCchCopyW(instance->activeCode, kCodeChars, kEnglish);
    if (!Remember(instance)) {
        HeapFree(heap, 0, instance);
        return nullptr;
    }
    return instance;
}

HANDLE WINAPI QvLocaleCreate(LPCWSTR catalogueFolder, LPCWSTR catalogueName) {
    return QvLocaleCreateEx(catalogueFolder, catalogueName, GetProcessHeap());
}

void WINAPI QvLocaleDispose(HANDLE handle) {
    LocaleInstance* instance = InstanceFromHandle(handle);
    if (instance == nullptr)
        return;
    Forget(instance);
    FreeCatalogue(&instance->catalogue);
    instance->signature = 0;
    HeapFree(instance->heap, 0, instance);
}

BOOL WINAPI QvLocaleInitLocale(HANDLE handle, LPCWSTR localeCode) {
    LocaleInstance* instance = InstanceFromHandle(handle);
    if (instance == nullptr)
        return FALSE;
    UseEnglish(instance);
    WCHAR code[kCodeChars], language[kCodeChars];
    switch (ReadLocaleCode(localeCode, code, language)) {
    case LocaleRequest::English:
        return TRUE;
    case LocaleRequest::Catalogue:
        return instance->folder[0] != 0 && LoadLanguage(instance, code, language) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

BOOL WINAPI QvLocaleEnumLocales(HANDLE handle, LPVOID* list) {
    if (list == nullptr)
        return FALSE;
    *list = nullptr;
    LocaleInstance* instance = InstanceFromHandle(handle);
    if (instance == nullptr)
        return FALSE;
    WCHAR* out = instance->localeList;
    ZeroMemory(instance->localeList, sizeof(instance->localeList));
    StringCchCopyW(out, kCodeChars, kEnglish);
    if (instance->catalogue.entries != nullptr)
        StringCchCopyW(out + lstrlenW(out) + 1, kCodeChars, instance->activeCode);
    *list = out;
    return TRUE;
}

BOOL WINAPI QvLocaleEnumLocaleStrings(HANDLE, LPVOID* list) {
    if (list != nullptr)
        *list = nullptr;
    return FALSE;
}

LPCWSTR WINAPI QvLocaleGetActiveLocale(HANDLE handle) {
    LocaleInstance* instance = InstanceFromHandle(handle);
    return instance != nullptr ? instance->activeCode : nullptr;
}

LPCWSTR WINAPI QvLocaleGetString(HANDLE handle, LPCWSTR english) {
    LocaleInstance* instance = InstanceFromHandle(handle);
    return instance != nullptr ? FindTranslation(&instance->catalogue, kStringsSection, english)
                               : nullptr;
}

LPCWSTR WINAPI QvLocaleGetSectionString(HANDLE handle, LPCWSTR section, LPCWSTR english) {
    LocaleInstance* instance = InstanceFromHandle(handle);
    return instance != nullptr ? FindTranslation(&instance->catalogue, section, english) : nullptr;
}

BOOL WINAPI QvLocaleTranslateDialog(HANDLE handle, HWND window) {
    LocaleInstance* instance = InstanceFromHandle(handle);
    if (instance == nullptr || instance->catalogue.entries == nullptr || window == nullptr ||
        !IsWindow(window))
        return FALSE;
    TranslateWindowTexts(&instance->catalogue, window);
    return TRUE;
}

BOOL WINAPI QvLocaleTranslateMenu(HANDLE, HMENU) {
    return FALSE;
}

} // extern "C"
