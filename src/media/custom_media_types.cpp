// The built-in media types and the custom media type store.
#include "media/custom_media_types.h"

#include "pages/known_controls.h"
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

int AddComboEntry(HWND list, LPCWSTR text) {
    return static_cast<int>(SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

// The store's names as one double-NUL-terminated list in a global block: read once into a block
// of the usual size, and again only when they need more (under Wine one reading of 500 names
// takes about 10 ms, each name a call to the registry's server).
class CustomMediaTypeNames {
public:
    explicit CustomMediaTypeNames(const SettingsContext* context) : block_(0) {
        for (DWORD room = kNamesGuessBytes; block_.Reset(room); room = bytes_) {
            count_ = static_cast<int>(
                EnumMediaTypeNames(context->PrinterName, block_.as<WCHAR>(), room, &bytes_));
            if (bytes_ <= room)
                return;
        }
        count_ = 0;
    }
    int count() const { return count_; }
    // The first name; each next one follows its predecessor's terminator.
    LPCWSTR first() const { return count_ > 0 ? block_.as<WCHAR>() : nullptr; }
    static LPCWSTR next(LPCWSTR name) { return name + lstrlenW(name) + 1; }

private:
    static constexpr DWORD kNamesGuessBytes = 32768;
    GlobalBlock block_;
    int count_ = 0;
    DWORD bytes_ = 0;
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
    CustomMediaTypeNames names(context);
    HWND list = KnownControl(dialog, listId);
    for (const BuiltInMedia& media : kBuiltInMedia)
        AddComboEntry(list, GetUiString(context, media.textId));
    LPCWSTR name = names.first();
    for (int i = 0; i < names.count(); ++i, name = CustomMediaTypeNames::next(name)) {
        int position = AddComboEntry(list, name);
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
    HWND list = KnownControl(dialog, listId);
    LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
    if (length < 0 || length >= chars)
        return;
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text));
}

DWORD MediaTypeAt(int position) {
    return position < kBuiltInMediaCount ? BuiltInMediaType(position) : kMediaTypeCustom;
}
