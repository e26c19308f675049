// The texts the pages show for the English ones the tour looks for: the installed locale library
// and catalogue translate them as they translate the pages, so the tour finds list items and tree
// rows in any language the printer is installed in.
#pragma once

#include <windows.h>

#include <string>

// `english` in the language named by "Locale" (HKLM\SOFTWARE\Quorvane\TarvikSetup), from the
// catalogues under the install folder; `english` itself when no translation is installed.
std::wstring Shown(LPCWSTR english);
