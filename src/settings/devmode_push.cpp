// The devmode push shared by the layout and paper pages.
#include "settings/devmode_push.h"

#include "settings/global_block.h"
#include "settings/printer_data_store.h"

#include <winspool.h>

namespace {

constexpr UINT kBroadcastTimeoutMs = 1000;

LONG MergeThroughDriver(HANDLE printer, LPWSTR printerName, DEVMODEW* devmode) {
    return DocumentPropertiesW(nullptr, printer, printerName, devmode, devmode,
                               DM_IN_BUFFER | DM_OUT_BUFFER);
}

} // namespace

void PushDevmodeChange(SettingsContext* context, const DevmodeChange& change) {
    HANDLE printer = context->PrinterHandle;
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    GlobalBlock infoBlock(needed);
    if (!infoBlock || !GetPrinterW(printer, 2, infoBlock.as<BYTE>(), needed, &needed))
        return;
    auto* info = infoBlock.as<PRINTER_INFO_2W>();

    // The job being edited follows the page at once.
    if (context->PublicDevmode != nullptr) {
        change.Apply(context->PublicDevmode, false);
        MergeThroughDriver(printer, info->pPrinterName, context->PublicDevmode);
    }

    // A printer without a default devmode gets the driver's default.
    GlobalBlock driverDefault(0);
    if (info->pDevMode == nullptr) {
        LONG size = DocumentPropertiesW(nullptr, printer, info->pPrinterName, nullptr, nullptr, 0);
        if (size <= 0 || !driverDefault.Reset(static_cast<SIZE_T>(size)) ||
            DocumentPropertiesW(nullptr, printer, info->pPrinterName, driverDefault.as<DEVMODEW>(),
                                nullptr, DM_OUT_BUFFER) != IDOK)
            return;
        info->pDevMode = driverDefault.as<DEVMODEW>();
    }
    change.Apply(info->pDevMode, false);
    MergeThroughDriver(printer, info->pPrinterName, info->pDevMode);
    change.Apply(info->pDevMode, true);

    // The printer's security is not ours to change: a null descriptor leaves it as it is.
    info->pSecurityDescriptor = nullptr;
    BOOL stored = SetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(info), 0);
    if (!stored)
        stored = SetPrinterInfo2(printer, 2, info);
    if (stored)
        SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0,
                            reinterpret_cast<LPARAM>(info->pPrinterName), SMTO_NORMAL,
                            kBroadcastTimeoutMs, nullptr);
}
