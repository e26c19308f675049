// user32: LoadStringW. Strings live in RT_STRING blocks of sixteen: string id n is entry
// n % 16 of block n / 16 + 1, each entry a WORD length followed by that many UTF-16 characters
// (no terminator).
#include "user32_internal.h"

#include <algorithm>

using namespace winsim;

int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int max) {
    if (!buffer || max < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    ResourceBytes block;
    if (!FindModuleResource(instance, RT_STRING, MAKEINTRESOURCEW((id >> 4) + 1), &block)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const BYTE* p = block.data;
    const BYTE* end = block.data + block.size;
    for (UINT entry = 0;; ++entry) {
        if (end - p < 2)
            Unmodelled("malformed string table block %u", (id >> 4) + 1);
        WORD length = static_cast<WORD>(p[0] | (p[1] << 8));
        p += 2;
        if (end - p < static_cast<std::ptrdiff_t>(length) * 2)
            Unmodelled("malformed string table block %u", (id >> 4) + 1);
        if (entry == (id & 15)) {
            const WCHAR* text = reinterpret_cast<const WCHAR*>(p);
            if (max == 0) {
                // The caller receives a read-only pointer to the resource text itself.
                *reinterpret_cast<const WCHAR**>(buffer) = text;
                return length;
            }
            if (length == 0) {
                SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
                buffer[0] = 0;
                return 0;
            }
            int copied = std::min<int>(length, max - 1);
            std::copy(text, text + copied, buffer);
            buffer[copied] = 0;
            return copied;
        }
        p += static_cast<std::ptrdiff_t>(length) * 2;
    }
}
