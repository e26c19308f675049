// Strict UTF-8 checking and decoding (RFC 3629), without the platform's code-page tables so that
// both builds refuse exactly the same bytes.
#include "utf8_text.h"

namespace {

// The length of the sequence a lead byte starts and the smallest code point it may carry;
// 0 for a byte that cannot start a sequence.
int SequenceLength(BYTE lead, DWORD* smallest) {
    if (lead < 0x80) {
        *smallest = 0;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        *smallest = 0x80;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        *smallest = 0x800;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        *smallest = 0x10000;
        return 4;
    }
    return 0;
}

// Reads one code point at bytes[*at]; false for a malformed sequence.
bool NextCodePoint(const BYTE* bytes, SIZE_T size, SIZE_T* at, DWORD* codePoint) {
    DWORD smallest = 0;
    int length = SequenceLength(bytes[*at], &smallest);
    if (length == 0 || size - *at < static_cast<SIZE_T>(length))
        return false;
    DWORD value = length == 1 ? bytes[*at] : bytes[*at] & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        BYTE next = bytes[*at + i];
        if ((next & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    *at += length;
    *codePoint = value;
    return true;
}

} // namespace

bool IsCleanUtf8(const BYTE* bytes, SIZE_T size) {
    SIZE_T at = 0;
    while (at < size) {
        DWORD codePoint = 0;
        if (!NextCodePoint(bytes, size, &at, &codePoint) || codePoint == 0)
            return false;
    }
    return true;
}

int DecodeUtf8(const BYTE* bytes, SIZE_T size, WCHAR* out, int capacity) {
    SIZE_T at = 0;
    int written = 0;
    while (at < size) {
        DWORD codePoint = 0;
        if (!NextCodePoint(bytes, size, &at, &codePoint))
            return -1;
        if (codePoint < 0x10000) {
            if (written + 1 > capacity)
                return -1;
            out[written++] = static_cast<WCHAR>(codePoint);
        } else {
            if (written + 2 > capacity)
                return -1;
            codePoint -= 0x10000;
            out[written++] = static_cast<WCHAR>(0xD800 + (codePoint >> 10));
            out[written++] = static_cast<WCHAR>(0xDC00 + (codePoint & 0x3FF));
        }
    }
    return written;
}
