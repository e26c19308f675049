// kernel32: the loader. Library files are registered by tests under full paths; LoadLibraryW maps
// them, counts references and runs their entry points as the platform does; every load is logged
// with the activation context that was active.
#include "kernel32_private.h"
#include "sim/kernel.h"

#include <algorithm>
#include <map>
#include <cstring>
#include <memory>

namespace {

constexpr DWORD kErrorDllInitFailed = 1114;

struct LoaderState {
    std::vector<std::unique_ptr<winsim::ModuleFile>> files;
    std::vector<sim::LoadRecord> log;
    unsigned long nextLoadSequence = 1;
    winsim::ModuleFile* executable = nullptr;

    LoaderState() {
        auto exe = std::make_unique<winsim::ModuleFile>();
        exe->path = sim::kHostExePath;
        exe->handle = reinterpret_cast<HMODULE>(winsim::NextHandleValue());
        exe->references = 1;
        exe->executable = true;
        executable = exe.get();
        files.push_back(std::move(exe));
    }
};

std::unique_ptr<LoaderState>& StatePointer() {
    static std::unique_ptr<LoaderState> state;
    return state;
}

LoaderState& State() {
    auto& state = StatePointer();
    if (!state)
        state = std::make_unique<LoaderState>();
    return *state;
}

winsim::ResetHook g_resetLoader([] { StatePointer().reset(); });

std::u16string Normalised(const std::u16string& path) {
    std::u16string out = path;
    std::replace(out.begin(), out.end(), u'/', u'\\');
    return out;
}

bool HasFolder(const std::u16string& path) {
    return path.find(u'\\') != std::u16string::npos;
}

bool IsFullPath(const std::u16string& path) {
    bool drive = path.size() >= 3 && path[1] == u':' && path[2] == u'\\';
    bool unc = path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\';
    return drive || unc;
}

std::u16string BaseName(const std::u16string& path) {
    std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// A bare module name without an extension means a .dll; a trailing dot means no extension.
std::u16string WithDefaultExtension(std::u16string name) {
    if (!name.empty() && name.back() == u'.')
        name.pop_back();
    else if (name.find(u'.') == std::u16string::npos)
        name += u".dll";
    return name;
}

winsim::ModuleFile* LoadedByBaseName(const std::u16string& name) {
    winsim::ModuleFile* first = nullptr;
    for (auto& file : State().files) {
        if (file->references > 0 && winsim::EqualNoCase(BaseName(file->path), name) &&
            (!first || file->loadSequence < first->loadSequence))
            first = file.get();
    }
    return first;
}

winsim::ModuleFile* ModuleOrExecutable(HMODULE module) {
    return module ? winsim::FindLoadedModule(module) : State().executable;
}

HMODULE Load(const std::u16string& requested) {
    LoaderState& state = State();
    std::u16string path = Normalised(requested);
    winsim::ModuleFile* file = nullptr;
    if (!HasFolder(path)) {
        // A module of that name already loaded is used wherever it came from; finding a new one
        // would need the search order, which winsim does not model.
        file = LoadedByBaseName(WithDefaultExtension(path));
        if (!file)
            winsim::Unmodelled("LoadLibraryW(\"%s\"): the search order for a bare file name",
                               winsim::Utf8(requested).c_str());
    } else {
        if (!IsFullPath(path))
            winsim::Unmodelled("LoadLibraryW(\"%s\"): a relative path",
                               winsim::Utf8(requested).c_str());
        file = winsim::FindModuleFile(path);
    }
    HANDLE context = winsim::ActiveActCtx();
    if (!file) {
        state.log.push_back({requested, false, context});
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (file->references++ == 0) {
        file->loadSequence = state.nextLoadSequence++;
        if (file->entry &&
            !file->entry(reinterpret_cast<HINSTANCE>(file->handle), DLL_PROCESS_ATTACH, nullptr)) {
            // A refused attach is followed at once by the detach, and the library is unloaded.
            file->entry(reinterpret_cast<HINSTANCE>(file->handle), DLL_PROCESS_DETACH, nullptr);
            file->references = 0;
            state.log.push_back({requested, false, context});
            SetLastError(kErrorDllInitFailed);
            return nullptr;
        }
    }
    state.log.push_back({requested, true, context});
    return file->handle;
}

} // namespace

namespace winsim {

ModuleFile* FindModuleFile(const std::u16string& path) {
    std::u16string wanted = Normalised(path);
    for (auto& file : State().files)
        if (EqualNoCase(file->path, wanted))
            return file.get();
    return nullptr;
}

ModuleFile* FindLoadedModule(HMODULE module) {
    for (auto& file : State().files)
        if (file->handle == module)
            return file->references > 0 ? file.get() : nullptr;
    return nullptr;
}

std::vector<ModuleFile*> AllModuleFiles() {
    std::vector<ModuleFile*> all;
    for (auto& file : State().files)
        all.push_back(file.get());
    return all;
}

} // namespace winsim

HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
    if (!lpLibFileName || !*lpLibFileName)
        winsim::Misuse("LoadLibraryW without a file name");
    return Load(lpLibFileName);
}

HMODULE WINAPI LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
    if (hFile)
        winsim::Misuse("LoadLibraryExW with hFile, which must be null");
    if (dwFlags != 0)
        winsim::Unmodelled("LoadLibraryExW flags 0x%X", static_cast<unsigned>(dwFlags));
    return LoadLibraryW(lpLibFileName);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    winsim::ModuleFile* file = winsim::FindLoadedModule(hLibModule);
    if (!file || file->executable)
        winsim::Misuse("FreeLibrary(%p): not a loaded library (freed once too often?)",
                       static_cast<void*>(hLibModule));
    if (--file->references == 0 && file->entry)
        file->entry(reinterpret_cast<HINSTANCE>(file->handle), DLL_PROCESS_DETACH, nullptr);
    return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    winsim::ModuleFile* file = ModuleOrExecutable(hModule);
    if (!file)
        winsim::Misuse("GetProcAddress(%p, ...): not a loaded module", static_cast<void*>(hModule));
    if (reinterpret_cast<uintptr_t>(lpProcName) <= 0xFFFF)
        winsim::Unmodelled("GetProcAddress by ordinal (%u)",
                           static_cast<unsigned>(reinterpret_cast<uintptr_t>(lpProcName)));
    for (auto& entry : file->exports)
        if (entry.first == lpProcName)
            return entry.second;
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
    if (!lpModuleName)
        return State().executable->handle;
    std::u16string name = Normalised(lpModuleName);
    winsim::ModuleFile* file = nullptr;
    if (HasFolder(name)) {
        file = winsim::FindModuleFile(name);
        if (file && file->references == 0)
            file = nullptr;
    } else {
        file = LoadedByBaseName(WithDefaultExtension(name));
    }
    if (!file) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return file->handle;
}

