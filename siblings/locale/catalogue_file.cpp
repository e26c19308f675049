// Reading a catalogue file whole into the instance's heap and parsing it into room from there.
#include "catalogue_file.h"

#include <strsafe.h>

namespace {

constexpr int kPathChars = 4096;

class ScopedFile {
public:
    explicit ScopedFile(HANDLE file) : file_(file) {}
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    ~ScopedFile() {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
    }
    HANDLE get() const { return file_; }

private:
    HANDLE file_;
};

class ScopedHeapBlock {
public:
    ScopedHeapBlock(HANDLE heap, SIZE_T bytes)
        : heap_(heap), block_(static_cast<BYTE*>(HeapAlloc(heap, 0, bytes))) {}
    ScopedHeapBlock(const ScopedHeapBlock&) = delete;
    ScopedHeapBlock& operator=(const ScopedHeapBlock&) = delete;
    ~ScopedHeapBlock() {
        if (block_ != nullptr)
            HeapFree(heap_, 0, block_);
    }
    BYTE* get() const { return block_; }

private:
    HANDLE heap_;
    BYTE* block_;
};

// Reads up to `size` bytes; a file that ends early gives fewer (the parser then misses its
// "[End]" line and refuses it).
SIZE_T ReadWhole(HANDLE file, BYTE* buffer, SIZE_T size) {
    SIZE_T total = 0;
    while (total < size) {
        DWORD chunk = size - total > 65536 ? 65536 : static_cast<DWORD>(size - total);
        DWORD read = 0;
        if (!ReadFile(file, buffer + total, chunk, &read, nullptr) || read == 0)
            break;
        total += read;
    }
    return total;
}

} // namespace

bool LoadCatalogueFile(LPCWSTR folder, LPCWSTR name, LPCWSTR code, HANDLE heap,
                       Catalogue* catalogue) {
    ZeroMemory(catalogue, sizeof(*catalogue));
    WCHAR path[kPathChars];
    if (FAILED(StringCchPrintfW(path, kPathChars, TEXT("%ls\\%ls.%ls.txt"), folder, name, code)))
        return false;
    ScopedFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<ULONGLONG>(size.QuadPart) > kMaxCatalogueBytes)
        return false;
    SIZE_T expected = static_cast<SIZE_T>(size.QuadPart);
    ScopedHeapBlock bytes(heap, expected + 1);
    if (bytes.get() == nullptr)
        return false;
    SIZE_T read = ReadWhole(file.get(), bytes.get(), expected);
    SIZE_T textChars = 0;
    int entryCount = 0;
    CatalogueRoom(bytes.get(), read, &textChars, &entryCount);
    auto* text = static_cast<WCHAR*>(HeapAlloc(heap, 0, textChars * sizeof(WCHAR)));
    auto* entries =
        static_cast<CatalogueEntry*>(HeapAlloc(heap, 0, entryCount * sizeof(CatalogueEntry)));
    if (text != nullptr && entries != nullptr &&
        ParseCatalogue(bytes.get(), read, text, textChars, entries, entryCount, catalogue)) {
        catalogue->heap = heap;
        return true;
    }
    if (text != nullptr)
        HeapFree(heap, 0, text);
    if (entries != nullptr)
        HeapFree(heap, 0, entries);
    return false;
}

void FreeCatalogue(Catalogue* catalogue) {
    if (catalogue->heap != nullptr) {
        HeapFree(catalogue->heap, 0, catalogue->text);
        HeapFree(catalogue->heap, 0, catalogue->entries);
    }
    ZeroMemory(catalogue, sizeof(*catalogue));
}
