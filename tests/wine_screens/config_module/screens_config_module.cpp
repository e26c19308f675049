// The printer driver's configuration module for the screenshot program. The program hosts the
// plug-in itself; this module only answers what Wine's spooler asks a printer's configuration
// module on its own: the size and defaults of the devmode, and the papers.
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

constexpr size_t kPaperNameChars = 64;
const WCHAR kLetter[] = TEXT("Letter");
const POINT kLetterSize = {2159, 2794}; // tenths of a millimetre

} // namespace

// Without a sheet: the devmode's size, or its defaults with the caller's devmode over them.
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
    DEVMODEW* out = header->pdmOut;
    ZeroMemory(out, sizeof(*out));
    if (header->pszPrinterName != nullptr)
        StringCchCopyW(out->dmDeviceName, CCHDEVICENAME, header->pszPrinterName);
    out->dmSpecVersion = DM_SPECVERSION;
    out->dmSize = sizeof(*out);
    out->dmFields = DM_ORIENTATION | DM_COPIES;
    out->dmOrientation = DMORIENT_PORTRAIT;
    out->dmCopies = 1;
    if ((header->fMode & DM_IN_BUFFER) && header->pdmIn != nullptr &&
        header->pdmIn->dmSize <= sizeof(DEVMODEW)) {
        CopyMemory(out, header->pdmIn, header->pdmIn->dmSize);
        out->dmSize = sizeof(DEVMODEW);
        out->dmDriverExtra = 0;
    }
    return IDOK;
}

// One paper, Letter; anything else is refused.
extern "C" __declspec(dllexport) DWORD WINAPI
    DrvDeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID output, PDEVMODEW) {
    switch (capability) {
    case DC_PAPERS:
        if (output != nullptr)
            static_cast<WORD*>(output)[0] = DMPAPER_LETTER;
        return 1;
    case DC_PAPERNAMES:
        if (output != nullptr)
            StringCchCopyW(static_cast<WCHAR*>(output), kPaperNameChars, kLetter);
        return 1;
    case DC_PAPERSIZE:
        if (output != nullptr)
            static_cast<POINT*>(output)[0] = kLetterSize;
        return 1;
    default:
        return GDI_ERROR;
    }
}
