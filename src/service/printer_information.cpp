// The printer information text of the Service page and the status timer that refreshes it.
#include "service/printer_information.h"

#include "link/printer_link.h"
#include "link/printer_snapshot.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "settings/global_block.h"
#include "settings/ui_strings.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

const WCHAR kUnknownVersion[] = TEXT("0.0.0.0");
const WCHAR kModuleFile[] = TEXT("\\3\\qvembui.dll");

WCHAR g_driverVersion[kNameChars];

// --- Driver version ----------------------------------------------------------------------------

void FormatVersion(WORD major, WORD minor, WORD build, WORD revision) {
    StringCchPrintfW(g_driverVersion, kNameChars, TEXT("%d.%d.%d.%d"), major, minor, build,
                     revision);
}

// The version the spooler knows the printer's driver by; false when its information cannot
// be had.
bool ReadSpoolerDriverVersion(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 6, nullptr, 0, &needed);
    GlobalBlock block(needed);
    if (!block)
        return false;
    if (!GetPrinterDriverW(printer, nullptr, 6, block.as<BYTE>(), needed, &needed))
        return false;
    DWORDLONG version = block.as<DRIVER_INFO_6W>()->dwlDriverVersion;
    FormatVersion(static_cast<WORD>(version >> 48), static_cast<WORD>(version >> 32),
                  static_cast<WORD>(version >> 16), static_cast<WORD>(version));
    return true;
}

// The file version of this module as installed in the printer driver directory.
void ReadModuleFileVersion() {
    WCHAR path[kNameChars] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path),
                                    sizeof(path), &needed))
        return;
    if (FAILED(StringCchCatW(path, kNameChars, kModuleFile)))
        return;
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &unused);
    GlobalBlock info(size);
    if (!info || !GetFileVersionInfoW(path, 0, size, info.get()))
        return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.get(), TEXT("\\"), reinterpret_cast<LPVOID*>(&fixed), &length) ||
        fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return;
    FormatVersion(HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
}

// --- Information text --------------------------------------------------------------------------

// One text of at most 4096 characters, built line by line; each line is bounded to 260
// characters before it is appended.
class InformationText {
public:
    void Append(LPCWSTR text) { StringCchCatW(text_, kComposedChars, text); }

    // "\r\n<label> <text>"
    void AppendLabelled(const SettingsContext* context, UINT labelId, LPCWSTR text) {
        WCHAR line[kNameChars];
        StringCchPrintfW(line, kNameChars, TEXT("\r\n%ls %ls"), GetUiString(context, labelId),
                         text);
        Append(line);
    }

    // "\r\n<label> a.b.c" of the version's three bytes, highest first (two when `parts` is 2).
    void AppendVersion(const SettingsContext* context, UINT labelId, DWORD version, int parts) {
        WCHAR line[kNameChars];
        LPCWSTR label = GetUiString(context, labelId);
        UINT high = (version >> 16) & 0xFF, middle = (version >> 8) & 0xFF, low = version & 0xFF;
        if (parts == 3)
            StringCchPrintfW(line, kNameChars, TEXT("\r\n%ls %u.%u.%u"), label, high, middle, low);
        else
            StringCchPrintfW(line, kNameChars, TEXT("\r\n%ls %u.%u"), label, middle, low);
        Append(line);
    }

    LPCWSTR get() const { return text_; }

private:
    WCHAR text_[kComposedChars] = {};
};

// The printer's status line; true when the printer link answered the status call.
bool AppendStatusLine(SettingsContext* context, InformationText& text) {
    auto getStatus =
        FindPrinterLinkProc<GetPrinterStatusProc>(context, "DllExportGetPrinterStatus");
    if (getStatus == nullptr)
        return false;
    DWORD status = 0;
    bool obtained = getStatus(0, context->PrinterName, &status) == 0;
    WCHAR line[kNameChars];
    StringCchCopyW(line, kNameChars, PrinterErrorText(context, status));
    text.Append(line);
    return obtained;
}

void AppendPrinterIdentity(const SettingsContext* context, InformationText& text) {
    text.AppendLabelled(context, IDS_SERIAL_NUMBER_LABEL, context->PrinterSerialNumber);
    text.AppendVersion(context, IDS_FIRMWARE_VERSION_LABEL, context->FirmwareVersion, 3);
    text.AppendLabelled(context, IDS_MODEL_NUMBER_LABEL, context->ModelNumber);
    if (context->ChromaPodVersion > 0) {
        text.AppendVersion(context, IDS_CHROMAPOD_FIRMWARE_LABEL,
                           static_cast<DWORD>(context->ChromaPodVersion), 2);
        text.AppendLabelled(context, IDS_CHROMAPOD_SERIAL_LABEL, context->ChromaPodSerialNumber);
    }
}

} // namespace

LPCWSTR DriverVersionText(SettingsContext* context) {
    StringCchCopyW(g_driverVersion, kNameChars, kUnknownVersion);
    if (context == nullptr || !ReadSpoolerDriverVersion(context->PrinterHandle))
        ReadModuleFileVersion();
    return g_driverVersion;
}

BOOL RefreshPrinterInformation(HWND page, SettingsContext* context) {
    InformationText text;
    bool statusObtained = false;
    bool connected = context->SnapshotItemCount > 0;
    if (connected)
        statusObtained = AppendStatusLine(context, text);
    text.Append(TEXT("\r\n"));
    text.AppendLabelled(context, IDS_DRIVER_VERSION_LABEL, DriverVersionText(context));
    if (connected)
        AppendPrinterIdentity(context, text);
    SetDlgItemTextW(page, IDC_SERVICE_PRINTER_INFO, text.get());
    return statusObtained && IsChecked(page, IDC_SERVICE_STATUS_MONITORING);
}

VOID CALLBACK StatusTimerRoutine(HWND page, UINT message, UINT_PTR timerId, DWORD) {
    if (message != WM_TIMER || timerId != kStatusTimerId)
        return;
    auto* context = reinterpret_cast<SettingsContext*>(GetWindowLongPtrW(page, DWLP_USER));
    KillTimer(page, kStatusTimerId);
    if (context == nullptr)
        return;
    // One refresh per tick; the next only while the status can be read and is wanted.
    if (RefreshPrinterInformation(page, context))
        SetTimer(page, kStatusTimerId, kStatusTimerInterval, StatusTimerRoutine);
}
