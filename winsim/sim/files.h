// The tests' view of the files' contents: what a file holds, and the file handles still open.
// Which files and folders exist is the file-system view of sim/shell.h; a file added there
// without contents is empty.
#pragma once

#include <cstddef>
#include <string>

namespace sim {

// Puts a file with these bytes on the simulated machine (adding its folders), or replaces the
// bytes of an existing one.
void AddFileWithContents(const std::u16string& path, const std::string& bytes);

// File handles opened with CreateFileW and not closed.
std::size_t OpenFileHandles();

} // namespace sim
