// version.dll: a file's version information, read from the RT_VERSION resource of the library
// registered at that path, and its fixed part (VS_FIXEDFILEINFO). The string and translation
// tables below it are not modelled.
#include "kernel32_private.h"
#include "shell_objects.h"

#include <cstring>
#include <map>

namespace winsim {
namespace {

LPCWSTR const kRtVersion = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(16));
LPCWSTR const kVersionInfoId = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(VS_VERSION_INFO));

// Buffers GetFileVersionInfoW filled, with how many bytes it wrote: a truncated copy still carries
// the full lengths in its headers, and the walk must not read past what was written.
std::map<const void*, size_t> g_filled;
ResetHook g_reset([] { g_filled.clear(); });

// The version resource of a file, or the reason there is none as the last error.
bool FindVersionResource(LPCWSTR path, ResourceBytes* out) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const std::u16string name(path);
    if (name.size() < 3 || name[1] != u':' || name[2] != u'\\')
        Unmodelled("version information of \"%s\" found through the library search order",
                   Utf8(name).c_str());
    if (FindFileResource(path, kRtVersion, kVersionInfoId, out))
        return true;
    // Why not, in the loader's words: a library without the resource gets the error its resource
    // lookup gives; any other existing file has no resources at all.
    DWORD error = ERROR_FILE_NOT_FOUND;
    if (const ModuleFile* file = FindModuleFile(name))
        SelectResource(*file, kRtVersion, kVersionInfoId, 0xFFFF, &error);
    else if (PathIsFile(name))
        error = ERROR_RESOURCE_DATA_NOT_FOUND;
    SetLastError(error);
    return false;
}

size_t AlignDword(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

WORD ReadWord(const BYTE* base, size_t offset) {
    WORD word;
    std::memcpy(&word, base + offset, sizeof word);
    return word;
}

} // namespace
} // namespace winsim

using namespace winsim;

DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle) {
    if (lpdwHandle)
        *lpdwHandle = 0;
    ResourceBytes resource;
    if (!FindVersionResource(lptstrFilename, &resource))
        return 0;
    return resource.size;
}

BOOL WINAPI GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD dwHandle, DWORD dwLen,
                                LPVOID lpData) {
    UNREFERENCED_PARAMETER(dwHandle); // ignored, as documented
    ResourceBytes resource;
    if (!FindVersionResource(lptstrFilename, &resource))
        return FALSE;
    if (!lpData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const size_t copied = dwLen < resource.size ? dwLen : resource.size; // truncated when short
    std::memcpy(lpData, resource.data, copied);
    g_filled[lpData] = copied;
    return TRUE;
}

BOOL WINAPI VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen) {
    if (!pBlock || !lpSubBlock || !lplpBuffer || !puLen)
        return FALSE;
    if (std::u16string_view(lpSubBlock) != u"\\")
        Unmodelled("VerQueryValueW of \"%s\" (only the fixed information, \"\\\", is modelled)",
                   Utf8(lpSubBlock).c_str());
    // VS_VERSIONINFO: WORD wLength, WORD wValueLength, WORD wType, the key, padding to a DWORD,
    // then the value, VS_FIXEDFILEINFO. A copy GetFileVersionInfoW truncated still carries the
    // full length, and is not read past what was written.
    const BYTE* base = static_cast<const BYTE*>(pBlock);
    const size_t length = ReadWord(base, 0);
    auto filled = g_filled.find(pBlock);
    if (length < 6 || (filled != g_filled.end() && filled->second < length))
        return FALSE;
    size_t key = 6;
    while (key + 2 <= length && ReadWord(base, key) != 0)
        key += 2;
    const size_t value = AlignDword(key + 2);
    const WORD valueLength = ReadWord(base, 2);
    if (key + 2 > length || value + valueLength > length)
        return FALSE;
    *lplpBuffer = const_cast<BYTE*>(base + value);
    *puLen = valueLength;
    return TRUE;
}
