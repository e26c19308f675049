// The printer information text of the Service page and the status timer that refreshes it.
#include "service/printer_information.h"

#include "link/printer_link.h"
#include "link/printer_snapshot.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "service/information_text.h"
#include "settings/global_block.h"
#include "settings/ui_strings.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

const WCHAR kUnknownVersion[] = TEXT("0.0.0.0");
const WCHAR kModuleFile[] = TEXT("\\3\\qvembui.dll");
// The driver's information with its file names and paths, usually in one round trip.
constexpr DWORD kDriverInfoGuessBytes = 8192;

WCHAR g_driverVersion[kNameChars];

// --- Driver version ----------------------------------------------------------------------------

void FormatVersion(WORD major, WORD minor, WORD build, WORD revision) {
    StringCchPrintfW(g_driverVersion, kNameChars, TEXT("%d.%d.%d.%d"), major, minor, build,
                     revision);
}

// The version the spooler knows the printer's driver by; false when its information cannot
// be had or carries no version (a driver installed without one, and every driver under Wine).
bool ReadSpoolerDriverVersion(HANDLE printer) {
    GlobalBlock block(0);
    if (!FetchIntoBlock(block, kDriverInfoGuessBytes,
                        [&](BYTE* buffer, DWORD bytes, DWORD* needed) {
                            return GetPrinterDriverW(printer, nullptr, 6, buffer, bytes, needed);
                        }))
        return false;
    DWORDLONG version = block.as<DRIVER_INFO_6W>()->dwlDriverVersion;
    if (version == 0)
        return false;
    FormatVersion(static_cast<WORD>(version >> 48), static_cast<WORD>(version >> 32),
                  static_cast<WORD>(version >> 16), static_cast<WORD>(version));
    return true;
}

// The file version of this module as installed in the printer driver directory, which the sheet
// has asked the spooler for once.
void ReadModuleFileVersion(SettingsContext* context) {
    WCHAR path[kNameChars] = {};
    if (*DriverDirectory(context) == 0 ||
        FAILED(StringCchPrintfW(path, kNameChars, TEXT("%ls%ls"), DriverDirectory(context),
                                kModuleFile)))
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

// --- Information text ---------------------------------------------------------------------------

// The printer's status text; false when the printer link has no status entry point, and
// `obtained` says whether it answered the status call. A code's text does not change while the
// sheet is open: it is asked when the code does.
bool ReadStatusText(SettingsContext* context, WCHAR (&line)[kNameChars], bool* obtained) {
    auto getStatus =
        FindPrinterLinkProc<GetPrinterStatusProc>(context, "DllExportGetPrinterStatus");
    if (getStatus == nullptr)
        return false;
    DWORD status = 0;
    *obtained = getStatus(0, context->PrinterName, &status) == 0;
    if (!context->StatusKnown || context->StatusCode != status) {
        StringCchCopyW(context->StatusText, kNameChars, PrinterErrorText(context, status));
        context->StatusCode = status;
        context->StatusKnown = TRUE;
    }
    StringCchCopyW(line, kNameChars, context->StatusText);
    return true;
}

void LoadLabel(const SettingsContext* context, UINT id, WCHAR (&label)[kNameChars]) {
    StringCchCopyW(label, kNameChars, GetUiString(context, id));
}

} // namespace

LPCWSTR DriverVersionText(SettingsContext* context) {
    StringCchCopyW(g_driverVersion, kNameChars, kUnknownVersion);
    if (context != nullptr && !ReadSpoolerDriverVersion(context->PrinterHandle))
        ReadModuleFileVersion(context);
    return g_driverVersion;
}

BOOL RefreshPrinterInformation(HWND page, SettingsContext* context) {
    bool statusObtained = false;
    WCHAR status[kNameChars] = {};
    bool statusKnown =
        context->SnapshotItemCount > 0 && ReadStatusText(context, status, &statusObtained);
    // The driver does not change while the sheet is open.
    if (context->DriverVersion[0] == 0)
        StringCchCopyW(context->DriverVersion, kNameChars, DriverVersionText(context));
    InformationLabels labels;
    LoadLabel(context, IDS_DRIVER_VERSION_LABEL, labels.DriverVersion);
    LoadLabel(context, IDS_SERIAL_NUMBER_LABEL, labels.SerialNumber);
    LoadLabel(context, IDS_FIRMWARE_VERSION_LABEL, labels.FirmwareVersion);
    LoadLabel(context, IDS_MODEL_NUMBER_LABEL, labels.ModelNumber);
    LoadLabel(context, IDS_CHROMAPOD_FIRMWARE_LABEL, labels.ChromaPodFirmware);
    LoadLabel(context, IDS_CHROMAPOD_SERIAL_LABEL, labels.ChromaPodSerial);
    WCHAR text[kComposedChars];
    ComposePrinterInformation(text, *context, statusKnown ? status : nullptr,
                              context->DriverVersion, labels);
    SetDlgItemTextW(page, IDC_SERVICE_PRINTER_INFO, text);
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
