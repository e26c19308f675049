// DrvDeviceCapabilities: the printer's papers from the server's forms, the few device facts the
// driver knows, and whatever the plug-in answers itself (its private capability 257).
//
// The papers are those the driver describes (as its GPD does: Letter, A4, Legal) and the forms
// people added to the server, as the core driver lists them; not every form the server knows.
// Listing the server's rotated and transverse variants too would make "Letter Rotated" the last
// match for an 8.5 by 11 inch sheet in the device settings tree.
#include "driver_module.h"

#include "core_driver.h"
#include "devmode_merge.h"

#include <strsafe.h>
#include <winspool.h>

#include <vector>

namespace {

// DC_PAPERNAMES fills slots of 64 characters.
constexpr size_t kPaperNameChars = 64;
// Form sizes are in micrometres; devmodes count paper in tenths of a millimetre.
constexpr LONG kMicrometresPerTenthMillimetre = 100;
constexpr DWORD kDevmodeFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH |
                                 DM_COPIES | DM_DEFAULTSOURCE | DM_DUPLEX | DM_COLLATE |
                                 DM_FORMNAME | DM_MEDIATYPE;

struct Paper {
    WORD id;
    WCHAR name[kPaperNameChars];
    POINT size;
};

// The built-in forms the embosser takes, by the names the server gives them.
const WCHAR* const kDriverPapers[] = {TEXT("Letter"), TEXT("A4"), TEXT("Legal")};

bool IsDriverPaper(const FORM_INFO_1W& form) {
    if (!(form.Flags & FORM_BUILTIN))
        return true;
    for (const WCHAR* name : kDriverPapers) {
        if (lstrcmpiW(form.pName, name) == 0)
            return true;
    }
    return false;
}

// The printer's papers from the server's forms: built-in forms keep their place in the
// platform's list as their paper number (Letter 1, A4 9, ...), the others are numbered after
// DMPAPER_USER.
std::vector<Paper> ServerPapers(HANDLE printer) {
    std::vector<Paper> papers;
    DWORD needed = 0;
    DWORD count = 0;
    EnumFormsW(printer, 1, nullptr, 0, &needed, &count);
    if (needed == 0)
        return papers;
    std::vector<BYTE> buffer(needed);
    if (!EnumFormsW(printer, 1, buffer.data(), needed, &needed, &count))
        return papers;
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    WORD userPaper = DMPAPER_USER;
    for (DWORD i = 0; i < count; ++i) {
        if (!IsDriverPaper(forms[i]))
            continue;
        Paper paper = {};
        paper.id = (forms[i].Flags & FORM_BUILTIN) ? static_cast<WORD>(i + 1) : userPaper++;
        StringCchCopyW(paper.name, kPaperNameChars, forms[i].pName);
        paper.size.x = forms[i].Size.cx / kMicrometresPerTenthMillimetre;
        paper.size.y = forms[i].Size.cy / kMicrometresPerTenthMillimetre;
        papers.push_back(paper);
    }
    return papers;
}

DWORD AnswerPapers(HANDLE printer, WORD capability, PVOID output) {
    std::vector<Paper> papers = ServerPapers(printer);
    for (size_t i = 0; output != nullptr && i < papers.size(); ++i) {
        if (capability == DC_PAPERS)
            static_cast<WORD*>(output)[i] = papers[i].id;
        else if (capability == DC_PAPERNAMES)
            CopyMemory(static_cast<WCHAR*>(output) + i * kPaperNameChars, papers[i].name,
                       sizeof(papers[i].name));
        else
            static_cast<POINT*>(output)[i] = papers[i].size;
    }
    return static_cast<DWORD>(papers.size());
}

// The driver's own answer; GDI_ERROR for what it does not know.
DWORD AnswerAlone(CoreDriverHost& host, HANDLE printer, WORD capability, PVOID output) {
    switch (capability) {
    case DC_PAPERS:
    case DC_PAPERNAMES:
    case DC_PAPERSIZE:
        return AnswerPapers(printer, capability, output);
    case DC_FIELDS:
        return kDevmodeFields;
    case DC_SIZE:
        return sizeof(DEVMODEW);
    case DC_EXTRA:
        return host.PrivateDevmodeSize();
    case DC_DUPLEX:
    case DC_COLLATE:
        return 1;
    case DC_COPIES:
        return 1;
    case DC_ORIENTATION:
        return 90;
    default:
        return GDI_ERROR;
    }
}

} // namespace

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE printerHandle, PWSTR deviceName,
                                              WORD capability, PVOID output, PDEVMODEW devmode) {
    WCHAR pluginPath[MAX_PATH];
    DriverFilePath(TEXT("qvembui.dll"), pluginPath, MAX_PATH);
    CoreDriverHost host;
    if (FAILED(host.Load(pluginPath)))
        return GDI_ERROR;
    CallerPrinter printer(printerHandle, deviceName);
    DWORD answer = AnswerAlone(host, printer.get(), capability, output);
    // The plug-in hears every query with the driver's answer and may replace it.
    PVOID privateDevmode = IsReadableDevmode(devmode) && devmode->dmDriverExtra > 0
                               ? reinterpret_cast<BYTE*>(devmode) + devmode->dmSize
                               : nullptr;
    DWORD pluginAnswer = answer;
    HRESULT result =
        host.plugin()->DeviceCapabilities(nullptr, printer.get(), deviceName, capability, output,
                                          devmode, privateDevmode, answer, &pluginAnswer);
    return result == S_OK ? pluginAnswer : answer;
}
