// Printer data of any type and size, with or without a terminator, under every name a settings
// load reads, found in one enumeration of the key: each value is taken as stored when a read
// could take it, else it is the default and written back; texts stay bounded; the custom media
// type list never outgrows the buffer it was counted for.
//
// Input: two bytes of the list buffer's size, then values: a name byte (its index into kNames,
// bit 7 for the name in lower case), a type byte, a 16-bit length and the bytes.
#include "rule_check.h"
#include "settings/load_corrections.h"
#include "settings/stored_values.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// The "Config" DWORDs a load reads, then the texts and other values (each DWORD's default here
// is its own, to tell them apart).
// clang-format off
const char* const kNames[] = {
    "MediaType", "PaperSource", "MediaSurface", "InterPoint", "BindingEdge", "InsertEmptyPage",
    "LandscapeMode", "Orientation", "Preview", "Collate", "TwoInOne", "EmbossMode", "DotHeight",
    "InkMode", "Quality", "InkDithering", "DotQuality", "EmbossStandardTexts", "ThinLineIntensity",
    "InvertColor", "Brightness", "Contrast", "InkBrightness", "InkContrast", "ColorPattern",
    "RenderMode", "TwoPassPrint", "CustomMediaType", "CustomPatternFileName", "PaperSize", "Thick",
    "QVDir"};
// clang-format on
constexpr size_t kDwordNames = 27;
const std::u16string kTextDefaults[] = {u"", u"C:\\ProgramData\\Quorvane\\Default.dat"};

struct Stored {
    std::u16string name;
    DWORD type;
    std::unique_ptr<BYTE[]> data; // exactly its size
    DWORD bytes;
};

std::u16string Wide(const char* name, bool lower) {
    std::u16string wide;
    for (; *name; ++name)
        wide.push_back(lower && *name >= 'A' && *name <= 'Z' ? *name + 32 : *name);
    return wide;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    DWORD listBytes = data[0] | data[1] << 8;
    std::vector<Stored> stored;
    for (size_t at = 2; at + 4 <= size;) {
        size_t length = std::min<size_t>(data[at + 2] | data[at + 3] << 8, size - at - 4);
        Stored value{Wide(kNames[data[at] % std::size(kNames)], data[at] & 0x80), data[at + 1],
                     std::unique_ptr<BYTE[]>(new BYTE[length + 1]), static_cast<DWORD>(length)};
        std::memcpy(value.data.get(), data + at + 4, length);
        stored.push_back(std::move(value));
        at += 4 + length;
    }
    std::vector<PRINTER_ENUM_VALUESW> values;
    for (Stored& value : stored)
        values.push_back({&value.name[0], 0, value.type, value.data.get(), value.bytes});
    auto find = [&](const char* name) -> const Stored* {
        for (const Stored& value : stored)
            if (value.name == Wide(name, true) || value.name == Wide(name, false))
                return &value;
        return nullptr;
    };
    auto read = [&](const char* name, void* buffer, DWORD bytes, DWORD* needed) {
        std::u16string wide = Wide(name, false);
        return ReadEnumeratedValue(values.data(), static_cast<DWORD>(values.size()), wide.c_str(),
                                   buffer, bytes, needed);
    };

    for (size_t i = 0; i < kDwordNames; ++i) {
        DWORD stored = 0, needed = 0, value = 0;
        DWORD defaultValue = 0xD0 + static_cast<DWORD>(i);
        bool heal =
            TakeStoredDword(read(kNames[i], &stored, 4, &needed), stored, defaultValue, &value);
        const Stored* found = find(kNames[i]);
        DWORD expected = found != nullptr && found->bytes <= 4 ? 0 : defaultValue;
        if (expected == 0) // no default is 0
            std::memcpy(&expected, found->data.get(), found->bytes);
        RULE(value == expected && heal == (found == nullptr || found->bytes > 4),
             "%s read as %u (healed: %d)", kNames[i], value, heal);
    }
    for (size_t i = 0; i < 2; ++i) {
        const char* name = kNames[kDwordNames + i];
        WCHAR text[kStoredTextChars] = {};
        DWORD needed = 0;
        bool heal =
            TakeStoredText(read(name, text, sizeof(text), &needed), text, kTextDefaults[i].c_str());
        const Stored* found = find(name);
        // Taken as stored when it fits with a zero in the last character, up to its first zero
        // (an odd last byte is a character's low half).
        std::u16string expected = kTextDefaults[i], image(kStoredTextChars, 0);
        bool readable = found != nullptr && found->bytes <= sizeof(text);
        if (readable)
            std::memcpy(&image[0], found->data.get(), found->bytes);
        readable = readable && image.back() == 0;
        if (readable)
            expected = image.substr(0, image.find(u'\0'));
        RULE(text[kStoredTextChars - 1] == 0, "%s is unterminated", name);
        RULE(std::u16string(text) == expected && heal == !readable, "%s read wrongly", name);
    }
    LONG paper[2] = {}, expectedPaper[2] = {210000, 297000};
    DWORD needed = 0;
    bool heal = TakeStoredPaperSize(read("PaperSize", paper, 8, &needed), needed, paper);
    const Stored* found = find("PaperSize");
    if (found != nullptr && found->bytes == 8)
        std::memcpy(expectedPaper, found->data.get(), 8);
    RULE(paper[0] == expectedPaper[0] && paper[1] == expectedPaper[1] &&
             heal == (found == nullptr || found->bytes != 8),
         "PaperSize read as %d x %d", paper[0], paper[1]);

    // Every stored name in the list, as many as fit the buffer it was counted for.
    std::unique_ptr<WCHAR[]> buffer(listBytes ? new WCHAR[(listBytes + 1) / 2] : nullptr);
    NameList list(buffer.get(), listBytes);
    DWORD bytes = sizeof(WCHAR);
    for (const Stored& value : stored) {
        list.Add(value.name.c_str(), static_cast<DWORD>(value.name.size()));
        bytes += static_cast<DWORD>(value.name.size() + 1) * sizeof(WCHAR);
    }
    list.Close();
    RULE(list.bytes() == bytes, "the list needs %u bytes, not %u", bytes, list.bytes());
    if (buffer == nullptr) {
        RULE(list.names() == stored.size(), "%u names counted of %zu", list.names(), stored.size());
        return 0;
    }
    size_t next = 0, listed = 0;
    for (const WCHAR* name = buffer.get(); listBytes >= sizeof(WCHAR) && *name; ++listed) {
        while (next < stored.size() && stored[next].name != name)
            ++next;
        RULE(next++ < stored.size(), "a name listed that is not stored, or out of order");
        name += std::char_traits<WCHAR>::length(name) + 1;
    }
    RULE(listed == list.names(), "%zu names listed, %u counted", listed, list.names());
    return 0;
}
