// The devmode push shared by the layout and paper pages.
#include "settings/devmode_push.h"

#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/sheet_answers.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

constexpr UINT kBroadcastTimeoutMs = 1000;

LONG MergeThroughDriver(HANDLE printer, LPWSTR printerName, DEVMODEW* devmode) {
    return DocumentPropertiesW(nullptr, printer, printerName, devmode, devmode,
                               DM_IN_BUFFER | DM_OUT_BUFFER);
}

DWORD DevmodeBytes(const DEVMODEW* devmode) {
    return static_cast<DWORD>(devmode->dmSize) + devmode->dmDriverExtra;
}

// The size of the driver's devmodes does not change while a sheet is open. The job's devmode the
// driver handed the sheet is one of its own, whole: its size is the driver's, with no round trip.
// Without one, the driver is asked once.
LONG DriverDevmodeSize(SettingsContext* context, LPWSTR printerName) {
    if (context->DriverDevmodeSize == 0 && context->PublicDevmode != nullptr)
        context->DriverDevmodeSize = static_cast<LONG>(DevmodeBytes(context->PublicDevmode));
    if (context->DriverDevmodeSize == 0) {
        LONG size =
            DocumentPropertiesW(nullptr, context->PrinterHandle, printerName, nullptr, nullptr, 0);
        if (size > 0)
            context->DriverDevmodeSize = size;
    }
    return context->DriverDevmodeSize;
}

} // namespace

void ApplyPendingDevmode(const PendingDevmode& pending, DEVMODEW* devmode, bool afterMerge) {
    DWORD fields = pending.Fields & ~DM_FORMNAME;
    devmode->dmFields |= fields;
    if (fields & DM_ORIENTATION)
        devmode->dmOrientation = pending.Orientation;
    if (fields & DM_DUPLEX)
        devmode->dmDuplex = pending.Duplex;
    if (fields & DM_COLLATE)
        devmode->dmCollate = pending.Collate;
    if (fields & DM_MEDIATYPE)
        devmode->dmMediaType = pending.MediaType;
    if (fields & DM_DEFAULTSOURCE)
        devmode->dmDefaultSource = pending.DefaultSource;
    if (pending.Fields & DM_FORMNAME) {
        if (!afterMerge)
            StringCchCopyW(devmode->dmFormName, CCHFORMNAME, pending.FormName);
        devmode->dmPaperWidth = pending.PaperWidth;
        devmode->dmPaperLength = pending.PaperLength;
        devmode->dmFields =
            (devmode->dmFields & ~pending.PaperClearFields) | pending.PaperSetFields;
    }
}

void PushPendingDevmode(SettingsContext* context) {
    const PendingDevmode pending = context->Pending;
    ZeroMemory(&context->Pending, sizeof(context->Pending));
    if (pending.Fields == 0)
        return;
    HANDLE printer = context->PrinterHandle;
    GlobalBlock infoBlock(0);
    auto* info = const_cast<PRINTER_INFO_2W*>(FetchPrinterInfo2(printer, infoBlock));
    if (info == nullptr)
        return;

    // The driver writes devmodes of its own full size: a merge may only go into a buffer that
    // holds that many bytes.
    LONG driverSize = DriverDevmodeSize(context, info->pPrinterName);

    // The job being edited follows the pages at once.
    if (context->PublicDevmode != nullptr) {
        ApplyPendingDevmode(pending, context->PublicDevmode, false);
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
    ApplyPendingDevmode(pending, info->pDevMode, false);
    MergeThroughDriver(printer, info->pPrinterName, info->pDevMode);
    ApplyPendingDevmode(pending, info->pDevMode, true);

    // The printer's security is not ours to change: a null descriptor leaves it as it is. A
    // broadcast visits every top-level window of the desktop: one per apply.
    info->pSecurityDescriptor = nullptr;
    if (!SetPrinterInfo2WithRetry(printer, info))
        return;
    ForgetSheetPrinterInfo(context);
    SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0,
                        reinterpret_cast<LPARAM>(info->pPrinterName), SMTO_NORMAL,
                        kBroadcastTimeoutMs, nullptr);
}

void PageMade(SettingsContext* context) {
    ++context->LivePages;
}

void PageDestroyed(SettingsContext* context) {
    if (context->LivePages > 0)
        --context->LivePages;
}

void PageApplied(SettingsContext* context) {
    if (++context->PagesApplied < context->LivePages)
        return;
    context->PagesApplied = 0;
    PushPendingDevmode(context);
}
