// Loading and releasing the settings context of one property sheet.
#include "settings/settings_context.h"

#include "media/form_queries.h"
#include "settings/global_block.h"
#include "settings/known_config.h"
#include "settings/load_corrections.h"
#include "settings/printer_data_store.h"
#include "settings/scoped_handles.h"
#include "settings/sheet_answers.h"
#include "settings/ui_strings.h"

#include <shlobj.h>
#include <winspool.h>
#include <strsafe.h>

namespace {

const WCHAR kDefaultPatternFile[] =
    TEXT("C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Default.dat");
constexpr DWORD kRegistryTextBytes = 520;

// Reads a text value of at most 520 bytes; leaves `text` empty when it cannot.
bool ReadRegistryText(HKEY root, LPCWSTR path, LPCWSTR name, WCHAR* text) {
    text[0] = 0;
    ScopedRegKey key;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    // One character more than the value may hold keeps the text terminated.
    WCHAR value[kRegistryTextBytes / sizeof(WCHAR) + 1] = {};
    DWORD bytes = kRegistryTextBytes, type = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(value),
                         &bytes) != ERROR_SUCCESS)
        return false;
    StringCchCopyW(text, kNameChars, value);
    return true;
}

bool ReadPrinterIdentity(SettingsContext* context, const PRINTER_INFO_2W* info) {
    if (info == nullptr)
        return false;
    if (info->pPrinterName != nullptr)
        StringCchCopyW(context->PrinterName, kNameChars, info->pPrinterName);
    if (info->pDriverName != nullptr)
        StringCchCopyW(context->DriverName, kNameChars, info->pDriverName);
    return true;
}

// The installation leaves its marker and may store settings of its own: the values are read
// again after it ran, and only then (without the maker's library nothing ran).
void InstallPeripheralsWhenMissing(SettingsContext* context, ConfigValues& config) {
    DWORD marker = 0, needed = 0;
    if (config.Read(TEXT("OutputVersion"), &marker, sizeof(marker), &needed) == ERROR_SUCCESS)
        return;
    if (InstallPeripherals(context))
        config.Refresh();
}

void LoadPaperSize(SettingsContext* context, const ConfigValues& config) {
    DWORD needed = 0;
    DWORD result =
        config.Read(TEXT("PaperSize"), context->PaperSize, sizeof(context->PaperSize), &needed);
    if (!TakeStoredPaperSize(result, needed, context->PaperSize))
        RememberConfigValue(context, TEXT("PaperSize"), context->PaperSize,
                            sizeof(context->PaperSize));
    else
        StorePaperSize(context, context->PaperSize);
}

// The values a load reads, and the sheet that remembers them: the value as stored, or its
// default once written, is what an apply compares with.
struct LoadSource {
    SettingsContext* context;
    const ConfigValues& values;
};

void ReadConfigDword(const LoadSource& load, LPCWSTR name, DWORD* value, DWORD defaultValue) {
    if (ReadConfigDword(load.values, name, value, defaultValue))
        RememberConfigValue(load.context, name, value, sizeof(*value));
}

void ReadKnownText(SettingsContext* context, const ConfigValues& config, LPCWSTR name, WCHAR* text,
                   LPCWSTR defaultText) {
    if (ReadConfigString(config, name, text, defaultText))
        RememberConfigText(context, name, text);
}

void ReadSignedConfig(const LoadSource& config, LPCWSTR name, LONG* value, DWORD defaultValue) {
    DWORD stored = 0;
    ReadConfigDword(config, name, &stored, defaultValue);
    *value = static_cast<LONG>(stored);
}

// Values the pages write that a load does not heal: known only when they are stored.
void RememberStoredDwords(SettingsContext* context, const ConfigValues& config) {
    static const LPCWSTR kNames[] = {TEXT("MaxCustPForce"), TEXT("MinCustPForce"),
                                     TEXT("Show2In1Warning"), TEXT("EnableStatusMonitoring")};
    for (LPCWSTR name : kNames) {
        DWORD value = 0, needed = 0;
        if (config.Read(name, &value, sizeof(value), &needed) == ERROR_SUCCESS &&
            needed == sizeof(value))
            RememberConfigValue(context, name, &value, sizeof(value));
    }
}

