// winsim: shlwapi.h -- the shell's path helpers that the plug-in uses.
#pragma once

#include "windef.h"

LPCWSTR WINAPI PathFindFileNameW(LPCWSTR pszPath);
