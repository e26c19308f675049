// The printer's paper names as its driver answers the capability query (DC_PAPERNAMES) and the
// server's forms as EnumFormsW lists them, and what the plug-in takes from them. A driver may
// report any count, and names that fill their whole slot without a terminator.
#pragma once

#include <windows.h>
#include <winspool.h>

// One paper name per 64-character slot, as the capability query returns them.
constexpr int kPaperNameChars = 64;
constexpr int kPaperNameSlotBytes = kPaperNameChars * sizeof(WCHAR);
// Names copied out of a slot keep at most 63 characters.
constexpr int kFormNameChars = 64;
// The "Form Size" list of the device settings tree counts its options in a WORD, and "Custom"
// comes after the names.
constexpr int kMostFormSizeNames = 0xFFFE;

// The bytes a list of `count` names takes; 0 for no names, and for more than a DWORD counts.
DWORD PaperNameBytes(int count);

// The names to read of the `filled` that a query into `bytes` reported: never more than they
// hold, whatever the driver answered the second time.
int PaperNamesHeld(int filled, DWORD bytes);

// The name in slot `index`, never read past its slot, into `name` (kFormNameChars).
void CopyPaperName(const WCHAR* slots, int index, WCHAR* name);

// The names the device settings tree's "Form Size" lists before "Custom": `count`, or none when
// it reports none or more than the list can count.
int FormSizeNameCount(int count);

// A form's size in micrometres from the server's forms, by name, letters A to Z compared
// without case as the spooler compares them; 0 x 0 for no name or a name that is no form.
SIZE FormSizeByName(const FORM_INFO_1W* forms, DWORD count, LPCWSTR name);

// Rounds a size in micrometres down to whole tenths of a millimetre (toward zero).
inline LONG RoundTo100Micrometres(LONG value) {
    return (value / 100) * 100;
}

// Whether a form is a paper of `size` micrometres: its size rounded to 100 um equals it.
bool IsPaperOfSize(SIZE form, const LONG size[2]);

// Whether a form fits a size in twentieths of an inch: width and height each within one unit,
// or turned.
bool FormFitsSize(SIZE form, const LONG size[2]);
