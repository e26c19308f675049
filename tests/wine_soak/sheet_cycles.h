// One use of the printer's dialogs, as a person opens and closes them: the core-driver stand-in
// loads the plug-in, the sheet is shown with every page visited, then closed and the plug-in
// unloaded again. And the same without the plug-in, to learn what the platform itself keeps.
#pragma once

#include <windows.h>

bool OpenAndClosePreferences(LPCWSTR pluginPath);
bool OpenAndCloseProperties(LPCWSTR pluginPath);

// The platform's share of one cycle: a library of the same build loaded and freed, and a
// modeless property sheet of `pageCount` plain pages shown, visited and destroyed as the host
// destroys its sheet.
bool OpenAndClosePlainSheet(LPCWSTR libraryPath, int pageCount);
