// winspool: DocumentPropertiesW and DeviceCapabilitiesW, answered by a plain model of a typical
// printer driver (or by driver hooks a test installs). The model's choices are listed in
// sim/spooler.h.
#include "winspool_state.h"

#include <algorithm>

namespace winsim {
namespace spool {
namespace {

constexpr LONG kIdOk = 1; // IDOK
constexpr int kMaxCopies = 999;
constexpr size_t kPaperNameSlot = 64;
constexpr size_t kBinNameSlot = 24;

DWORD SupportedFields(const Printer& printer) {
    DWORD fields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                   DM_DEFAULTSOURCE | DM_COLLATE | DM_FORMNAME | DM_MEDIATYPE;
    return printer.setup.duplex ? fields | DM_DUPLEX : fields;
}

size_t DriverDevmodeSize(const Printer& printer) {
    return sizeof(DEVMODEW) + printer.setup.driverExtra;
}

// Copies a name into a fixed WCHAR field, cut to leave room for the terminator.
void CopyName(WCHAR* field, size_t capacity, const std::u16string& name) {
    size_t length = std::min(name.size(), capacity - 1);
    std::fill(field, field + capacity, u'\0');
    std::copy(name.begin(), name.begin() + length, field);
}

std::u16string FieldText(const WCHAR* field, size_t capacity) {
    size_t length = 0;
    while (length < capacity && field[length])
        ++length;
    return std::u16string(field, length);
}

std::vector<BYTE> DriverDefault(const Printer& printer) {
    std::vector<BYTE> bytes(DriverDevmodeSize(printer), 0);
    DEVMODEW* devmode = reinterpret_cast<DEVMODEW*>(bytes.data());
    CopyName(devmode->dmDeviceName, CCHDEVICENAME, printer.name);
    devmode->dmSpecVersion = DM_SPECVERSION;
    devmode->dmDriverVersion = printer.setup.devmodeDriverVersion;
    devmode->dmSize = sizeof(DEVMODEW);
    devmode->dmDriverExtra = printer.setup.driverExtra;
    DWORD fields = DM_ORIENTATION | DM_COPIES | DM_DEFAULTSOURCE | DM_COLLATE | DM_MEDIATYPE;
    if (printer.setup.duplex)
        fields |= DM_DUPLEX;
    devmode->dmOrientation = DMORIENT_PORTRAIT;
    devmode->dmCopies = 1;
    devmode->dmDefaultSource = DMBIN_FORMSOURCE;
    devmode->dmDuplex = DMDUP_SIMPLEX;
    devmode->dmCollate = DMCOLLATE_FALSE;
    devmode->dmMediaType = DMMEDIA_STANDARD;
    std::vector<Paper> papers = PapersOf(printer);
    if (!papers.empty()) {
        devmode->dmPaperSize = static_cast<short>(papers.front().number);
        CopyName(devmode->dmFormName, CCHFORMNAME, papers.front().form->name);
        fields |= DM_PAPERSIZE | DM_FORMNAME;
    }
    devmode->dmFields = fields;
    return bytes;
}

bool IsPaperNumber(const Printer& printer, short number) {
    for (const auto& paper : PapersOf(printer))
        if (paper.number == static_cast<WORD>(number))
            return true;
    return false;
}

bool IsPaperName(const Printer& printer, const std::u16string& name) {
    for (const auto& paper : PapersOf(printer))
        if (EqualNoCase(paper.form->name, name))
            return true;
    return false;
}

bool IsBin(const Printer& printer, short bin) {
    for (const auto& entry : printer.setup.bins)
        if (entry.first == static_cast<WORD>(bin))
            return true;
    return false;
}

bool SaneInput(const DEVMODEW* devmode) {
    return devmode->dmSize >= offsetof(DEVMODEW, dmFields) + sizeof(DWORD) &&
           devmode->dmSize <= sizeof(DEVMODEW);
}

// Merges the fields the input carries onto the base (a devmode of the driver's size).
void Merge(std::vector<BYTE>& base, const DEVMODEW* input, const Printer& printer) {
    DEVMODEW* out = reinterpret_cast<DEVMODEW*>(base.data());
    DWORD wanted = input->dmFields & SupportedFields(printer);
    auto carries = [&](DWORD field, size_t offset, size_t size) {
        return (wanted & field) && offset + size <= input->dmSize;
    };
    auto take = [&](DWORD field) { out->dmFields |= field; };
#define CARRIES(field, member) carries(field, offsetof(DEVMODEW, member), sizeof(input->member))
    if (CARRIES(DM_ORIENTATION, dmOrientation) &&
        (input->dmOrientation == DMORIENT_PORTRAIT || input->dmOrientation == DMORIENT_LANDSCAPE)) {
        out->dmOrientation = input->dmOrientation;
        take(DM_ORIENTATION);
    }
    if (CARRIES(DM_PAPERSIZE, dmPaperSize) && IsPaperNumber(printer, input->dmPaperSize)) {
        out->dmPaperSize = input->dmPaperSize;
        take(DM_PAPERSIZE);
    }
    if (CARRIES(DM_PAPERLENGTH, dmPaperLength) && input->dmPaperLength > 0) {
        out->dmPaperLength = input->dmPaperLength;
        take(DM_PAPERLENGTH);
    }
    if (CARRIES(DM_PAPERWIDTH, dmPaperWidth) && input->dmPaperWidth > 0) {
        out->dmPaperWidth = input->dmPaperWidth;
        take(DM_PAPERWIDTH);
    }
    if (CARRIES(DM_COPIES, dmCopies) && input->dmCopies >= 1 && input->dmCopies <= kMaxCopies) {
        out->dmCopies = input->dmCopies;
        take(DM_COPIES);
    }
    if (CARRIES(DM_DEFAULTSOURCE, dmDefaultSource) && IsBin(printer, input->dmDefaultSource)) {
        out->dmDefaultSource = input->dmDefaultSource;
        take(DM_DEFAULTSOURCE);
    }
    if (CARRIES(DM_DUPLEX, dmDuplex) && input->dmDuplex >= DMDUP_SIMPLEX &&
        input->dmDuplex <= DMDUP_HORIZONTAL) {
        out->dmDuplex = input->dmDuplex;
        take(DM_DUPLEX);
    }
    if (CARRIES(DM_COLLATE, dmCollate) &&
        (input->dmCollate == DMCOLLATE_FALSE || input->dmCollate == DMCOLLATE_TRUE)) {
        out->dmCollate = input->dmCollate;
        take(DM_COLLATE);
    }
    if (CARRIES(DM_FORMNAME, dmFormName)) {
        std::u16string name = FieldText(input->dmFormName, CCHFORMNAME);
        if (IsPaperName(printer, name)) {
            CopyName(out->dmFormName, CCHFORMNAME, name);
            take(DM_FORMNAME);
        }
    }
    if (CARRIES(DM_MEDIATYPE, dmMediaType) && input->dmMediaType != 0) {
        out->dmMediaType = input->dmMediaType;
        take(DM_MEDIATYPE);
    }
#undef CARRIES
    if (input->dmDriverExtra == printer.setup.driverExtra && input->dmDriverExtra > 0) {
        const BYTE* privateBytes = reinterpret_cast<const BYTE*>(input) + input->dmSize;
        std::copy(privateBytes, privateBytes + input->dmDriverExtra,
                  base.begin() + sizeof(DEVMODEW));
    }
}

// "The printer's default devmode": the stored one merged onto the driver's default.
std::vector<BYTE> PrinterDefault(const Printer& printer) {
    std::vector<BYTE> base = DriverDefault(printer);
    if (printer.defaultDevmode)
        Merge(base, reinterpret_cast<const DEVMODEW*>(printer.defaultDevmode->data()), printer);
    return base;
}

LONG Fail(DWORD error) {
    SetLastError(error);
    return -1;
}

LONG GenericProperties(const Printer& printer, PDEVMODEW output, PDEVMODEW input, DWORD mode) {
    if (mode & (DM_IN_PROMPT | DM_OUT_DEFAULT))
        Unmodelled("DocumentPropertiesW mode 0x%X (prompting or updating the default)", mode);
    if (mode & ~static_cast<DWORD>(DM_IN_BUFFER | DM_OUT_BUFFER))
        Unmodelled("DocumentPropertiesW mode 0x%X", mode);
    if (mode == 0)
        return static_cast<LONG>(DriverDevmodeSize(printer));
    std::vector<BYTE> result = PrinterDefault(printer);
    if (mode & DM_IN_BUFFER) {
        if (!input || !SaneInput(input))
            return Fail(ERROR_INVALID_PARAMETER);
        Merge(result, input, printer);
    }
    if (mode & DM_OUT_BUFFER) {
        if (!output)
            return Fail(ERROR_INVALID_PARAMETER);
        std::memcpy(output, result.data(), result.size());
    }
    return kIdOk;
}

template <class Item, class Write>
int AnswerList(const std::vector<Item>& items, LPWSTR output, Write write) {
    if (output)
        for (size_t i = 0; i < items.size(); ++i)
            write(reinterpret_cast<BYTE*>(output), i, items[i]);
    return static_cast<int>(items.size());
}

int GenericCapabilities(const Printer& printer, WORD capability, LPWSTR output) {
    switch (capability) {
    case DC_PAPERS:
        return AnswerList(PapersOf(printer), output, [](BYTE* out, size_t i, const Paper& paper) {
            reinterpret_cast<WORD*>(out)[i] = paper.number;
        });
    case DC_PAPERNAMES:
        return AnswerList(PapersOf(printer), output, [](BYTE* out, size_t i, const Paper& paper) {
            CopyName(reinterpret_cast<WCHAR*>(out) + i * kPaperNameSlot, kPaperNameSlot,
                     paper.form->name);
        });
    case DC_PAPERSIZE:
        return AnswerList(PapersOf(printer), output, [](BYTE* out, size_t i, const Paper& paper) {
            POINT size = {paper.form->size.cx / 100, paper.form->size.cy / 100};
            std::memcpy(out + i * sizeof(POINT), &size, sizeof size);
        });
    case DC_BINS:
        return AnswerList(printer.setup.bins, output, [](BYTE* out, size_t i, const auto& bin) {
            reinterpret_cast<WORD*>(out)[i] = bin.first;
        });
    case DC_BINNAMES:
        return AnswerList(printer.setup.bins, output, [](BYTE* out, size_t i, const auto& bin) {
            CopyName(reinterpret_cast<WCHAR*>(out) + i * kBinNameSlot, kBinNameSlot,
                     U16(bin.second.c_str()));
        });
    case DC_FIELDS:
        return static_cast<int>(SupportedFields(printer));
    case DC_SIZE:
        return sizeof(DEVMODEW);
    case DC_EXTRA:
        return printer.setup.driverExtra;
    case DC_VERSION:
        return DM_SPECVERSION;
    case DC_DRIVER:
        return printer.setup.devmodeDriverVersion;
    case DC_DUPLEX:
        return printer.setup.duplex ? 1 : 0;
    case DC_COLLATE:
        return 1;
    case DC_COPIES:
        return kMaxCopies;
    case DC_ORIENTATION:
        return 90;
    default:
        Unmodelled("DeviceCapabilitiesW capability %u", capability);
    }
}

} // namespace
} // namespace spool
} // namespace winsim

