// The plug-in's import address table, patched for the seams.
#include "seams.h"

#include "wine_test.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <map>
#include <string>
#include <type_traits>

namespace {

const char kSpooler[] = "winspool.drv";
const char kKernel[] = "kernel32.dll";
const char kUser[] = "user32.dll";

// Every import with a seam, and whether it writes to the print server; the spooler's are all
// those the plug-in imports.
#define SEAMED_IMPORTS(X)                                                                          \
    X(kSpooler, OpenPrinterW, SeamOpenPrinterW, false)                                             \
    X(kSpooler, SetPrinterDataExW, kCounted, true)                                                 \
    X(kSpooler, SetPrinterW, kCounted, true)                                                       \
    X(kSpooler, DeletePrinterDataExW, SeamDeletePrinterDataExW, true)                              \
    X(kSpooler, AddFormW, SeamAddFormW, true)                                                      \
    X(kSpooler, DeleteFormW, SeamDeleteFormW, true)                                                \
    X(kSpooler, ClosePrinter, kCounted, false)                                                     \
    X(kSpooler, DeviceCapabilitiesW, kCounted, false)                                              \
    X(kSpooler, DocumentPropertiesW, kCounted, false)                                              \
    X(kSpooler, EndDocPrinter, kCounted, false)                                                    \
    X(kSpooler, EnumFormsW, kCounted, false)                                                       \
    X(kSpooler, EnumPrinterDataExW, kCounted, false)                                               \
    X(kSpooler, GetFormW, kCounted, false)                                                         \
    X(kSpooler, GetPrinterDataExW, kCounted, false)                                                \
    X(kSpooler, GetPrinterDriverDirectoryW, kCounted, false)                                       \
    X(kSpooler, GetPrinterDriverW, kCounted, false)                                                \
    X(kSpooler, GetPrinterW, kCounted, false)                                                      \
    X(kSpooler, StartDocPrinterW, kCounted, false)                                                 \
    X(kSpooler, WritePrinter, kCounted, false)                                                     \
    X(kKernel, LoadLibraryW, SeamLoadLibraryW, false)                                              \
    X(kKernel, GetProcAddress, SeamGetProcAddress, false)                                          \
    X(kKernel, CreateActCtxW, SeamCreateActCtxW, false)                                            \
    X(kKernel, ActivateActCtx, kCounted, false)                                                    \
    X(kKernel, HeapAlloc, kCounted, false)                                                         \
    X(kKernel, GlobalAlloc, kCounted, false)                                                       \
    X(kUser, GetDlgItem, kCounted, false)                                                          \
    X(kUser, SetTimer, SeamSetTimer, false)                                                        \
    X(kUser, KillTimer, SeamKillTimer, false)

#define IMPORT_ID(dll, name, seam, writes) k##name,
#define IMPORT_DLL(dll, name, seam, writes) dll,
#define IMPORT_WRITES(dll, name, seam, writes) writes,
enum ImportId { SEAMED_IMPORTS(IMPORT_ID) kImportCount };
const char* const kDllOf[] = {SEAMED_IMPORTS(IMPORT_DLL)};
const bool kWrites[] = {SEAMED_IMPORTS(IMPORT_WRITES)};

struct ImportState {
    void* original;
    LONG volatile calls;
    LONG volatile failures; // left to fail; kAlways: every one
    DWORD error;
};
ImportState g_state[kImportCount];
Seams* g_seams = nullptr; // the seams in place

// Counts the call; true, with the last error set, when it must fail. A call that `manages` the
// printer is refused to a user without the right.
bool Enter(ImportId id, bool manages = false) {
    ImportState& state = g_state[id];
    InterlockedIncrement(&state.calls);
    if (g_seams->latencyMs > 0 && kDllOf[id] == kSpooler)
        Sleep(g_seams->latencyMs);
    bool refused = (kWrites[id] || manages) && !g_seams->manageRight;
    if (!refused && state.failures == 0)
        return false;
    if (!refused && state.failures > 0)
        InterlockedDecrement(&state.failures);
    SetLastError(refused ? ERROR_ACCESS_DENIED : state.error);
    return true;
}

// What a failed call answers: null, the error for functions that return one, -1 or FALSE.
template <typename R> R Failure() {
    if constexpr (std::is_pointer<R>::value)
        return nullptr;
    else if constexpr (std::is_same<R, DWORD>::value)
        return GetLastError();
    else
        return std::is_same<R, LONG>::value ? R(-1) : R(0);
}

template <typename F> F Original(F, ImportId id) {
    return reinterpret_cast<F>(g_state[id].original);
}

template <int Id, typename R, typename... A> R WINAPI Counted(A... arguments) {
    if (Enter(ImportId(Id)))
        return Failure<R>();
    return reinterpret_cast<R (*)(A...)>(g_state[Id].original)(arguments...);
}

struct CountedSeam {
} kCounted;
template <int Id, typename R, typename... A> void* SeamOf(CountedSeam, R (*)(A...)) {
    return reinterpret_cast<void*>(&Counted<Id, R, A...>);
}
template <int Id, typename F> void* SeamOf(F seam, F) {
    return reinterpret_cast<void*>(seam);
}

BOOL WINAPI SeamOpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
    if (Enter(kOpenPrinterW,
              defaults != nullptr && (defaults->DesiredAccess & PRINTER_ACCESS_ADMINISTER)))
        return FALSE;
    return Original(&OpenPrinterW, kOpenPrinterW)(name, printer, defaults);
}

