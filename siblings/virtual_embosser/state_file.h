// Where the embosser's state file lives, and reading and replacing it as a whole.
//
// The file is "qvmonext.state" in the folder qvmonext.dll was loaded from (the printer driver
// directory, ...\spool\drivers\x64\3\, when the plug-in loads it).
#pragma once

#include <windows.h>

#include <cstddef>

// Reads up to `size` bytes of the state file into `buffer` and sets `length`; false when the
// file is missing or cannot be read (an embosser that never stored its state).
bool ReadStateFile(char* buffer, std::size_t size, std::size_t* length);

// Replaces the state file with `text`: written to a temporary file in the same folder that is
// then renamed over the old one, so a reader sees either the old or the new file, never a part.
bool ReplaceStateFile(const char* text, std::size_t length);

// Holds the state file for one read, change and write, so that two programs changing the embosser
// at the same moment do not lose one of the changes: a named mutex shared by every process of the
// machine.
class StateFileLock {
public:
    StateFileLock();
    ~StateFileLock();
    StateFileLock(const StateFileLock&) = delete;
    StateFileLock& operator=(const StateFileLock&) = delete;

private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};
