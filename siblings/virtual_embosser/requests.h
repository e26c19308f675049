// What the embosser in a given state does with each request of the printer link: the entry points
// read the state from the state file, ask here, and store the state when it changed. Each answer
// is 0, or the status or EmbosserError that refused the request, the state then unchanged.
#pragma once

#include "embosser_state.h"
#include "parameters.h"

// The printer's section name in the state file: its name in UTF-8, with the terminator.
constexpr int kSectionBytes = 260 * 3 + 1;

// A parameter taken by DllExportSetPrinterParameter, waiting in the library for the update.
struct PendingParameter {
    char printer[kSectionBytes];
    DWORD id;
    LONG values[kParameterValues];
    DWORD valueCount;
    BYTE data[kParameterDataBytes];
    DWORD dataLength;
};

// Whether the embosser would take the parameter now: an offline one takes nothing, and a value
// outside its range is refused at once, so the caller hears of it.
DWORD CheckParameter(const EmbosserState& state, DWORD id, const LONG* values, DWORD valueCount,
                     const BYTE* data, DWORD dataLength);

// An update: every parameter waiting for `section`, in the order given, or none of them when the
// state refuses one (a script may have changed the state meanwhile). `changed` tells whether any
// was applied.
DWORD ApplyUpdate(EmbosserState* state, const char* section, const PendingParameter* pending,
                  int count, bool* changed);

// A service: logged, and the test page counted on the primary carriage.
DWORD RunService(EmbosserState* state, DWORD code);

// A braille table file (its name in UTF-8, the folders left out) loaded into a slot.
DWORD LoadTable(EmbosserState* state, DWORD slot, const char* name);