using namespace winsim;
using namespace winsim::spool;

LONG WINAPI DocumentPropertiesW(HWND hWnd, HANDLE hPrinter, LPWSTR pDeviceName,
                                PDEVMODEW pDevModeOutput, PDEVMODEW pDevModeInput, DWORD fMode) {
    UNREFERENCED_PARAMETER(hWnd); // the owner of a prompt, which is not modelled
    SpoolerCall roundTrip("DocumentPropertiesW");
    Printer* printer = nullptr;
    if (hPrinter) {
        Handle* handle = FindHandle(hPrinter);
        if (!handle)
            return -1;
        printer = &PrinterOf(*handle);
    } else {
        printer = FindPrinter(Text(pDeviceName));
        if (!printer)
            return Fail(ERROR_INVALID_PRINTER_NAME);
    }
    sim::DocumentPropertiesCall call{Utf8(printer->name), fMode, false, {}, {}, -1};
    call.sameBuffer = pDevModeInput && pDevModeInput == pDevModeOutput;
    if ((fMode & DM_IN_BUFFER) && pDevModeInput && SaneInput(pDevModeInput))
        call.input = CopyDevmode(pDevModeInput);
    call.result = GenericProperties(*printer, pDevModeOutput, pDevModeInput, fMode);
    if (call.result == kIdOk && (fMode & DM_OUT_BUFFER) && pDevModeOutput)
        call.output = CopyDevmode(pDevModeOutput);
    Spooler().documentPropertiesLog.push_back(call);
    return call.result;
}

