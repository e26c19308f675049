// The device settings tree's distances as a person types them: inches with two decimals in an
// eight-character edit, twentieths of an inch on the printer's side.
#pragma once

#include <windows.h>

// Extra line spacing is limited to 12.50 inches: 1250 hundredths, 250 twentieths.
constexpr DWORD kMaxLineSpacingHundredths = 1250;
constexpr DWORD kHundredthsPerTwentieth = 5;
// The largest distance the items' eight characters show with two decimals (9999.95 inches), and
// the largest extra line spacing, in twentieths of an inch.
constexpr LONG kMaxShownDistance = 199999;
constexpr LONG kMaxShownLineSpacing = kMaxLineSpacingHundredths / kHundredthsPerTwentieth;

// A typed distance in twentieths of an inch: the text's number ("." or "," before its decimals)
// times 20, truncated toward zero
// into a signed 32-bit value; a number beyond that range (or none that can be read as one)
// gives 0x80000000, as the processor's own conversion does.
DWORD TwentiethsFromText(LPCWSTR text);

// Typed extra line spacing in hundredths of an inch, limited to 1250: an entry above 12.50 and
// a negative one both give 1250. The tree writes it back with two decimals and sends a fifth of
// it (twentieths).
DWORD LineSpacingHundredths(LPCWSTR text);

// A value the printer reported, shown within an item's range: the unsigned fields may hold
// signed remainders.
LONG ClampReported(DWORD reported, LONG lowest, LONG highest);

// Whether an edit still shows the tree's own text: character for character, so that no other
// digits a person typed read as the same.
bool ShowsOwnText(LPCWSTR typed, LPCWSTR own);
