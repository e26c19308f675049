// One use of the printer's dialogs, as a person opens and closes them: the core-driver stand-in
// loads the plug-in, the sheet is shown with every page visited, then closed and the plug-in
// unloaded again. And the same without the plug-in, to learn what the platform itself keeps.
#pragma once

#include <windows.h>

bool OpenAndClosePreferences(LPCWSTR pluginPath);
bool OpenAndCloseProperties(LPCWSTR pluginPath);

// The platform's share of one cycle: the plug-in and the printer link loaded and freed without
// being asked anything (only their runtimes start and stop), and a modeless property sheet of
// `pageCount` plain pages shown, visited and destroyed as the host destroys its sheet.
bool OpenAndClosePlainSheet(LPCWSTR pluginPath, LPCWSTR printerLinkPath, int pageCount);
