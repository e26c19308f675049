// The Service page's printer information text and the maintenance dialogs' numbers.
#include "service/information_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InformationText, ConnectedPrintersShowStatusIdentityAndFirmware) {
    InformationLabels labels = {u"Driver version:", u"Serial number:",      u"Firmware:",
                                u"Model:",          u"ChromaPod firmware:", u"ChromaPod serial:"};
    const std::u16string kDriver = u"\r\n\r\nDriver version: 1.0.0.1";
    const std::u16string kPrinter = u"\r\nSerial number: TV-7\r\nFirmware: 3.2.1\r\nModel: T2";
    const struct {
        LONG items, chromaPod;
        std::u16string status; // "-": the link gave none
        std::u16string expected;
    } kCases[] = {
        {0, 0, u"Ready (Code 0)", kDriver},
        {-1, 0x0102, u"-", kDriver},
        {5, 0, u"Paper jam (Code 3)", u"Paper jam (Code 3)" + kDriver + kPrinter},
        {5, 0, u"-", kDriver + kPrinter},
        {5, 0x010203, u"",
         kDriver + kPrinter + u"\r\nChromaPod firmware: 2.3\r\nChromaPod serial: CP-1"},
        {5, 0, std::u16string(300, 's'), std::u16string(259, 's') + kDriver + kPrinter},
    };
    for (const auto& c : kCases) {
        SettingsContext context = {};
        context.SnapshotItemCount = c.items;
        context.ChromaPodVersion = c.chromaPod;
        context.FirmwareVersion = 0x030201;
        std::u16string(u"TV-7").copy(context.PrinterSerialNumber, 4);
        std::u16string(u"T2").copy(context.ModelNumber, 2);
        std::u16string(u"CP-1").copy(context.ChromaPodSerialNumber, 4);
        static WCHAR text[kComposedChars];
        ComposePrinterInformation(text, context, c.status == u"-" ? nullptr : c.status.c_str(),
                                  u"1.0.0.1", labels);
        EXPECT_EQ(std::u16string(text), c.expected) << c.items << " " << c.chromaPod;
    }
    // A label as long as a line leaves the line cut to 259 characters.
    std::fill_n(labels.DriverVersion, kNameChars - 1, 'L');
    static WCHAR text[kComposedChars];
    ComposePrinterInformation(text, SettingsContext{}, nullptr, u"1.0.0.1", labels);
    EXPECT_EQ(std::u16string(text), u"\r\n\r\n" + std::u16string(257, 'L'));
}

TEST(InformationText, SharesAndFillsStayWithinWhatTheyCanBe) {
    const struct {
        LONG usage[4];
        bool shown;
        LONG first, second;
    } kShares[] = {{{1, 3, 1}, true, 25, 75},
                   {{1, 2, 1}, true, 33, 67},
                   {{2000000000, 2000000000, 1}, true, 50, 50},
                   {{0, 0, 1}, false, 0, 0},
                   {{-1, 5, 1}, false, 0, 0},
                   {{5, -1, 1}, false, 0, 0},
                   {{5, 5, 0}, false, 0, 0}};
    for (const auto& c : kShares) {
        LONG first = -7, second = -7;
        EXPECT_EQ(CarriageShares(c.usage, &first, &second), c.shown) << c.usage[0];
        EXPECT_EQ(first, c.shown ? c.first : -7) << c.usage[0];
        EXPECT_EQ(second, c.shown ? c.second : -7) << c.usage[0];
    }
    const DWORD kFills[][2] = {{42, 42}, {0, 0}, {100, 100}, {150, 100}, {DWORD(-5), 0}};
    for (const auto& fill : kFills)
        EXPECT_EQ(ShownInkFill(fill[0]), fill[1]) << fill[0];
}

} // namespace
