// The layout page (dialog 110).
#pragma once

#include <windows.h>

INT_PTR CALLBACK LayoutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
