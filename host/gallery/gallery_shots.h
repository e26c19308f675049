// The gallery's pictures and progress: each picture is a window as it is on screen, saved as a
// bitmap "<name>.bmp" in the gallery folder with its caption listed in "shots.txt"; each step of
// the session is printed with the seconds since the program started.
#pragma once

#include <windows.h>

// The folder (ending in a backslash) where pictures and lists go.
void SetGalleryFolder(LPCWSTR folder);
LPCWSTR GalleryFolder();

// Prints "[  3.1 s] what" at once.
void Progress(const char* format, ...);

// Serves this thread's messages for `milliseconds`, so that what changed is painted.
void LetPaint(DWORD milliseconds);

// Brings the window to the front, repaints it and everything in it, and saves what it shows as
// picture `name` with `caption`. False when the picture could not be saved.
bool ShootWindow(HWND window, const char* name, const char* caption);
// Saves what the window shows once its pending painting is done, without repainting it: what a
// page redraws of itself after a change is seen as the page left it.
bool ShootAsShown(HWND window, const char* name, const char* caption);
