// The printer's papers and the server's forms.
#include "media/form_queries.h"

#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/settings_context.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

// A print server's forms, built-in ones included, with their names.
constexpr DWORD kFormListGuessBytes = 32768;
// One form's record and a name of up to 63 characters.
constexpr DWORD kFormGuessBytes = sizeof(FORM_INFO_1W) + 64 * sizeof(WCHAR);

// The printer's PRINTER_INFO_2W in a global block (null when it cannot be read).
class PrinterInfo2 {
public:
    explicit PrinterInfo2(HANDLE printer) : block_(0), info_(FetchPrinterInfo2(printer, block_)) {}
    const PRINTER_INFO_2W* get() const { return info_; }

private:
    GlobalBlock block_;
    const PRINTER_INFO_2W* info_;
};

int Capability(const PRINTER_INFO_2W* info, WORD capability, void* output) {
    return DeviceCapabilitiesW(info->pPrinterName, info->pPortName, capability,
                               static_cast<LPWSTR>(output), info->pDevMode);
}

// The paper names of a printer whose information is at hand: the count, and the list when a
// buffer is given.
int QueryPaperNames(const PRINTER_INFO_2W* info, WCHAR* buffer, DWORD bufferBytes, DWORD* byteSize,
                    DWORD* devmodeFields) {
    if (byteSize != nullptr)
        *byteSize = 0;
    if (info == nullptr || info->pDevMode == nullptr)
        return 0;
    if (devmodeFields != nullptr)
        *devmodeFields = info->pDevMode->dmFields;
    int count = Capability(info, DC_PAPERNAMES, nullptr);
    if (byteSize != nullptr)
        *byteSize = PaperNameBytes(count);
    if (buffer == nullptr || count < 1)
        return count;
    if (!PaperNamesFit(count, bufferBytes))
        return 0;
    return PaperNamesHeld(Capability(info, DC_PAPERNAMES, buffer), bufferBytes);
}

} // namespace

FormSizes::FormSizes(HANDLE printer) : block_(0) {
    listed_ =
        FetchIntoBlock(block_, kFormListGuessBytes, [&](BYTE* buffer, DWORD bytes, DWORD* needed) {
            return EnumFormsW(printer, 1, buffer, bytes, needed, &count_);
        });
}

SIZE FormSizes::SizeOf(LPCWSTR name) const {
    return FormSizeByName(forms(), count(), name);
}

int QueryPaperNames(HANDLE printer, WCHAR* buffer, DWORD bufferBytes, DWORD* byteSize,
                    DWORD* devmodeFields) {
    PrinterInfo2 info(printer);
    return QueryPaperNames(info.get(), buffer, bufferBytes, byteSize, devmodeFields);
}

SIZE GetFormSize(HANDLE printer, LPCWSTR formName) {
    SIZE size = {0, 0};
    if (formName == nullptr || formName[0] == 0)
        return size;
    GlobalBlock block(0);
    if (!FetchIntoBlock(block, kFormGuessBytes, [&](BYTE* buffer, DWORD bytes, DWORD* needed) {
            return GetFormW(printer, const_cast<LPWSTR>(formName), 1, buffer, bytes, needed);
        }))
        return size;
    return block.as<FORM_INFO_1W>()->Size;
}

int FindFormNameForSize(HANDLE printer, const LONG size[2], WCHAR* name) {
    PrinterInfo2 info(printer);
    return FindFormNameForSize(printer, info.get(), size, name);
}

int FindFormNameForSize(HANDLE printer, const PRINTER_INFO_2W* info, const LONG size[2],
                        WCHAR* name) {
    DWORD bytes = 0;
    int count = QueryPaperNames(info, nullptr, 0, &bytes, nullptr);
    if (count < 1)
        return count;
    // The count is known: the list is asked for once.
    GlobalBlock names(bytes);
    int filled = names ? Capability(info, DC_PAPERNAMES, names.get()) : 0;
    FormSizes forms(printer);
    NamePaperOfSize(names.as<WCHAR>(), count, filled, forms.forms(), forms.count(), size, name);
    return count;
}

int QueryDefaultPaper(HANDLE printer, LONG* size, WCHAR* name) {
    PrinterInfo2 info(printer);
    if (info.get() == nullptr)
        return -1;
    const DEVMODEW* devmode = info.get()->pDevMode;
    if (devmode == nullptr)
        return 1;

    int count = PaperListLength(Capability(info.get(), DC_PAPERS, nullptr),
                                Capability(info.get(), DC_PAPERNAMES, nullptr),
                                Capability(info.get(), DC_PAPERSIZE, nullptr));
    DWORD nameBytes = PaperNameBytes(count);
    GlobalBlock papers(nameBytes != 0 ? count * sizeof(WORD) : 0);
    GlobalBlock names(nameBytes);
    GlobalBlock sizes(nameBytes != 0 ? count * sizeof(POINT) : 0);
    if (!papers || !names || !sizes ||
        PaperListLength(Capability(info.get(), DC_PAPERS, papers.get()),
                        Capability(info.get(), DC_PAPERNAMES, names.get()),
                        Capability(info.get(), DC_PAPERSIZE, sizes.get())) != count)
        count = 0;
    const PaperLists lists = {papers.as<WORD>(), names.as<WCHAR>(), sizes.as<POINT>(), count};
    const DevmodePaper paper = {devmode->dmFields, devmode->dmPaperSize, devmode->dmPaperWidth,
                                devmode->dmPaperLength};
    if (IdentifyDefaultPaper(paper, lists, size, name) == 0)
        return 0;
    if (devmode->dmFields & DM_FORMNAME) {
        DWORD needed = 0;
        LPWSTR formName = const_cast<LPWSTR>(devmode->dmFormName);
        GetFormW(printer, formName, 1, nullptr, 0, &needed);
        GlobalBlock form(needed);
        if (form && GetFormW(printer, formName, 1, form.as<BYTE>(), needed, &needed)) {
            const FORM_INFO_1W* record = form.as<FORM_INFO_1W>();
            if (size != nullptr) {
                size[0] = record->Size.cx;
                size[1] = record->Size.cy;
            }
            if (name != nullptr)
                StringCchCopyNW(name, kFormNameChars, record->pName, kFormNameChars - 1);
            return 0;
        }
    }
    return 1;
}

void MatchFormOption(const SettingsContext* context, OPTITEM* item, const LONG size[2]) {
    if (item == nullptr || item->pOptType == nullptr)
        return;
    const OPTTYPE* type = item->pOptType;
    FormSizes forms(context->PrinterHandle);
    for (WORD i = 0; i < type->Count; ++i)
        if (FormFitsSize(forms.SizeOf(type->pOptParam[i].pData), size))
            item->Sel = i;
}
