// What the device settings tree does when a person uses it: selections, activation and apply.
#include "device/device_tree_callback.h"

#include "device/braille_table_dialog.h"
#include "device/device_parameters.h"
#include "device/device_settings_tree.h"
#include "device/typed_distances.h"
#include "link/printer_snapshot.h"
#include "media/custom_media_types.h"
#include "media/form_queries.h"
#include "settings/printer_data_store.h"
#include "settings/typed_number.h"
#include "settings/ui_strings.h"

#include <strsafe.h>

namespace {

// Printer-side distances are in twentieths of an inch; form sizes in micrometres.
constexpr double kTwentiethsPerInch = 20.0;
constexpr double kMicrometresPerInch = 25400.0;
constexpr double kHundredthsPerInch = 100.0;

// Media codes the printer reports with bit 8 set, in the order of the item's options; the
// option after them is "Custom".
constexpr DWORD kListedMediaFlag = 0x100;
const DWORD kMediaTypeOptions[] = {kMediaBraillePaper, kMediaLightBraillePaper, kMediaCopyPaper,
                                   kMediaPremiumCopyPaper, kMediaCardStock};
// The codes the printer takes for those options, and for "Custom".
const DWORD kMediaCodes[] = {12, 13, 2, 3, 11};
constexpr DWORD kCustomMediaCode = 30;
constexpr LONG kCustomMediaOption = ARRAYSIZE(kMediaTypeOptions);

constexpr DWORD kTractorFeed = 8;
constexpr DWORD kAutomaticSelect = 15;

// Inches as the pages' language writes them: "8.50", "8,50".
void WriteTwoDecimals(const SettingsContext* context, WCHAR* text, double value) {
    FormatTwoDecimals(text, kDeviceTextChars, value, DecimalSeparator(context));
}

bool IsTextItem(BYTE userItemId) {
    switch (userItemId) {
    case kFormWidthItem:
    case kFormLengthItem:
    case kTopMarginItem:
    case kLeftMarginItem:
    case kRightMarginItem:
    case kLineSpacingItem:
        return true;
    default:
        return false;
    }
}

// Values from the printer are each shown within their item's range, never as a selection the
// item does not have.
constexpr LONG kLowestDotHeight = 0;
constexpr LONG kHighestDotHeight = 2; // "High", "Normal", "Low"

// The printer-side field an edit-box item shows, in twentieths of an inch.
DWORD DeviceDistance(const SettingsContext* context, BYTE userItemId) {
    switch (userItemId) {
    case kFormWidthItem:
        return context->DeviceFormWidth;
    case kFormLengthItem:
        return context->DeviceFormHeight;
    case kTopMarginItem:
        return context->DeviceTopMargin;
    case kLeftMarginItem:
        return context->DeviceLeftMargin;
    case kRightMarginItem:
        return context->DeviceRightMargin;
    default:
        return context->DeviceLineSpacing;
    }
}

LONG ShownDistance(const SettingsContext* context, BYTE userItemId) {
    LONG highest = userItemId == kLineSpacingItem ? kMaxShownLineSpacing : kMaxShownDistance;
    return ClampReported(DeviceDistance(context, userItemId), 0, highest);
}

void WriteShownDistance(const SettingsContext* context, BYTE userItemId, WCHAR* text) {
    WriteTwoDecimals(context, text, ShownDistance(context, userItemId) / kTwentiethsPerInch);
}

LONG MediaTypeSelection(DWORD mediaType) {
    DWORD listed = mediaType | kListedMediaFlag;
    for (LONG i = 0; i < kCustomMediaOption; ++i)
        if (kMediaTypeOptions[i] == listed)
            return i;
    return kCustomMediaOption;
}

// --- Selections ---------------------------------------------------------------------------------

// Choosing a paper shows its size in the width and length items; "Custom" changes nothing.
LONG OnFormSizeChanged(PCPSUICBPARAM callbackParam, SettingsContext* context) {
    const OPTITEM* formSize = callbackParam->pCurItem;
    const POPTTYPE type = formSize->pOptType;
    if (type == nullptr || formSize->Sel < 0 || formSize->Sel >= type->Count - 1)
        return CPSUICB_ACTION_NONE;
    SIZE size = FormSizes(context).SizeOf(type->pOptParam[formSize->Sel].pData);
    bool written = false;
    for (WORD i = 0; i < callbackParam->cOptItem; ++i) {
        OPTITEM* item = &callbackParam->pOptItem[i];
        if (item->UserItemID != kFormWidthItem && item->UserItemID != kFormLengthItem)
            continue;
        if (item->pSel == nullptr)
            continue;
        LONG micrometres = item->UserItemID == kFormWidthItem ? size.cx : size.cy;
        WriteTwoDecimals(context, item->pSel, micrometres / kMicrometresPerInch);
        item->Flags |= OPTIF_CHANGED;
        context->DeviceSettingsChanged = 1;
        written = true;
    }
    return written ? CPSUICB_ACTION_OPTIF_CHANGED : CPSUICB_ACTION_NONE;
}

bool IsDeviceSetting(BYTE userItemId) {
    switch (userItemId) {
    case kBrailleDotsItem:
    case kDuplexItem:
    case kLineSpacingItem:
    case kTopMarginItem:
    case kLeftMarginItem:
    case kGraphicsModeItem:
    case kAutoWrapItem:
    case kFormWidthItem:
    case kFormLengthItem:
    case kMediaTypeItem:
    case kLowestForceItem:
    case kHighestForceItem:
    case kPaperSourceItem:
    case kBrailleTableItem:
    case kDotHeightItem:
    case kRightMarginItem:
    case kBrailleQualityItem:
        return true;
    default:
        return false;
    }
}

LONG OnSelectionChanged(PCPSUICBPARAM callbackParam, SettingsContext* context) {
    if (callbackParam->pCurItem == nullptr)
        return CPSUICB_ACTION_NONE;
    BYTE userItemId = callbackParam->pCurItem->UserItemID;
    if (userItemId == kFormSizeItem)
        return OnFormSizeChanged(callbackParam, context);
    if (IsDeviceSetting(userItemId))
        context->DeviceSettingsChanged = 1;
    return CPSUICB_ACTION_NONE;
}

// --- Activation ---------------------------------------------------------------------------------

// The first activation fetches the printer's settings; a failed fetch is not tried again for
// this context, and the items stay disabled.
LONG OnSetActive(PCPSUICBPARAM callbackParam, SettingsContext* context) {
    if (context->SnapshotItemCount == 0) {
        if (FetchPrinterSnapshot(context))
            context->DeviceSettingsStale = 1;
        else
            context->SnapshotItemCount = -1;
    }
    if (context->DeviceSettingsStale == 0)
        return CPSUICB_ACTION_NONE;
    for (WORD i = 0; i < callbackParam->cOptItem; ++i) {
        OPTITEM* item = &callbackParam->pOptItem[i];
        item->Flags &= ~OPTIF_DISABLED;
        item->Flags |= OPTIF_CHANGED;
        LoadItemFromContext(context, item);
    }
    context->DeviceSettingsStale = 0;
    return CPSUICB_ACTION_OPTIF_CHANGED;
}

// --- Apply --------------------------------------------------------------------------------------

// Extra line spacing is read on every apply: limited to 12.50 inches (a negative entry counts
// as too large), written back with two decimals, and taken in twentieths of an inch.
DWORD ReadLineSpacing(const SettingsContext* context, OPTITEM* item) {
    DWORD limited = LineSpacingHundredths(item->pSel);
    WriteTwoDecimals(context, item->pSel, limited / kHundredthsPerInch);
    item->Flags |= OPTIF_CHANGED;
    return limited / kHundredthsPerTwentieth;
}

// One row of the apply: the context field a setting is compared with and stored in, the
// parameter it is sent as, and the value the item now shows.
struct DeviceChange {
    DWORD* field;
    LPCWSTR parameter;
    DWORD value;
};

// False for items that carry no device setting (the header, the form list, the push button),
// and for an edit box without its text.
bool ReadDeviceChange(SettingsContext* context, OPTITEM* item, DeviceChange* change) {
    if (IsTextItem(item->UserItemID) && item->pSel == nullptr)
        return false;
    LONG sel = item->Sel;
    switch (item->UserItemID) {
    case kFormWidthItem:
        *change = {&context->DeviceFormWidth, TEXT("FORMWIDTH"), TwentiethsFromText(item->pSel)};
        return true;
    case kFormLengthItem:
        *change = {&context->DeviceFormHeight, TEXT("FORMHEIGHT"), TwentiethsFromText(item->pSel)};
        return true;
    case kTopMarginItem:
        *change = {&context->DeviceTopMargin, TEXT("TOPMARGIN"), TwentiethsFromText(item->pSel)};
        return true;
    case kLeftMarginItem:
        *change = {&context->DeviceLeftMargin, TEXT("LEFTMARGIN"), TwentiethsFromText(item->pSel)};
        return true;
    case kRightMarginItem:
        *change = {&context->DeviceRightMargin, TEXT("RIGHTMARGIN"),
                   TwentiethsFromText(item->pSel)};
        return true;
    case kGraphicsModeItem:
        *change = {&context->DeviceGraphicsMode, TEXT("GRAPHICS"), sel != 0 ? 1u : 0u};
        return true;
    case kBrailleDotsItem:
        *change = {&context->DeviceBrailleDots, TEXT("BRAILLEDOTS"), sel != 0 ? 8u : 6u};
        return true;
    case kAutoWrapItem:
        *change = {&context->DeviceAutoWrap, TEXT("AUTOCR"), sel == 0 ? 1u : 0u};
        return true;
    case kLineSpacingItem:
        *change = {&context->DeviceLineSpacing, TEXT("LINESPACING"),
                   ReadLineSpacing(context, item)};
        return true;
    case kMediaTypeItem:
        *change = {&context->DeviceMediaType, TEXT("MEDIATYPE"),
                   sel >= 0 && sel < kCustomMediaOption ? kMediaCodes[sel] : kCustomMediaCode};
        return true;
    case kLowestForceItem:
        *change = {&context->DeviceMediaDotValues, TEXT("CUSTOMMEDIA"),
                   MakeDotValuePair(HighestDotValue(context->DeviceMediaDotValues),
                                    static_cast<DWORD>(sel))};
        return true;
    case kHighestForceItem:
        *change = {&context->DeviceMediaDotValues, TEXT("CUSTOMMEDIA"),
                   MakeDotValuePair(static_cast<DWORD>(sel),
                                    LowestDotValue(context->DeviceMediaDotValues))};
        return true;
    case kPaperSourceItem:
        *change = {&context->DevicePaperSource, TEXT("PAPERSOURCE"),
                   sel != 0 ? kTractorFeed : kAutomaticSelect};
        return true;
    case kBrailleTableItem:
        *change = {&context->DeviceBrailleTable, TEXT("TABLE"), static_cast<DWORD>(sel - 1)};
        return true;
    case kDotHeightItem:
        *change = {&context->DeviceDotHeight, TEXT("BRAILLEFORCE"), static_cast<DWORD>(sel)};
        return true;
    case kBrailleQualityItem:
        *change = {&context->DeviceBrailleQuality, TEXT("QUALITY"), static_cast<DWORD>(sel)};
        return true;
    case kDuplexItem:
        *change = {&context->DeviceDuplex, TEXT("DUPLEX"), sel == 1 ? 1u : 0u};
        return true;
    default:
        return false;
    }
}

// An item whose value had to be brought into its range, still showing it untouched: sending
// it would change the printer's setting although nobody changed the item.
bool StillShowsReportedValue(const SettingsContext* context, const OPTITEM& item) {
    switch (item.UserItemID) {
    case kLowestForceItem:
    case kHighestForceItem:
    case kBrailleTableItem:
    case kDotHeightItem: {
        LONG shown = 0;
        return DeviceItemSelection(context, item.UserItemID, &shown) && item.Sel == shown;
    }
    default:
        if (!IsTextItem(item.UserItemID) || item.pSel == nullptr)
            return false;
        WCHAR shown[kDeviceTextChars];
        WriteShownDistance(context, item.UserItemID, shown);
        return ShowsOwnText(item.pSel, shown);
    }
}

LONG OnApplyNow(PCPSUICBPARAM callbackParam, SettingsContext* context) {
    if (context->DeviceSettingsChanged != 0 && context->SnapshotItemCount > 0)
        ApplyDeviceSettings(callbackParam, context);
    return CPSUICB_ACTION_NONE;
}

} // namespace

