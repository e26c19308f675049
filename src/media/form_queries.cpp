// The printer's papers and the server's forms.
#include "media/form_queries.h"

#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/settings_context.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

// A list of the default devmode's papers: its count, or the count filled into `output`.
int Capability(const PRINTER_INFO_2W* info, WORD capability, void* output) {
    return DeviceCapabilitiesW(info->pPrinterName, info->pPortName, capability,
                               static_cast<LPWSTR>(output), info->pDevMode);
}

} // namespace

// Papers named by number need the printer's three lists; a paper named by its form only the
// forms the sheet has listed.
int QueryDefaultPaper(SettingsContext* context, LONG size[2]) {
    const PRINTER_INFO_2W* info = SheetPrinterInfo(context);
    if (info == nullptr)
        return -1;
    const DEVMODEW* devmode = info->pDevMode;
    if (devmode == nullptr)
        return 1;

    int count = 0;
    GlobalBlock papers(0), sizes(0);
    const WCHAR* names = nullptr;
    if (devmode->dmFields & DM_PAPERSIZE) {
        names = SheetPaperNames(context, &count);
        count = PaperListLength(Capability(info, DC_PAPERS, nullptr), count,
                                Capability(info, DC_PAPERSIZE, nullptr));
        if (count > 0 &&
            (!papers.Reset(count * sizeof(WORD)) || !sizes.Reset(count * sizeof(POINT)) ||
             PaperListLength(Capability(info, DC_PAPERS, papers.get()), count,
                             Capability(info, DC_PAPERSIZE, sizes.get())) != count))
            count = 0;
    }
    const PaperLists lists = {papers.as<WORD>(), names, sizes.as<POINT>(), count};
    const DevmodePaper paper = {devmode->dmFields, devmode->dmPaperSize, devmode->dmPaperWidth,
                                devmode->dmPaperLength};
    if (IdentifyDefaultPaper(paper, lists, size, nullptr) == 0)
        return 0;
    if (devmode->dmFields & DM_FORMNAME) {
        SIZE form = FormSizes(context).SizeOf(devmode->dmFormName);
        if (form.cx != 0 || form.cy != 0) {
            size[0] = form.cx;
            size[1] = form.cy;
            return 0;
        }
    }
    return 1;
}

void MatchFormOption(SettingsContext* context, OPTITEM* item, const LONG size[2]) {
    if (item == nullptr || item->pOptType == nullptr)
        return;
    const OPTTYPE* type = item->pOptType;
    FormSizes forms(context);
    for (WORD i = 0; i < type->Count; ++i)
        if (FormFitsSize(forms.SizeOf(type->pOptParam[i].pData), size))
            item->Sel = i;
}
