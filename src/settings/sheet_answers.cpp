// The spooler's answers held for a sheet.
#include "settings/sheet_answers.h"

#include "media/paper_lists.h"
#include "settings/global_block.h"
#include "settings/printer_data_store.h"

namespace {

// A print server's forms, built-in ones included, with their names.
constexpr DWORD kFormListGuessBytes = 32768;

void Forget(void*& block) {
    FreeGlobalBlock(block);
    block = nullptr;
}

} // namespace

const PRINTER_INFO_2W* SheetPrinterInfo(SettingsContext* context) {
    if (context->PrinterInfo == nullptr) {
        GlobalBlock block(0);
        if (FetchPrinterInfo2(context->PrinterHandle, block) != nullptr)
            context->PrinterInfo = block.release();
    }
    return static_cast<const PRINTER_INFO_2W*>(context->PrinterInfo);
}

void ForgetSheetPrinterInfo(SettingsContext* context) {
    Forget(context->PrinterInfo);
    // The capabilities answer for the default devmode.
    Forget(context->PaperNames);
    context->PaperNamesAsked = 0;
}

const FORM_INFO_1W* SheetForms(SettingsContext* context, DWORD* count) {
    if (context->FormsListed == 0) {
        GlobalBlock block(0);
        DWORD listed = 0;
        bool fetched = FetchIntoBlock(
            block, kFormListGuessBytes, [&](BYTE* buffer, DWORD bytes, DWORD* needed) {
                return EnumFormsW(context->PrinterHandle, 1, buffer, bytes, needed, &listed);
            });
        context->FormsListed = fetched ? 1 : -1;
        context->FormCount = fetched ? listed : 0;
        context->Forms = fetched ? block.release() : nullptr;
    }
    *count = context->FormCount;
    return static_cast<const FORM_INFO_1W*>(context->Forms);
}

const WCHAR* SheetPaperNames(SettingsContext* context, int* count) {
    if (context->PaperNamesAsked == 0) {
        context->PaperNamesAsked = 1;
        context->PaperNameCount = 0;
        const PRINTER_INFO_2W* info = SheetPrinterInfo(context);
        if (info != nullptr && info->pDevMode != nullptr) {
            auto ask = [info](LPWSTR output) {
                return DeviceCapabilitiesW(info->pPrinterName, info->pPortName, DC_PAPERNAMES,
                                           output, info->pDevMode);
            };
            // The query writes without a bound: the list is asked for once its size is known.
            DWORD bytes = PaperNameBytes(ask(nullptr));
            GlobalBlock names(bytes);
            if (names) {
                context->PaperNameCount = PaperNamesHeld(ask(names.as<WCHAR>()), bytes);
                context->PaperNames = names.release();
            }
        }
    }
    *count = context->PaperNameCount > 0 ? context->PaperNameCount : 0;
    return static_cast<const WCHAR*>(context->PaperNames);
}

void ForgetSheetPapers(SettingsContext* context) {
    Forget(context->Forms);
    context->FormsListed = 0;
    context->FormCount = 0;
    Forget(context->PaperNames);
    context->PaperNamesAsked = 0;
}

void ForgetSheetAnswers(SettingsContext* context) {
    ForgetSheetPrinterInfo(context);
    ForgetSheetPapers(context);
}