// A path that does not fit is cut to nSize - 1 characters and terminated; the result is then
// nSize with ERROR_INSUFFICIENT_BUFFER, as on Windows Vista and later.
DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    winsim::ModuleFile* file = ModuleOrExecutable(hModule);
    if (!file) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::u16string& path = file->path;
    if (path.size() < nSize) {
        std::memcpy(lpFilename, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(lpFilename, path.data(), (nSize - 1) * sizeof(WCHAR));
    lpFilename[nSize - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

// winsim has one thread, so there are no thread notifications to turn off.
namespace {

// A DWORD-aligned copy of a compiled .res image. The images are mostly the programs' own constant
// data, registered again on every fresh machine, so a copy serves again while the bytes at that
// address are still the same (a test's own image may be built in a buffer that is reused).
std::shared_ptr<const std::vector<uint32_t>> AlignedImage(const unsigned char* data,
                                                          std::size_t size) {
    static std::map<std::pair<const unsigned char*, std::size_t>,
                    std::shared_ptr<const std::vector<uint32_t>>>
        copies;
    auto& copy = copies[{data, size}];
    if (!copy || std::memcmp(copy->data(), data, size) != 0) {
        auto image = std::make_shared<std::vector<uint32_t>>((size + 3) / 4);
        std::memcpy(image->data(), data, size);
        copy = image;
    }
    return copy;
}

} // namespace

namespace sim {

const char16_t kHostExePath[] = u"C:\\Program Files\\Host\\host.exe";

HMODULE RegisterModule(const ModuleSetup& setup) {
    std::u16string path = Normalised(setup.path);
    if (!IsFullPath(path))
        winsim::Misuse("sim::RegisterModule(\"%s\"): a library is registered by its full path",
                       winsim::Utf8(setup.path).c_str());
    auto file = std::make_unique<winsim::ModuleFile>();
    file->path = path;
    file->handle = reinterpret_cast<HMODULE>(winsim::NextHandleValue());
    file->entry = setup.entry;
    for (auto& entry : setup.exports)
        file->exports.emplace_back(entry.name, entry.address);
    if (setup.resources && setup.resourcesSize) {
        file->imageSize = setup.resourcesSize;
        file->image = AlignedImage(setup.resources, setup.resourcesSize);
        winsim::ParseResourceImage(*file);
    }
    auto& files = State().files;
    for (auto& existing : files) {
        if (winsim::EqualNoCase(existing->path, path)) {
            if (existing->references > 0)
                winsim::Misuse("sim::RegisterModule(\"%s\"): the library is loaded",
                               winsim::Utf8(path).c_str());
            existing = std::move(file);
            return existing->handle;
        }
    }
    files.push_back(std::move(file));
    return files.back()->handle;
}

HMODULE RegisterModule(const std::u16string& path, DllEntryPoint entry,
                       std::vector<ModuleExport> exports, const unsigned char* resources,
                       std::size_t resourcesSize) {
    ModuleSetup setup;
    setup.path = path;
    setup.entry = entry;
    setup.exports = std::move(exports);
    setup.resources = resources;
    setup.resourcesSize = resourcesSize;
    return RegisterModule(setup);
}

std::vector<std::u16string> LoadedModules() {
    std::vector<winsim::ModuleFile*> loaded;
    for (auto& file : State().files)
        if (file->references > 0 && !file->executable)
            loaded.push_back(file.get());
    std::sort(loaded.begin(), loaded.end(),
              [](auto* a, auto* b) { return a->loadSequence < b->loadSequence; });
    std::vector<std::u16string> paths;
    for (auto* file : loaded)
        paths.push_back(file->path);
    return paths;
}

int ModuleLoadCount(const std::u16string& path) {
    winsim::ModuleFile* file = winsim::FindModuleFile(path);
    return file && !file->executable ? file->references : 0;
}

const std::vector<LoadRecord>& LoaderLog() {
    return State().log;
}

} // namespace sim
