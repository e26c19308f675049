// kernel32: resources, served from a module's compiled .res image as the loader serves a DLL's
// resource section: found by type, name and language, their data DWORD-aligned and valid while
// the library file stays registered.
#include "kernel32_private.h"

#include <cstring>

namespace {

// Languages tried, in order, when the caller names none: the thread's user-interface language
// (English, United States), neutral, the user's and the system's default, then the first one.
constexpr WORD kLanguagePreference[] = {0x0409, 0x0000, 0x0400, 0x0800};

class ResImageReader {
public:
    ResImageReader(const winsim::ModuleFile& file)
        : file_(file), base_(reinterpret_cast<const BYTE*>(file.image->data())),
          size_(file.imageSize) {}

    void ReadAll(std::vector<winsim::ResourceEntry>* out) {
        std::size_t offset = 0;
        while (offset < size_) {
            if (size_ - offset < 8)
                Malformed(offset, "a record header is cut off");
            DWORD dataSize = Dword(offset);
            DWORD headerSize = Dword(offset + 4);
            std::size_t headerEnd = offset + headerSize;
            if (headerSize < 32 || headerEnd > size_ || dataSize > size_ - headerEnd)
                Malformed(offset, "sizes run past the image");
            winsim::ResourceEntry entry;
            std::size_t cursor = offset + 8;
            entry.type = Key(&cursor, headerEnd, offset);
            entry.name = Key(&cursor, headerEnd, offset);
            cursor = (cursor + 3) & ~std::size_t(3);
            // DataVersion (DWORD), MemoryFlags (WORD), LanguageId (WORD), Version, Characteristics.
            if (cursor + 16 > headerEnd)
                Malformed(offset, "the header is too short for its fields");
            entry.language = Word(cursor + 6);
            entry.data = base_ + headerEnd;
            entry.size = dataSize;
            // The image starts with an empty record (type 0) that only marks it as 32-bit.
            if (!(entry.type.isId && entry.type.id == 0)) {
                entry.handle = reinterpret_cast<HRSRC>(winsim::NextHandleValue());
                out->push_back(entry);
            }
            offset = (headerEnd + dataSize + 3) & ~std::size_t(3);
        }
    }

private:
    DWORD Dword(std::size_t at) const {
        DWORD value;
        std::memcpy(&value, base_ + at, sizeof value);
        return value;
    }
    WORD Word(std::size_t at) const {
        WORD value;
        std::memcpy(&value, base_ + at, sizeof value);
        return value;
    }
    // 0xFFFF followed by an id, or a zero-terminated UTF-16 name.
    winsim::ResourceKey Key(std::size_t* cursor, std::size_t end, std::size_t record) const {
        winsim::ResourceKey key;
        if (*cursor + 2 > end)
            Malformed(record, "a type or name is cut off");
        if (Word(*cursor) == 0xFFFF) {
            if (*cursor + 4 > end)
                Malformed(record, "a type or name id is cut off");
            key.id = Word(*cursor + 2);
            *cursor += 4;
            return key;
        }
        key.isId = false;
        for (;;) {
            if (*cursor + 2 > end)
                Malformed(record, "a type or name is not terminated");
            WORD c = Word(*cursor);
            *cursor += 2;
            if (c == 0)
                break;
            key.name.push_back(static_cast<char16_t>(c));
        }
        return key;
    }
    [[noreturn]] void Malformed(std::size_t offset, const char* what) const {
        winsim::Misuse("the .res image of %s is malformed at offset %zu: %s",
                       winsim::Utf8(file_.path).c_str(), offset, what);
    }

    const winsim::ModuleFile& file_;
    const BYTE* base_;
    std::size_t size_;
};

bool IsIntResource(LPCWSTR p) {
    return reinterpret_cast<uintptr_t>(p) <= 0xFFFF;
}

// MAKEINTRESOURCE ids, "#123" meaning id 123, or a name.
winsim::ResourceKey KeyOf(LPCWSTR p) {
    winsim::ResourceKey key;
    if (IsIntResource(p)) {
        key.id = static_cast<WORD>(reinterpret_cast<uintptr_t>(p));
        return key;
    }
    if (p[0] == u'#') {
        unsigned value = 0;
        const WCHAR* digit = p + 1;
        if (!*digit)
            winsim::Unmodelled("a resource name \"#\" without a number");
        for (; *digit; ++digit) {
            if (*digit < u'0' || *digit > u'9')
                winsim::Unmodelled("the resource name \"%s\"", winsim::Utf8(p).c_str());
            value = value * 10 + (*digit - u'0');
        }
        key.id = static_cast<WORD>(value);
        return key;
    }
    key.isId = false;
    key.name = p;
    return key;
}

bool Matches(const winsim::ResourceKey& a, const winsim::ResourceKey& b) {
    if (a.isId != b.isId)
        return false;
    return a.isId ? a.id == b.id : winsim::EqualNoCase(a.name, b.name);
}

const winsim::ResourceEntry* EntryOfHandle(const winsim::ModuleFile& file, HRSRC handle) {
    for (auto& entry : file.resources)
        if (entry.handle == handle)
            return &entry;
    return nullptr;
}

winsim::ModuleFile& LoadedModuleOrExecutable(HMODULE module, const char* function) {
    winsim::ModuleFile* file = module ? winsim::FindLoadedModule(module)
                                      : winsim::FindLoadedModule(GetModuleHandleW(nullptr));
    if (!file)
        winsim::Misuse("%s(%p, ...): not a loaded module", function, static_cast<void*>(module));
    return *file;
}

const winsim::ResourceEntry& EntryOf(HMODULE module, HRSRC handle, const char* function) {
    const winsim::ResourceEntry* entry =
        EntryOfHandle(LoadedModuleOrExecutable(module, function), handle);
    if (!entry)
        winsim::Misuse("%s: %p is not a resource of module %p", function,
                       static_cast<void*>(handle), static_cast<void*>(module));
    return *entry;
}

HRSRC Find(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, const char* function) {
    DWORD error = 0;
    const winsim::ResourceEntry* entry = winsim::SelectResource(
        LoadedModuleOrExecutable(module, function), type, name, language, &error);
    if (!entry) {
        SetLastError(error);
        return nullptr;
    }
    return entry->handle;
}

} // namespace