LONG APIENTRY DeviceTreeCallback(PCPSUICBPARAM callbackParam, POEMCUIPPARAM param) {
    if (callbackParam == nullptr || param == nullptr || param->pOEMUserData == nullptr ||
        (callbackParam->pOptItem == nullptr && callbackParam->cOptItem != 0))
        return CPSUICB_ACTION_NONE;
    auto* context = static_cast<SettingsContext*>(param->pOEMUserData);
    switch (callbackParam->Reason) {
    case CPSUICB_REASON_SEL_CHANGED:
        return OnSelectionChanged(callbackParam, context);
    case CPSUICB_REASON_APPLYNOW:
        return OnApplyNow(callbackParam, context);
    case CPSUICB_REASON_SETACTIVE:
        return OnSetActive(callbackParam, context);
    default:
        return CPSUICB_ACTION_NONE;
    }
}

bool DeviceItemSelection(const SettingsContext* context, BYTE userItemId, LONG* selection) {
    switch (userItemId) {
    case kGraphicsModeItem:
        *selection = context->DeviceGraphicsMode != 0 ? 1 : 0;
        return true;
    case kBrailleDotsItem:
        *selection = context->DeviceBrailleDots == 8 ? 1 : 0;
        return true;
    case kAutoWrapItem:
        *selection = context->DeviceAutoWrap != 0 ? 0 : 1; // "On" comes first
        return true;
    case kMediaTypeItem:
        *selection = MediaTypeSelection(context->DeviceMediaType);
        return true;
    case kLowestForceItem:
        *selection = ClampReported(LowestDotValue(context->DeviceMediaDotValues),
                                   kMinLowestDotValue, kMaxLowestDotValue);
        return true;
    case kHighestForceItem:
        *selection = ClampReported(HighestDotValue(context->DeviceMediaDotValues),
                                   kMinHighestDotValue, kMaxHighestDotValue);
        return true;
    case kPaperSourceItem:
        *selection = context->DevicePaperSource == kTractorFeed ? 1 : 0;
        return true;
    case kBrailleTableItem:
        *selection = ShownTableSlot(context->DeviceBrailleTable) + 1;
        return true;
    case kDotHeightItem:
        *selection = ClampReported(context->DeviceDotHeight, kLowestDotHeight, kHighestDotHeight);
        return true;
    case kBrailleQualityItem:
        *selection = context->DeviceBrailleQuality == 1 || context->DeviceBrailleQuality == 2
                         ? static_cast<LONG>(context->DeviceBrailleQuality)
                         : 0;
        return true;
    case kDuplexItem:
        *selection = context->DeviceDuplex != 0 ? 1 : 0;
        return true;
    default:
        return false;
    }
}

