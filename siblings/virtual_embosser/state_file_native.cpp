// The state file in the native build: a file the tests name, or text kept in memory.
#ifndef _WIN32
#include "state_file.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string& StatePath() {
    static std::string path;
    return path;
}

std::string& MemoryState() {
    static std::string text;
    return text;
}

bool g_memoryStateExists = false;

} // namespace

StateFileLock::StateFileLock() {}

StateFileLock::~StateFileLock() {}

void SetStateFilePath(const char* path) {
    StatePath() = path != nullptr ? path : "";
    MemoryState().clear();
    g_memoryStateExists = false;
}

bool ReadStateFile(char* buffer, std::size_t size, std::size_t* length) {
    *length = 0;
    if (StatePath().empty()) {
        *length = MemoryState().size() < size ? MemoryState().size() : size;
        std::memcpy(buffer, MemoryState().data(), *length);
        return g_memoryStateExists;
    }
    std::FILE* file = std::fopen(StatePath().c_str(), "rb");
    if (file == nullptr)
        return false;
    *length = std::fread(buffer, 1, size, file);
    bool good = std::ferror(file) == 0;
    std::fclose(file);
    return good;
}

bool ReplaceStateFile(const char* text, std::size_t length) {
    if (StatePath().empty()) {
        MemoryState().assign(text, length);
        g_memoryStateExists = true;
        return true;
    }
    std::string temporary = StatePath() + "." + std::to_string(getpid()) + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool written = std::fwrite(text, 1, length, file) == length && std::fflush(file) == 0 &&
                   fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), StatePath().c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
#endif