namespace winsim {

void ParseResourceImage(ModuleFile& file) {
    file.resources.clear();
    ResImageReader(file).ReadAll(&file.resources);
}

const ResourceEntry* SelectResource(const ModuleFile& file, LPCWSTR type, LPCWSTR name,
                                    WORD language, DWORD* error) {
    if (file.resources.empty()) {
        *error = ERROR_RESOURCE_DATA_NOT_FOUND;
        return nullptr;
    }
    ResourceKey typeKey = KeyOf(type);
    ResourceKey nameKey = KeyOf(name);
    // One pass: the first candidate, the first of the wanted language, and the first of each
    // preferred language.
    constexpr std::size_t kPreferences = sizeof kLanguagePreference / sizeof kLanguagePreference[0];
    const ResourceEntry* first = nullptr;
    const ResourceEntry* ofLanguage = nullptr;
    const ResourceEntry* preferred[kPreferences] = {};
    bool typeFound = false;
    for (auto& entry : file.resources) {
        if (!Matches(entry.type, typeKey))
            continue;
        typeFound = true;
        if (!Matches(entry.name, nameKey))
            continue;
        if (!first)
            first = &entry;
        if (!ofLanguage && entry.language == language)
            ofLanguage = &entry;
        for (std::size_t i = 0; i < kPreferences; ++i)
            if (!preferred[i] && entry.language == kLanguagePreference[i])
                preferred[i] = &entry;
    }
    if (!first) {
        *error = typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND;
        return nullptr;
    }
    // Neutral (0) asks for the thread's language, which is the same choice as "any".
    if (language != 0xFFFF && language != 0) {
        if (ofLanguage)
            return ofLanguage;
        *error = ERROR_RESOURCE_LANG_NOT_FOUND;
        return nullptr;
    }
    for (const ResourceEntry* entry : preferred)
        if (entry)
            return entry;
    return first;
}

bool FindModuleResource(HMODULE module, LPCWSTR type, LPCWSTR name, ResourceBytes* out,
                        WORD language) {
    ModuleFile* file =
        module ? FindLoadedModule(module) : FindLoadedModule(GetModuleHandleW(nullptr));
    if (!file)
        return false;
    DWORD error = 0;
    const ResourceEntry* entry = SelectResource(*file, type, name, language, &error);
    if (!entry)
        return false;
    *out = ResourceBytes{entry->data, entry->size, entry->language};
    return true;
}

bool FindFileResource(LPCWSTR path, LPCWSTR type, LPCWSTR name, ResourceBytes* out) {
    ModuleFile* file = FindModuleFile(path);
    if (!file)
        return false;
    DWORD error = 0;
    const ResourceEntry* entry = SelectResource(*file, type, name, 0xFFFF, &error);
    if (!entry)
        return false;
    *out = ResourceBytes{entry->data, entry->size, entry->language};
    return true;
}

} // namespace winsim

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
    return Find(hModule, lpType, lpName, 0xFFFF, "FindResourceW");
}

// As on Win32, the "handle" of loaded resource data is its address.
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    return const_cast<BYTE*>(EntryOf(hModule, hResInfo, "LoadResource").data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
    if (!hResData)
        return nullptr;
    for (winsim::ModuleFile* file : winsim::AllModuleFiles())
        for (auto& entry : file->resources)
            if (entry.data == hResData && file->references > 0)
                return hResData;
    winsim::Misuse("LockResource(%p): not the data of a resource of a loaded module", hResData);
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    return EntryOf(hModule, hResInfo, "SizeofResource").size;
}

// Obsolete on Win32: resources are freed with their module; the function always answers FALSE.
BOOL WINAPI FreeResource(HGLOBAL) {
    return FALSE;
}
