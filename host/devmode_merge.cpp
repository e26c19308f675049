// Merging a caller's public devmode fields as the core driver does.
#include "devmode_merge.h"

#include <cstddef>

namespace {

constexpr DWORD kPaperFields = DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME;
// The oldest devmode a caller may hand us ends before dmICMMethod.
constexpr WORD kShortestDevmode = offsetof(DEVMODEW, dmICMMethod);

// The fields a caller's devmode can hold, given how many bytes of it there are.
DWORD FieldsWithin(const DEVMODEW* in) {
    DWORD fields = in->dmFields;
    if (in->dmSize < offsetof(DEVMODEW, dmMediaType) + sizeof(DWORD))
        fields &= ~static_cast<DWORD>(DM_MEDIATYPE);
    if (in->dmSize < offsetof(DEVMODEW, dmDitherType) + sizeof(DWORD))
        fields &= ~static_cast<DWORD>(DM_DITHERTYPE);
    return fields;
}

void MergePaper(DEVMODEW* out, const DEVMODEW* in, DWORD fields) {
    out->dmFields &= ~kPaperFields;
    out->dmFields |= fields & kPaperFields;
    out->dmPaperSize = (fields & DM_PAPERSIZE) ? in->dmPaperSize : 0;
    out->dmPaperLength = (fields & DM_PAPERLENGTH) ? in->dmPaperLength : 0;
    out->dmPaperWidth = (fields & DM_PAPERWIDTH) ? in->dmPaperWidth : 0;
    ZeroMemory(out->dmFormName, sizeof(out->dmFormName));
    if (fields & DM_FORMNAME) {
        CopyMemory(out->dmFormName, in->dmFormName, sizeof(out->dmFormName));
        out->dmFormName[CCHFORMNAME - 1] = 0;
    }
}

void MergeShort(DEVMODEW* out, DWORD fields, DWORD flag, short& to, short from) {
    if (!(fields & flag))
        return;
    to = from;
    out->dmFields |= flag;
}

} // namespace

bool IsReadableDevmode(const DEVMODEW* devmode) {
    return devmode != nullptr && devmode->dmSize >= kShortestDevmode &&
           devmode->dmSize <= sizeof(DEVMODEW);
}

void MergePublicDevmode(DEVMODEW* out, const DEVMODEW* in) {
    if (out == nullptr || !IsReadableDevmode(in))
        return;
    DWORD fields = FieldsWithin(in);
    if (fields & kPaperFields)
        MergePaper(out, in, fields);
    MergeShort(out, fields, DM_ORIENTATION, out->dmOrientation, in->dmOrientation);
    MergeShort(out, fields, DM_SCALE, out->dmScale, in->dmScale);
    MergeShort(out, fields, DM_COPIES, out->dmCopies, in->dmCopies);
    MergeShort(out, fields, DM_DEFAULTSOURCE, out->dmDefaultSource, in->dmDefaultSource);
    MergeShort(out, fields, DM_PRINTQUALITY, out->dmPrintQuality, in->dmPrintQuality);
    MergeShort(out, fields, DM_COLOR, out->dmColor, in->dmColor);
    MergeShort(out, fields, DM_DUPLEX, out->dmDuplex, in->dmDuplex);
    MergeShort(out, fields, DM_YRESOLUTION, out->dmYResolution, in->dmYResolution);
    MergeShort(out, fields, DM_TTOPTION, out->dmTTOption, in->dmTTOption);
    MergeShort(out, fields, DM_COLLATE, out->dmCollate, in->dmCollate);
    if (fields & DM_MEDIATYPE) {
        out->dmMediaType = in->dmMediaType;
        out->dmFields |= DM_MEDIATYPE;
    }
    if (fields & DM_DITHERTYPE) {
        out->dmDitherType = in->dmDitherType;
        out->dmFields |= DM_DITHERTYPE;
    }
}
