// The module's activation contexts and the calls that run inside them.
#include "core/activation_context.h"

#include "core/module_state.h"

namespace {

constexpr int kMaxPathAttempts = 10;
constexpr WORD kManifestResourceId = 2;

HANDLE CreateContextFromModuleManifest(LPCWSTR modulePath) {
    ACTCTXW request;
    ZeroMemory(&request, sizeof(request));
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = modulePath;
    request.lpResourceName = MAKEINTRESOURCEW(kManifestResourceId);
    return CreateActCtxW(&request);
}

// The module's full path; a path longer than the buffer is fetched again into a buffer twice as
// large, up to ten tries, after which the cut path is used.
HANDLE CreateModuleActivationContext() {
    HANDLE heap = GetProcessHeap();
    DWORD capacity = MAX_PATH;
    for (int attempt = 1; attempt <= kMaxPathAttempts; ++attempt) {
        auto* path =
            static_cast<WCHAR*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, capacity * sizeof(WCHAR)));
        if (path == nullptr)
            return INVALID_HANDLE_VALUE;
        DWORD length = GetModuleFileNameW(g_module, path, capacity);
        if (length == 0) {
            HeapFree(heap, 0, path);
            return INVALID_HANDLE_VALUE;
        }
        if (length < capacity || attempt == kMaxPathAttempts) {
            HANDLE context = CreateContextFromModuleManifest(path);
            HeapFree(heap, 0, path);
            return context;
        }
        HeapFree(heap, 0, path);
        capacity *= 2;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

HANDLE ModuleActivationContext() {
    if (g_moduleActCtx == INVALID_HANDLE_VALUE)
        g_moduleActCtx = CreateModuleActivationContext();
    return g_moduleActCtx;
}

bool IsUsableActivationContext(HANDLE context) {
    return context != nullptr && context != INVALID_HANDLE_VALUE;
}

INT_PTR ModuleDialogBoxParam(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                             DLGPROC procedure, LPARAM param) {
    ULONG_PTR cookie = 0;
    if (!ActivateActCtx(g_loadActCtx, &cookie))
        return -1;
    INT_PTR result = DialogBoxParamW(instance, templateName, owner, procedure, param);
    DeactivateActCtx(0, cookie);
    return result;
}

HMODULE ModuleLoadLibrary(LPCWSTR path) {
    ULONG_PTR cookie = 0;
    if (!ActivateActCtx(g_loadActCtx, &cookie))
        return nullptr;
    HMODULE module = LoadLibraryW(path);
    DeactivateActCtx(0, cookie);
    return module;
}
