// The SettingsContext: the one record that every page, dialog and the device settings tree of
// one property sheet share -- the host's handles, the printer's identity, the persisted settings,
// the pages' working state, the printer's own state and the sibling-library bindings.
#pragma once

#include <windows.h>

constexpr int kNameChars = 260;     // names and paths
constexpr int kDeviceTextChars = 8; // the device settings tree's edit texts
constexpr int kDriverDirectoryChars = 2048;
// The "Config" values a sheet remembers as it loaded or last stored them: every value it writes.
constexpr int kKnownConfigValues = 40;
constexpr int kKnownConfigBytes = kNameChars * sizeof(WCHAR);

// The locale library's entry points, in the order they are looked up.
typedef HANDLE(WINAPI* LocaleCreateProc)(LPCWSTR catalogueFolder, LPCWSTR catalogueName);
typedef HANDLE(WINAPI* LocaleCreateExProc)(LPCWSTR catalogueFolder, LPCWSTR catalogueName,
                                           HANDLE heap);
typedef void(WINAPI* LocaleDisposeProc)(HANDLE instance);
typedef BOOL(WINAPI* LocaleInitLocaleProc)(HANDLE instance, LPCWSTR localeCode);
typedef BOOL(WINAPI* LocaleEnumLocalesProc)(HANDLE instance, LPVOID* list);
typedef BOOL(WINAPI* LocaleEnumLocaleStringsProc)(HANDLE instance, LPVOID* list);
typedef LPCWSTR(WINAPI* LocaleGetActiveLocaleProc)(HANDLE instance);
typedef LPCWSTR(WINAPI* LocaleGetStringProc)(HANDLE instance, LPCWSTR english);
typedef LPCWSTR(WINAPI* LocaleGetSectionStringProc)(HANDLE instance, LPCWSTR section,
                                                    LPCWSTR english);
typedef BOOL(WINAPI* LocaleTranslateDialogProc)(HANDLE instance, HWND window);
typedef BOOL(WINAPI* LocaleTranslateMenuProc)(HANDLE instance, HMENU menu);

// A "Config" value as this sheet loaded or last stored it (texts up to their terminator).
struct KnownConfigValue {
    LPCWSTR Name; // one of the plug-in's own value names
    DWORD Size;
    BYTE Data[kKnownConfigBytes];
};

// The devmode fields the pages changed and that wait for the end of the apply, when both devmodes
// take them at once and one WM_DEVMODECHANGE tells every top-level window.
struct PendingDevmode {
    DWORD Fields; // DM_ORIENTATION, DM_DUPLEX, DM_COLLATE, DM_MEDIATYPE, DM_DEFAULTSOURCE, and
                  // DM_FORMNAME for a paper
    short Orientation;
    short Duplex;
    short Collate;
    short DefaultSource;
    DWORD MediaType;
    // The paper: its form's name and size, and the paper fields it clears and sets.
    WCHAR FormName[CCHFORMNAME];
    short PaperWidth;
    short PaperLength;
    DWORD PaperClearFields;
    DWORD PaperSetFields;
};

