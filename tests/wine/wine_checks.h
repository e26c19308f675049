// The groups of checks that the Windows build of the plug-in runs on the real platform.
#pragma once

#include <windows.h>

// Loads the module by path and checks the class object, its identity, the answers of the driver
// interface methods and when the module may be unloaded.
void CheckPluginModule(LPCWSTR modulePath);

// The methods the plug-in answers itself, called through the published method table of `object` (an
// IPrintOemUI2 pointer).
void CheckDriverMethods(void* object);
