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

// What Wine's common property sheet service does with a page of option items: the reason the
// configuration module draws them itself. Reported, not checked: it is Wine's behaviour.
void MeasureCompstuiOptionItems();

// The plug-in's device settings tree, from the real qvembui.dll, in the page: `folder` holds the
// DLLs, `shots` (ending in a backslash) receives the screenshots.
void CheckEmbosserTree(LPCWSTR folder, LPCWSTR shots);

// The page in Wine's own modal sheet, added with CPSFUNC_ADD_HPROPSHEETPAGE as the configuration
// module adds it; `shots` receives a screenshot.
void CheckPageInCompstuiSheet(LPCWSTR shots);

// Items made here, for the flags and callback answers the plug-in's own tree does not use.
void CheckItemFlagsAndAnswers();
