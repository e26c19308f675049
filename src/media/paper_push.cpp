// The paper, media type and paper source pushes, noted for the end of the apply.
#include "media/paper_push.h"

#include <strsafe.h>

void PushPaperToPrinter(SettingsContext* context, LPCWSTR formName, SIZE form, DWORD clearFields,
                        DWORD setFields) {
    PendingDevmode& pending = context->Pending;
    pending.Fields |= DM_FORMNAME;
    // The devmode holds 31 characters and the terminator; a longer name is cut.
    StringCchCopyW(pending.FormName, CCHFORMNAME, formName);
    pending.PaperWidth = static_cast<short>(form.cx / 100);
    pending.PaperLength = static_cast<short>(form.cy / 100);
    pending.PaperClearFields = clearFields;
    pending.PaperSetFields = setFields;
}

void PushMediaTypeToPrinter(SettingsContext* context, DWORD mediaType) {
    if (context->MediaType == mediaType)
        return;
    context->MediaType = mediaType;
    context->Pending.Fields |= DM_MEDIATYPE;
    context->Pending.MediaType = mediaType;
}

void PushPaperSourceToPrinter(SettingsContext* context, DWORD paperSource) {
    if (context->PaperSource == paperSource)
        return;
    context->PaperSource = paperSource;
    context->Pending.Fields |= DM_DEFAULTSOURCE;
    context->Pending.DefaultSource = static_cast<short>(paperSource);
}
