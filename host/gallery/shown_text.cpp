// Translating the tour's search texts through the installed qvlocale.dll.
#include "shown_text.h"

#include <strsafe.h>

namespace {

using CreateFunction = HANDLE(WINAPI*)(LPCWSTR, LPCWSTR);
using InitLocaleFunction = BOOL(WINAPI*)(HANDLE, LPCWSTR);
using GetStringFunction = LPCWSTR(WINAPI*)(HANDLE, LPCWSTR);

template <class Proc> void LookUp(HMODULE module, const char* name, Proc* proc) {
    *proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool ReadMachineText(LPCWSTR keyName, LPCWSTR valueName, WCHAR* text, DWORD chars) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, bytes = (chars - 1) * sizeof(WCHAR);
    LONG result =
        RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<LPBYTE>(text), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    text[bytes / sizeof(WCHAR)] = 0;
    return true;
}

class InstalledCatalogue {
public:
    InstalledCatalogue() {
        WCHAR code[64] = {}, installFolder[MAX_PATH] = {};
        if (!ReadMachineText(TEXT("SOFTWARE\\Quorvane\\TarvikSetup"), TEXT("Locale"), code, 64) ||
            !ReadMachineText(TEXT("SOFTWARE\\Quorvane"), TEXT("QVDir"), installFolder, MAX_PATH))
            return;
        module_ = LoadLibraryW(TEXT("qvlocale.dll"));
        if (module_ == nullptr)
            return;
        CreateFunction create = nullptr;
        InitLocaleFunction initLocale = nullptr;
        LookUp(module_, "Create", &create);
        LookUp(module_, "InitLocale", &initLocale);
        LookUp(module_, "GetString", &getString_);
        if (create == nullptr || initLocale == nullptr || getString_ == nullptr)
            return;
        WCHAR folder[MAX_PATH];
        StringCchPrintfW(folder, MAX_PATH, TEXT("%ls\\Tarvik\\Tarvik\\Locale"), installFolder);
        instance_ = create(folder, TEXT("qvembui"));
        if (instance_ != nullptr)
            initLocale(instance_, code);
    }
    InstalledCatalogue(const InstalledCatalogue&) = delete;
    InstalledCatalogue& operator=(const InstalledCatalogue&) = delete;

    std::wstring Translate(LPCWSTR english) const {
        LPCWSTR shown = instance_ != nullptr ? getString_(instance_, english) : nullptr;
        return shown != nullptr ? shown : english;
    }

private:
    HMODULE module_ = nullptr;
    GetStringFunction getString_ = nullptr;
    HANDLE instance_ = nullptr;
};

} // namespace

std::wstring Shown(LPCWSTR english) {
    static const InstalledCatalogue catalogue;
    return catalogue.Translate(english);
}
