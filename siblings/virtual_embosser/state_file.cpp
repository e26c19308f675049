// The state file: "qvmonext.state" next to qvmonext.dll.
#include "state_file.h"

#include <windows.h>
#include <strsafe.h>

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes the handle now, reporting whether the close succeeded.
    bool Close() {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != FALSE;
    }

private:
    HANDLE handle_;
};

// The state file's path: the folder of the module holding this code, then "qvmonext.state".
bool StateFilePath(LPWSTR path, DWORD chars) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&StateFilePath), &module))
        return false;
    DWORD length = GetModuleFileNameW(module, path, chars);
    if (length == 0 || length >= chars)
        return false;
    while (length > 0 && path[length - 1] != TEXT('\\') && path[length - 1] != TEXT('/'))
        --length;
    path[length] = 0;
    return SUCCEEDED(StringCchCatW(path, chars, TEXT("qvmonext.state")));
}

// Long enough for any other program's read, change and write; a program that holds the lock
// longer has hung, and the embosser goes on rather than hang the caller's window too.
constexpr DWORD kLockWaitMilliseconds = 5000;

} // namespace

StateFileLock::StateFileLock()
    : mutex_(CreateMutexW(nullptr, FALSE, TEXT("Global\\QuorvaneVirtualEmbosserState"))) {
    if (mutex_ != nullptr) {
        DWORD wait = WaitForSingleObject(mutex_, kLockWaitMilliseconds);
        // An abandoned lock is ours now; its owner died, and the file it wrote is whole anyway.
        owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
}

StateFileLock::~StateFileLock() {
    if (owned_)
        ReleaseMutex(mutex_);
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
}

bool ReadStateFile(char* buffer, std::size_t size, std::size_t* length) {
    *length = 0;
    WCHAR path[MAX_PATH];
    if (!StateFilePath(path, MAX_PATH))
        return false;
    FileHandle file(CreateFileW(path, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    while (*length < size) {
        DWORD chunk = size - *length > 65536 ? 65536 : static_cast<DWORD>(size - *length);
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer + *length, chunk, &read, nullptr))
            return false;
        if (read == 0)
            break;
        *length += read;
    }
    return true;
}

bool ReplaceStateFile(const char* text, std::size_t length) {
    WCHAR path[MAX_PATH], temporary[MAX_PATH];
    if (!StateFilePath(path, MAX_PATH) ||
        FAILED(StringCchPrintfW(temporary, MAX_PATH, TEXT("%ls.%lu.tmp"), path,
                                GetCurrentProcessId())))
        return false;
    FileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    bool written = true;
    for (std::size_t done = 0; written && done < length;) {
        DWORD chunk = length - done > 65536 ? 65536 : static_cast<DWORD>(length - done);
        DWORD wrote = 0;
        written = WriteFile(file.Get(), text + done, chunk, &wrote, nullptr) && wrote == chunk;
        done += wrote;
    }
    written = written && FlushFileBuffers(file.Get());
    written = file.Close() && written;
    if (!written ||
        !MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary);
        return false;
    }
    return true;
}
