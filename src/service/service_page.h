// The Service page (dialog 108).
#pragma once

#include <windows.h>

INT_PTR CALLBACK ServicePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
