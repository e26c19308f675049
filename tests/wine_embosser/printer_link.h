// qvmonext.dll loaded from the printer driver directory, as the plug-in loads it, with its entry
// points looked up by name.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

typedef DWORD(WINAPI* GetPrinterSettingsProc)(DWORD, LPCWSTR, LPBYTE, DWORD, DWORD*);
typedef DWORD(WINAPI* SetPrinterParameterProc)(DWORD, LPCWSTR, DWORD, const LONG*, DWORD,
                                               const BYTE*, DWORD);
typedef DWORD(WINAPI* UpdatePrinterProc)(DWORD, LPCWSTR);
typedef DWORD(WINAPI* GetPrinterStatusProc)(DWORD, LPCWSTR, DWORD*);
typedef DWORD(WINAPI* GetPrinterErrorTextProc)(DWORD, DWORD, LPWSTR);
typedef DWORD(WINAPI* PrinterServiceProc)(HWND, LPCWSTR, DWORD);
typedef DWORD(WINAPI* LoadTableProc)(DWORD, LPCWSTR, LPCWSTR, DWORD);

extern const char* const kEntryPoints[7];

struct BlockRecord {
    LONG values[4];
    std::vector<BYTE> data;
};

class PrinterLink {
public:
    PrinterLink();
    ~PrinterLink();
    PrinterLink(const PrinterLink&) = delete;
    PrinterLink& operator=(const PrinterLink&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    FARPROC Entry(const char* name) const;
    // The settings block by record id; empty when the call failed (`result` says how).
    std::map<DWORD, BlockRecord> Settings(DWORD* result = nullptr) const;
    DWORD Set(DWORD id, std::vector<LONG> values, std::vector<BYTE> data = {}) const;
    DWORD Update() const;
    DWORD Status(DWORD* status) const;
    std::string ErrorText(DWORD code) const;
    DWORD Service(DWORD code) const;
    DWORD LoadTable(LPCWSTR path, DWORD slot) const;

private:
    template <class Proc> Proc Find(const char* name) const {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(Entry(name)));
    }
    HMODULE module_;
};

// The embosser's state file in the driver folder.
std::wstring StateFilePath();
