// Screenshots taken by scripts/wine-screens.sh while the program waits: the program names the
// shot and the window's place on the screen, the script takes it and leaves a file that says so.
#pragma once

#include <windows.h>

// The folder (ending in a backslash) where the script leaves "<name>.taken".
void SetShotFolder(LPCWSTR folder);

// Lets the window paint, asks for the shot "<name>" of its rectangle and waits, still serving
// messages, until it is taken (at most 30 s). False when it was not.
bool TakeShot(const char* name, HWND window);

// From a thread that does not own the window: asks for the shot and waits until it is taken,
// while the window's own thread goes on serving it.
bool RequestShot(const char* name, HWND window);

// Serves the thread's messages for `milliseconds`.
void ServeMessages(DWORD milliseconds);