struct SettingsContext {
    DWORD InterPoint;
    DWORD InsertEmptyPage;
    DWORD EmbossMode;
    DWORD InkMode;
    DWORD Collate;
    DWORD Preview;
    DWORD InvertColor;
    DWORD LandscapeMode;
    DWORD EmbossStandardTexts;
    DWORD TwoInOne;
    DWORD OutputFaceDown;
    DWORD CropMargins;
    DWORD MagazineFoldLine;
    DWORD TwoPassPrint;
    LONG Brightness;
    LONG InkBrightness;
    LONG Contrast;
    LONG InkContrast;
    DWORD InkDithering;
    DWORD MagnificationLevel;
    DWORD ThinLineIntensity;
    DWORD DotHeight;
    DWORD DotQuality;
    DWORD Quality;
    DWORD MediaType;
    DWORD MediaSurface;
    DWORD PaperSource;
    DWORD RenderMode;
    DWORD Orientation;
    DWORD ColorPattern;
    DWORD BindingEdge;
    WCHAR PatternFileName[kNameChars];
    DWORD InterPointCurrent;
    DWORD TwoInOneCurrent;
    DWORD DeviceDuplex;
    DWORD DeviceGraphicsMode;
    DWORD DeviceAutoWrap;
    DWORD NetworkDhcp;
    DWORD NetworkIpAddress;
    DWORD NetworkGateway;
    DWORD NetworkSubnetMask;
    DWORD InkCartridge1State;
    DWORD InkCartridge2State;
    DWORD PageDirty;
    DWORD DeviceSettingsChanged;
    DWORD DeviceSettingsStale;
    DWORD RefCount;
    DWORD DeviceMediaType;
    DWORD DeviceMediaDotValues;
    DWORD DeviceBrailleDots;
    DWORD DeviceLineSpacing;
    DWORD DeviceTopMargin;
    DWORD DeviceLeftMargin;
    DWORD DeviceRightMargin;
    DWORD DeviceFormWidth;
    DWORD DeviceFormHeight;
    DWORD DeviceBrailleTable;
    DWORD DeviceDotHeight;
    DWORD DeviceBrailleQuality;
    DWORD DevicePaperSource;
    DWORD SecondCarriagePrimary;
    LONG SnapshotItemCount;
    LONG EmbossUsage[4];
    LONG ChromaPodVersion;
    DWORD InkCartridge1Fill;
    DWORD InkCartridge2Fill;
    HANDLE PrinterHandle;
    HANDLE HostHeap;
    HMODULE ResourceModule;
    HMODULE PrinterLinkModule;
    LocaleCreateProc Create;
    LocaleCreateExProc CreateEx;
    LocaleDisposeProc Dispose;
    LocaleInitLocaleProc InitLocale;
    LocaleEnumLocalesProc EnumLocales;
    LocaleEnumLocaleStringsProc EnumLocaleStrings;
    LocaleGetActiveLocaleProc GetActiveLocale;
    LocaleGetStringProc GetString;
    LocaleGetSectionStringProc GetSectionString;
    LocaleTranslateDialogProc TranslateDialog;
    LocaleTranslateMenuProc TranslateMenu;
    HMODULE LocaleModule;
    HANDLE LocaleInstance;
    PDEVMODEW PublicDevmode;
    LONG PaperSize[2];
    DWORD FirmwareVersion;
    WCHAR CustomMediaType[kNameChars];
    WCHAR PrinterName[kNameChars];
    WCHAR DriverName[kNameChars];
    WCHAR LineSpacingText[kDeviceTextChars];
    WCHAR TopMarginText[kDeviceTextChars];
    WCHAR LeftMarginText[kDeviceTextChars];
    WCHAR RightMarginText[kDeviceTextChars];
    WCHAR FormWidthText[kDeviceTextChars];
    WCHAR FormHeightText[kDeviceTextChars];
    WCHAR PrinterSerialNumber[kNameChars];
    WCHAR ChromaPodSerialNumber[kNameChars];
    WCHAR ModelNumber[kNameChars];
    WCHAR InstallFolder[kNameChars];
    WCHAR MacAddressText[kNameChars];
    WCHAR PatternFileNameEdit[kNameChars];
    // Answers that do not change while a sheet is open, asked of the spooler once: the driver
    // directory (empty until asked), whether the user may manage the printer (0 not asked yet,
    // 1 yes, -1 no), and the size of the driver's devmodes.
    WCHAR DriverDirectory[kDriverDirectoryChars];
    LONG ManagePrinterRight;
    LONG DriverDevmodeSize; // bytes of the driver's devmodes, 0 until asked
    // The spooler's answers a sheet asks once (settings/sheet_answers.h), in global blocks freed
    // with the context.
    void* PrinterInfo;
    void* Forms;
    DWORD FormCount;
    LONG FormsListed; // 0 not asked yet, 1 listed, -1 the spooler failed
    void* PaperNames;
    LONG PaperNameCount;
    LONG PaperNamesAsked;
    // The Service page's refresh: the driver's version (empty until asked) and the text of the
    // last status code the printer link reported (when StatusKnown).
    WCHAR DriverVersion[kNameChars];
    BOOL StatusKnown;
    DWORD StatusCode;
    WCHAR StatusText[kNameChars];
    KnownConfigValue KnownConfig[kKnownConfigValues];
    DWORD KnownConfigCount;
    PendingDevmode Pending;
    // The pages whose windows exist, and how many of them applied in the current apply: the
    // sheet tells each in turn, and the last one ends it.
    LONG LivePages;
    LONG PagesApplied;
};

// The fields that both host parameter blocks (the property sheets' OEMUIPSPARAM and the device
// settings tree's OEMCUIPPARAM) begin with, and that a load uses.
struct SettingsSource {
    HANDLE Printer;
    HMODULE Module;
    HANDLE Heap;
    PDEVMODEW PublicDevmode;
};

// Loads a fresh context for the host's printer: every "Config" value (with its default written
// back when missing), corrections from the job's public devmode, the locale binding. Returns
// false, with *context null, when the record or the printer's information cannot be had.
bool LoadSettingsContext(const SettingsSource& source, SettingsContext** context);

// Releases one reference; the last one frees the record and the libraries it loaded.
void ReleaseSettingsContext(SettingsContext* context);

// This machine's printer driver directory ("" when the spooler cannot tell), asked once per
// context.
LPCWSTR DriverDirectory(SettingsContext* context);

// Whether the user may open the context's printer with full access, asked once per context:
// every page and dialog of a sheet wants to know.
bool CanManagePrinter(SettingsContext* context);

// Runs the maker's peripherals installation for the context's printer; false when its library
// or its entry point is missing, and nothing ran.
bool InstallPeripherals(SettingsContext* context);
