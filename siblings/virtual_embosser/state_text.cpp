// Reading and writing the state file's sections.
#include "state_text.h"

#include "state_keys.h"

#include <cstring>

namespace {

const char kHeader[] =
    "# The virtual Tarvik embosser behind qvmonext.dll: its state, one [section] per printer.\n"
    "# UTF-8 text, one key=value per line; lines starting with # are comments. A missing key or\n"
    "# a value the embosser does not accept takes its factory value. Edit it with\n"
    "# scripts/embosser_state.py, or by hand while no program is using the printer.\n";

// One line of the text at a time, without its line break (and carriage return).
class LineReader {
public:
    LineReader(const char* text, std::size_t length) : text_(text), end_(text + length) {
        // A byte order mark some editors put in front of UTF-8 text.
        if (length >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0)
            text_ += 3;
    }

    // False at the end of the text. `usable` is false for a line that is too long or holds NUL.
    bool Next(const char** line, std::size_t* length, bool* usable) {
        if (text_ >= end_)
            return false;
        const char* start = text_;
        const char* stop = static_cast<const char*>(std::memchr(start, '\n', end_ - start));
        text_ = stop != nullptr ? stop + 1 : end_;
        std::size_t size = (stop != nullptr ? stop : end_) - start;
        if (size > 0 && start[size - 1] == '\r')
            --size;
        *line = start;
        *length = size;
        *usable = size <= kMaxStateLineBytes && std::memchr(start, 0, size) == nullptr;
        return true;
    }

private:
    const char* text_;
    const char* end_;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Copies a line into `buffer` (kMaxStateLineBytes + 1 bytes) without blanks at either end.
void CopyTrimmed(const char* line, std::size_t length, char* buffer) {
    while (length > 0 && IsBlank(*line)) {
        ++line;
        --length;
    }
    while (length > 0 && IsBlank(line[length - 1]))
        --length;
    std::memcpy(buffer, line, length);
    buffer[length] = 0;
}

bool SameName(const char* a, const char* b) {
    for (; *a != 0 && *b != 0; ++a, ++b) {
        char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a + 32) : *a;
        char y = (*b >= 'A' && *b <= 'Z') ? static_cast<char>(*b + 32) : *b;
        if (x != y)
            return false;
    }
    return *a == *b;
}

// For a section header "[name]" (trimmed), the name within the same buffer; otherwise null.
char* SectionName(char* trimmed) {
    std::size_t length = std::strlen(trimmed);
    if (length < 2 || trimmed[0] != '[' || trimmed[length - 1] != ']')
        return nullptr;
    trimmed[length - 1] = 0;
    return trimmed + 1;
}

void ApplyLine(char* trimmed, EmbosserState* state) {
    if (trimmed[0] == '#' || trimmed[0] == ';')
        return;
    char* equals = std::strchr(trimmed, '=');
    if (equals == nullptr)
        return;
    char* value = equals + 1;
    while (IsBlank(*value))
        ++value;
    char* keyEnd = equals;
    while (keyEnd > trimmed && IsBlank(keyEnd[-1]))
        --keyEnd;
    *keyEnd = 0;
    const StateKey* key = FindStateKey(trimmed);
    if (key != nullptr)
        SetStateValue(state, *key, value);
}

void WriteSection(const char* printer, const EmbosserState& state, TextBuffer* out) {
    out->Append("[");
    out->Append(printer);
    out->Append("]\n");
    int count = 0;
    const StateKey* keys = StateKeys(&count);
    for (int i = 0; i < count; ++i) {
        char value[kMaxStateLineBytes];
        FormatStateValue(state, keys[i], value, sizeof(value));
        out->AppendLine(keys[i].name, value);
    }
}

} // namespace

bool ReadPrinterState(const char* text, std::size_t length, const char* printer,
                      EmbosserState* state) {
    SetFactoryState(state);
    LineReader reader(text, length);
    const char* line = nullptr;
    std::size_t size = 0;
    bool usable = false, inside = false, found = false;
    char buffer[kMaxStateLineBytes + 1];
    while (reader.Next(&line, &size, &usable)) {
        if (!usable)
            continue;
        CopyTrimmed(line, size, buffer);
        if (char* name = SectionName(buffer)) {
            if (inside)
                break; // only the first section of the printer counts
            inside = SameName(name, printer);
            found = found || inside;
        } else if (inside) {
            ApplyLine(buffer, state);
        }
    }
    return found;
}

void ComposeStateFile(const char* text, std::size_t length, const char* printer,
                      const EmbosserState& state, TextBuffer* out) {
    out->Append(kHeader);
    LineReader reader(text, length);
    const char* line = nullptr;
    std::size_t size = 0;
    bool usable = false, copying = false, written = false;
    char buffer[kMaxStateLineBytes + 1];
    while (reader.Next(&line, &size, &usable)) {
        if (!usable)
            continue;
        CopyTrimmed(line, size, buffer);
        if (char* name = SectionName(buffer)) {
            copying = !SameName(name, printer);
            if (!copying && !written) {
                out->Append("\n");
                WriteSection(printer, state, out);
                written = true;
            }
            if (copying)
                out->Append("\n");
        }
        // Lines before the first section are the old header; blank lines are written anew.
        if (copying && buffer[0] != 0) {
            out->Append(line, size);
            out->Append("\n");
        }
    }
    if (!written) {
        out->Append("\n");
        WriteSection(printer, state, out);
    }
}
