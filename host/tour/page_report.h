// Readable text of what a person sees on a page or dialog: every control with its kind, text
// and state.
#pragma once

#include <windows.h>

#include <string>

std::string DescribeWindow(HWND dialog);
std::string Utf8(const std::u16string& text);
