// The groups of checks of the device page under Wine.
#pragma once

#include "check_log.h"

#include <windows.h>

#include <string>

// A check with two outcomes: `expected` when it passed, `otherwise` when not.
inline bool CheckThat(const char* what, bool passed, const std::string& expected,
                      const std::string& otherwise) {
    return Check(what, passed, expected, passed ? expected : otherwise);
}

// The plug-in's device settings tree, from the real qvembui.dll, in the page: `folder` holds the
// DLLs, `shots` (ending in a backslash) receives the screenshots.
void CheckEmbosserTree(LPCWSTR folder, LPCWSTR shots);
