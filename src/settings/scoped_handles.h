// Owners of the handles the platform hands out, so that every path closes what it opened.
#pragma once

#include <windows.h>
#include <winspool.h>

class ScopedPrinter {
public:
    ScopedPrinter() = default;
    ~ScopedPrinter() { reset(); }
    ScopedPrinter(const ScopedPrinter&) = delete;
    ScopedPrinter& operator=(const ScopedPrinter&) = delete;

    HANDLE get() const { return handle_; }
    HANDLE* put() {
        reset();
        return &handle_;
    }
    void reset() {
        if (handle_ != nullptr)
            ClosePrinter(handle_);
        handle_ = nullptr;
    }
    explicit operator bool() const { return handle_ != nullptr; }
    // Hands the handle over to a new owner.
    HANDLE release() {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    HANDLE handle_ = nullptr;
};

class ScopedRegKey {
public:
    ScopedRegKey() = default;
    ~ScopedRegKey() { reset(); }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

    HKEY get() const { return key_; }
    HKEY* put() {
        reset();
        return &key_;
    }
    void reset() {
        if (key_ != nullptr)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

// Opens a printer by name with full access (data type "RAW", no devmode), as every operation
// that must act with the "Manage Printer" right does. Returns the platform's error, 0 on success.
DWORD OpenPrinterWithFullAccess(LPCWSTR printerName, ScopedPrinter& printer);
