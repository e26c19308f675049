// The built-in media types and the custom media type store.
#include "media/custom_media_types.h"

#include "resources/resource.h"
#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <winspool.h>

namespace {

struct BuiltInMedia {
    UINT textId;
    DWORD number;
};

const BuiltInMedia kBuiltInMedia[kBuiltInMediaCount] = {
    {IDS_MEDIA_BRAILLE_PAPER, kMediaBraillePaper},
    {IDS_MEDIA_LIGHT_BRAILLE_PAPER, kMediaLightBraillePaper},
    {IDS_MEDIA_COPY_PAPER, kMediaCopyPaper},
    {IDS_MEDIA_PREMIUM_COPY_PAPER, kMediaPremiumCopyPaper},
    {IDS_MEDIA_CARD_STOCK, kMediaCardStock},
};

int AddComboEntry(HWND dialog, int listId, LPCWSTR text, DWORD number) {
    auto position = static_cast<int>(
        SendDlgItemMessageW(dialog, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    if (position >= 0)
        SendDlgItemMessageW(dialog, listId, CB_SETITEMDATA, static_cast<WPARAM>(position),
                            static_cast<LPARAM>(number));
    return position;
}

// The store's names as one double-NUL-terminated list in a global block.
class CustomMediaTypeNames {
public:
    explicit CustomMediaTypeNames(const SettingsContext* context) : block_(0) {
        DWORD bytes = 0;
        if (EnumMediaTypeNames(context->PrinterName, nullptr, 0, &bytes) == 0 ||
            !block_.Reset(bytes))
            return;
        count_ = static_cast<int>(
            EnumMediaTypeNames(context->PrinterName, block_.as<WCHAR>(), bytes, nullptr));
    }
    int count() const { return count_; }
    // The first name; each next one follows its predecessor's terminator.
    LPCWSTR first() const { return count_ > 0 ? block_.as<WCHAR>() : nullptr; }
    static LPCWSTR next(LPCWSTR name) { return name + lstrlenW(name) + 1; }

private:
    GlobalBlock block_;
    int count_ = 0;
};

} // namespace

DWORD BuiltInMediaType(int position) {
    return kBuiltInMedia[position].number;
}

int BuiltInMediaPosition(DWORD mediaType) {
    for (int i = 0; i < kBuiltInMediaCount; ++i) {
        if (kBuiltInMedia[i].number == mediaType)
            return i;
    }
    return -1;
}

int AddMediaTypeEntries(HWND dialog, int listId, const SettingsContext* context,
                        int* matchedPosition) {
    *matchedPosition = -1;
    for (const BuiltInMedia& media : kBuiltInMedia)
        AddComboEntry(dialog, listId, GetUiString(context, media.textId), media.number);
    CustomMediaTypeNames names(context);
    LPCWSTR name = names.first();
    for (int i = 0; i < names.count(); ++i, name = CustomMediaTypeNames::next(name)) {
        int position = AddComboEntry(dialog, listId, name, kMediaTypeCustom);
        if (position >= 0 && lstrcmpiW(name, context->CustomMediaType) == 0)
            *matchedPosition = position;
    }
    return names.count();
}

int CountCustomMediaTypes(const SettingsContext* context) {
    return static_cast<int>(EnumMediaTypeNames(context->PrinterName, nullptr, 0, nullptr));
}

void DeleteCustomMediaType(const SettingsContext* context, LPCWSTR name) {
    DWORD result = DeletePrinterDataExW(context->PrinterHandle, kMediaTypesKey, name);
    if (result != ERROR_SUCCESS)
        DeleteMediaType(name, context->PrinterHandle, result);
}

void ComboItemText(HWND dialog, int listId, int position, WCHAR* text, int chars) {
    text[0] = 0;
    LRESULT length =
        SendDlgItemMessageW(dialog, listId, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
    if (length < 0 || length >= chars)
        return;
    SendDlgItemMessageW(dialog, listId, CB_GETLBTEXT, static_cast<WPARAM>(position),
                        reinterpret_cast<LPARAM>(text));
}

DWORD ComboItemNumber(HWND dialog, int listId, int position) {
    return static_cast<DWORD>(
        SendDlgItemMessageW(dialog, listId, CB_GETITEMDATA, static_cast<WPARAM>(position), 0));
}
