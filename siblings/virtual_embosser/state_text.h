// The state file's text: one section per printer, "[printer name]", followed by "key=value"
// lines (state_keys.h). Reading never trusts the text: unknown keys, values the embosser does not
// accept, lines longer than kMaxStateLineBytes and lines holding NUL bytes are skipped, so a
// damaged file gives the factory value for whatever it lost.
#pragma once

#include "embosser_state.h"
#include "text_buffer.h"

#include <cstddef>

constexpr std::size_t kMaxStateLineBytes = 1024;
// The state file is read up to this size; a larger file is cut there.
constexpr std::size_t kMaxStateFileBytes = 256 * 1024;

// The factory state, then every acceptable line of the first section named `printer` (UTF-8,
// compared without regard to ASCII case). False when the text has no section for the printer.
bool ReadPrinterState(const char* text, std::size_t length, const char* printer,
                      EmbosserState* state);

// The file's new text: the header comment, every other printer's section as it stood, and
// `printer`'s section written from `state` in the place of its first section (or at the end).
void ComposeStateFile(const char* text, std::size_t length, const char* printer,
                      const EmbosserState& state, TextBuffer* out);