// Windows deletes the value, or answers that there is none.
DWORD WINAPI SeamDeletePrinterDataExW(HANDLE printer, LPCWSTR key, LPCWSTR value) {
    DWORD type = 0, needed = 0;
    if (Enter(kDeletePrinterDataExW))
        return GetLastError();
    if (GetPrinterDataExW(printer, key, value, &type, nullptr, 0, &needed) == ERROR_FILE_NOT_FOUND)
        return ERROR_FILE_NOT_FOUND;
    g_seams->dataDeleted.push_back(std::wstring(key) + TEXT("\\") + value);
    return ERROR_SUCCESS;
}

// Whether the print server has the form: the plug-in added it, and has not deleted it since.
bool FormAdded(LPCWSTR name) {
    const auto &added = g_seams->formsAdded, &deleted = g_seams->formsDeleted;
    return std::count(added.begin(), added.end(), name) >
           std::count(deleted.begin(), deleted.end(), name);
}

BOOL WINAPI SeamAddFormW(HANDLE printer, DWORD level, LPBYTE form) {
    LPCWSTR name = reinterpret_cast<FORM_INFO_1W*>(form)->pName;
    if (Enter(kAddFormW))
        return FALSE;
    if (FormAdded(name)) {
        SetLastError(ERROR_FILE_EXISTS);
        return FALSE;
    }
    g_seams->formsAdded.push_back(name);
    return Original(&AddFormW, kAddFormW)(printer, level, form);
}

BOOL WINAPI SeamDeleteFormW(HANDLE printer, LPWSTR name) {
    if (Enter(kDeleteFormW))
        return FALSE;
    bool added = FormAdded(name);
    g_seams->formsDeleted.push_back(name);
    return added || Original(&DeleteFormW, kDeleteFormW)(printer, name);
}

HMODULE WINAPI SeamLoadLibraryW(LPCWSTR path) {
    if (Enter(kLoadLibraryW))
        return nullptr;
    if (GetCurrentActCtx(&g_seams->loadContext))
        ReleaseActCtx(g_seams->loadContext);
    LPCWSTR name = path;
    for (LPCWSTR at = path; *at != 0; ++at)
        name = *at == TEXT('\\') || *at == TEXT('/') ? at + 1 : name;
    for (const std::wstring& refused : g_seams->refusedLibraries)
        if (lstrcmpiW(refused.c_str(), name) == 0) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
    return Original(&LoadLibraryW, kLoadLibraryW)(path);
}

FARPROC WINAPI SeamGetProcAddress(HMODULE module, LPCSTR name) {
    if (Enter(kGetProcAddress))
        return nullptr;
    const auto& refused = g_seams->refusedEntryPoints;
    if (HIWORD(name) != 0 && std::count(refused.begin(), refused.end(), std::string(name)) > 0) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return Original(&GetProcAddress, kGetProcAddress)(module, name);
}

HANDLE WINAPI SeamCreateActCtxW(PCACTCTXW request) {
    if (Enter(kCreateActCtxW))
        return INVALID_HANDLE_VALUE;
    return Original(&CreateActCtxW, kCreateActCtxW)(request);
}