int WINAPI DeviceCapabilitiesW(LPCWSTR pDevice, LPCWSTR pPort, WORD fwCapability, LPWSTR pOutput,
                               const DEVMODEW* pDevMode) {
    SpoolerCall roundTrip("DeviceCapabilitiesW");
    Printer* printer = FindPrinter(Text(pDevice));
    if (!printer) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return -1;
    }
    if (printer->hooks.deviceCapabilities)
        return printer->hooks.deviceCapabilities(pDevice, pPort, fwCapability, pOutput, pDevMode);
    return GenericCapabilities(*printer, fwCapability, pOutput);
}

namespace sim {

std::vector<BYTE> DriverDefaultDevmode(const char* printer) {
    return DriverDefault(PrinterForTest(printer));
}

const std::vector<DocumentPropertiesCall>& DocumentPropertiesLog() {
    return Spooler().documentPropertiesLog;
}

void SetDriverHooks(const char* printer, DriverHooks hooks) {
    PrinterForTest(printer).hooks = std::move(hooks);
}

int GenericDeviceCapabilities(LPCWSTR device, WORD capability, LPWSTR output, const DEVMODEW*) {
    Printer* printer = FindPrinter(Text(device));
    if (!printer) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return -1;
    }
    return GenericCapabilities(*printer, capability, output);
}

} // namespace sim
