// kernel32: activation contexts. A context is built from the RT_MANIFEST resource of a registered
// library; activations form a stack whose cookies must be undone in order. Creations and
// activations are logged, and the active context is visible to the rest of winsim.
#include "kernel32_private.h"
#include "sim/kernel.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr DWORD kErrorSxsCantGenActCtx = 14001;
constexpr WORD kRtManifest = 24;
constexpr DWORD kDefinedFlags = 0xFF;

struct ActCtx {
    std::u16string source;
    int references = 1;
};

struct Activation {
    ULONG_PTR cookie;
    HANDLE context;
};

struct ActCtxState {
    std::map<HANDLE, ActCtx> contexts;
    std::vector<Activation> stack;
    std::vector<sim::ActCtxEvent> log;
    ULONG_PTR nextCookie = 0x10;
    bool failActivation = false;
};

ActCtxState& State() {
    static ActCtxState state;
    return state;
}

winsim::ResetHook g_resetActCtx([] { State() = ActCtxState(); });

ActCtx& Find(HANDLE handle, const char* function) {
    auto it = State().contexts.find(handle);
    if (it == State().contexts.end())
        winsim::Misuse("%s(%p): not a live activation context (released already?)", function,
                       handle);
    return it->second;
}

void Release(HANDLE handle, const char* function) {
    ActCtx& context = Find(handle, function);
    if (--context.references == 0) {
        State().log.push_back({sim::ActCtxEvent::Destroyed, handle, context.source, 0});
        State().contexts.erase(handle);
    }
}

HANDLE Fail(const std::u16string& source, DWORD error) {
    State().log.push_back({sim::ActCtxEvent::CreateFailed, nullptr, source, 0});
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

// A manifest that is not an assembly manifest cannot produce a context.
bool LooksLikeManifest(const winsim::ResourceEntry& entry) {
    std::string text(reinterpret_cast<const char*>(entry.data), entry.size);
    return text.find("<assembly") != std::string::npos;
}

} // namespace

namespace winsim {
HANDLE ActiveActCtx() {
    return State().stack.empty() ? nullptr : State().stack.back().context;
}
} // namespace winsim

HANDLE WINAPI CreateActCtxW(PCACTCTXW pActCtx) {
    if (!pActCtx || pActCtx->cbSize == 0 || (pActCtx->dwFlags & ~kDefinedFlags))
        return Fail(u"", ERROR_INVALID_PARAMETER);
    if (pActCtx->cbSize != sizeof(ACTCTXW))
        winsim::Unmodelled("CreateActCtxW with cbSize %u (an older ACTCTXW)",
                           static_cast<unsigned>(pActCtx->cbSize));
    DWORD flags = pActCtx->dwFlags;
    if (flags & ACTCTX_FLAG_SET_PROCESS_DEFAULT)
        winsim::Unmodelled("CreateActCtxW with ACTCTX_FLAG_SET_PROCESS_DEFAULT");
    if (flags & ACTCTX_FLAG_SOURCE_IS_ASSEMBLYREF)
        winsim::Unmodelled("CreateActCtxW with ACTCTX_FLAG_SOURCE_IS_ASSEMBLYREF");
    if (!(flags & ACTCTX_FLAG_RESOURCE_NAME_VALID))
        winsim::Unmodelled("CreateActCtxW without a resource name (a manifest file)");

    winsim::ModuleFile* file = nullptr;
    std::u16string source;
    if (flags & ACTCTX_FLAG_HMODULE_VALID) {
        file = winsim::FindLoadedModule(pActCtx->hModule);
        if (!file)
            return Fail(u"", ERROR_INVALID_PARAMETER);
        source = file->path;
    } else {
        if (!pActCtx->lpSource)
            return Fail(u"", ERROR_INVALID_PARAMETER);
        source = pActCtx->lpSource;
        file = winsim::FindModuleFile(source);
        if (!file)
            return Fail(source, ERROR_FILE_NOT_FOUND);
    }
    WORD language = (flags & ACTCTX_FLAG_LANGID_VALID) ? pActCtx->wLangId : 0xFFFF;
    DWORD error = 0;
    const winsim::ResourceEntry* manifest = winsim::SelectResource(
        *file, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(kRtManifest)),
        pActCtx->lpResourceName, language, &error);
    if (!manifest)
        return Fail(source, error);
    if (!LooksLikeManifest(*manifest))
        return Fail(source, kErrorSxsCantGenActCtx);

    HANDLE handle = reinterpret_cast<HANDLE>(winsim::NextHandleValue());
    State().contexts[handle] = ActCtx{file->path, 1};
    State().log.push_back({sim::ActCtxEvent::Created, handle, file->path, 0});
    return handle;
}

