// The embosser's answers to the printer link's requests.
#include "requests.h"

#include "embosser_texts.h"

#include <cstring>

namespace {

bool SameText(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

// A file the embosser reads as a braille table: *.bct, *.rbt or *.dis (any case), a name before
// the extension, no control characters, and room in the state.
bool IsBrailleTableName(const char* name) {
    std::size_t length = std::strlen(name);
    if (length <= 4 || length >= static_cast<std::size_t>(kTableNameChars))
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(name[i]) < 0x20)
            return false;
    char extension[5];
    for (int i = 0; i < 5; ++i) {
        char c = name[length - 4 + i];
        extension[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    return SameText(extension, ".bct") || SameText(extension, ".rbt") ||
           SameText(extension, ".dis");
}

} // namespace

DWORD CheckParameter(const EmbosserState& state, DWORD id, const LONG* values, DWORD valueCount,
                     const BYTE* data, DWORD dataLength) {
    if (state.status == kStatusOffline)
        return kStatusOffline;
    EmbosserState trial = state;
    return ApplyParameter(&trial, id, values, valueCount, data, dataLength);
}

DWORD ApplyUpdate(EmbosserState* state, const char* section, const PendingParameter* pending,
                  int count, bool* changed) {
    *changed = false;
    if (state->status == kStatusOffline)
        return kStatusOffline;
    EmbosserState updated = *state;
    for (int i = 0; i < count; ++i) {
        if (!SameText(pending[i].printer, section))
            continue;
        DWORD error = ApplyParameter(
            &updated, pending[i].id, pending[i].values, pending[i].valueCount,
            pending[i].dataLength > 0 ? pending[i].data : nullptr, pending[i].dataLength);
        if (error != 0)
            return error;
        *changed = true;
    }
    *state = updated;
    return 0;
}

DWORD RunService(EmbosserState* state, DWORD code) {
    if (!IsEmbosserService(code))
        return kErrorUnknownService;
    if (!StatusAllowsPrinting(state->status))
        return static_cast<DWORD>(state->status);
    if (IsInkService(code) && !state->inkUnitAttached)
        return kErrorNoInkUnit;
    LogService(state, code);
    if (code == kServiceTestPage) {
        // The test page is embossed by the primary carriage.
        LONG& pages = state->usage[state->secondCarriagePrimary ? 1 : 0];
        if (pages < 0x7FFFFFFF)
            ++pages;
        state->usage[2] = 1;
    }
    return 0;
}

DWORD LoadTable(EmbosserState* state, DWORD slot, const char* name) {
    if (slot >= static_cast<DWORD>(kTableSlots))
        return kErrorUnknownTableSlot;
    if (name == nullptr || !IsBrailleTableName(name))
        return kErrorUnsupportedTable;
    if (state->status == kStatusOffline)
        return kStatusOffline;
    std::strcpy(state->tables[slot], name);
    return 0;
}
