// The paper and media page (dialog 111).
#pragma once

#include <windows.h>

INT_PTR CALLBACK PaperPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
