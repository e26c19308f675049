// The printer's papers and the server's forms.
#include "media/form_queries.h"

#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/settings_context.h"

#include <strsafe.h>
#include <winspool.h>

// A paper named by number leaves the page at automatic selection whatever its size (the page
// selects a paper only when the default devmode names it by size), so the printer's lists of
// paper numbers and sizes are not asked for: a paper is taken by its size, or by a form the sheet
// has listed.
int QueryDefaultPaper(SettingsContext* context, LONG size[2]) {
    const PRINTER_INFO_2W* info = SheetPrinterInfo(context);
    if (info == nullptr)
        return -1;
    const DEVMODEW* devmode = info->pDevMode;
    if (devmode == nullptr)
        return 1;
    // Width and length in tenths of a millimetre; a form the devmode names replaces them.
    if (devmode->dmFields & (DM_PAPERWIDTH | DM_PAPERLENGTH)) {
        size[0] = devmode->dmPaperWidth * 100;
        size[1] = devmode->dmPaperLength * 100;
    }
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
