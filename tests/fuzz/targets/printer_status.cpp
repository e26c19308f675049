// What the Service page and the maintenance dialogs show of a printer: a settings block, a status
// code and the printer link's error text (with or without terminator, up to the caller's 4096
// characters), and labels as long as the locale library may make them. Every text stays
// bounded, every number within what it can be.
//
// Input: the status code (32 bits), whether the link answered a text, the text's length (16
// bits) and its characters, then the settings block.
#include "link/settings_block.h"
#include "rule_check.h"
#include "service/information_text.h"

#include <algorithm>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 7)
        return 0;
    DWORD code = data[0] | data[1] << 8 | data[2] << 16 | DWORD(data[3]) << 24;
    bool answered = data[4] & 1;
    size_t length = std::min<size_t>(data[5] | data[6] << 8, kPrinterErrorTextChars);
    size_t textBytes = std::min(2 * length, size - 7);
    static WCHAR text[kPrinterErrorTextChars];
    std::fill(std::fill_n(text, length, '?'), std::end(text), 0);
    std::memcpy(text, data + 7, textBytes);

    std::unique_ptr<WCHAR[]> status(new WCHAR[kPrinterErrorTextChars]);
    FormatPrinterErrorText(status.get(), text, answered, code);
    std::string number = std::to_string(int(code));
    std::u16string expected = u"(Code " + std::u16string(number.begin(), number.end()) + u")";
    std::u16string given(text, kPrinterErrorTextChars);
    if (answered)
        expected = given.substr(0, std::min(given.find(u'\0'), given.size() - 1)) + u" " + expected;
    expected.resize(std::min<size_t>(expected.size(), kPrinterErrorTextChars - 1));
    RULE(std::u16string(status.get()) == expected, "the status text differs");

    size_t blockBytes = size - 7 - textBytes;
    std::unique_ptr<BYTE[]> block(new BYTE[blockBytes + 1]);
    std::memcpy(block.get(), data + 7 + textBytes, blockBytes);
    std::unique_ptr<SettingsContext> context(new SettingsContext());
    ApplySettingsBlock(context.get(), block.get(), static_cast<DWORD>(blockBytes));
    InformationLabels labels;
    for (WCHAR* label : {labels.DriverVersion, labels.SerialNumber, labels.FirmwareVersion,
                         labels.ModelNumber, labels.ChromaPodFirmware, labels.ChromaPodSerial})
        std::char_traits<WCHAR>::copy(label, status.get(), kNameChars - 1)[kNameChars - 1] = 0;
    static WCHAR information[kComposedChars];
    ComposePrinterInformation(information, *context, answered ? status.get() : nullptr,
                              status.get(), labels);
    std::u16string shown(information);
    size_t lines = 0;
    for (size_t start = 0, end = 0; end != std::u16string::npos; start = end + 2, ++lines) {
        end = shown.find(u"\r\n", start);
        RULE((end == std::u16string::npos ? shown.size() : end) - start < kNameChars,
             "a line of more than %d characters", kNameChars - 1);
    }
    RULE(lines <= (context->SnapshotItemCount > 0 ? 8u : 3u), "%zu lines", lines);

    // The carriages' shares: worked out in 64 bits, and none for counts that are not valid.
    const LONG* usage = context->EmbossUsage;
    LONG first = -1, second = -1;
    bool valid =
        usage[0] >= 0 && usage[1] >= 0 && LONGLONG(usage[0]) + usage[1] >= 1 && usage[2] >= 1;
    RULE(CarriageShares(context->EmbossUsage, &first, &second) == valid, "shares for %d, %d, %d",
         usage[0], usage[1], usage[2]);
    RULE(!valid || (first == LONGLONG(usage[0]) * 100 / (LONGLONG(usage[0]) + usage[1]) &&
                    second == 100 - first),
         "shares %d and %d", first, second);
    for (DWORD fill : {context->InkCartridge1Fill, context->InkCartridge2Fill})
        RULE(ShownInkFill(fill) == (LONG(fill) < 0 ? 0 : std::min<DWORD>(fill, 100)),
             "a fill of %d shown as %u", LONG(fill), ShownInkFill(fill));
    return 0;
}
