// The tests' view of shell32, ole32 and the file-open dialog: the file-system view, the queued
// answers of the dialog, its log, and the live objects.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// The files and folders that exist on the simulated machine. Paths are full ("C:\..."), compared
// case-insensitively; adding a file or folder adds its parent folders. C:\, the Windows and
// system folders and the special folders SHGetFolderPathW knows exist from the start, and so do
// the library files registered with sim::RegisterModule, in their folders.
void AddFolder(const std::u16string& path);
void AddFile(const std::u16string& path);
bool FileExists(const std::u16string& path);
bool FolderExists(const std::u16string& path);

// The user's choice for the next file-open dialog shown: a path, or cancel. A dialog shown with
// nothing queued aborts the test, as does an answer naming a file that does not exist while the
// dialog requires existing files.
void QueueFileOpenAnswer(const std::u16string& path);
void QueueFileOpenCancel();
size_t PendingFileOpenAnswers();

// One IModalWindow::Show of a file-open dialog, with what the caller had set up.
struct FileOpenShow {
    HWND owner;
    FILEOPENDIALOGOPTIONS options;
    std::vector<std::pair<std::u16string, std::u16string>> fileTypes; // name, pattern
    std::u16string folder;           // SetFolder's item path; empty when not set
    std::u16string fileName;         // SetFileName; empty when not set
    std::u16string title;            // SetTitle; empty when not set
    std::u16string defaultExtension; // SetDefaultExtension; empty when not set
    bool cancelled;
    std::u16string answer; // the chosen path when not cancelled
};
const std::vector<FileOpenShow>& FileOpenLog();

// Leak accounting.
size_t LiveFileDialogs();
size_t LiveShellItems();
size_t LiveCoTaskMemBlocks();
// COM initialisations of the calling thread not yet matched by CoUninitialize.
int ComInitCount();
// One line per kind of shell or COM resource still held (file dialogs, shell items, task memory,
// COM initialisations); empty when nothing leaked.
std::string ShellLeakReport();

} // namespace sim
