// Building the device settings tree and publishing its settings context.
#include "device/device_settings_tree.h"

#include "device/braille_table_dialog.h"
#include "device/device_tree_callback.h"
#include "device/option_types.h"
#include "media/form_queries.h"
#include "resources/resource.h"
#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

namespace {

SettingsContext* g_publishedContext = nullptr;

const WCHAR kPrintMediaSupported[] = TEXT("PrintMediaSupported");
const WCHAR kPrintMediaReady[] = TEXT("PrintMediaReady");
constexpr DWORD kMediaListGuessBytes = 4096;

constexpr BYTE kHeaderLevel = 1;
constexpr BYTE kSettingLevel = 2;

// The table slots as the person counts them.
constexpr LONG kFirstTableNumber = 1;
constexpr LONG kLastTableNumber = kBrailleTableSlots;

// The media list the printer supports is published again as the media that is ready.
// The list is read into a block of the usual size first, so that it costs one round trip.
void PublishReadyMedia(const SettingsContext* context) {
    DWORD type = 0, needed = 0;
    GlobalBlock value(0);
    bool read =
        FetchIntoBlock(value, kMediaListGuessBytes, [&](BYTE* buffer, DWORD bytes, DWORD* size) {
            DWORD result = GetPrinterDataExW(context->PrinterHandle, kDsDriverKey,
                                             kPrintMediaSupported, &type, buffer, bytes, size);
            needed = *size;
            SetLastError(result == ERROR_MORE_DATA ? ERROR_INSUFFICIENT_BUFFER : result);
            return result == ERROR_SUCCESS;
        });
    if (read)
        WritePrinterDataWithRetry(context->PrinterHandle, kDsDriverKey, kPrintMediaReady, type,
                                  value.get(), needed);
}

// Every item zeroed and marked as no public devmode setting; items 1 to 19 sit under the header,
// collapsed, reporting changes, and disabled until the printer's settings are known.
void PrepareItems(OPTITEM* items, const SettingsContext* context) {
    ZeroMemory(items, kDeviceSettingsItemCount * sizeof(OPTITEM));
    DWORD flags = OPTIF_COLLAPSE | OPTIF_CALLBACK;
    if (context->SnapshotItemCount < 1)
        flags |= OPTIF_DISABLED;
    for (DWORD i = 0; i < kDeviceSettingsItemCount; ++i) {
        items[i].cbSize = sizeof(OPTITEM);
        items[i].DMPubID = DMPUB_NONE;
        items[i].Level = kSettingLevel;
        items[i].Flags = flags;
    }
}

void SetUpHeader(const SettingsContext* context, OPTITEM* item) {
    item->Level = kHeaderLevel;
    item->Flags = 0;
    item->UserItemID = kLegacySettingsItem;
    item->pName = GetUiStringCopy(context, IDS_TREE_LEGACY_SETTINGS);
    item->Sel = IDI_LEGACY_SETTINGS;
}

// The printer's paper names, each in the next option, then "Custom", which is selected. Names
// that fill their whole 64-character slot keep 63 characters, as every form name copy does.
void SetUpFormList(SettingsContext* context, OPTITEM* item) {
    int count = 0;
    const WCHAR* names = SheetPaperNames(context, &count);
    count = FormSizeNameCount(count);
    POPTTYPE type = NewOptionType(context->HostHeap, static_cast<WORD>(count + 1));
    item->pOptType = type;
    if (type == nullptr)
        return;
    type->Type = TVOT_LISTBOX;
    for (int i = 0; i < count; ++i) {
        const WCHAR* name = names + i * kPaperNameChars;
        if (name[0] != 0)
            type->pOptParam[i].pData = HeapTextCopy(context->HostHeap, name, kFormNameChars);
    }
    type->pOptParam[count].pData = GetUiStringCopy(context, IDS_TREE_CUSTOM);
    item->Sel = count;
}

void ShowSelection(const SettingsContext* context, OPTITEM* item) {
    LONG selection = 0;
    if (DeviceItemSelection(context, item->UserItemID, &selection))
        item->Sel = selection;
}

// One setting item: its id and label, then its kind and options, then the value it shows.
void SetUpItem(SettingsContext* context, OPTITEM* item, DeviceItemId id, UINT labelId) {
    item->UserItemID = id;
    item->pName = GetUiStringCopy(context, labelId);
    switch (id) {
    case kFormSizeItem:
        SetUpFormList(context, item);
        return;
    case kFormWidthItem:
    case kFormLengthItem:
    case kTopMarginItem:
    case kLeftMarginItem:
    case kRightMarginItem:
    case kLineSpacingItem:
        SetUpEditBox(context, item, DeviceTextField(context, id));
        LoadItemFromContext(context, item); // the defaults, with the language's decimal point
        return;
    case kGraphicsModeItem:
        SetUpListBox(context, item, {IDS_TREE_TEXT, IDS_TREE_GRAPHICS});
        break;
    case kBrailleDotsItem:
        SetUpListBox(context, item, {IDS_TREE_SIX_DOTS, IDS_TREE_EIGHT_DOTS});
        break;
    case kAutoWrapItem:
        SetUpListBox(context, item, {IDS_TREE_ON, IDS_TREE_OFF});
        break;
    case kMediaTypeItem:
        SetUpListBox(context, item,
                     {IDS_MEDIA_BRAILLE_PAPER, IDS_MEDIA_LIGHT_BRAILLE_PAPER, IDS_MEDIA_COPY_PAPER,
                      IDS_MEDIA_PREMIUM_COPY_PAPER, IDS_MEDIA_CARD_STOCK, IDS_TREE_CUSTOM});
        break;
    case kLowestForceItem:
        SetUpUpDown(context, item, kMinLowestDotValue, kMaxLowestDotValue);
        break;
    case kHighestForceItem:
        SetUpUpDown(context, item, kMinHighestDotValue, kMaxHighestDotValue);
        break;
    case kPaperSourceItem:
        SetUpListBox(context, item, {IDS_SOURCE_AUTOMATIC_SELECT, IDS_SOURCE_TRACTOR_FEED});
        break;
    case kLoadTableItem:
        item->UserData = reinterpret_cast<ULONG_PTR>(context);
        SetUpCallbackButton(context, item, LoadBrailleTableFlow);
        return;
    case kBrailleTableItem:
        item->UserData = reinterpret_cast<ULONG_PTR>(context);
        SetUpUpDown(context, item, kFirstTableNumber, kLastTableNumber);
        break;
    case kDotHeightItem:
        SetUpListBox(context, item,
                     {IDS_BRAILLE_HEIGHT_HIGH, IDS_BRAILLE_HEIGHT_NORMAL, IDS_BRAILLE_HEIGHT_LOW});
        break;
    case kBrailleQualityItem:
        SetUpListBox(context, item,
                     {IDS_DOT_QUALITY_DRAFT, IDS_DOT_QUALITY_STANDARD, IDS_DOT_QUALITY_BEST});
        break;
    case kDuplexItem:
        SetUpListBox(context, item, {IDS_TREE_SINGLE_SIDED, IDS_TREE_DOUBLE_SIDED});
        break;
    default:
        return;
    }
    ShowSelection(context, item);
}

struct ItemLabel {
    DeviceItemId id;
    UINT labelId;
};

// Items 1 to 19, in the order the tree shows them and the apply sends them.
const ItemLabel kSettingItems[kDeviceSettingsItemCount - 1] = {
    {kFormSizeItem, IDS_TREE_FORM_SIZE},
    {kFormWidthItem, IDS_TREE_FORM_WIDTH},
    {kFormLengthItem, IDS_TREE_FORM_LENGTH},
    {kTopMarginItem, IDS_TREE_TOP_MARGIN},
    {kLeftMarginItem, IDS_TREE_LEFT_MARGIN},
    {kRightMarginItem, IDS_TREE_RIGHT_MARGIN},
    {kGraphicsModeItem, IDS_TREE_TEXT_GRAPHICS_MODE},
    {kBrailleDotsItem, IDS_TREE_DOTS_PER_CHARACTER},
    {kAutoWrapItem, IDS_TREE_AUTO_WRAP},
    {kLineSpacingItem, IDS_TREE_LINE_SPACING},
    {kMediaTypeItem, IDS_TREE_MEDIA_TYPE},
    {kLowestForceItem, IDS_TREE_LOWEST_FORCE},
    {kHighestForceItem, IDS_TREE_HIGHEST_FORCE},
    {kPaperSourceItem, IDS_TREE_PAPER_SOURCE},
    {kLoadTableItem, IDS_TREE_BRAILLE_TABLE},
    {kBrailleTableItem, IDS_TREE_BRAILLE_TABLE},
    {kDotHeightItem, IDS_TREE_DOT_HEIGHT},
    {kBrailleQualityItem, IDS_TREE_BRAILLE_QUALITY},
    {kDuplexItem, IDS_TREE_DUPLEX},
};

} // namespace

