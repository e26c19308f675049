// Composing the printer information text and the maintenance dialogs' numbers.
#include "service/information_text.h"

#include <strsafe.h>

namespace {

// One text of at most 4096 characters, built line by line; each line, with the line break before
// it, is bounded to 260 characters. What the printer link or a translation says stays on its own
// line: a line break or other control character in it is shown as a space.
constexpr int kLineChars = kNameChars - 2; // after "\r\n"

class InformationText {
public:
    explicit InformationText(WCHAR (&text)[kComposedChars]) : text_(text) { text_[0] = 0; }

    void Append(LPWSTR line) {
        for (WCHAR* c = line; *c != 0; ++c)
            if (*c < 0x20)
                *c = TEXT(' ');
        StringCchCatW(text_, kComposedChars, line);
    }

    void StartLine() { StringCchCatW(text_, kComposedChars, TEXT("\r\n")); }

    // "\r\n<label> <text>"
    void AppendLabelled(LPCWSTR label, LPCWSTR text) {
        WCHAR line[kLineChars];
        StringCchPrintfW(line, kLineChars, TEXT("%ls %ls"), label, text);
        StartLine();
        Append(line);
    }

    // "\r\n<label> a.b.c" of the version's three bytes, highest first (two when `parts` is 2).
    void AppendVersion(LPCWSTR label, DWORD version, int parts) {
        WCHAR line[kLineChars];
        UINT high = (version >> 16) & 0xFF, middle = (version >> 8) & 0xFF, low = version & 0xFF;
        if (parts == 3)
            StringCchPrintfW(line, kLineChars, TEXT("%ls %u.%u.%u"), label, high, middle, low);
        else
            StringCchPrintfW(line, kLineChars, TEXT("%ls %u.%u"), label, middle, low);
        StartLine();
        Append(line);
    }

private:
    WCHAR (&text_)[kComposedChars];
};

} // namespace

void ComposePrinterInformation(WCHAR (&text)[kComposedChars], const SettingsContext& context,
                               LPCWSTR status, LPCWSTR driverVersion,
                               const InformationLabels& labels) {
    InformationText information(text);
    bool connected = context.SnapshotItemCount > 0;
    if (connected && status != nullptr) {
        WCHAR line[kNameChars];
        StringCchCopyW(line, kNameChars, status);
        information.Append(line);
    }
    information.StartLine();
    information.AppendLabelled(labels.DriverVersion, driverVersion);
    if (!connected)
        return;
    information.AppendLabelled(labels.SerialNumber, context.PrinterSerialNumber);
    information.AppendVersion(labels.FirmwareVersion, context.FirmwareVersion, 3);
    information.AppendLabelled(labels.ModelNumber, context.ModelNumber);
    if (context.ChromaPodVersion > 0) {
        information.AppendVersion(labels.ChromaPodFirmware,
                                  static_cast<DWORD>(context.ChromaPodVersion), 2);
        information.AppendLabelled(labels.ChromaPodSerial, context.ChromaPodSerialNumber);
    }
}

// The shares are worked out in 64 bits: a count of a few tens of millions times 100 no longer
// fits in 32.
bool CarriageShares(const LONG (&usage)[4], LONG* first, LONG* second) {
    LONGLONG firstCount = usage[0], secondCount = usage[1];
    LONGLONG total = firstCount + secondCount;
    if (firstCount < 0 || secondCount < 0 || total < 1 || usage[2] < 1)
        return false;
    *first = static_cast<LONG>(firstCount * 100 / total);
    *second = 100 - *first;
    return true;
}

// A negative report (a signed remainder in the unsigned field) shows as empty, one above 100 %
// as full.
DWORD ShownInkFill(DWORD reported) {
    LONG fill = static_cast<LONG>(reported);
    return fill < 0 ? 0 : fill > 100 ? 100 : static_cast<DWORD>(fill);
}
