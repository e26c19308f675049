// A growing text of bounded size for composing the state file: appends fail, rather than grow
// past the limit, and the failure sticks so a composition is checked once at its end.
#pragma once

#include <cstddef>

class TextBuffer {
public:
    explicit TextBuffer(std::size_t limit) : limit_(limit) {}
    ~TextBuffer() { delete[] text_; }
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    void Append(const char* text, std::size_t length);
    void Append(const char* text);
    // Appends "key=value\n".
    void AppendLine(const char* key, const char* value);

    bool Failed() const { return failed_; }
    const char* Text() const { return text_ != nullptr ? text_ : ""; }
    std::size_t Length() const { return length_; }

private:
    char* text_ = nullptr;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;
    std::size_t limit_;
    bool failed_ = false;
};
