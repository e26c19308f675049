// Filling the printer's lists for the timings.
#include "printer_lists.h"

#include <strsafe.h>
#include <winspool.h>

#include <vector>

namespace {

const WCHAR kMediaTypesKey[] = TEXT("Config\\MediaTypes");
const WCHAR kFormsKey[] = TEXT("Config\\Forms");

// The dot values a custom media type gets: highest 20, lowest 6.
constexpr DWORD kDotValues = (20 << 8) | 6;

// 8.5 x 11 inches and a few tenths of a millimetre more for every form, in micrometres.
constexpr LONG kFormWidth = 215900;
constexpr LONG kFormHeight = 279400;

} // namespace

int StoreCustomMediaTypes(HANDLE printer, int count) {
    for (int i = 1; i <= count; ++i) {
        WCHAR name[64];
        StringCchPrintfW(name, 64, TEXT("Bench Media %d"), i);
        DWORD value = kDotValues;
        if (SetPrinterDataExW(printer, kMediaTypesKey, name, REG_DWORD,
                              reinterpret_cast<LPBYTE>(&value), sizeof(value)) != ERROR_SUCCESS)
            return -1;
    }
    DWORD bytes = 0, values = 0;
    EnumPrinterDataExW(printer, kMediaTypesKey, nullptr, 0, &bytes, &values);
    std::vector<BYTE> buffer(bytes ? bytes : 1);
    if (EnumPrinterDataExW(printer, kMediaTypesKey, buffer.data(), bytes, &bytes, &values) !=
        ERROR_SUCCESS)
        return -1;
    return static_cast<int>(values);
}

int CountForms(HANDLE printer) {
    DWORD needed = 0, count = 0;
    EnumFormsW(printer, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!EnumFormsW(printer, 1, buffer.data(), needed, &needed, &count))
        return -1;
    return static_cast<int>(count);
}

bool AddBenchForms(HANDLE printer, int count) {
    for (int i = 1; i <= count; ++i) {
        WCHAR name[32];
        StringCchPrintfW(name, 32, TEXT("Bench Form %d"), i);
        FORM_INFO_1W form = {};
        form.Flags = FORM_USER;
        form.pName = name;
        form.Size.cx = kFormWidth + i * 100;
        form.Size.cy = kFormHeight;
        form.ImageableArea.right = form.Size.cx;
        form.ImageableArea.bottom = form.Size.cy;
        // The first forms may be there from a smaller count.
        if (!AddFormW(printer, 1, reinterpret_cast<LPBYTE>(&form)) &&
            GetLastError() != ERROR_FILE_EXISTS)
            return false;
        SetPrinterDataExW(printer, kFormsKey, name, REG_BINARY, reinterpret_cast<LPBYTE>(&form),
                          sizeof(form));
    }
    return true;
}
