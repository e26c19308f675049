// Writing only what a sheet changed.
#include "settings/known_config.h"

#include "settings/printer_data_store.h"
#include "settings/stored_values.h"

namespace {

const WCHAR kPaperSizeName[] = TEXT("PaperSize");
constexpr DWORD kUnknownSize = ~0u;

KnownConfigValue* FindKnown(SettingsContext* context, LPCWSTR name) {
    for (DWORD i = 0; i < context->KnownConfigCount; ++i)
        if (SameNameIgnoringCase(context->KnownConfig[i].Name, name))
            return &context->KnownConfig[i];
    return nullptr;
}

bool IsKnown(SettingsContext* context, LPCWSTR name, const void* data, DWORD size) {
    const KnownConfigValue* known = FindKnown(context, name);
    return known != nullptr && known->Size == size && memcmp(known->Data, data, size) == 0;
}

DWORD TextBytes(LPCWSTR text) {
    return static_cast<DWORD>(lstrlenW(text) + 1) * sizeof(WCHAR);
}

DWORD Store(SettingsContext* context, LPCWSTR name, DWORD type, const void* data, DWORD size,
            const void* known, DWORD knownSize) {
    if (IsKnown(context, name, known, knownSize))
        return ERROR_SUCCESS;
    DWORD result =
        WritePrinterDataWithRetry(context->PrinterHandle, kConfigKey, name, type, data, size);
    if (result == ERROR_SUCCESS)
        RememberConfigValue(context, name, known, knownSize);
    return result;
}

} // namespace

void RememberConfigValue(SettingsContext* context, LPCWSTR name, const void* data, DWORD size) {
    KnownConfigValue* known = FindKnown(context, name);
    if (known == nullptr && context->KnownConfigCount < kKnownConfigValues)
        known = &context->KnownConfig[context->KnownConfigCount++];
    if (known == nullptr)
        return;
    known->Name = name;
    // A value that does not fit is never known, so it is always written.
    if (size > kKnownConfigBytes) {
        known->Size = kUnknownSize;
        return;
    }
    known->Size = size;
    CopyMemory(known->Data, data, size);
}

void RememberConfigText(SettingsContext* context, LPCWSTR name, LPCWSTR text) {
    RememberConfigValue(context, name, text, TextBytes(text));
}

bool KnownConfigDword(SettingsContext* context, LPCWSTR name, DWORD* value) {
    const KnownConfigValue* known = FindKnown(context, name);
    if (known == nullptr || known->Size != sizeof(*value))
        return false;
    CopyMemory(value, known->Data, sizeof(*value));
    return true;
}

DWORD StoreConfigDword(SettingsContext* context, LPCWSTR name, DWORD value) {
    return Store(context, name, REG_DWORD, &value, sizeof(value), &value, sizeof(value));
}

DWORD StoreConfigText(SettingsContext* context, LPCWSTR name, LPCWSTR text, DWORD chars) {
    return Store(context, name, REG_SZ, text, chars * sizeof(WCHAR), text, TextBytes(text));
}

DWORD StorePaperSize(SettingsContext* context, const LONG size[2]) {
    return Store(context, kPaperSizeName, REG_BINARY, size, 2 * sizeof(LONG), size,
                 2 * sizeof(LONG));
}
