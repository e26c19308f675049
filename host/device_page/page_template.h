// The device page's dialog template, built in memory so that the module creating the page needs
// no resources of its own: an empty page of the size of the plug-in's own pages, in the dialog
// font the sheet uses; the page creates its controls itself.
#pragma once

#include <windows.h>

// The page's size in dialog units.
constexpr short kDevicePageWidth = 252;
constexpr short kDevicePageHeight = 218;

// Room for the header, the empty menu, class and caption, and the font.
constexpr size_t kPageTemplateWords = 32;

struct PageTemplate {
    alignas(DWORD) WORD words[kPageTemplateWords];
};

// Fills `storage` and returns the template in it.
LPCDLGTEMPLATEW BuildPageTemplate(PageTemplate* storage);
