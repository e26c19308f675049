// The shell's file-open dialog behind every "Browse ...", and the suite look-up.
#include "pages/file_chooser.h"

#include "core/module_state.h"
#include "pages/chosen_path.h"
#include "settings/scoped_handles.h"

#include <objbase.h>
#include <shobjidl.h>
#include <stdlib.h>
#include <strsafe.h>

namespace {

// Releases a COM interface at the end of a scope.
template <class T> class ComPtr {
public:
    ~ComPtr() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    T* operator->() const { return pointer_; }
    T* get() const { return pointer_; }
    void** put() { return reinterpret_cast<void**>(&pointer_); }

private:
    T* pointer_ = nullptr;
};

// The two filter entries: display name then pattern, twice.
bool SplitFilter(LPCWSTR filter, COMDLG_FILTERSPEC filters[2]) {
    if (filter == nullptr)
        return false;
    LPCWSTR parts[4];
    LPCWSTR text = filter;
    for (LPCWSTR& part : parts) {
        part = text;
        text += lstrlenW(text) + 1;
    }
    filters[0] = {parts[0], parts[1]};
    filters[1] = {parts[2], parts[3]};
    return true;
}

bool CopyChosenPath(IFileDialog* dialog, FileOpenRequest* request) {
    ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(reinterpret_cast<IShellItem**>(item.put()))))
        return false;
    LPWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return false;
    bool taken = TakeChosenPath(path, request->lpstrFile, request->nMaxFile);
    CoTaskMemFree(path);
    return taken;
}

} // namespace

bool ShowFileOpenDialog(FileOpenRequest* request) {
    ComPtr<IFileDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileDialog, dialog.put())))
        return false;
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(dialog->GetOptions(&options)) ||
        FAILED(dialog->SetOptions(options | FOS_PATHMUSTEXIST | FOS_FILEMUSTEXIST)))
        return false;
    COMDLG_FILTERSPEC filters[2];
    if (!SplitFilter(request->lpstrFilter, filters) || FAILED(dialog->SetFileTypes(2, filters)))
        return false;
    if (request->lpstrInitialDir != nullptr) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(request->lpstrInitialDir, nullptr, IID_IShellItem,
                                                  folder.put())))
            dialog->SetFolder(folder.get());
    }
    if (FAILED(dialog->Show(request->hwndOwner)))
        return false;
    return CopyChosenPath(dialog.get(), request);
}

bool ChooseFile(HWND owner, LPCWSTR filter, LPCWSTR initialFolder, WCHAR* file, DWORD fileChars) {
    FileOpenRequest request;
    ZeroMemory(&request, sizeof(request));
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.hInstance = g_module;
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = fileChars;
    request.lpstrInitialDir = initialFolder;
    request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    return ShowFileOpenDialog(&request);
}

namespace {

const WCHAR kUninstallKey[] = TEXT("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
const WCHAR kSuiteName[] = TEXT("Tarvik Software Suite");
constexpr int kMinimumSuiteVersion = 8;
constexpr DWORD kValueBytes = 520;

bool ReadUninstallValue(LPCWSTR subkey, LPCWSTR name, WCHAR* value) {
    WCHAR path[MAX_PATH * 2];
    StringCchPrintfW(path, ARRAYSIZE(path), TEXT("%ls\\%ls"), kUninstallKey, subkey);
    ScopedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    ZeroMemory(value, kValueBytes + sizeof(WCHAR));
    DWORD bytes = kValueBytes, type = 0;
    return RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(value),
                            &bytes) == ERROR_SUCCESS;
}

bool NamesTheSuite(LPCWSTR displayName) {
    int length = lstrlenW(kSuiteName);
    if (lstrlenW(displayName) < length)
        return false;
    WCHAR start[ARRAYSIZE(kSuiteName)];
    StringCchCopyNW(start, ARRAYSIZE(start), displayName, length);
    return lstrcmpiW(start, kSuiteName) == 0;
}

} // namespace

bool FindSuiteVersion() {
    ScopedRegKey uninstall;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, uninstall.put()) !=
        ERROR_SUCCESS)
        return false;
    for (DWORD index = 0;; ++index) {
        WCHAR subkey[MAX_PATH];
        DWORD chars = MAX_PATH;
        if (RegEnumKeyExW(uninstall.get(), index, subkey, &chars, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            return false;
        WCHAR value[kValueBytes / sizeof(WCHAR) + 1];
        if (!ReadUninstallValue(subkey, TEXT("DisplayName"), value) || !NamesTheSuite(value))
            continue;
        if (ReadUninstallValue(subkey, TEXT("DisplayVersion"), value) &&
            _wtoi(value) >= kMinimumSuiteVersion)
            return true;
    }
}
