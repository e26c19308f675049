// The printer's papers and the server's forms.
#include "media/form_queries.h"

#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/settings_context.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

constexpr LONG kMicrometresPerTwentiethInch = 1270;
// A print server's forms, built-in ones included, with their names.
constexpr DWORD kFormListGuessBytes = 32768;
// One form's record and a name of up to 63 characters.
constexpr DWORD kFormGuessBytes = sizeof(FORM_INFO_1W) + 64 * sizeof(WCHAR);
const WCHAR kFallbackFormName[] = TEXT("Letter");

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

// Copies the name in one 64-character slot, keeping at most 63 characters.
void CopySlotName(const WCHAR* slot, WCHAR* name) {
    StringCchCopyNW(name, kFormNameChars, slot, kPaperNameChars);
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
        *byteSize = count > 0 ? static_cast<DWORD>(count) * kPaperNameSlotBytes : 0;
    if (buffer == nullptr || count < 1)
        return count;
    // The capability query writes without a bound: refuse a buffer it would overrun.
    if (static_cast<DWORD>(count) * kPaperNameSlotBytes > bufferBytes)
        return 0;
    return Capability(info, DC_PAPERNAMES, buffer);
}

} // namespace

FormSizes::FormSizes(HANDLE printer) : block_(0) {
    listed_ =
        FetchIntoBlock(block_, kFormListGuessBytes, [&](BYTE* buffer, DWORD bytes, DWORD* needed) {
            return EnumFormsW(printer, 1, buffer, bytes, needed, &count_);
        });
}

SIZE FormSizes::SizeOf(LPCWSTR name) const {
    SIZE size = {0, 0};
    if (!listed_ || name == nullptr || name[0] == 0)
        return size;
    const auto* forms = block_.as<FORM_INFO_1W>();
    for (DWORD i = 0; i < count_; ++i)
        if (forms[i].pName != nullptr && SameNameIgnoringCase(forms[i].pName, name))
            return forms[i].Size;
    return size;
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
    if (filled > count)
        filled = count; // never read past the block
    FormSizes forms(printer);
    bool matched = false;
    for (int i = 0; i < filled; ++i) {
        const WCHAR* paper = names.as<WCHAR>() + i * kPaperNameChars;
        WCHAR paperName[kFormNameChars];
        CopySlotName(paper, paperName);
        SIZE form = forms.SizeOf(paperName);
        if (RoundTo100Micrometres(form.cx) == size[0] &&
            RoundTo100Micrometres(form.cy) == size[1]) {
            StringCchCopyW(name, kFormNameChars, paperName);
            matched = true;
        }
    }
    if (!matched)
        StringCchCopyW(name, kFormNameChars, kFallbackFormName);
    return count;
}

int QueryDefaultPaper(HANDLE printer, LONG* size, WCHAR* name) {
    PrinterInfo2 info(printer);
    if (info.get() == nullptr)
        return -1;
    const DEVMODEW* devmode = info.get()->pDevMode;
    if (devmode == nullptr)
        return 1;

    // The three lists describe the same papers; a driver whose counts disagree would write one
    // of them past a block sized by another, so then none is read.
    int count = Capability(info.get(), DC_PAPERS, nullptr);
    if (Capability(info.get(), DC_PAPERNAMES, nullptr) != count ||
        Capability(info.get(), DC_PAPERSIZE, nullptr) != count)
        count = 0;
    GlobalBlock papers(count > 0 ? count * sizeof(WORD) : 0);
    GlobalBlock names(count > 0 ? count * kPaperNameSlotBytes : 0);
    GlobalBlock sizes(count > 0 ? count * sizeof(POINT) : 0);
    bool lists = papers && names && sizes &&
                 Capability(info.get(), DC_PAPERS, papers.get()) == count &&
                 Capability(info.get(), DC_PAPERNAMES, names.get()) == count &&
                 Capability(info.get(), DC_PAPERSIZE, sizes.get()) == count;

    if ((devmode->dmFields & DM_PAPERSIZE) && lists) {
        for (int i = 0; i < count; ++i) {
            if (papers.as<WORD>()[i] != static_cast<WORD>(devmode->dmPaperSize))
                continue;
            if (name != nullptr)
                CopySlotName(names.as<WCHAR>() + i * kPaperNameChars, name);
            if (size != nullptr) {
                size[0] = sizes.as<POINT>()[i].x * 100;
                size[1] = sizes.as<POINT>()[i].y * 100;
            }
            return 0;
        }
    }
    if (size != nullptr && (devmode->dmFields & (DM_PAPERWIDTH | DM_PAPERLENGTH))) {
        size[0] = devmode->dmPaperWidth * 100;
        size[1] = devmode->dmPaperLength * 100;
        if (name != nullptr && lists) {
            for (int i = 0; i < count; ++i) {
                const POINT& paper = sizes.as<POINT>()[i];
                if (paper.x == devmode->dmPaperWidth && paper.y == devmode->dmPaperLength) {
                    CopySlotName(names.as<WCHAR>() + i * kPaperNameChars, name);
                    return 0;
                }
            }
        }
    }
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
    auto within = [](LONG a, LONG b) { return a - b <= 1 && b - a <= 1; };
    const OPTTYPE* type = item->pOptType;
    FormSizes forms(context->PrinterHandle);
    for (WORD i = 0; i < type->Count; ++i) {
        SIZE form = forms.SizeOf(type->pOptParam[i].pData);
        LONG width = form.cx / kMicrometresPerTwentiethInch;
        LONG height = form.cy / kMicrometresPerTwentiethInch;
        if ((within(width, size[0]) && within(height, size[1])) ||
            (within(height, size[0]) && within(width, size[1])))
            item->Sel = i;
    }
}