SettingsContext* TakePublishedSettingsContext() {
    SettingsContext* context = g_publishedContext;
    g_publishedContext = nullptr;
    return context;
}

WCHAR* DeviceTextField(SettingsContext* context, BYTE userItemId) {
    switch (userItemId) {
    case kFormWidthItem:
        return context->FormWidthText;
    case kFormLengthItem:
        return context->FormHeightText;
    case kTopMarginItem:
        return context->TopMarginText;
    case kLeftMarginItem:
        return context->LeftMarginText;
    case kRightMarginItem:
        return context->RightMarginText;
    case kLineSpacingItem:
        return context->LineSpacingText;
    default:
        return nullptr;
    }
}

void FillDeviceSettingsTree(POEMCUIPPARAM param, SettingsContext* context) {
    PublishReadyMedia(context);
    param->OEMCUIPCallback = DeviceTreeCallback;
    param->pOEMUserData = context;
    OPTITEM* items = param->pOEMOptItems;
    PrepareItems(items, context);
    SetUpHeader(context, &items[0]);
    for (DWORD i = 1; i < kDeviceSettingsItemCount; ++i)
        SetUpItem(context, &items[i], kSettingItems[i - 1].id, kSettingItems[i - 1].labelId);
    SetCurrentTableSlot(ShownTableSlot(context->DeviceBrailleTable));
}

HRESULT BuildDeviceSettingsTree(POEMCUIPPARAM param) {
    if (param->pOEMOptItems == nullptr) {
        param->cOEMOptItems = kDeviceSettingsItemCount;
        g_publishedContext = nullptr;
        return S_OK;
    }
    // The host must hand back the array it was asked for; a shorter one is refused rather than
    // written past.
    if (param->cOEMOptItems < kDeviceSettingsItemCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    SettingsContext* context = nullptr;
    if (!LoadSettingsContext({param->hPrinter, static_cast<HMODULE>(param->hModule),
                              param->hOEMHeap, param->pPublicDM},
                             &context)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    g_publishedContext = context;
    FillDeviceSettingsTree(param, context);
    return S_OK;
}
