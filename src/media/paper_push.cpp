// The paper, media type and paper source pushes.
#include "media/paper_push.h"

#include "media/form_queries.h"
#include "settings/devmode_push.h"

#include <strsafe.h>

namespace {

struct PaperChange final : DevmodeChange {
    PaperChange(HANDLE printer, LPCWSTR formName, DWORD clear, DWORD set)
        : clearFields(clear), setFields(set) {
        // The devmode holds 31 characters and the terminator; a longer name is cut.
        StringCchCopyW(name, CCHFORMNAME, formName);
        SIZE form = GetFormSize(printer, formName);
        width = static_cast<short>(form.cx / 100);
        length = static_cast<short>(form.cy / 100);
    }
    // The driver's merge may change the numbers and flags but not the name, which is written
    // only before it.
    void Apply(DEVMODEW* devmode, bool afterMerge) const override {
        if (!afterMerge)
            StringCchCopyW(devmode->dmFormName, CCHFORMNAME, name);
        devmode->dmPaperWidth = width;
        devmode->dmPaperLength = length;
        devmode->dmFields = (devmode->dmFields & ~clearFields) | setFields;
    }
    WCHAR name[CCHFORMNAME];
    short width, length;
    DWORD clearFields, setFields;
};

struct MediaTypeChange final : DevmodeChange {
    explicit MediaTypeChange(DWORD number) : mediaType(number) {}
    void Apply(DEVMODEW* devmode, bool) const override {
        devmode->dmMediaType = mediaType;
        devmode->dmFields |= DM_MEDIATYPE;
    }
    DWORD mediaType;
};

struct PaperSourceChange final : DevmodeChange {
    explicit PaperSourceChange(DWORD number) : paperSource(number) {}
    void Apply(DEVMODEW* devmode, bool) const override {
        devmode->dmDefaultSource = static_cast<short>(paperSource);
        devmode->dmFields |= DM_DEFAULTSOURCE;
    }
    DWORD paperSource;
};

} // namespace

void PushPaperToPrinter(SettingsContext* context, LPCWSTR formName, DWORD clearFields,
                        DWORD setFields) {
    PushDevmodeChange(context,
                      PaperChange(context->PrinterHandle, formName, clearFields, setFields));
}

void PushMediaTypeToPrinter(SettingsContext* context, DWORD mediaType) {
    if (context->MediaType == mediaType)
        return;
    context->MediaType = mediaType;
    PushDevmodeChange(context, MediaTypeChange(mediaType));
}

void PushPaperSourceToPrinter(SettingsContext* context, DWORD paperSource) {
    if (context->PaperSource == paperSource)
        return;
    context->PaperSource = paperSource;
    PushDevmodeChange(context, PaperSourceChange(paperSource));
}
