// The printer link's entry points. Every call reads the printer's state from the state file and
// stores it back when it changed, so what one program applied is what the next one finds.
// Parameters wait in this process until DllExportUpdatePrinter stores them together, as the
// embosser takes settings only at an update; the plug-in always follows its parameters with one.
#include "virtual_embosser.h"

#include "embosser_texts.h"
#include "requests.h"
#include "settings_block.h"
#include "state_file.h"
#include "state_text.h"

#include <cstring>
#include <new>
#include <strsafe.h>

namespace {

constexpr int kPrinterNameChars = 260;
constexpr int kMostPendingParameters = 64;
constexpr int kErrorTextChars = 4096;

PendingParameter g_pending[kMostPendingParameters];
int g_pendingCount = 0;

// The printer's section name: its name in UTF-8. False for a missing or empty name, one that is
// too long, or one with characters that would break the file's lines.
bool SectionFor(LPCWSTR printerName, char* section) {
    if (printerName == nullptr || printerName[0] == 0)
        return false;
    int length = 0;
    for (; printerName[length] != 0; ++length)
        if (length == kPrinterNameChars || printerName[length] < 0x20)
            return false;
    int bytes = WideCharToMultiByte(CP_UTF8, 0, printerName, length, section, kSectionBytes - 1,
                                    nullptr, nullptr);
    if (bytes <= 0)
        return false;
    section[bytes] = 0;
    return true;
}

// The state file's text, read whole (up to its size limit) into a buffer of its own.
class StateFileText {
public:
    StateFileText() : text_(new (std::nothrow) char[kMaxStateFileBytes]) {
        if (text_ == nullptr || !ReadStateFile(text_, kMaxStateFileBytes, &length_))
            length_ = 0;
    }
    ~StateFileText() { delete[] text_; }
    StateFileText(const StateFileText&) = delete;
    StateFileText& operator=(const StateFileText&) = delete;
    const char* Text() const { return text_ != nullptr ? text_ : ""; }
    std::size_t Length() const { return length_; }

private:
    char* text_;
    std::size_t length_ = 0;
};

// The printer's state; false when the file holds no section for it.
bool LoadState(const char* section, EmbosserState* state) {
    StateFileText file;
    return ReadPrinterState(file.Text(), file.Length(), section, state);
}

bool StoreState(const char* section, const EmbosserState& state) {
    StateFileText file;
    TextBuffer text(kMaxStateFileBytes);
    ComposeStateFile(file.Text(), file.Length(), section, state, &text);
    return !text.Failed() && ReplaceStateFile(text.Text(), text.Length());
}

void DropPending(const char* section) {
    int kept = 0;
    for (int i = 0; i < g_pendingCount; ++i)
        if (std::strcmp(g_pending[i].printer, section) != 0)
            g_pending[kept++] = g_pending[i];
    g_pendingCount = kept;
}

// A table file's name: the part after its last backslash or slash, in UTF-8 (kTableNameChars
// bytes with the terminator); false when there is none or it does not fit.
bool TableFileName(LPCWSTR path, char* name) {
    if (path == nullptr)
        return false;
    LPCWSTR start = path;
    for (LPCWSTR c = path; *c != 0; ++c)
        if (*c == TEXT('\\') || *c == TEXT('/'))
            start = c + 1;
    int bytes = WideCharToMultiByte(CP_UTF8, 0, start, lstrlenW(start), name, kTableNameChars - 1,
                                    nullptr, nullptr);
    if (bytes <= 0)
        return false;
    name[bytes] = 0;
    return true;
}

} // namespace

