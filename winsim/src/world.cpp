// winsim's world: reset hooks, handle values and the abort for anything not modelled.
#include "internal.h"
#include "sim.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace winsim {
namespace {
std::vector<std::function<void()>>& ResetHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}
uintptr_t g_nextHandle = 0x1000;
} // namespace

void AbortWith(const char* kind, const char* format, va_list args) {
    std::fprintf(stderr, "winsim: %s: ", kind);
    std::vfprintf(stderr, format, args);
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    std::abort();
}

void Unmodelled(const char* format, ...) {
    va_list args;
    va_start(args, format);
    AbortWith("not modelled", format, args);
}

ResetHook::ResetHook(std::function<void()> reset) {
    ResetHooks().push_back(std::move(reset));
}

uintptr_t NextHandleValue() {
    g_nextHandle += 4;
    return g_nextHandle;
}

std::u16string U16(const char* utf8) {
    std::u16string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p;) {
        char32_t c = *p++;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra)
            c &= 0x3F >> extra;
        while (extra-- > 0 && *p)
            c = (c << 6) | (*p++ & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string Utf8(const WCHAR* text) {
    return text ? Utf8(std::u16string(text)) : "(null)";
}

static char16_t FoldCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? c - 32 : c;
}

// Both compare through plain pointers: element access and folding are calls in the sanitizer
// build, made here only where two characters differ.
bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    const char16_t* x = a.data();
    const char16_t* y = b.data();
    for (size_t i = 0; i < a.size(); ++i)
        if (x[i] != y[i] && FoldCase(x[i]) != FoldCase(y[i]))
            return false;
    return true;
}

bool LessNoCase::operator()(std::u16string_view a, std::u16string_view b) const {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    const char16_t* x = a.data();
    const char16_t* y = b.data();
    for (size_t i = 0; i < n; ++i) {
        if (x[i] == y[i])
            continue;
        char16_t fx = FoldCase(x[i]), fy = FoldCase(y[i]);
        if (fx != fy)
            return fx < fy;
    }
    return a.size() < b.size();
}

// FNV-1a over the folded characters.
size_t HashNoCase::operator()(std::u16string_view text) const {
    size_t hash = 14695981039346656037ull;
    const char16_t* c = text.data();
    for (size_t i = 0; i < text.size(); ++i)
        hash = (hash ^ FoldCase(c[i])) * 1099511628211ull;
    return hash;
}

} // namespace winsim

namespace sim {
void Reset() {
    for (auto& hook : winsim::ResetHooks())
        hook();
}
} // namespace sim