void WINAPI ReleaseActCtx(HANDLE hActCtx) {
    if (!hActCtx)
        return;
    Release(hActCtx, "ReleaseActCtx");
}

// An active context holds a reference of its own until it is deactivated. Null activates the
// process default.
BOOL WINAPI ActivateActCtx(HANDLE hActCtx, ULONG_PTR* lpCookie) {
    ActCtxState& state = State();
    if (!lpCookie || hActCtx == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string source;
    if (hActCtx)
        source = Find(hActCtx, "ActivateActCtx").source;
    if (state.failActivation) {
        state.log.push_back({sim::ActCtxEvent::ActivateFailed, hActCtx, source, 0});
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    if (hActCtx)
        ++Find(hActCtx, "ActivateActCtx").references;
    ULONG_PTR cookie = state.nextCookie++;
    state.stack.push_back({cookie, hActCtx});
    state.log.push_back({sim::ActCtxEvent::Activated, hActCtx, source, cookie});
    *lpCookie = cookie;
    return TRUE;
}

// Deactivating anything but the most recent activation is a program error that the platform
// raises as an exception; the force flag unwinds the newer activations first.
BOOL WINAPI DeactivateActCtx(DWORD dwFlags, ULONG_PTR ulCookie) {
    ActCtxState& state = State();
    if (dwFlags & ~static_cast<DWORD>(DEACTIVATE_ACTCTX_FLAG_FORCE_EARLY_DEACTIVATION))
        winsim::Unmodelled("DeactivateActCtx flags 0x%X", static_cast<unsigned>(dwFlags));
    bool force = dwFlags != 0;
    std::size_t depth = state.stack.size();
    std::size_t index = depth;
    for (std::size_t i = 0; i < depth; ++i)
        if (state.stack[i].cookie == ulCookie)
            index = i;
    if (index == depth || (!force && index != depth - 1))
        winsim::Misuse("DeactivateActCtx(0x%lx): not the most recent activation (activations "
                       "must be undone in reverse order)",
                       static_cast<unsigned long>(ulCookie));
    while (state.stack.size() > index) {
        Activation top = state.stack.back();
        state.stack.pop_back();
        std::u16string source;
        if (top.context)
            source = Find(top.context, "DeactivateActCtx").source;
        state.log.push_back({sim::ActCtxEvent::Deactivated, top.context, source, top.cookie});
        if (top.context)
            Release(top.context, "DeactivateActCtx");
    }
    return TRUE;
}

// The caller owns a reference to the handle it receives.
BOOL WINAPI GetCurrentActCtx(HANDLE* lphActCtx) {
    if (!lphActCtx) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HANDLE active = winsim::ActiveActCtx();
    if (active)
        ++Find(active, "GetCurrentActCtx").references;
    *lphActCtx = active;
    return TRUE;
}

namespace sim {
const std::vector<ActCtxEvent>& ActivationContextLog() {
    return State().log;
}
std::size_t LiveActivationContexts() {
    return State().contexts.size();
}
HANDLE ActiveActivationContext() {
    return winsim::ActiveActCtx();
}
std::size_t ActivationDepth() {
    return State().stack.size();
}
void FailActivation(bool fail) {
    State().failActivation = fail;
}
} // namespace sim
