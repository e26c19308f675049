// kernel32's files: existing files opened for reading, their size, reading them in pieces and
// closing their handles. Which files exist is shell32's file-system view; the bytes live here.
// Writing, creating and overlapped reads are not modelled.
#include "kernel32_private.h"
#include "shell_objects.h"
#include "sim/files.h"
#include "sim/shell.h"

#include <fileapi.h>

#include <cstring>
#include <map>

namespace winsim {
namespace {

struct OpenFile {
    std::string bytes; // a copy taken at opening: later changes by the test are not seen
    size_t position = 0;
};

std::map<std::u16string, std::string, LessNoCase> g_contents;
HandleTable<HANDLE, OpenFile> g_openFiles;

ResetHook g_reset([] {
    g_contents.clear();
    g_openFiles.Clear();
});

} // namespace
} // namespace winsim

using namespace winsim;

HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    if (dwDesiredAccess != GENERIC_READ || dwCreationDisposition != OPEN_EXISTING ||
        lpSecurityAttributes != nullptr || hTemplateFile != nullptr ||
        (dwShareMode & ~(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) != 0 ||
        (dwFlagsAndAttributes & ~(FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN)) != 0)
        Unmodelled("CreateFileW other than opening an existing file for reading (access 0x%x, "
                   "disposition %u, flags 0x%x)",
                   static_cast<unsigned>(dwDesiredAccess),
                   static_cast<unsigned>(dwCreationDisposition),
                   static_cast<unsigned>(dwFlagsAndAttributes));
    if (lpFileName == nullptr) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const std::u16string path = lpFileName;
    if (PathIsFolder(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (!PathIsFile(path)) {
        SetLastError(PathIsFolder(ParentFolder(path)) ? ERROR_FILE_NOT_FOUND
                                                      : ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto file = std::make_unique<OpenFile>();
    auto it = g_contents.find(path);
    if (it != g_contents.end())
        file->bytes = it->second;
    return g_openFiles.Add(std::move(file));
}

BOOL WINAPI GetFileSizeEx(HANDLE hFile, LARGE_INTEGER* lpFileSize) {
    OpenFile* file = g_openFiles.Find(hFile);
    if (file == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpFileSize == nullptr)
        Misuse("GetFileSizeEx without a place for the size");
    lpFileSize->QuadPart = static_cast<LONGLONG>(file->bytes.size());
    return TRUE;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    if (lpOverlapped != nullptr)
        Unmodelled("overlapped ReadFile");
    if (lpNumberOfBytesRead == nullptr)
        Misuse("ReadFile without lpNumberOfBytesRead on a synchronous handle");
    *lpNumberOfBytesRead = 0;
    OpenFile* file = g_openFiles.Find(hFile);
    if (file == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpBuffer == nullptr && nNumberOfBytesToRead != 0)
        Misuse("ReadFile into a null buffer");
    size_t count = file->bytes.size() - file->position;
    if (count > nNumberOfBytesToRead)
        count = nNumberOfBytesToRead;
    if (count != 0)
        std::memcpy(lpBuffer, file->bytes.data() + file->position, count);
    file->position += count;
    *lpNumberOfBytesRead = static_cast<DWORD>(count);
    return TRUE; // at the end of the file: TRUE with 0 bytes read
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    if (!g_openFiles.Remove(hObject))
        Unmodelled("CloseHandle of a handle that is not an open file (%p)", hObject);
    return TRUE;
}

namespace sim {

void AddFileWithContents(const std::u16string& path, const std::string& bytes) {
    AddFile(path);
    g_contents[path] = bytes;
}

std::size_t OpenFileHandles() {
    return g_openFiles.Count();
}

} // namespace sim
