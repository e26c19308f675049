// The Service page (dialog 108). Its controls' behaviour is not written yet: every message gets the
// dialog manager's default processing.
#include "service/service_page.h"

INT_PTR CALLBACK ServicePageProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
