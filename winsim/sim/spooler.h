// The print spooler as tests see it: printers and the user's rights on them, their data, default
// devmodes, the print server's forms, the generic driver that answers for the printers, raw jobs,
// the faults the spooler can be made to return, and the logs of what the code under test did.
//
// Model notes (choices where the platform leaves room, or where winsim keeps it simple):
// - Printer data lives in the registry under HKEY_LOCAL_MACHINE
//   "SYSTEM\CurrentControlSet\Control\Print\Printers\<printer>\<key>"; a registry read sees what
//   SetPrinterDataExW wrote and the other way round. SetPrinterDataW uses the key
//   "PrinterDriverData". Writes and deletes need PRINTER_ACCESS_ADMINISTER (or
//   PRINTER_ACCESS_MANAGE_LIMITED) on the handle, else ERROR_ACCESS_DENIED; reads need nothing more
//   than an open handle. A size query (no buffer, or one too small) answers ERROR_MORE_DATA with
//   the size in pcbNeeded.
// - EnumPrinterDataExW answers an array of PRINTER_ENUM_VALUES in the registry's value order,
//   the names and data packed after it (data 4-byte aligned). A buffer too small for the whole
//   answer gives ERROR_MORE_DATA with the size in pcbEnumValues and 0 values; a key that does not
//   exist, ERROR_FILE_NOT_FOUND; an empty key, success with 0 bytes and 0 values. The enumeration
//   reads every value: a read fault on the key or on any value it holds fails it with that error.
// - OpenPrinterW without defaults, or with DesiredAccess 0, grants PRINTER_ACCESS_USE. Asking for
//   PRINTER_ACCESS_ADMINISTER (PRINTER_ALL_ACCESS included) fails with ERROR_ACCESS_DENIED unless
//   the user holds the "Manage Printer" right on that printer (SetUserCanManage). Generic rights
//   (GENERIC_READ...) and server handles (a null name) are not modelled.
// - GetPrinterW levels 1 and 2 pack strings (and the level 2 devmode) into the caller's buffer
//   right after the structure. PRINTER_INFO_1: Flags PRINTER_ENUM_ICON8, pDescription
//   "name,driver,location". PRINTER_INFO_2: pServerName and pSecurityDescriptor are null (a local
//   printer, security not modelled); Status 0, cJobs = jobs open on the printer, AveragePPM 0.
// - SetPrinterW level 2, command 0, needs PRINTER_ACCESS_ADMINISTER. pDevMode (when not null) is
//   stored as the new default devmode, dmSize + dmDriverExtra bytes copied unchanged (the driver
//   is not asked to convert it); a null pDevMode keeps the current one. pShareName, pPortName,
//   pComment, pLocation, pSepFile, pPrintProcessor, pDatatype, pParameters, Attributes, Priority,
//   DefaultPriority, StartTime and UntilTime are stored (a null string keeps its value);
//   pServerName, Status, cJobs and AveragePPM are read-only and ignored. Renaming the printer,
//   changing its driver or setting a security descriptor is not modelled (aborts).
// - Forms belong to the print server and are shared by all printers: the built-in ones
//   (FORM_BUILTIN, real sizes in micrometres, imageable area = the whole sheet) and user forms.
//   AddFormW and DeleteFormW need PRINTER_ACCESS_ADMINISTER on the handle. A name that exists:
//   ERROR_FILE_EXISTS; deleting a built-in form: ERROR_INVALID_PARAMETER (the platform documents
//   only that built-in forms cannot be deleted); an unknown name: ERROR_INVALID_FORM_NAME.
// - The generic driver (what DocumentPropertiesW and DeviceCapabilitiesW answer unless a test
//   installs driver hooks for the printer):
//   * Papers: the printer's built-in form names (PrinterSetup::papers), then every user form of
//     the server in the order they were added. Paper numbers: the DMPAPER_ id of a built-in form;
//     DMPAPER_USER + n for a user form, n being its 1-based position in the server's form list.
//     DC_PAPERSIZE gives the form's size / 100 (tenths of a millimetre). The lists do not depend on
//     the devmode passed in.
//   * Supported devmode fields (DC_FIELDS): DM_ORIENTATION, DM_PAPERSIZE, DM_PAPERLENGTH,
//     DM_PAPERWIDTH, DM_COPIES, DM_DEFAULTSOURCE, DM_COLLATE, DM_FORMNAME, DM_MEDIATYPE, and
//     DM_DUPLEX when PrinterSetup::duplex.
//   * The driver's default devmode: dmDeviceName = the printer name (31 characters at most),
//     dmSpecVersion DM_SPECVERSION, dmDriverVersion PrinterSetup::devmodeDriverVersion, dmSize 220,
//     dmDriverExtra PrinterSetup::driverExtra (private bytes zero), portrait, the first paper
//     (dmPaperSize and dmFormName; dmPaperWidth/Length 0 and their bits clear), 1 copy,
//     dmDefaultSource DMBIN_FORMSOURCE, simplex, collate off, dmMediaType DMMEDIA_STANDARD;
//     dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_COLLATE |
//     DM_FORMNAME | DM_MEDIATYPE (| DM_DUPLEX). Without papers DM_PAPERSIZE and DM_FORMNAME stay
//     clear.
//   * DocumentPropertiesW: mode 0 answers 220 + driverExtra. Without DM_IN_BUFFER the result is
//     "the printer's default devmode": the stored default merged onto the driver's default, or the
//     driver's default when the printer has none. DM_IN_BUFFER merges the input onto that: each
//     supported field whose bit is set in the input and whose value is valid replaces the base's
//     value and its bit is added to the base's dmFields (fields the input clears stay as the base
//     has them). Valid: orientation 1-2, a paper number of the printer, width/length > 0, copies
//     1-999, a bin of the printer, duplex 1-3, collate 0-1, the name of one of the printer's
//     papers, any media type other than 0. Fields beyond the input's dmSize are not read; its
//     private bytes are taken when its dmDriverExtra equals the driver's. Input and output may be
//     the same buffer. DM_OUT_BUFFER writes 220 + driverExtra bytes. Success is IDOK (1), failure
//     -1. DM_IN_PROMPT and DM_OUT_DEFAULT are not modelled.
//   * DeviceCapabilitiesW also answers DC_SIZE, DC_EXTRA, DC_VERSION, DC_DRIVER, DC_BINS,
//     DC_BINNAMES (24-character slots), DC_DUPLEX, DC_COLLATE (1), DC_COPIES (999),
//     DC_ORIENTATION (90); other capabilities are not modelled. An unknown printer gives -1.
// - Drivers: GetPrinterDriverW level 6 for the default environment or "Windows x64"; an empty
//   dependent-file or previous-name list is a null pointer. GetPrinterDriverDirectoryW level 1
//   answers "C:\Windows\system32\spool\DRIVERS\x64" (or W32X86 for "Windows NT x86"); pcbNeeded is
//   the size in bytes with the terminator; a short buffer fails with ERROR_INSUFFICIENT_BUFFER.
// - Jobs: StartDocPrinterW level 1 with data type "RAW" (or none, meaning the handle's "RAW");
//   another data type fails with ERROR_INVALID_DATATYPE. Job ids count from 1. A second
//   StartDocPrinterW on the same handle, or WritePrinter/EndDocPrinter without a document, is not
//   modelled. ClosePrinter with a document open leaves the job marked unfinished.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// Round trips to the print spooler. Every call of a winspool entry point is one, and so is every
// registry call on a printer's key or a key below it (HKEY_LOCAL_MACHINE
// "SYSTEM\CurrentControlSet\Control\Print\Printers\<printer>"): on a print server's client
// that key lives on the server. Registry work the spooler does itself is part of its own call, and
// what the sim:: helpers read and write is the test's, so neither is counted. Counting starts at
// zero with sim::Reset and at ResetSpoolerCalls.
void ResetSpoolerCalls();
// Calls of one function ("GetPrinterW", "RegEnumValueW", ...) since the last reset.
size_t SpoolerCalls(const char* function);
// Calls per function, and every call's function in order.
std::map<std::string, size_t> SpoolerCallCounts();
const std::vector<std::string>& SpoolerCallLog();

