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

// The size of the driver's devmodes does not change while a sheet is open: asked once.
LONG DriverDevmodeSize(SettingsContext* context, LPWSTR printerName) {
    if (context->DriverDevmodeSize == 0) {
        LONG size =
            DocumentPropertiesW(nullptr, context->PrinterHandle, printerName, nullptr, nullptr, 0);
        if (size > 0)
            context->DriverDevmodeSize = size;
    }
    return context->DriverDevmodeSize;
}

DWORD DevmodeBytes(const DEVMODEW* devmode) {
    return static_cast<DWORD>(devmode->dmSize) + devmode->dmDriverExtra;
}

} // namespace

void PushDevmodeChange(SettingsContext* context, const DevmodeChange& change) {
    HANDLE printer = context->PrinterHandle;
    GlobalBlock infoBlock(0);
    auto* info = const_cast<PRINTER_INFO_2W*>(FetchPrinterInfo2(printer, infoBlock));
    if (info == nullptr)
        return;

    // The driver writes devmodes of its own full size: a merge may only go into a buffer that
    // holds that many bytes.
    LONG driverSize = DriverDevmodeSize(context, info->pPrinterName);

    // The job being edited follows the page at once.
    if (context->PublicDevmode != nullptr) {
        change.Apply(context->PublicDevmode, false);
        if (DevmodeBytes(context->PublicDevmode) >= static_cast<DWORD>(driverSize))
            MergeThroughDriver(printer, info->pPrinterName, context->PublicDevmode);
    }

    // A printer without a default devmode gets the driver's default; a stored one shorter than
    // the driver's (left by an older driver) is merged in a copy of the driver's size.
    GlobalBlock defaultDevmode(0);
    if (info->pDevMode == nullptr) {
        if (driverSize == 0 || !defaultDevmode.Reset(static_cast<SIZE_T>(driverSize)) ||
            DocumentPropertiesW(nullptr, printer, info->pPrinterName, defaultDevmode.as<DEVMODEW>(),
                                nullptr, DM_OUT_BUFFER) != IDOK)
            return;
        info->pDevMode = defaultDevmode.as<DEVMODEW>();
    } else if (DevmodeBytes(info->pDevMode) < static_cast<DWORD>(driverSize)) {
        if (!defaultDevmode.Reset(static_cast<SIZE_T>(driverSize)))
            return;
        CopyMemory(defaultDevmode.get(), info->pDevMode, DevmodeBytes(info->pDevMode));
        info->pDevMode = defaultDevmode.as<DEVMODEW>();
    }
    change.Apply(info->pDevMode, false);
    MergeThroughDriver(printer, info->pPrinterName, info->pDevMode);
    change.Apply(info->pDevMode, true);

    // The printer's security is not ours to change: a null descriptor leaves it as it is.
    info->pSecurityDescriptor = nullptr;
    if (SetPrinterInfo2WithRetry(printer, info))
        SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0,
                            reinterpret_cast<LPARAM>(info->pPrinterName), SMTO_NORMAL,
                            kBroadcastTimeoutMs, nullptr);
}
