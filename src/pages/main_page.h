// The main page (dialog 106).
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