// Everything a printer is installed with. Names are UTF-8 here.
struct PrinterSetup {
    std::string name;
    std::string driverName = "Tarvik";
    std::string port = "USB001";
    std::string printProcessor = "WinPrint";
    std::string dataType = "RAW";
    std::string shareName;
    std::string comment;
    std::string location;
    DWORD attributes = PRINTER_ATTRIBUTE_LOCAL;
    // Whether the current user holds the "Manage Printer" right (PRINTER_ACCESS_ADMINISTER).
    bool userCanManage = true;
    // The printer's default devmode (PRINTER_INFO_2 pDevMode): none, the driver's default
    // (defaultDevmode empty) or exactly these bytes (dmSize + dmDriverExtra of them).
    bool hasDefaultDevmode = true;
    std::vector<BYTE> defaultDevmode;
    // The driver's papers: names of built-in forms, in the driver's order (user forms follow).
    std::vector<std::string> papers = {"Letter", "Legal",    "A4",        "A3",
                                       "A5",     "B5 (JIS)", "Executive", "Tabloid"};
    std::vector<std::pair<WORD, std::string>> bins = {{DMBIN_FORMSOURCE, "Automatically Select"},
                                                      {DMBIN_TRACTOR, "Tractor Feed"}};
    bool duplex = true;
    WORD devmodeDriverVersion = 0x0001;
    WORD driverExtra = 0;
    // DRIVER_INFO_6.
    DWORDLONG driverVersion = 0x0001000000000000ULL; // 1.0.0.0
    FILETIME driverDate = {0, 0};
    std::string driverPath = "C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\UNIDRV.DLL";
    std::string dataFile = "C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\TARVIK.GPD";
    std::string configFile = "C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\UNIDRVUI.DLL";
    std::string helpFile = "C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\UNIDRV.HLP";
    std::vector<std::string> dependentFiles;
    std::string monitorName;
    std::string defaultDataType = "RAW";
    std::vector<std::string> previousNames;
    std::string manufacturer = "Quorvane";
    std::string oemUrl;
    std::string hardwareId;
    std::string provider = "Quorvane";
};

