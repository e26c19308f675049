// The corrections and defaults of a settings load.
#include "settings/load_corrections.h"

#include <strsafe.h>

namespace {

constexpr LONG kDefaultPaperSize[2] = {210000, 297000};

void FormatInches(WCHAR* text, DWORD twentieths) {
    StringCchPrintfW(text, kDeviceTextChars, TEXT("%.02f"), twentieths / 20.0);
}

} // namespace

bool TakeStoredPaperSize(DWORD result, DWORD needed, LONG size[2]) {
    if (result == ERROR_SUCCESS && needed == 2 * sizeof(LONG))
        return false;
    size[0] = kDefaultPaperSize[0];
    size[1] = kDefaultPaperSize[1];
    return true;
}

void ApplyJobDevmode(SettingsContext* context, const DEVMODEW* devmode) {
    if (devmode == nullptr)
        return;
    if (devmode->dmFields & DM_COLLATE)
        context->Collate = devmode->dmCollate == DMCOLLATE_TRUE ? 1 : 0;
    if (devmode->dmFields & DM_DEFAULTSOURCE)
        context->PaperSource = static_cast<DWORD>(static_cast<LONG>(devmode->dmDefaultSource));
    if (devmode->dmFields & DM_MEDIATYPE)
        context->MediaType = devmode->dmMediaType;
    if (devmode->dmFields & DM_ORIENTATION)
        context->Orientation = static_cast<DWORD>(static_cast<LONG>(devmode->dmOrientation));
    if (devmode->dmFields & DM_DUPLEX) {
        context->InterPoint = devmode->dmDuplex == DMDUP_SIMPLEX ? 0 : 1;
        context->InterPointCurrent = context->InterPoint;
        context->BindingEdge = 2;
    }
}

void SetPrinterStateDefaults(SettingsContext* context) {
    context->DeviceDuplex = 1;
    context->DeviceMediaType = 286;
    context->DeviceMediaDotValues = 0x1E06;
    context->DeviceBrailleDots = 6;
    context->DeviceTopMargin = 5;
    context->DeviceLeftMargin = 5;
    context->DeviceRightMargin = 5;
    context->DeviceFormWidth = 170;
    context->DeviceFormHeight = 220;
    context->DeviceDotHeight = 1;
    context->DevicePaperSource = DMBIN_FORMSOURCE;
    FormatInches(context->LineSpacingText, context->DeviceLineSpacing);
    FormatInches(context->TopMarginText, context->DeviceTopMargin);
    FormatInches(context->LeftMarginText, context->DeviceLeftMargin);
    FormatInches(context->RightMarginText, context->DeviceRightMargin);
    FormatInches(context->FormWidthText, context->DeviceFormWidth);
    FormatInches(context->FormHeightText, context->DeviceFormHeight);
}
