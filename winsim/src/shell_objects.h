// What shell32, ole32 and the file-open dialog share inside winsim.
#pragma once

#include "internal.h"

#include <shobjidl.h>

#include <string>

namespace winsim {

// The simulated file system (shell32.cpp). Paths are full; "C:\a\b\" and "C:\a\b" are the same.
bool PathIsFile(const std::u16string& path);
bool PathIsFolder(const std::u16string& path);
std::u16string ParentFolder(const std::u16string& path);

// A new shell item for an existing path, with one reference held by the caller.
IShellItem* NewShellItem(const std::u16string& path);
// The path of a shell item winsim made, or false for anyone else's item.
bool ShellItemPath(IShellItem* item, std::u16string* path);

// ole32's class of the file-open dialog (file_dialog.cpp).
HRESULT CreateFileOpenDialog(REFIID riid, void** ppv);

} // namespace winsim
