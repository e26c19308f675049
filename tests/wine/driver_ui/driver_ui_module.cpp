// The printer driver's configuration module in the Wine checks. On Windows the core driver's
// user-interface module plays this part and loads qvembui.dll as its plug-in; here the check
// program hosts the plug-in itself, and this module only answers what the spooler passes on to a
// printer's configuration module: the size and defaults of its devmode, and its papers.
#include <windows.h>
#include <compstui.h>
#include <strsafe.h>

// mingw-w64's winddiui.h lacks it; the layout is the platform's.
typedef struct _DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

namespace {

struct Paper {
    WORD id;
    const WCHAR* name;
    POINT size; // tenths of a millimetre
};

const Paper kPapers[] = {
    {DMPAPER_LETTER, TEXT("Letter"), {2159, 2794}},
    {DMPAPER_A4, TEXT("A4"), {2100, 2970}},
};
constexpr DWORD kPaperCount = sizeof(kPapers) / sizeof(kPapers[0]);
constexpr size_t kPaperNameChars = 64;

void FillDefaultDevmode(DEVMODEW* devmode, LPCWSTR printerName) {
    ZeroMemory(devmode, sizeof(*devmode));
    if (printerName != nullptr)
        StringCchCopyW(devmode->dmDeviceName, CCHDEVICENAME, printerName);
    devmode->dmSpecVersion = DM_SPECVERSION;
    devmode->dmSize = sizeof(*devmode);
    devmode->dmFields = DM_ORIENTATION | DM_COPIES;
    devmode->dmOrientation = DMORIENT_PORTRAIT;
    devmode->dmCopies = 1;
}

} // namespace

// Called by the spooler without a sheet (no PROPSHEETUI_INFO): report the devmode's size, or write
// the defaults (with the caller's own devmode over them) into the output buffer.
extern "C" __declspec(dllexport) LONG WINAPI
    DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(lParam);
    if (info != nullptr || header == nullptr)
        return -1;
    if (header->fMode == 0 || header->pdmOut == nullptr) {
        header->cbOut = sizeof(DEVMODEW);
        return sizeof(DEVMODEW);
    }
    if (header->cbOut < sizeof(DEVMODEW))
        return -1;
    FillDefaultDevmode(header->pdmOut, header->pszPrinterName);
    if ((header->fMode & DM_IN_BUFFER) && header->pdmIn != nullptr &&
        header->pdmIn->dmSize <= sizeof(DEVMODEW)) {
        CopyMemory(header->pdmOut, header->pdmIn, header->pdmIn->dmSize);
        header->pdmOut->dmSize = sizeof(DEVMODEW);
        header->pdmOut->dmDriverExtra = 0;
    }
    return IDOK;
}

// The paper queries as a driver built for the embosser answers them; anything else is refused.
extern "C" __declspec(dllexport) DWORD WINAPI
    DrvDeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID output, PDEVMODEW) {
    for (DWORD i = 0; output != nullptr && i < kPaperCount; ++i) {
        switch (capability) {
        case DC_PAPERS:
            static_cast<WORD*>(output)[i] = kPapers[i].id;
            break;
        case DC_PAPERNAMES:
            StringCchCopyW(static_cast<WCHAR*>(output) + i * kPaperNameChars, kPaperNameChars,
                           kPapers[i].name);
            break;
        case DC_PAPERSIZE:
            static_cast<POINT*>(output)[i] = kPapers[i].size;
            break;
        default:
            break;
        }
    }
    switch (capability) {
    case DC_PAPERS:
    case DC_PAPERNAMES:
    case DC_PAPERSIZE:
        return kPaperCount;
    default:
        return GDI_ERROR;
    }
}
