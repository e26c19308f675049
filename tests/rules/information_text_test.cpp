// The Service page's printer information text cut at a line's length (the Service program under
// Wine shows the text of each kind of printer; the printer_status fuzz target checks its bounds,
// the status text and the maintenance dialogs' numbers for any input).
#include "service/information_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InformationText, LongTextsAreCutAndAPrinterNotConnectedShowsNoStatus) {
    InformationLabels labels = {u"Driver version:", u"Serial number:",      u"Firmware:",
                                u"Model:",          u"ChromaPod firmware:", u"ChromaPod serial:"};
    SettingsContext context = {};
    context.SnapshotItemCount = 5;
    context.FirmwareVersion = 0x030201;
    std::u16string(u"TV-7").copy(context.PrinterSerialNumber, 4);
    std::u16string(u"T2").copy(context.ModelNumber, 2);
    static WCHAR text[kComposedChars];
    ComposePrinterInformation(text, context, std::u16string(300, 's').c_str(), u"1.0.0.1", labels);
    EXPECT_EQ(std::u16string(text), std::u16string(259, 's') +
                                        u"\r\n\r\nDriver version: 1.0.0.1\r\nSerial number: "
                                        u"TV-7\r\nFirmware: 3.2.1\r\nModel: T2");
    // A label as long as a line leaves the line cut to 259 characters; a printer that is not
    // connected shows no status.
    std::fill_n(labels.DriverVersion, kNameChars - 1, 'L');
    ComposePrinterInformation(text, SettingsContext{}, u"Ready (Code 0)", u"1.0.0.1", labels);
    EXPECT_EQ(std::u16string(text), u"\r\n\r\n" + std::u16string(257, 'L'));
}

} // namespace
