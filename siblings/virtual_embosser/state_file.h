// Where the embosser's state file lives, and reading and replacing it as a whole.
//
// The file is "qvmonext.state" in "%ProgramData%\Quorvane\Tarvik", which every user of the
// machine may write. A file that earlier versions kept beside qvmonext.dll (the printer driver
// directory) is read once and taken over when the new place has none.
#pragma once

#include <windows.h>

#include <cstddef>

// Reads up to `size` bytes of the state file into `buffer` and sets `length`; false when the
// file is missing in both places or cannot be read (an embosser that never stored its state).
bool ReadStateFile(char* buffer, std::size_t size, std::size_t* length);

// Replaces the state file with `text`: written to a temporary file in the same folder that is
// then renamed over the old one (the folders are made when missing), so a reader sees either the
// old or the new file, never a part.
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
