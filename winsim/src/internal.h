// winsim's own plumbing, shared by the files that model the platform's libraries.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace winsim {

// Anything winsim does not model ends the program with a message naming it, so that a gap in
// the model can never look like a passing test.
[[noreturn]] void Unmodelled(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints "winsim: <kind>: <message>" and aborts; what Unmodelled and Misuse share.
[[noreturn]] void AbortWith(const char* kind, const char* format, va_list args);

// Registers a function that sim::Reset() calls to bring one library back to its start state.
struct ResetHook {
    explicit ResetHook(std::function<void()> reset);
};

// While one lives, registry calls are the spooler's own, made as the system and not as the user:
// the standard-user switch (sim/switches.h) does not refuse them.
class SpoolerRegistryAccess {
public:
    SpoolerRegistryAccess();
    ~SpoolerRegistryAccess();
    SpoolerRegistryAccess(const SpoolerRegistryAccess&) = delete;
    SpoolerRegistryAccess& operator=(const SpoolerRegistryAccess&) = delete;
    static bool Active();
};

// Handle values are unique across every kind of handle and never point at anything, as on
// Windows: code that dereferences a handle crashes instead of working by accident.
uintptr_t NextHandleValue();

// Owns the objects behind one kind of handle.
template <class Handle, class Object> class HandleTable {
public:
    Handle Add(std::unique_ptr<Object> object) {
        Handle handle = reinterpret_cast<Handle>(NextHandleValue());
        objects_[handle] = std::move(object);
        return handle;
    }
    Object* Find(Handle handle) const {
        auto it = objects_.find(handle);
        return it == objects_.end() ? nullptr : it->second.get();
    }
    bool Remove(Handle handle) { return objects_.erase(handle) != 0; }
    size_t Count() const { return objects_.size(); }
    void Clear() { objects_.clear(); }
    template <class F> void ForEach(F f) const {
        for (auto& entry : objects_)
            f(entry.first, *entry.second);
    }

private:
    std::map<Handle, std::unique_ptr<Object>> objects_;
};

// UTF-16 helpers for winsim's own bookkeeping and messages.
std::u16string U16(const char* utf8);
std::string Utf8(const WCHAR* text);
std::string Utf8(const std::u16string& text);
// Case-insensitive comparison as the platform compares names (ASCII letters folded).
bool EqualNoCase(std::u16string_view a, std::u16string_view b);
// Orders names so; maps keyed by it are looked up by any text without a copy of it.
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const;
};
// For hashed sets of names compared without case: texts equal without case hash alike.
struct HashNoCase {
    size_t operator()(std::u16string_view text) const;
};
struct SameNoCase {
    bool operator()(std::u16string_view a, std::u16string_view b) const {
        return EqualNoCase(a, b);
    }
};

// Compares two texts as the user's locale orders words (lstrcmpW/lstrcmpiW, sorted list boxes):
// negative, 0 or positive. Pairs the model cannot order abort as not modelled.
int CompareAsWords(const std::u16string& a, const std::u16string& b, bool ignoreCase);

// The spooler counts a registry call on a printer's key (under HKEY_LOCAL_MACHINE) as a round
// trip to the print server, unless the spooler itself makes it (winspool owns the count).
void CountRegistryRoundTrip(const char* function, bool localMachine, std::u16string_view path);
// Whether a call on a key of that root may be counted so (then its path decides).
bool MayCountRegistryRoundTrip(bool localMachine);

// Resources of a loaded module, served from its compiled .res image (kernel32 owns them).
// Type and name are MAKEINTRESOURCE ids or strings; language 0xFFFF means any.
struct ResourceBytes {
    const BYTE* data;
    DWORD size;
    WORD language;
};
bool FindModuleResource(HMODULE module, LPCWSTR type, LPCWSTR name, ResourceBytes* out,
                        WORD language = 0xFFFF);

} // namespace winsim

// Device contexts of windows (gdi32 owns them): user32's GetDC/ReleaseDC and the WM_DRAWITEM it
// sends hand these out, so that drawing into them is recorded against the window.
// ReleaseWindowDC answers false for a handle that is not a live window DC.
namespace winsim {
HDC CreateWindowDC(HWND window);
bool ReleaseWindowDC(HDC dc);
} // namespace winsim

// kernel32: the resources of a registered library by its path, without loading it (version.dll
// reads RT_VERSION this way). Language 0xFFFF means any, chosen as FindResourceW chooses.
namespace winsim {
bool FindFileResource(LPCWSTR path, LPCWSTR type, LPCWSTR name, ResourceBytes* out);

// kernel32: winsim's clock, milliseconds since boot as GetTickCount reports them. Only
// sim::AdvanceClock (user32, which fires the timers that fall due) moves it.
DWORD ClockNow();
void AdvanceClock(DWORD ms);

// kernel32: the activation context active on the (one) thread; null = the process default.
HANDLE ActiveActCtx();

// The printf engine behind strsafe's and user32's formatting functions. Wide formats take %ls
// and %lc; %s, %S, %ws and %c abort there as a portability mistake. Narrow formats take %s and
// %c, and %ls/%lc converted to the ANSI code page.
std::u16string FormatWide(const WCHAR* format, va_list args);
std::string FormatNarrow(const char* format, va_list args);
} // namespace winsim

namespace winsim {
// A use of the platform that is a bug in the caller and that Windows would punish with heap
// corruption or a crash (a double free, a stale handle, deactivating out of order): ends the
// program naming it, so the test that provoked it fails where the bug is.
[[noreturn]] void Misuse(const char* format, ...) __attribute__((format(printf, 1, 2)));
} // namespace winsim
