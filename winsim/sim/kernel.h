// The tests' view of kernel32: libraries on disk, the loader, memory accounting, activation
// contexts, and failures to inject.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// --- Libraries ----------------------------------------------------------------------------------

using DllEntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

struct ModuleExport {
    std::string name;
    FARPROC address;
};
// An exported function of any signature, as GetProcAddress hands it out (the detour through
// void(*)() is the cast between function types that compilers accept without a warning).
template <class Function> ModuleExport Export(const char* name, Function* function) {
    return ModuleExport{name, reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function))};
}

// A library file a test puts on the machine. LoadLibraryW finds it by its full path (compared
// case-insensitively). The entry point, if any, is called with DLL_PROCESS_ATTACH at the first
// load and DLL_PROCESS_DETACH at the last FreeLibrary. The resources are a compiled .res image;
// they are copied, so the caller's bytes need not outlive the call.
struct ModuleSetup {
    std::u16string path;
    DllEntryPoint entry = nullptr;
    std::vector<ModuleExport> exports;
    const unsigned char* resources = nullptr;
    std::size_t resourcesSize = 0;
};
// Returns the handle the library has whenever it is loaded. Registering a path again replaces
// the earlier file (the library must not be loaded then).
HMODULE RegisterModule(const ModuleSetup& setup);
HMODULE RegisterModule(const std::u16string& path, DllEntryPoint entry,
                       std::vector<ModuleExport> exports, const unsigned char* resources = nullptr,
                       std::size_t resourcesSize = 0);

// The process's own executable: GetModuleHandleW(NULL) and GetModuleFileNameW(NULL, ...).
extern const char16_t kHostExePath[];

// Paths of the libraries loaded now (the executable not included), in load order.
std::vector<std::u16string> LoadedModules();
// The library's reference count: 0 when it is not loaded.
int ModuleLoadCount(const std::u16string& path);

// Every LoadLibraryW/LoadLibraryExW call: the path asked for, whether it loaded, and the
// activation context that was active (null = the process default).
struct LoadRecord {
    std::u16string path;
    bool loaded;
    HANDLE activationContext;
};
const std::vector<LoadRecord>& LoaderLog();

// --- Memory -------------------------------------------------------------------------------------

// Blocks allocated and not freed: of one heap, or of every heap when heap is null.
std::size_t LiveHeapAllocations(HANDLE heap = nullptr);
// Heaps created with HeapCreate and not destroyed.
std::size_t LiveHeaps();
// Every live heap (the process heap first) with the blocks it holds now.
std::vector<std::pair<HANDLE, std::size_t>> LiveHeapBlocks();
// The blocks a heap still held when HeapDestroy reclaimed them; nothing while it is alive (or was
// never a heap of this machine).
std::optional<std::size_t> BlocksLeftAtHeapDestroy(HANDLE heap);
// GlobalAlloc blocks not freed.
std::size_t LiveGlobalBlocks();
// The next `count` allocations (HeapAlloc and HeapReAlloc) fail: of one heap, or of any heap
// when heap is null.
void FailNextHeapAllocations(int count, HANDLE heap = nullptr);
// The next `count` GlobalAlloc calls fail with ERROR_NOT_ENOUGH_MEMORY.
void FailNextGlobalAllocations(int count);

// --- Activation contexts
// --------------------------------------------------------------------------

struct ActCtxEvent {
    enum Kind { Created, CreateFailed, Activated, ActivateFailed, Deactivated, Destroyed };
    Kind kind;
    HANDLE context;        // null for a failed creation
    std::u16string source; // the module path the context was built from
    ULONG_PTR cookie;      // for activations and deactivations
};
const std::vector<ActCtxEvent>& ActivationContextLog();
// Contexts created and not yet released to zero (activations hold a reference too).
std::size_t LiveActivationContexts();
// The context active now (null = the process default) and the depth of the activation stack.
HANDLE ActiveActivationContext();
std::size_t ActivationDepth();
// While set, ActivateActCtx fails with ERROR_NOT_ENOUGH_MEMORY.
void FailActivation(bool fail);

} // namespace sim
