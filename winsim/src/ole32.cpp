// ole32: per-thread COM initialisation, creation of the one class winsim serves (the shell's
// file-open dialog), and task memory with its accounting.
#include "shell_objects.h"
#include "sim/shell.h"

#include <objbase.h>

#include <cstdlib>
#include <map>
#include <set>

namespace winsim {
namespace {

// COM is initialised per thread: a count of successful CoInitializeEx calls and the apartment
// the first one chose.
thread_local int t_initCount = 0;
thread_local DWORD t_apartment = 0;

// Task memory blocks alive now, with their sizes; blocks alive at a reset are remembered as
// orphans so that a late CoTaskMemFree of one is still accepted.
std::map<void*, size_t> g_blocks;
std::set<void*> g_orphans;

ResetHook g_reset([] {
    t_initCount = 0;
    t_apartment = 0;
    for (auto& block : g_blocks)
        g_orphans.insert(block.first);
    g_blocks.clear();
});

bool IsApartmentThreaded(DWORD coInit) {
    return (coInit & COINIT_APARTMENTTHREADED) != 0;
}

} // namespace
} // namespace winsim

using namespace winsim;

HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    if (pvReserved)
        return E_INVALIDARG;
    const DWORD known =
        COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE | COINIT_SPEED_OVER_MEMORY;
    if (dwCoInit & ~known)
        return E_INVALIDARG;
    if (t_initCount > 0) {
        if (IsApartmentThreaded(dwCoInit) != IsApartmentThreaded(t_apartment))
            return RPC_E_CHANGED_MODE; // the count is not raised
        ++t_initCount;
        return S_FALSE;
    }
    t_initCount = 1;
    t_apartment = dwCoInit;
    return S_OK;
}

void WINAPI CoUninitialize(void) {
    if (t_initCount == 0)
        Misuse("CoUninitialize on a thread without a matching CoInitializeEx");
    --t_initCount;
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext,
                                REFIID riid, LPVOID* ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (t_initCount == 0)
        return CO_E_NOTINITIALIZED;
    // The file-open dialog is registered as an in-process server only.
    if (!IsEqualCLSID(rclsid, CLSID_FileOpenDialog) || !(dwClsContext & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    return CreateFileOpenDialog(riid, ppv);
}

LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb) {
    // A zero-byte request still gives a unique block, as the platform's allocator does.
    void* block = std::malloc(cb ? cb : 1);
    if (block)
        g_blocks[block] = cb;
    return block;
}

void WINAPI CoTaskMemFree(LPVOID pv) {
    if (!pv)
        return;
    if (g_blocks.erase(pv) == 0 && g_orphans.erase(pv) == 0)
        Misuse("CoTaskMemFree of %p, which is not a live task memory block", pv);
    std::free(pv);
}

namespace sim {

size_t LiveCoTaskMemBlocks() {
    return g_blocks.size();
}
int ComInitCount() {
    return t_initCount;
}

} // namespace sim
