// Printer data of any type and size, with or without a terminator, under every name the plug-in
// reads: the settings context's load (with its healing writes), the store's own reads, the custom
// media type list, the custom form markers, the device tree's media list and the braille table
// records. What the plug-in takes in must be bounded, and what it could not read is healed with
// its default.
#include "harness/device_tree_page.h"
#include "harness/fuzz_machine.h"

#include "host/device_tree_driver.h"
#include "media/custom_forms.h"
#include "resources/resource.h"
#include "settings/printer_data_store.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

struct DwordValue {
    const char* name;
    DWORD defaultValue;
};
// The "Config" DWORDs a load reads, with the defaults it heals them with.
const DwordValue kLoadedDwords[] = {
    {"MediaType", 268},       {"PaperSource", 15},  {"MediaSurface", 1},
    {"InterPoint", 0},        {"BindingEdge", 2},   {"InsertEmptyPage", 0},
    {"LandscapeMode", 0},     {"Orientation", 1},   {"Preview", 0},
    {"Collate", 0},           {"TwoInOne", 0},      {"EmbossMode", 1},
    {"DotHeight", 1},         {"InkMode", 1},       {"Quality", 1},
    {"InkDithering", 0},      {"DotQuality", 0},    {"EmbossStandardTexts", 0},
    {"ThinLineIntensity", 1}, {"InvertColor", 0},   {"Brightness", 0},
    {"Contrast", 0},          {"InkBrightness", 0}, {"InkContrast", 0},
    {"ColorPattern", 0},      {"RenderMode", 2},    {"TwoPassPrint", 0},
};

std::vector<BYTE> ConsumeValueBytes(FuzzedDataProvider& input) {
    // Mostly short values; now and then one far beyond every buffer of the plug-in.
    size_t length = input.ConsumeIntegralInRange<size_t>(0, 600);
    if (input.ConsumeIntegralInRange<int>(0, 31) == 0)
        length = input.ConsumeIntegralInRange<size_t>(0, 20000);
    std::vector<BYTE> bytes = input.ConsumeBytes<BYTE>(length);
    // A text ending in its terminator, or the same text cut just before it.
    if (input.ConsumeBool() && bytes.size() >= 2) {
        bytes[bytes.size() - 1] = 0;
        bytes[bytes.size() - 2] = 0;
    }
    return bytes;
}

DWORD ConsumeType(FuzzedDataProvider& input) {
    return input.PickValueInArray<DWORD>(
        {REG_SZ, REG_DWORD, REG_BINARY, REG_EXPAND_SZ, REG_MULTI_SZ, REG_NONE, REG_QWORD});
}

// Maybe stores a value of any type and size under the name; the value as stored, if any.
std::optional<sim::PrinterDataValue> MaybeStore(FuzzedDataProvider& input, const char* key,
                                                const char* name) {
    if (!input.ConsumeBool())
        return std::nullopt;
    sim::PrinterDataValue value{ConsumeType(input), ConsumeValueBytes(input)};
    sim::WritePrinterData(kFuzzPrinter, key, name, value.type, value.data);
    return value;
}

