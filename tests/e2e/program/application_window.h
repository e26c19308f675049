// The test program's own top-level window: the owner of the sheets it opens, as an application's
// main window is, and a listener for the WM_DEVMODECHANGE broadcast every top-level window gets.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ApplicationWindow {
public:
    ApplicationWindow();
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND handle() const { return window_; }
    // The device names of the WM_DEVMODECHANGE messages received, oldest first.
    const std::vector<std::string>& devmodeChanges() const { return devmodeChanges_; }
    // Forgets them and gives their memory back (a flow must not leave the list's memory behind).
    void ForgetDevmodeChanges() { std::vector<std::string>().swap(devmodeChanges_); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<std::string> devmodeChanges_;
};