// Installs a printer (its registry key and "PrinterDriverData" key are created). A name that is
// already installed, or a paper that is not a built-in form, is a mistake in the test and aborts.
void AddPrinter(const PrinterSetup& setup);
void SetUserCanManage(const char* printer, bool canManage);

// Open printer handles, for leak checks (all printers, or one).
size_t OpenPrinterHandles(const char* printer = nullptr);

// Printer data, read and written straight in the registry (no handle, no rights involved).
struct PrinterDataValue {
    DWORD type;
    std::vector<BYTE> data;
};
std::optional<PrinterDataValue> ReadPrinterData(const char* printer, const char* key,
                                                const char* value);
void WritePrinterData(const char* printer, const char* key, const char* value, DWORD type,
                      const std::vector<BYTE>& data);
void WritePrinterDword(const char* printer, const char* key, const char* value, DWORD data);
// A UTF-16 string stored with its terminator, as REG_SZ.
void WritePrinterString(const char* printer, const char* key, const char* value, const char* text);

// Printer data faults: every write (set or delete) / read of the value (or of every value of the
// key when value is null) through the spooler fails with the given error. 0 removes the fault.
void FailPrinterDataWrites(const char* printer, const char* key, const char* value, DWORD error);
void FailPrinterDataReads(const char* printer, const char* key, const char* value, DWORD error);

// The printer's default devmode (dmSize + dmDriverExtra bytes), or none.
std::optional<std::vector<BYTE>> DefaultDevmode(const char* printer);
// Replaces it (null = none); copies dmSize + dmDriverExtra bytes.
void SetDefaultDevmode(const char* printer, const DEVMODEW* devmode);
// What the generic driver gives as its default devmode for the printer.
std::vector<BYTE> DriverDefaultDevmode(const char* printer);

// Every SetPrinterW call, in order.
struct SetPrinterCall {
    std::string printer;
    DWORD level;
    DWORD command;
    BOOL result;
    DWORD error;               // last error when it failed
    bool devmodeStored;        // a new default devmode was stored
    std::vector<BYTE> devmode; // what was stored (dmSize + dmDriverExtra bytes)
};
const std::vector<SetPrinterCall>& SetPrinterLog();
void FailSetPrinter(const char* printer, DWORD error); // 0 removes the fault

// Every DocumentPropertiesW call, in order.
struct DocumentPropertiesCall {
    std::string printer;
    DWORD mode;
    bool sameBuffer;          // input and output were the same buffer
    std::vector<BYTE> input;  // the devmode passed in (dmSize + dmDriverExtra), if any
    std::vector<BYTE> output; // what was written to the output buffer, if anything
    LONG result;
};
const std::vector<DocumentPropertiesCall>& DocumentPropertiesLog();

// A stand-in for the printer's driver: a hook that is set answers DeviceCapabilitiesW instead of
// the generic driver; it may call the generic one itself (GenericDeviceCapabilities), as a core
// driver does before handing its plug-in the rest.
struct DriverHooks {
    std::function<int(LPCWSTR, LPCWSTR, WORD, LPWSTR, const DEVMODEW*)> deviceCapabilities;
};
void SetDriverHooks(const char* printer, DriverHooks hooks);
int GenericDeviceCapabilities(LPCWSTR device, WORD capability, LPWSTR output,
                              const DEVMODEW* devmode);

// The print server's forms, in its order (built-in ones first).
struct Form {
    std::string name;
    DWORD flags;
    SIZEL size;
    RECTL imageableArea;
};
std::vector<Form> Forms();
std::optional<Form> FindForm(const char* name);

// Raw jobs, byte for byte.
struct PrintJob {
    enum class State { Printing, Completed, Unfinished };
    DWORD id;
    std::string document;
    std::string outputFile;
    std::string dataType;
    std::vector<BYTE> data;
    State state;
};
std::vector<PrintJob> Jobs(const char* printer);
void FailStartDocPrinter(const char* printer, DWORD error); // 0 removes the fault
// WritePrinter accepts at most this many bytes per call (a short write); 0 removes the limit.
void LimitWritePrinter(const char* printer, DWORD maxBytes);

} // namespace sim