void LoadConfigValues(SettingsContext* context, const ConfigValues& values) {
    const LoadSource config = {context, values};
    ReadConfigDword(config, TEXT("MediaType"), &context->MediaType, 268);
    ReadConfigDword(config, TEXT("PaperSource"), &context->PaperSource, DMBIN_FORMSOURCE);
    ReadConfigDword(config, TEXT("MediaSurface"), &context->MediaSurface, 1);
    ReadConfigDword(config, TEXT("InterPoint"), &context->InterPoint, 0);
    context->InterPointCurrent = context->InterPoint;
    ReadConfigDword(config, TEXT("BindingEdge"), &context->BindingEdge, 2);
    ReadConfigDword(config, TEXT("InsertEmptyPage"), &context->InsertEmptyPage, 0);
    ReadConfigDword(config, TEXT("LandscapeMode"), &context->LandscapeMode, 0);
    ReadConfigDword(config, TEXT("Orientation"), &context->Orientation, 1);
    ReadConfigDword(config, TEXT("Preview"), &context->Preview, 0);
    ReadConfigDword(config, TEXT("Collate"), &context->Collate, 0);
    ReadConfigDword(config, TEXT("TwoInOne"), &context->TwoInOne, 0);
    context->TwoInOneCurrent = context->TwoInOne;
    ReadConfigDword(config, TEXT("EmbossMode"), &context->EmbossMode, 1);
    ReadConfigDword(config, TEXT("DotHeight"), &context->DotHeight, 1);
    ReadConfigDword(config, TEXT("InkMode"), &context->InkMode, 1);
    ReadConfigDword(config, TEXT("Quality"), &context->Quality, 1);
    ReadConfigDword(config, TEXT("InkDithering"), &context->InkDithering, 0);
    ReadConfigDword(config, TEXT("DotQuality"), &context->DotQuality, 0);
    ReadConfigDword(config, TEXT("EmbossStandardTexts"), &context->EmbossStandardTexts, 0);
    ReadConfigDword(config, TEXT("ThinLineIntensity"), &context->ThinLineIntensity, 1);
    ReadConfigDword(config, TEXT("InvertColor"), &context->InvertColor, 0);
    ReadSignedConfig(config, TEXT("Brightness"), &context->Brightness, 0);
    ReadSignedConfig(config, TEXT("Contrast"), &context->Contrast, 0);
    ReadSignedConfig(config, TEXT("InkBrightness"), &context->InkBrightness, 0);
    ReadSignedConfig(config, TEXT("InkContrast"), &context->InkContrast, 0);
    ReadConfigDword(config, TEXT("ColorPattern"), &context->ColorPattern, 0);
    ReadConfigDword(config, TEXT("RenderMode"), &context->RenderMode, 2);
    ReadConfigDword(config, TEXT("TwoPassPrint"), &context->TwoPassPrint, 0);
    RememberStoredDwords(context, values);
}

// The current pattern recorded for this user, under the common application data folder; else the
// printer's own pattern path.
void LoadPatternFileName(SettingsContext* context, const ConfigValues& config) {
    WCHAR current[kNameChars];
    if (ReadRegistryText(HKEY_CURRENT_USER, TEXT("SOFTWARE\\Quorvane\\Patterns"),
                         TEXT("CurrentPattern"), current)) {
        WCHAR folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
        StringCchPrintfW(context->PatternFileName, kNameChars,
                         TEXT("%ls\\Quorvane\\Tarvik\\Patterns\\%ls"), folder, current);
        return;
    }
    ReadKnownText(context, config, TEXT("CustomPatternFileName"), context->PatternFileName,
                  kDefaultPatternFile);
}

} // namespace

bool LoadSettingsContext(const SettingsSource& source, SettingsContext** out) {
    *out = nullptr;
    auto* context = static_cast<SettingsContext*>(
        HeapAlloc(source.Heap, HEAP_ZERO_MEMORY, sizeof(SettingsContext)));
    if (context == nullptr)
        return false;
    context->RefCount = 1;
    context->PrinterHandle = source.Printer;
    context->HostHeap = source.Heap;
    context->ResourceModule = source.Module;
    context->PublicDevmode = source.PublicDevmode;
    *out = context;

    ReadRegistryText(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Quorvane"), TEXT("QVDir"),
                     context->InstallFolder);
    // The printer's information serves its identity and its papers alike.
    if (!ReadPrinterIdentity(context, SheetPrinterInfo(context))) {
        HeapFree(source.Heap, 0, context);
        *out = nullptr;
        return false;
    }
    BeginSheetPrinter(context->PrinterHandle);
    ConfigValues config(context->PrinterHandle);
    InstallPeripheralsWhenMissing(context, config);
    LoadPaperSize(context, config);
    ReadKnownText(context, config, TEXT("CustomMediaType"), context->CustomMediaType, TEXT(""));
    LoadConfigValues(context, config);
    context->MagnificationLevel = 1;
    LoadPatternFileName(context, config);
    ApplyJobDevmode(context, context->PublicDevmode);
    SetPrinterStateDefaults(context);
    BindLocaleLibrary(context);
    return true;
}

LPCWSTR DriverDirectory(SettingsContext* context) {
    if (context->DriverDirectory[0] == 0) {
        DWORD needed = 0;
        // A failed answer leaves the text empty, and the next caller asks again.
        GetPrinterDriverDirectoryW(nullptr, nullptr, 1,
                                   reinterpret_cast<LPBYTE>(context->DriverDirectory),
                                   sizeof(context->DriverDirectory), &needed);
        context->DriverDirectory[kDriverDirectoryChars - 1] = 0;
    }
    return context->DriverDirectory;
}

bool CanManagePrinter(SettingsContext* context) {
    if (context->ManagePrinterRight == 0)
        context->ManagePrinterRight =
            OpenSheetFullAccess(context->PrinterHandle, context->PrinterName) ? 1 : -1;
    return context->ManagePrinterRight > 0;
}

void ReleaseSettingsContext(SettingsContext* context) {
    if (context == nullptr)
        return;
    if (context->RefCount != 1) {
        --context->RefCount;
        return;
    }
    if (context->LocaleInstance != nullptr) {
        if (context->Dispose != nullptr)
            context->Dispose(context->LocaleInstance);
        context->LocaleInstance = nullptr;
    }
    if (context->LocaleModule != nullptr) {
        FreeLibrary(context->LocaleModule);
        context->LocaleModule = nullptr;
    }
    if (context->PrinterLinkModule != nullptr) {
        FreeLibrary(context->PrinterLinkModule);
        context->PrinterLinkModule = nullptr;
    }
    EndSheetPrinter(context->PrinterHandle);
    ForgetSheetAnswers(context);
    HeapFree(context->HostHeap, 0, context);
}
