// What kernel32's files share: the records of the library files a test put on the machine and
// their resources.
#pragma once

#include "internal.h"

#include <string>
#include <vector>

namespace winsim {

// A resource type or name: an integer id or a string (compared case-insensitively).
struct ResourceKey {
    bool isId = true;
    WORD id = 0;
    std::u16string name;
};

struct ResourceEntry {
    ResourceKey type;
    ResourceKey name;
    WORD language = 0;
    const BYTE* data = nullptr;
    DWORD size = 0;
    HRSRC handle = nullptr;
};

// A library file on the simulated disk and, while loaded, the module mapped from it.
struct ModuleFile {
    std::u16string path;
    HMODULE handle = nullptr;
    BOOL(WINAPI* entry)(HINSTANCE, DWORD, LPVOID) = nullptr;
    std::vector<std::pair<std::string, FARPROC>> exports;
    // The .res image, DWORD-aligned; registering the same image again shares the copy.
    std::shared_ptr<const std::vector<uint32_t>> image;
    std::size_t imageSize = 0; // in bytes
    std::vector<ResourceEntry> resources;
    int references = 0; // 0 = not loaded
    unsigned long loadSequence = 0;
    bool executable = false;
};

// The file registered at this path (case-insensitive, '/' taken as '\'), or null.
ModuleFile* FindModuleFile(const std::u16string& path);
// The module with this handle while it is loaded (the executable always is), or null.
ModuleFile* FindLoadedModule(HMODULE module);
// Every registered file, in registration order.
std::vector<ModuleFile*> AllModuleFiles();

// Parses a compiled .res image held in file.image into file.resources; aborts on a malformed one.
void ParseResourceImage(ModuleFile& file);
// Picks the resource by type, name and language (0xFFFF = any, chosen in the loader's order of
// preference). On failure returns null with the platform's error in *error.
const ResourceEntry* SelectResource(const ModuleFile& file, LPCWSTR type, LPCWSTR name,
                                    WORD language, DWORD* error);

} // namespace winsim

namespace winsim {
// Text in the ANSI code page (1252) for the narrow formatter's %ls and %lc; a character the code
// page lacks aborts, since the platform would substitute from its best-fit table.
std::string WideToAnsi(const std::u16string& text, const char* what);
} // namespace winsim
