// The state file: "qvmonext.state" in "%ProgramData%\Quorvane\Tarvik", taken over
// once from beside qvmonext.dll, where earlier versions kept it.
#include "state_file.h"

#include <windows.h>
#include <sddl.h>
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

const WCHAR kStateFileName[] = TEXT("qvmonext.state");
// Every user of the machine may change the state, as every user may use the printer; the
// folder's files inherit it. Administrators and the system keep full control.
const WCHAR kSharedFolderSecurity[] =
    TEXT("D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)");

void CreateSharedFolder(LPCWSTR path) {
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(
            kSharedFolderSecurity, SDDL_REVISION_1, &security.lpSecurityDescriptor, nullptr))
        CreateDirectoryW(path, &security);
    LocalFree(security.lpSecurityDescriptor);
}

// The state file's path: "%ProgramData%\Quorvane\Tarvik\qvmonext.state". With
// `create`, the folders are made when missing.
bool StateFilePath(LPWSTR path, DWORD chars, bool create) {
    // The machine's common application data folder, as every process of it names it.
    DWORD expanded = ExpandEnvironmentStringsW(TEXT("%ProgramData%\\Quorvane"), path, chars);
    if (expanded == 0 || expanded > chars)
        return false;
    if (create)
        CreateDirectoryW(path, nullptr); // the maker's folder, with the machine's own rights
    if (FAILED(StringCchCatW(path, chars, TEXT("\\Tarvik"))))
        return false;
    if (create && GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        CreateSharedFolder(path);
    return SUCCEEDED(StringCchCatW(path, chars, TEXT("\\"))) &&
           SUCCEEDED(StringCchCatW(path, chars, kStateFileName));
}

// Where earlier versions kept the file: the folder of the module holding this code (the printer
// driver directory), which a standard user cannot write.
bool EarlierStateFilePath(LPWSTR path, DWORD chars) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&EarlierStateFilePath), &module))
        return false;
    DWORD length = GetModuleFileNameW(module, path, chars);
    if (length == 0 || length >= chars)
        return false;
    while (length > 0 && path[length - 1] != TEXT('\\') && path[length - 1] != TEXT('/'))
        --length;
    path[length] = 0;
    return SUCCEEDED(StringCchCatW(path, chars, kStateFileName));
}

// Reads up to `size` bytes of the file at `path`; false when it is missing or cannot be read.
bool ReadWholeFile(LPCWSTR path, char* buffer, std::size_t size, std::size_t* length) {
    *length = 0;
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
    WCHAR path[MAX_PATH], earlier[MAX_PATH];
    if (!StateFilePath(path, MAX_PATH, false))
        return false;
    if (ReadWholeFile(path, buffer, size, length))
        return true;
    // The first read after an update takes the earlier file over, so nothing is lost; from then
    // on only the new place is read. Under the lock, so that no other program's change made
    // meanwhile is replaced by the earlier file.
    StateFileLock lock;
    if (ReadWholeFile(path, buffer, size, length))
        return true;
    if (!EarlierStateFilePath(earlier, MAX_PATH) || !ReadWholeFile(earlier, buffer, size, length))
        return false;
    ReplaceStateFile(buffer, *length);
    return true;
}

bool ReplaceStateFile(const char* text, std::size_t length) {
    WCHAR path[MAX_PATH], temporary[MAX_PATH];
    if (!StateFilePath(path, MAX_PATH, true) ||
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
