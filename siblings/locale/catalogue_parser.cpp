// The catalogue file format, and its parser.
//
// A catalogue holds one language's texts for one program: "<name>.<locale>.txt" in the catalogue
// folder, for example "qvembui.de.txt". It is plain text in UTF-8 (a byte-order mark is allowed
// and skipped); lines end with LF or CR LF.
//
//   qvlocale catalogue 1          the first line, exactly: the format and its version
//   # a comment                   lines whose first non-blank character is '#', and blank lines
//   [Strings]                     a section; the entries below it belong to it
//   Printer ready = Drucker bereit
//   [Caption]
//   Paper/Media = Papier/Medien
//   [End]                         the last line that is read; a file without it is refused
//
// An entry is "English text = translation": the key is the text exactly as the program shows it
// in English (with its "&" mnemonic marks, "..." and punctuation), the translation is what is
// shown instead. The first '=' that is not escaped separates them; blanks and tabs around either
// are dropped. Escapes: \n (line feed), \r (carriage return), \t (tab), \s (a blank, to keep one
// at either end), \= (an '=' inside the key), \# (a '#' at the start of a key), \\ (a backslash).
//
// Sections: "Strings" answers GetString (the string table's texts), "Dialog" answers
// TranslateDialog (captions and control texts of every page and dialog), and any other section
// answers GetSectionString under its name ("Caption" for page titles, "Label" for value labels).
// Section names are letters and digits, at most 31 of them, compared without regard to case.
//
// What is refused, and how it falls back to English:
//   - the whole file: no signature line, bytes that are not UTF-8 or a NUL character anywhere, a
//     file above 1 MiB, more than 8192 entries or 16 sections, or no "[End]" line (a truncated
//     file);
//   - one entry: a line longer than 1024 bytes, a line with control characters, no '=', an empty
//     key or translation, an unknown escape, a text above 1023 UTF-16 units, an entry before the
//     first section, or a line that is neither entry, section, comment nor blank;
//   - every entry of a key that a section holds twice: neither of the two wins.
#include "catalogue.h"
#include "utf8_text.h"

#include <algorithm>