void LoadItemFromContext(SettingsContext* context, OPTITEM* item) {
    if (IsTextItem(item->UserItemID)) {
        if (item->pSel != nullptr)
            WriteShownDistance(context, item->UserItemID, item->pSel);
        return;
    }
    if (item->UserItemID == kFormSizeItem) {
        const LONG size[2] = {static_cast<LONG>(context->DeviceFormWidth),
                              static_cast<LONG>(context->DeviceFormHeight)};
        MatchFormOption(context, item, size);
        return;
    }
    LONG selection = 0;
    if (DeviceItemSelection(context, item->UserItemID, &selection))
        item->Sel = selection;
}

DWORD ShownTableSlot(DWORD reported) {
    return static_cast<DWORD>(ClampReported(reported, 0, kBrailleTableSlots - 1));
}

void ApplyDeviceSettings(PCPSUICBPARAM callbackParam, SettingsContext* context) {
    bool changed = false;
    for (WORD i = 0; i < callbackParam->cOptItem; ++i) {
        DeviceChange change;
        if (StillShowsReportedValue(context, callbackParam->pOptItem[i]))
            continue;
        if (!ReadDeviceChange(context, &callbackParam->pOptItem[i], &change))
            continue;
        if (*change.field == change.value)
            continue;
        *change.field = change.value;
        SendDeviceParameter(context, change.parameter, change.value);
        changed = true;
    }
    if (changed && context->SnapshotItemCount > 0)
        UpdateDevicePrinter(context);
}
