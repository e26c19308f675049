// Showing, recording and adding custom forms.
#include "media/custom_forms.h"

#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/typed_number.h"
#include "settings/ui_strings.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

constexpr double kMicrometresPerCentimetre = 10000.0;
constexpr double kMicrometresPerInch = 25400.0;
constexpr int kDimensionChars = 64;

double MicrometresPerUnit(bool metric) {
    return metric ? kMicrometresPerCentimetre : kMicrometresPerInch;
}

LPCWSTR UnitText(bool metric) {
    return metric ? TEXT("cm") : TEXT("in");
}

// The form record of the print server, in a global block.
bool ReadForm(HANDLE printer, LPCWSTR formName, LONG size[2]) {
    DWORD needed = 0;
    GetFormW(printer, const_cast<LPWSTR>(formName), 1, nullptr, 0, &needed);
    GlobalBlock block(needed);
    if (!block ||
        !GetFormW(printer, const_cast<LPWSTR>(formName), 1, block.as<BYTE>(), needed, &needed))
        return false;
    size[0] = block.as<FORM_INFO_1W>()->Size.cx;
    size[1] = block.as<FORM_INFO_1W>()->Size.cy;
    return true;
}

} // namespace

void FormatFormDimension(LONG micrometres, bool metric, WCHAR separator, WCHAR* text, int chars) {
    WCHAR number[kDimensionChars];
    FormatTwoDecimals(number, kDimensionChars, micrometres / MicrometresPerUnit(metric), separator);
    StringCchPrintfW(text, chars, TEXT("%ls %ls"), number, UnitText(metric));
}

void ShowFormSize(HWND edit, const SettingsContext* context, LPCWSTR formName, LONG shownSize[2],
                  bool metric) {
    if (formName != nullptr) {
        ScopedPrinter printer;
        LONG size[2];
        if (OpenPrinterWithFullAccess(context->PrinterName, printer) != ERROR_SUCCESS ||
            !ReadForm(printer.get(), formName, size))
            return;
        shownSize[0] = size[0];
        shownSize[1] = size[1];
    }
    WCHAR width[kDimensionChars], height[kDimensionChars], text[kDimensionChars * 2];
    FormatFormDimension(shownSize[0], metric, DecimalSeparator(context), width, kDimensionChars);
    FormatFormDimension(shownSize[1], metric, DecimalSeparator(context), height, kDimensionChars);
    StringCchPrintfW(text, ARRAYSIZE(text), TEXT("%ls\r\n%ls"), width, height);
    SetWindowTextW(edit, text);
}

bool IsRecordedCustomForm(const SettingsContext* context, LPCWSTR formName) {
    ScopedPrinter printer;
    if (OpenPrinterWithFullAccess(context->PrinterName, printer) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, needed = 0;
    DWORD result =
        GetPrinterDataExW(printer.get(), kFormsKey, formName, &type, nullptr, 0, &needed);
    return (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) && needed != 0;
}

DWORD AddCustomForm(LPCWSTR name, LONG width, LONG height, ScopedPrinter& printer) {
    FORM_INFO_1W form = {};
    form.Flags = FORM_USER;
    form.pName = const_cast<LPWSTR>(name);
    form.Size.cx = width;
    form.Size.cy = height;
    form.ImageableArea.left = 0;
    form.ImageableArea.top = 0;
    form.ImageableArea.right = width;
    form.ImageableArea.bottom = height;
    DWORD result = ERROR_SUCCESS;
    if (AddFormW(printer.get(), 1, reinterpret_cast<LPBYTE>(&form))) {
        // The marker is the form record itself; only its presence is ever consulted.
        SetPrinterDataExW(printer.get(), kFormsKey, name, REG_BINARY,
                          reinterpret_cast<LPBYTE>(&form), sizeof(form));
    } else {
        result = GetLastError();
    }
    printer.reset();
    return result;
}
