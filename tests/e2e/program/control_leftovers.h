// What Wine 8's own controls leave in the process heap when they are destroyed, measured with
// plain controls in a program of their own (no plug-in code):
//   - comctl32's static control (version 6) keeps its 24-byte extra data (the font and image)
//     after every instance: a dialog with two labels leaves two 24-byte blocks;
//   - the edit control, user32's and comctl32's, keeps the line-break attributes of a multi-line
//     edit's text, one byte per character: a 250-character text leaves one 250-byte block.
// Windows keeps neither. Such blocks are expected once per control destroyed during a flow, by
// their exact size; no other block is.
#pragma once

#include "counter_heap.h"

#include <windows.h>

class ControlLeftovers {
public:
    ControlLeftovers();
    ~ControlLeftovers();
    ControlLeftovers(const ControlLeftovers&) = delete;
    ControlLeftovers& operator=(const ControlLeftovers&) = delete;

    // The blocks Wine keeps for the controls destroyed on this thread so far, by size
    // ("24 bytes").
    const KindCounts& expected() const { return expected_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK ChildDestroyed(HWND window, LPARAM);
    void ControlDestroyed(HWND window);

    HHOOK hook_ = nullptr;
    KindCounts expected_;
};
