// Binding the maker's locale library to a settings context.
#include "settings/ui_strings.h"

#include "core/activation_context.h"
#include "settings/scoped_handles.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

const WCHAR kLocaleLibrary[] = TEXT("\\3\\qvlocale.dll");
const WCHAR kCatalogueName[] = TEXT("qvembui");
const WCHAR kDefaultLocale[] = TEXT("en_us");

template <class Proc> void LookUp(HMODULE module, const char* name, Proc* proc) {
    *proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void LookUpLocaleEntryPoints(SettingsContext* context) {
    HMODULE module = context->LocaleModule;
    LookUp(module, "Create", &context->Create);
    LookUp(module, "CreateEx", &context->CreateEx);
    LookUp(module, "Dispose", &context->Dispose);
    LookUp(module, "InitLocale", &context->InitLocale);
    LookUp(module, "EnumLocales", &context->EnumLocales);
    LookUp(module, "EnumLocaleStrings", &context->EnumLocaleStrings);
    LookUp(module, "GetActiveLocale", &context->GetActiveLocale);
    LookUp(module, "GetString", &context->GetString);
    LookUp(module, "GetSectionString", &context->GetSectionString);
    LookUp(module, "TranslateDialog", &context->TranslateDialog);
    LookUp(module, "TranslateMenu", &context->TranslateMenu);
}

// The installation's user-interface language, "en_us" unless the setup recorded another.
void ReadLocaleCode(WCHAR* code, DWORD chars) {
    StringCchCopyW(code, chars, kDefaultLocale);
    WCHAR path[MAX_PATH];
    StringCchPrintfW(path, ARRAYSIZE(path), TEXT("%ls\\%ls"), TEXT("SOFTWARE\\Quorvane"),
                     TEXT("TarvikSetup"));
    ScopedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return;
    // At most 4096 bytes of the value, and always a terminator after them.
    constexpr DWORD kLocaleBytes = 4096;
    WCHAR value[kLocaleBytes / sizeof(WCHAR) + 1] = {};
    DWORD bytes = kLocaleBytes;
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), TEXT("Locale"), nullptr, &type, reinterpret_cast<LPBYTE>(value),
                         &bytes) == ERROR_SUCCESS)
        StringCchCopyW(code, chars, value);
}

} // namespace

void BindLocaleLibrary(SettingsContext* context) {
    WCHAR path[kComposedChars] = {};
    StringCchCopyW(path, kComposedChars, DriverDirectory(context));
    StringCchCatW(path, kComposedChars, kLocaleLibrary);

    context->LocaleModule = ModuleLoadLibrary(path);
    if (context->LocaleModule == nullptr)
        return;
    LookUpLocaleEntryPoints(context);
    if (context->CreateEx == nullptr)
        return;

    WCHAR catalogue[kComposedChars];
    StringCchPrintfW(catalogue, kComposedChars, TEXT("%ls\\Tarvik\\%ls\\Locale"),
                     context->InstallFolder, context->DriverName);
    WCHAR localeCode[kComposedChars];
    ReadLocaleCode(localeCode, kComposedChars);

    context->LocaleInstance = context->CreateEx(catalogue, kCatalogueName, context->HostHeap);
    if (context->LocaleInstance == nullptr)
        return;
    LPVOID locales = nullptr;
    if (context->EnumLocales != nullptr)
        context->EnumLocales(context->LocaleInstance, &locales);
    if (context->InitLocale != nullptr)
        context->InitLocale(context->LocaleInstance, localeCode);
}
