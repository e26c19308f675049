// version.dll: a file's version information, read from the RT_VERSION resource of the library
// registered at that path, and the walk through its VS_VERSIONINFO blocks.
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

// One block of VS_VERSIONINFO: WORD wLength, WORD wValueLength, WORD wType, the key, padding to a
// DWORD, the value, padding, then the children up to wLength. Offsets are from the resource's
// start, which is DWORD-aligned.
struct Block {
    size_t start = 0, end = 0;
    WORD valueLength = 0, type = 0;
    std::u16string key;
    size_t value = 0, valueBytes = 0, children = 0;
};

size_t AlignDword(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

WORD ReadWord(const BYTE* base, size_t offset) {
    WORD word;
    std::memcpy(&word, base + offset, sizeof word);
    return word;
}

bool ReadBlock(const BYTE* base, size_t start, size_t limit, Block* block) {
    if (start + 6 > limit)
        return false;
    const WORD length = ReadWord(base, start);
    if (length < 6 || start + length > limit)
        return false;
    block->start = start;
    block->end = start + length;
    block->valueLength = ReadWord(base, start + 2);
    block->type = ReadWord(base, start + 4);
    block->key.clear();
    size_t offset = start + 6;
    for (;; offset += 2) {
        if (offset + 2 > block->end)
            return false;
        const WCHAR c = ReadWord(base, offset);
        if (c == 0)
            break;
        block->key.push_back(c);
    }
    block->value = AlignDword(offset + 2);
    // Text values count characters, binary values bytes.
    block->valueBytes = block->type == 1 ? size_t{block->valueLength} * 2 : block->valueLength;
    if (block->value + block->valueBytes > block->end)
        return false;
    block->children = AlignDword(block->value + block->valueBytes);
    return true;
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
    const BYTE* base = static_cast<const BYTE*>(pBlock);
    size_t limit = ReadWord(base, 0);
    auto filled = g_filled.find(pBlock);
    if (filled != g_filled.end() && filled->second < limit)
        limit = filled->second;

    Block block;
    if (!ReadBlock(base, 0, limit, &block))
        return FALSE;
    const std::u16string path(lpSubBlock);
    size_t position = 0;
    while (position < path.size()) {
        if (path[position] == u'\\') {
            ++position;
            continue;
        }
        size_t next = path.find(u'\\', position);
        if (next == std::u16string::npos)
            next = path.size();
        const std::u16string name = path.substr(position, next - position);
        position = next;
        // Find the child of that name.
        Block child;
        bool found = false;
        for (size_t offset = block.children; offset < block.end; offset = AlignDword(child.end)) {
            if (!ReadBlock(base, offset, block.end, &child))
                return FALSE;
            if (EqualNoCase(child.key, name)) {
                found = true;
                break;
            }
        }
        if (!found)
            return FALSE;
        block = child;
    }
    *lplpBuffer = const_cast<BYTE*>(base + block.value);
    *puLen = block.valueLength;
    return TRUE;
}