std::vector<BYTE> DwordBytes(DWORD value) {
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

size_t TextLength(const WCHAR* text, size_t chars) {
    size_t length = 0;
    while (length < chars && text[length] != 0)
        ++length;
    return length;
}

void CheckTextField(const WCHAR* text, const char* name) {
    FUZZ_CHECK(TextLength(text, kNameChars) < kNameChars, "%s is not terminated", name);
}

// A DWORD the load could read (four bytes or fewer) stays as stored; any other is healed.
void CheckLoadedDword(const DwordValue& value, const std::optional<sim::PrinterDataValue>& before,
                      DWORD loaded) {
    auto after = sim::ReadPrinterData(kFuzzPrinter, "Config", value.name);
    FUZZ_CHECK(after.has_value(), "Config\\%s is missing after a load", value.name);
    if (before && before->data.size() <= 4) {
        DWORD expected = 0;
        std::copy(before->data.begin(), before->data.end(), reinterpret_cast<BYTE*>(&expected));
        FUZZ_CHECK(loaded == expected, "Config\\%s read as %u, stored %u", value.name, loaded,
                   expected);
        FUZZ_CHECK(after->type == before->type && after->data == before->data,
                   "a readable Config\\%s was rewritten", value.name);
        return;
    }
    FUZZ_CHECK(loaded == value.defaultValue, "unreadable Config\\%s read as %u", value.name,
               loaded);
    FUZZ_CHECK(after->type == REG_DWORD && after->data == DwordBytes(value.defaultValue),
               "unreadable Config\\%s was not healed with %u", value.name, value.defaultValue);
}

// A text value is taken when it fits the 260-character buffer with its terminator; otherwise it
// is healed with the default, stored without its terminator.
void CheckLoadedText(const char* name, const std::optional<sim::PrinterDataValue>& before,
                     const WCHAR* loaded, const std::u16string& defaultText) {
    auto after = sim::ReadPrinterData(kFuzzPrinter, "Config", name);
    FUZZ_CHECK(after.has_value(), "Config\\%s is missing after a load", name);
    size_t length = TextLength(loaded, kNameChars);
    FUZZ_CHECK(length < kNameChars, "Config\\%s read without a terminator", name);
    if (before && after->type == before->type && after->data == before->data) {
        // Taken as stored: the text up to the first zero (an odd last byte is a character's low
        // half).
        std::u16string stored((before->data.size() + 1) / 2, u'\0');
        std::copy(before->data.begin(), before->data.end(), reinterpret_cast<BYTE*>(&stored[0]));
        stored = stored.substr(0, stored.find(u'\0'));
        FUZZ_CHECK(std::u16string(loaded, length) == stored ||
                       std::u16string(loaded, length) == defaultText,
                   "Config\\%s read as another text than stored", name);
        return;
    }
    FUZZ_CHECK(std::u16string(loaded, length) == defaultText,
               "a healed Config\\%s holds another text than the default", name);
    std::vector<BYTE> healed(defaultText.size() * 2);
    std::copy(defaultText.begin(), defaultText.end(), reinterpret_cast<char16_t*>(healed.data()));
    FUZZ_CHECK(after->type == REG_SZ && after->data == healed,
               "Config\\%s was healed with other bytes", name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    StartMachine();
    InstallPrinterLinkWithTree();

    std::optional<sim::PrinterDataValue> dwords[std::size(kLoadedDwords)];
    for (size_t i = 0; i < std::size(kLoadedDwords); ++i)
        dwords[i] = MaybeStore(input, "Config", kLoadedDwords[i].name);
    auto customMediaType = MaybeStore(input, "Config", "CustomMediaType");
    auto patternFile = MaybeStore(input, "Config", "CustomPatternFileName");
    MaybeStore(input, "Config", "PaperSize");
    MaybeStore(input, "Config", "QVDir"); // read by nobody here: the load enumerates past it
    MaybeStore(input, "Config", "Show2In1Warning");
    MaybeStore(input, "DsDriver", "PrintMediaSupported");
    std::string mediaName = input.ConsumeRandomLengthString(300);
    MaybeStore(input, "Config\\MediaTypes", mediaName.c_str());
    MaybeStore(input, "Config\\MediaTypes", "Thick");
    MaybeStore(input, "Config\\Forms", "Letter");
    for (char slot = '0'; slot <= '6'; ++slot) {
        const char name[2] = {slot, 0};
        MaybeStore(input, "Config\\BrailleTables", name);
    }

    // The load of every property sheet, healing what it cannot read.
    HANDLE printer = OpenUserHandle();
    SettingsContext* context = LoadContext(printer);
    for (size_t i = 0; i < std::size(kLoadedDwords); ++i) {
        const DWORD* field = nullptr;
        const char* name = kLoadedDwords[i].name;
        // The context's field of that name (signed fields hold the same 32 bits).
#define FIELD(n)                                                                                   \
    if (std::strcmp(name, #n) == 0)                                                                \
    field = reinterpret_cast<const DWORD*>(&context->n)
        FIELD(MediaType);
        FIELD(PaperSource);
        FIELD(MediaSurface);
        FIELD(InterPoint);
        FIELD(BindingEdge);
        FIELD(InsertEmptyPage);
        FIELD(LandscapeMode);
        FIELD(Orientation);
        FIELD(Preview);
        FIELD(Collate);
        FIELD(TwoInOne);
        FIELD(EmbossMode);
        FIELD(DotHeight);
        FIELD(InkMode);
        FIELD(Quality);
        FIELD(InkDithering);
        FIELD(DotQuality);
        FIELD(EmbossStandardTexts);
        FIELD(ThinLineIntensity);
        FIELD(InvertColor);
        FIELD(Brightness);
        FIELD(Contrast);
        FIELD(InkBrightness);
        FIELD(InkContrast);
        FIELD(ColorPattern);
        FIELD(RenderMode);
        FIELD(TwoPassPrint);
#undef FIELD
        FUZZ_CHECK(field != nullptr, "no field for %s", name);
        CheckLoadedDword(kLoadedDwords[i], dwords[i], *field);
    }
    CheckLoadedText("CustomMediaType", customMediaType, context->CustomMediaType, u"");
    CheckLoadedText("CustomPatternFileName", patternFile, context->PatternFileName,
                    u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Default.dat");
    CheckTextField(context->DefaultFormName, "DefaultFormName");

    // The store's own reads, as the pages make them.
    DWORD warning = 0;
    ReadConfigDword(printer, TEXT("Show2In1Warning"), &warning, 1);
    DWORD pair = 0;
    std::u16string wideName(mediaName.begin(), mediaName.end());
    LookupDotValues(printer, kMediaTypeCustom, wideName.c_str(), 0x1005, &pair);
    DWORD bytes = 0;
    DWORD names = EnumMediaTypeNames(kFuzzPrinterW, nullptr, 0, &bytes);
    std::vector<WCHAR> list(bytes / sizeof(WCHAR) + 1, 0xFFFF);
    DWORD listed = EnumMediaTypeNames(kFuzzPrinterW, list.data(), bytes, nullptr);
    FUZZ_CHECK(listed == names, "%u names counted, %u listed", names, listed);
    // Without the key there is no list at all; otherwise it ends in its closing zero.
    FUZZ_CHECK(bytes == 0 ? names == 0 : list[bytes / sizeof(WCHAR) - 1] == 0,
               "the media type list does not end in its zero");
    IsRecordedCustomForm(context, TEXT("Letter"));
    ReleaseSettingsContext(context);

    // The printer's properties: the media list is copied, and the braille table dialog lists
    // what each slot records.
    {
        DeviceTreePage properties;
        auto supported = sim::ReadPrinterData(kFuzzPrinter, "DsDriver", "PrintMediaSupported");
        auto ready = sim::ReadPrinterData(kFuzzPrinter, "DsDriver", "PrintMediaReady");
        FUZZ_CHECK(!supported ||
                       (ready && ready->type == supported->type && ready->data == supported->data),
                   "the media list was not published as it is");
        sim::ScriptModalDialog(IDD_BRAILLE_TABLE, [](HWND dialog) {
            auto entries = sim::ComboItems(dialog, IDC_TABLE_SLOT);
            FUZZ_CHECK(entries.size() == 7, "%zu table slots listed", entries.size());
            sim::Click(dialog, IDCANCEL);
        });
        DeviceTreeDriver& tree = properties.tree();
        for (WORD i = 0; i < tree.count(); ++i)
            if (tree.item(i).UserItemID == 74)
                tree.Push(i);
    }
    FinishMachine();
    return 0;
}
