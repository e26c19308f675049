// The Service page's printer information text (the printer_status fuzz target checks its bounds,
// the status text and the maintenance dialogs' numbers for any input).
#include "service/information_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InformationText, ConnectedPrintersShowStatusIdentityAndFirmware) {
    InformationLabels labels = {u"Driver version:", u"Serial number:",      u"Firmware:",
                                u"Model:",          u"ChromaPod firmware:", u"ChromaPod serial:"};
    const std::u16string kDriver = u"\r\n\r\nDriver version: 1.0.0.1";
    const std::u16string kPrinter = u"\r\nSerial number: TV-7\r\nFirmware: 3.2.1\r\nModel: T2";
    // Items and ChromaPod version, the status ("-": the link gave none) and the text composed.
    const std::tuple<LONG, LONG, std::u16string, std::u16string> kCases[] = {
        {0, 0, u"Ready (Code 0)", kDriver},
        {-1, 0x0102, u"-", kDriver},
        {5, 0, u"Paper jam (Code 3)", u"Paper jam (Code 3)" + kDriver + kPrinter},
        {5, 0, u"-", kDriver + kPrinter},
        {5, 0, std::u16string(300, 's'), std::u16string(259, 's') + kDriver + kPrinter}};
    for (const auto& [items, chromaPod, status, expected] : kCases) {
        SettingsContext context = {};
        context.SnapshotItemCount = items;
        context.ChromaPodVersion = chromaPod;
        context.FirmwareVersion = 0x030201;
        std::u16string(u"TV-7").copy(context.PrinterSerialNumber, 4);
        std::u16string(u"T2").copy(context.ModelNumber, 2);
        std::u16string(u"CP-1").copy(context.ChromaPodSerialNumber, 4);
        static WCHAR text[kComposedChars];
        ComposePrinterInformation(text, context, status == u"-" ? nullptr : status.c_str(),
                                  u"1.0.0.1", labels);
        EXPECT_EQ(std::u16string(text), expected) << items << " " << chromaPod;
    }
    // A label as long as a line leaves the line cut to 259 characters.
    std::fill_n(labels.DriverVersion, kNameChars - 1, 'L');
    static WCHAR text[kComposedChars];
    ComposePrinterInformation(text, SettingsContext{}, nullptr, u"1.0.0.1", labels);
    EXPECT_EQ(std::u16string(text), u"\r\n\r\n" + std::u16string(257, 'L'));
}

} // namespace
