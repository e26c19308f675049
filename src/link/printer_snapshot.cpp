// Fetching the printer's settings block and reading it into the settings context.
#include "link/printer_snapshot.h"

#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "link/settings_block.h"
#include "settings/global_block.h"

#include <strsafe.h>

namespace {

WCHAR g_printerErrorText[kPrinterErrorTextChars];

} // namespace

// The library is asked once for the size and once to fill: each asking reads the printer.
int FetchPrinterSnapshot(SettingsContext* context) {
    auto getSettings =
        FindPrinterLinkProc<GetPrinterSettingsProc>(context, "DllExportGetPrinterSettings");
    DWORD needed = 0;
    if (getSettings == nullptr)
        return 0;
    getSettings(0, context->PrinterName, nullptr, 0, &needed);
    if (needed == 0)
        return 0;
    GlobalBlock block(needed);
    if (!block)
        return 0;
    DWORD size = needed;
    if (getSettings(0, context->PrinterName, block.as<BYTE>(), size, &needed) != ERROR_SUCCESS)
        return 0;
    ApplySettingsBlock(context, block.as<BYTE>(), size);
    return 1;
}

LPCWSTR PrinterErrorText(SettingsContext* context, DWORD code) {
    g_printerErrorText[0] = 0;
    auto getText =
        FindPrinterLinkProc<GetPrinterErrorTextProc>(context, "DllExportGetPrinterErrorText");
    if (getText == nullptr)
        return g_printerErrorText;
    WCHAR text[kPrinterErrorTextChars] = {};
    bool answered = getText(0, code, text) != 0;
    FormatPrinterErrorText(g_printerErrorText, text, answered, code);
    return g_printerErrorText;
}

DWORD ResetInkCartridgeCounter(SettingsContext* context, DWORD cartridge) {
    auto setParameter =
        FindPrinterLinkProc<SetPrinterParameterProc>(context, "DllExportSetPrinterParameter");
    auto update = FindPrinterLinkProc<UpdatePrinterProc>(context, "DllExportUpdatePrinter");
    if (setParameter == nullptr || update == nullptr)
        return 0;
    ParameterRecord record;
    ZeroMemory(&record, sizeof(record));
    record.Id = cartridge == 0 ? kInkCartridge1Id : kInkCartridge2Id;
    record.Values[0] = 100;
    // The cartridge's name travels from byte 40 of the record, as the printer expects it.
    StringCchCopyW(reinterpret_cast<WCHAR*>(reinterpret_cast<BYTE*>(&record) + 40), 80,
                   cartridge == 0 ? TEXT("InkjetCartridge1") : TEXT("InkjetCartridge2"));
    setParameter(0, context->PrinterName, record.Id, record.Values, 1, nullptr, 0);
    return update(0, context->PrinterName);
}