namespace {

const char kSignature[] = "qvlocale catalogue 1";
const char kEndSection[] = "End";

struct Piece {
    const BYTE* bytes;
    SIZE_T size;
};

bool IsBlank(BYTE b) {
    return b == ' ' || b == '\t';
}

Piece Trimmed(Piece piece) {
    while (piece.size > 0 && IsBlank(piece.bytes[0])) {
        ++piece.bytes;
        --piece.size;
    }
    while (piece.size > 0 && IsBlank(piece.bytes[piece.size - 1]))
        --piece.size;
    return piece;
}

bool Equals(Piece piece, const char* text) {
    SIZE_T i = 0;
    for (; text[i] != 0; ++i)
        if (i >= piece.size || piece.bytes[i] != static_cast<BYTE>(text[i]))
            return false;
    return i == piece.size;
}

bool HasControlCharacters(Piece line) {
    for (SIZE_T i = 0; i < line.size; ++i)
        if ((line.bytes[i] < 0x20 && line.bytes[i] != '\t') || line.bytes[i] == 0x7F)
            return true;
    return false;
}

// Writes the text of a raw key or translation, escapes resolved, with its terminator; returns its
// length, or -1 when it is malformed or longer than kMaxTextChars.
int Unescape(Piece raw, WCHAR* out) {
    int written = 0;
    SIZE_T runStart = 0;
    auto flushRun = [&](SIZE_T end) {
        int decoded = DecodeUtf8(raw.bytes + runStart, end - runStart, out + written,
                                 kMaxTextChars - written);
        if (decoded < 0)
            return false;
        written += decoded;
        return true;
    };
    for (SIZE_T i = 0; i < raw.size; ++i) {
        if (raw.bytes[i] != '\\')
            continue;
        if (!flushRun(i) || i + 1 >= raw.size || written >= kMaxTextChars)
            return -1;
        WCHAR escaped = 0;
        switch (raw.bytes[i + 1]) {
        case 'n':
            escaped = '\n';
            break;
        case 'r':
            escaped = '\r';
            break;
        case 't':
            escaped = '\t';
            break;
        case 's':
            escaped = ' ';
            break;
        case '=':
            escaped = '=';
            break;
        case '#':
            escaped = '#';
            break;
        case '\\':
            escaped = '\\';
            break;
        default:
            return -1;
        }
        out[written++] = escaped;
        ++i;
        runStart = i + 1;
    }
    if (!flushRun(raw.size))
        return -1;
    out[written] = 0;
    return written;
}

// "[Name]": true with the name when the line is a section header.
bool IsSectionHeader(Piece line, Piece* name) {
    if (line.size < 2 || line.bytes[0] != '[' || line.bytes[line.size - 1] != ']')
        return false;
    *name = Piece{line.bytes + 1, line.size - 2};
    return true;
}

bool IsValidSectionName(Piece name) {
    if (name.size == 0 || name.size >= static_cast<SIZE_T>(kSectionChars))
        return false;
    for (SIZE_T i = 0; i < name.size; ++i) {
        BYTE b = name.bytes[i];
        if (!((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')))
            return false;
    }
    return true;
}

// Splits "key = value" at the first unescaped '='.
bool SplitEntry(Piece line, Piece* key, Piece* value) {
    for (SIZE_T i = 0; i < line.size; ++i) {
        if (line.bytes[i] == '\\') {
            ++i;
        } else if (line.bytes[i] == '=') {
            *key = Trimmed(Piece{line.bytes, i});
            *value = Trimmed(Piece{line.bytes + i + 1, line.size - i - 1});
            return key->size > 0 && value->size > 0;
        }
    }
    return false;
}

SIZE_T LineCount(Piece file) {
    SIZE_T lines = 1;
    for (SIZE_T i = 0; i < file.size; ++i)
        if (file.bytes[i] == '\n')
            ++lines;
    return lines;
}

class Parser {
public:
    Parser(WCHAR* text, SIZE_T textChars, CatalogueEntry* entries, int entryCount,
           Catalogue* catalogue)
        : catalogue_(catalogue), textCapacity_(textChars), entryCapacity_(entryCount) {
        catalogue_->text = text;
        catalogue_->entries = entries;
    }

    bool Parse(Piece file) {
        SIZE_T at = 0;
        bool first = true;
        while (at < file.size || first) {
            SIZE_T end = at;
            while (end < file.size && file.bytes[end] != '\n')
                ++end;
            Piece line{file.bytes + at, end - at};
            if (line.size > 0 && line.bytes[line.size - 1] == '\r')
                --line.size;
            at = end < file.size ? end + 1 : end;
            if (first) {
                if (!Equals(Trimmed(line), kSignature))
                    return false;
                first = false;
                continue;
            }
            if (!TakeLine(line))
                return false;
            if (ended_)
                break;
        }
        return ended_ && Finish();
    }

private:
    // False when the line makes the whole file unusable.
    bool TakeLine(Piece raw) {
        if (raw.size > static_cast<SIZE_T>(kMaxLineBytes) || HasControlCharacters(raw))
            return true;
        Piece line = Trimmed(raw);
        if (line.size == 0 || line.bytes[0] == '#')
            return true;
        Piece name;
        if (IsSectionHeader(line, &name))
            return OpenSection(name);
        Piece key, value;
        if (section_ < 0 || !SplitEntry(line, &key, &value))
            return true;
        return AddEntry(key, value);
    }

    bool OpenSection(Piece name) {
        if (!IsValidSectionName(name)) {
            section_ = -1; // its entries have no section to go to
            return true;
        }
        if (Equals(name, kEndSection)) {
            ended_ = true;
            return true;
        }
        WCHAR wide[kSectionChars];
        for (SIZE_T i = 0; i < name.size; ++i)
            wide[i] = name.bytes[i];
        wide[name.size] = 0;
        for (int i = 0; i < catalogue_->sectionCount; ++i) {
            if (SameSectionName(catalogue_->sections[i], wide)) {
                section_ = i; // a section may come back later in the file
                return true;
            }
        }
        if (catalogue_->sectionCount >= kMaxSections)
            return false;
        section_ = catalogue_->sectionCount++;
        CopyMemory(catalogue_->sections[section_], wide, sizeof(wide));
        return true;
    }

    bool AddEntry(Piece key, Piece value) {
        if (catalogue_->count >= entryCapacity_)
            return false; // more entries than a catalogue may hold
        // No text decodes to more units than it has bytes: with this room both fit. The room
        // CatalogueRoom asks for holds every byte of the file plus two terminators per line.
        if (textUsed_ + key.size + value.size + 2 > textCapacity_)
            return false;
        WCHAR* keyText = catalogue_->text + textUsed_;
        int keyLength = Unescape(key, keyText);
        if (keyLength <= 0)
            return true;
        WCHAR* valueText = keyText + keyLength + 1;
        int valueLength = Unescape(value, valueText);
        if (valueLength <= 0)
            return true;
        textUsed_ += keyLength + 1 + valueLength + 1;
        catalogue_->entries[catalogue_->count++] = CatalogueEntry{section_, keyText, valueText};
        return true;
    }

    // Sorts the entries for the look-ups and leaves out every key a section holds twice.
    bool Finish() {
        CatalogueEntry* entries = catalogue_->entries;
        int count = catalogue_->count;
        std::sort(entries, entries + count, [](const CatalogueEntry& a, const CatalogueEntry& b) {
            return a.section != b.section ? a.section < b.section : CompareKeys(a.key, b.key) < 0;
        });
        int kept = 0;
        for (int i = 0; i < count;) {
            int run = i + 1;
            while (run < count && entries[run].section == entries[i].section &&
                   CompareKeys(entries[run].key, entries[i].key) == 0)
                ++run;
            if (run == i + 1)
                entries[kept++] = entries[i];
            i = run;
        }
        catalogue_->count = kept;
        return true;
    }

    Catalogue* catalogue_;
    SIZE_T textCapacity_;
    SIZE_T textUsed_ = 0;
    int entryCapacity_;
    int section_ = -1;
    bool ended_ = false;
};

} // namespace

void CatalogueRoom(const BYTE* bytes, SIZE_T size, SIZE_T* textChars, int* entryCount) {
    SIZE_T lines = bytes != nullptr ? LineCount(Piece{bytes, size}) : 1;
    *textChars = size + 2 * lines + 1;
    *entryCount = lines < static_cast<SIZE_T>(kMaxEntries) ? static_cast<int>(lines) : kMaxEntries;
}

bool ParseCatalogue(const BYTE* bytes, SIZE_T size, WCHAR* text, SIZE_T textChars,
                    CatalogueEntry* entries, int entryCount, Catalogue* catalogue) {
    ZeroMemory(catalogue, sizeof(*catalogue));
    if (bytes == nullptr || text == nullptr || entries == nullptr || size > kMaxCatalogueBytes)
        return false;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        bytes += 3;
        size -= 3;
    }
    if (!IsCleanUtf8(bytes, size))
        return false;
    Parser parser(text, textChars, entries, entryCount, catalogue);
    if (parser.Parse(Piece{bytes, size}))
        return true;
    ZeroMemory(catalogue, sizeof(*catalogue));
    return false;
}
