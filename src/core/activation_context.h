// Activation contexts: the one built from this module's own manifest (common controls 6) for
// the property pages, and the one the module was loaded in, for modal dialogs and libraries.
#pragma once

#include <windows.h>

// The module activation context, created from the module's manifest (resource 2) on first use;
// INVALID_HANDLE_VALUE when it cannot be created (the next request tries again).
HANDLE ModuleActivationContext();

// Whether a handle names a real activation context.
bool IsUsableActivationContext(HANDLE context);

// DialogBoxParamW and LoadLibraryW run inside the activation context this module was loaded in,
// as the platform's isolation-aware wrappers do. When that context cannot be activated the
// dialog returns -1 and the load returns null.
INT_PTR ModuleDialogBoxParam(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                             DLGPROC procedure, LPARAM param);
HMODULE ModuleLoadLibrary(LPCWSTR path);
