// The folders the Wine check programs work in.
#include "folders.h"

#include <winspool.h>

bool ProgramFolder(WCHAR (&folder)[MAX_PATH]) {
    DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    while (length > 0 && folder[length - 1] != TEXT('\\'))
        --length;
    folder[length] = 0;
    return true;
}

std::wstring PrinterDriverDirectory() {
    WCHAR folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder),
                                    sizeof(folder), &needed))
        return TEXT("");
    return std::wstring(folder) + TEXT("\\");
}

std::wstring DriverFolder() {
    std::wstring directory = PrinterDriverDirectory();
    return directory.empty() ? directory : directory + TEXT("3\\");
}

std::string ReadWholeFile(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

bool WriteWholeFile(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD wrote = 0;
    bool good = text.empty() ||
                (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) &&
                 wrote == text.size());
    CloseHandle(file);
    return good;
}

bool CopyFileInto(LPCWSTR from, const std::wstring& to, LPCWSTR fileName, std::wstring* copy) {
    *copy = to + fileName;
    return CopyFileW((std::wstring(from) + fileName).c_str(), copy->c_str(), FALSE) != FALSE;
}
