// Module-wide state of the plug-in: its handle, the server lock count, the count of live
// objects and factories, and the activation contexts it uses.
#pragma once

#include <windows.h>

// This module's handle, stored at process attach.
extern HMODULE g_module;

// Changed only by IClassFactory::LockServer.
extern LONG volatile g_serverLocks;

// Factories and plug-in objects alive; the module must stay loaded while any exists.
extern LONG volatile g_liveObjects;

// The activation context built from this module's own manifest, created on the first property
// sheet request; INVALID_HANDLE_VALUE until then.
extern HANDLE g_moduleActCtx;

// The activation context that was active when this module was loaded (null: the process
// default); modal dialogs and sibling libraries run inside it.
extern HANDLE g_loadActCtx;