DWORD WINAPI DllExportGetPrinterSettings(DWORD, LPCWSTR printerName, LPBYTE buffer, DWORD size,
                                         DWORD* needed) {
    char section[kSectionBytes];
    if (needed == nullptr || !SectionFor(printerName, section))
        return ERROR_INVALID_PARAMETER;
    *needed = 0;
    StateFileLock lock;
    EmbosserState state;
    // The first time a printer is asked for, its factory state is stored, so the state file
    // shows every key from then on.
    if (!LoadState(section, &state))
        StoreState(section, state);
    if (state.status == kStatusOffline)
        return kStatusOffline;
    EmbosserRecord records[kMostBlockRecords];
    DWORD bytes = BuildSettingsBlock(state, records) * sizeof(EmbosserRecord);
    *needed = bytes;
    if (buffer == nullptr || size < bytes)
        return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(buffer, records, bytes);
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportSetPrinterParameter(DWORD, LPCWSTR printerName, DWORD id, const LONG* values,
                                          DWORD valueCount, const BYTE* data, DWORD dataLength) {
    char section[kSectionBytes];
    if (!SectionFor(printerName, section))
        return ERROR_INVALID_PARAMETER;
    EmbosserState state;
    LoadState(section, &state);
    // Checked now against the stored state, so a refusal reaches the caller of this call.
    DWORD error = CheckParameter(state, id, values, valueCount, data, dataLength);
    if (error != 0)
        return error;
    if (g_pendingCount == kMostPendingParameters)
        return kErrorTooManyParameters;
    PendingParameter& pending = g_pending[g_pendingCount++];
    std::memset(&pending, 0, sizeof(pending));
    StringCchCopyA(pending.printer, kSectionBytes, section);
    pending.id = id;
    pending.valueCount = valueCount;
    if (valueCount > 0)
        std::memcpy(pending.values, values, valueCount * sizeof(LONG));
    pending.dataLength = data != nullptr ? dataLength : 0;
    if (pending.dataLength > 0)
        std::memcpy(pending.data, data, pending.dataLength);
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportUpdatePrinter(DWORD, LPCWSTR printerName) {
    char section[kSectionBytes];
    if (!SectionFor(printerName, section))
        return ERROR_INVALID_PARAMETER;
    StateFileLock lock;
    EmbosserState state;
    LoadState(section, &state);
    bool changed = false;
    DWORD error = ApplyUpdate(&state, section, g_pending, g_pendingCount, &changed);
    DropPending(section);
    if (error != 0)
        return error;
    if (changed && !StoreState(section, state))
        return kErrorStateNotSaved;
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportGetPrinterStatus(DWORD, LPCWSTR printerName, DWORD* status) {
    char section[kSectionBytes];
    if (status == nullptr || !SectionFor(printerName, section))
        return ERROR_INVALID_PARAMETER;
    EmbosserState state;
    LoadState(section, &state);
    *status = static_cast<DWORD>(state.status);
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportGetPrinterErrorText(DWORD, DWORD code, LPWSTR text) {
    LPCWSTR message = EmbosserCodeText(code);
    if (text == nullptr || message == nullptr)
        return 0;
    StringCchCopyW(text, kErrorTextChars, message);
    return 1;
}

DWORD WINAPI DllExportPrinterService(HWND, LPCWSTR printerName, DWORD serviceCode) {
    char section[kSectionBytes];
    if (!SectionFor(printerName, section))
        return ERROR_INVALID_PARAMETER;
    StateFileLock lock;
    EmbosserState state;
    LoadState(section, &state);
    DWORD error = RunService(&state, serviceCode);
    if (error != 0)
        return error;
    return StoreState(section, state) ? ERROR_SUCCESS : DWORD{kErrorStateNotSaved};
}

DWORD WINAPI DllExportLoadTable(DWORD, LPCWSTR printerName, LPCWSTR tablePath, DWORD slot) {
    char section[kSectionBytes];
    if (!SectionFor(printerName, section))
        return ERROR_INVALID_PARAMETER;
    char name[kTableNameChars];
    bool named = TableFileName(tablePath, name);
    StateFileLock lock;
    EmbosserState state;
    LoadState(section, &state);
    DWORD error = LoadTable(&state, slot, named ? name : nullptr);
    if (error != 0)
        return error;
    return StoreState(section, state) ? ERROR_SUCCESS : DWORD{kErrorStateNotSaved};
}
