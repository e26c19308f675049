// The printing preferences' own dialog templates, read from the plug-in's resources, shown as a
// sheet of pages whose dialog procedures do nothing: what the pages cost without the plug-in.
#pragma once

#include <windows.h>

class BareSheet {
public:
    // Loads the plug-in at `pluginPath` as a data file.
    explicit BareSheet(LPCWSTR pluginPath);
    ~BareSheet();
    BareSheet(const BareSheet&) = delete;
    BareSheet& operator=(const BareSheet&) = delete;

    bool loaded() const { return pageCount_ == kPages; }
    // Runs the sheet modally over `owner` until it closes; the sheet's result.
    INT_PTR Show(HWND owner, LPCWSTR caption) const;

private:
    static constexpr int kPages = 3;
    HMODULE module_ = nullptr;
    const DLGTEMPLATE* templates_[kPages] = {};
    int pageCount_ = 0;
};
