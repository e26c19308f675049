// The state file's composition buffer.
#include "text_buffer.h"

#include <cstring>
#include <new>

void TextBuffer::Append(const char* text, std::size_t length) {
    if (failed_)
        return;
    if (length > limit_ - length_) {
        failed_ = true;
        return;
    }
    if (length_ + length + 1 > capacity_) {
        std::size_t capacity = capacity_ == 0 ? 4096 : capacity_ * 2;
        while (capacity < length_ + length + 1)
            capacity *= 2;
        char* grown = new (std::nothrow) char[capacity];
        if (grown == nullptr) {
            failed_ = true;
            return;
        }
        if (length_ > 0)
            std::memcpy(grown, text_, length_);
        delete[] text_;
        text_ = grown;
        capacity_ = capacity;
    }
    std::memcpy(text_ + length_, text, length);
    length_ += length;
    text_[length_] = 0;
}

void TextBuffer::Append(const char* text) {
    Append(text, std::strlen(text));
}

void TextBuffer::AppendLine(const char* key, const char* value) {
    Append(key);
    Append("=", 1);
    Append(value);
    Append("\n", 1);
}