void ForgetTimer(HWND window, UINT_PTR id) {
    auto& timers = g_seams->timers;
    timers.erase(
        std::remove_if(timers.begin(), timers.end(),
                       [&](const Seams::Timer& t) { return t.window == window && t.id == id; }),
        timers.end());
}

// The timers the plug-in keeps: a window's timer replaces the one of the same id.
UINT_PTR WINAPI SeamSetTimer(HWND window, UINT_PTR id, UINT interval, TIMERPROC proc) {
    Enter(kSetTimer);
    UINT_PTR set = Original(&SetTimer, kSetTimer)(window, id, interval, proc);
    ForgetTimer(window, id);
    if (set != 0 && window != nullptr)
        g_seams->timers.push_back({window, id, interval, proc});
    return set;
}

BOOL WINAPI SeamKillTimer(HWND window, UINT_PTR id) {
    Enter(kKillTimer);
    ForgetTimer(window, id);
    return Original(&KillTimer, kKillTimer)(window, id);
}

#define IMPORT_NAME(dll, name, seam, writes) #name,
#define IMPORT_SEAM(dll, name, seam, writes) SeamOf<k##name>(seam, &name),
const char* const kNames[] = {SEAMED_IMPORTS(IMPORT_NAME)};
void* const kSeams[] = {SEAMED_IMPORTS(IMPORT_SEAM)};

int FindImport(const char* dll, const char* name) {
    for (int id = 0; id < kImportCount; ++id)
        if ((dll == nullptr || lstrcmpiA(kDllOf[id], dll) == 0) && lstrcmpA(kNames[id], name) == 0)
            return id;
    return -1;
}

// Puts the seams into the module's import address table, or the originals back.
void PatchImports(HMODULE module, bool seams) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& imports =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base +
                                            reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew)
            ->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        const char* dll = reinterpret_cast<const char*>(base + library->Name);
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slot = reinterpret_cast<void**>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char* name =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            int id = FindImport(dll, name);
            if (id < 0 && seams && lstrcmpiA(dll, kSpooler) == 0)
                ADD_FAILURE() << "the plug-in imports " << name << ", which the seams do not count";
            if (id < 0)
                continue;
            if (seams)
                g_state[id].original = *slot;
            DWORD protection = 0;
            VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection);
            *slot = seams ? kSeams[id] : g_state[id].original;
            VirtualProtect(slot, sizeof(*slot), protection, &protection);
        }
    }
}

ImportState& StateOf(const char* function) {
    int id = FindImport(nullptr, function);
    EXPECT_GE(id, 0) << function << " has no seam";
    return g_state[id < 0 ? 0 : id];
}

} // namespace

Seams::Seams() {
    module_ = LoadLibraryW(PluginPath().c_str());
    if (module_ == nullptr) {
        ADD_FAILURE() << "no plug-in to make seams in";
        return;
    }
    for (ImportState& state : g_state)
        state.calls = state.failures = 0;
    g_seams = this;
    PatchImports(module_, true);
}

Seams::~Seams() {
    if (module_ == nullptr)
        return;
    PatchImports(module_, false);
    FreeLibrary(module_);
    g_seams = nullptr;
}

long Seams::Calls(const char* function) const {
    return StateOf(function).calls;
}

long Seams::SpoolerCalls() const {
    long calls = 0;
    for (int id = 0; id < kImportCount; ++id)
        calls += kDllOf[id] == kSpooler ? g_state[id].calls : 0;
    return calls;
}

std::string Seams::SpoolerCallList() const {
    std::map<std::string, long> called; // in the order of their names
    for (int id = 0; id < kImportCount; ++id)
        if (kDllOf[id] == kSpooler && g_state[id].calls > 0)
            called[kNames[id]] = g_state[id].calls;
    std::string list;
    for (const auto& [name, calls] : called)
        list += (list.empty() ? "" : ", ") + name + " " + std::to_string(calls);
    return list;
}

void Seams::ForgetCalls() {
    for (ImportState& state : g_state)
        state.calls = 0;
    loadContext = nullptr;
}

void Seams::Fail(const char* function, DWORD error, int times) {
    StateOf(function).error = error;
    StateOf(function).failures = times;
}
