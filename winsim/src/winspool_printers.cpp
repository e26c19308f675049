// winspool: the installed printers, the user's rights on them, and printer handles.
#include "winspool_state.h"

#include <winreg.h>

namespace winsim {
namespace spool {
namespace {

State FreshState() {
    State state;
    state.forms = BuiltInForms();
    return state;
}

ResetHook g_reset([] { Spooler() = FreshState(); });

// Rights that only the "Manage Printer" permission grants.
constexpr ACCESS_MASK kManageRights =
    PRINTER_ACCESS_ADMINISTER | PRINTER_ACCESS_MANAGE_LIMITED | DELETE | WRITE_DAC | WRITE_OWNER;
constexpr ACCESS_MASK kModelledRights =
    PRINTER_ALL_ACCESS | PRINTER_ACCESS_MANAGE_LIMITED | READ_CONTROL | SYNCHRONIZE;

void CreateRegistryKey(const std::u16string& path) {
    SpoolerRegistryAccess spooler;
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        Unmodelled("the registry refused the printer key %s (error %d)", Utf8(path).c_str(),
                   static_cast<int>(status));
    RegCloseKey(key);
}

} // namespace

State& Spooler() {
    static State state = FreshState();
    return state;
}

Printer* FindPrinter(const std::u16string& name) {
    auto& printers = Spooler().printers;
    auto it = printers.find(name);
    return it == printers.end() ? nullptr : &it->second;
}

Printer& PrinterForTest(const char* name) {
    Printer* printer = FindPrinter(U16(name ? name : ""));
    if (!printer)
        Unmodelled("the test names a printer it never added: %s", name ? name : "(null)");
    return *printer;
}

Handle* FindHandle(HANDLE handle) {
    Handle* found = Spooler().handles.Find(handle);
    if (!found)
        SetLastError(ERROR_INVALID_HANDLE);
    return found;
}

Printer& PrinterOf(const Handle& handle) {
    Printer* printer = FindPrinter(handle.printer);
    if (!printer)
        Unmodelled("a handle outlived its printer %s", Utf8(handle.printer).c_str());
    return *printer;
}

constexpr std::u16string_view kPrintersKey =
    u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";

std::u16string PrinterRegistryPath(const std::u16string& printer) {
    std::u16string path;
    path.reserve(kPrintersKey.size() + printer.size());
    return path.append(kPrintersKey).append(printer);
}

std::u16string PrinterDataPath(const std::u16string& printer, std::u16string_view key) {
    std::u16string path;
    path.reserve(kPrintersKey.size() + printer.size() + 1 + key.size());
    return path.append(kPrintersKey).append(printer).append(1, u'\\').append(key);
}

std::u16string Text(LPCWSTR text) {
    return text ? std::u16string(text) : std::u16string();
}

size_t DevmodeBytes(const DEVMODEW* devmode) {
    return static_cast<size_t>(devmode->dmSize) + devmode->dmDriverExtra;
}

std::vector<BYTE> CopyDevmode(const DEVMODEW* devmode) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(devmode);
    return std::vector<BYTE>(bytes, bytes + DevmodeBytes(devmode));
}

LPWSTR InfoPacker::String(const std::u16string& text) {
    Align(sizeof(WCHAR));
    size_t size = (text.size() + 1) * sizeof(WCHAR);
    LPWSTR placed = nullptr;
    if (buffer_) {
        placed = reinterpret_cast<LPWSTR>(buffer_ + offset_);
        std::memcpy(placed, text.c_str(), size);
    }
    offset_ += size;
    return placed;
}

LPWSTR InfoPacker::MultiString(const std::vector<std::u16string>& items) {
    if (items.empty())
        return nullptr;
    std::u16string joined;
    for (const auto& item : items) {
        joined += item;
        joined.push_back(u'\0');
    }
    return String(joined); // String adds the list's closing NUL
}

void* InfoPacker::Block(const void* data, size_t size, size_t alignment) {
    Align(alignment);
    void* placed = nullptr;
    if (buffer_) {
        placed = buffer_ + offset_;
        if (size > 0) // an empty value has no data to copy
            std::memcpy(placed, data, size);
    }
    offset_ += size;
    return placed;
}

} // namespace spool
} // namespace winsim

using namespace winsim;
using namespace winsim::spool;

BOOL WINAPI OpenPrinterW(LPWSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSW pDefault) {
    SpoolerCall roundTrip("OpenPrinterW");
    if (!phPrinter)
        Unmodelled("OpenPrinterW without phPrinter");
    *phPrinter = nullptr;
    if (!pPrinterName)
        Unmodelled("OpenPrinterW of the print server (a null name)");
    Printer* printer = FindPrinter(pPrinterName);
    if (!printer) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    ACCESS_MASK desired = pDefault ? pDefault->DesiredAccess : 0;
    if (desired & ~kModelledRights)
        Unmodelled("OpenPrinterW with access 0x%08X", desired);
    if (desired == 0)
        desired = PRINTER_ACCESS_USE;
    if ((desired & kManageRights) && !printer->userCanManage) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    std::u16string dataType = printer->dataType;
    if (pDefault && pDefault->pDatatype) {
        if (!EqualNoCase(pDefault->pDatatype, u"RAW")) {
            SetLastError(ERROR_INVALID_DATATYPE);
            return FALSE;
        }
        dataType = pDefault->pDatatype;
    }
    auto handle = std::make_unique<Handle>();
    handle->printer = printer->name;
    handle->granted = desired;
    handle->dataType = dataType;
    *phPrinter = Spooler().handles.Add(std::move(handle));
    return TRUE;
}

BOOL WINAPI ClosePrinter(HANDLE hPrinter) {
    SpoolerCall roundTrip("ClosePrinter");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    if (handle->job)
        handle->job->record.state = sim::PrintJob::State::Unfinished;
    Spooler().handles.Remove(hPrinter);
    return TRUE;
}

namespace sim {

void AddPrinter(const PrinterSetup& setup) {
    TestSideWork quiet;
    std::u16string name = U16(setup.name.c_str());
    if (name.empty() || FindPrinter(name))
        Unmodelled("AddPrinter of an empty or existing name: %s", setup.name.c_str());
    Printer printer;
    printer.setup = setup;
    printer.name = name;
    printer.driverName = U16(setup.driverName.c_str());
    printer.port = U16(setup.port.c_str());
    printer.printProcessor = U16(setup.printProcessor.c_str());
    printer.dataType = U16(setup.dataType.c_str());
    printer.shareName = U16(setup.shareName.c_str());
    printer.comment = U16(setup.comment.c_str());
    printer.location = U16(setup.location.c_str());
    printer.attributes = setup.attributes;
    printer.userCanManage = setup.userCanManage;
    for (const auto& paper : setup.papers) {
        const spool::Form* form = FindFormByName(U16(paper.c_str()));
        if (!form || !(form->flags & FORM_BUILTIN))
            Unmodelled("printer %s lists %s, which is no built-in form", setup.name.c_str(),
                       paper.c_str());
        printer.papers.push_back(form->name);
    }
    CreateRegistryKey(PrinterRegistryPath(name));
    CreateRegistryKey(PrinterDataPath(name, u"PrinterDriverData"));
    Printer& added = Spooler().printers.emplace(name, std::move(printer)).first->second;
    if (setup.hasDefaultDevmode) {
        if (setup.defaultDevmode.empty()) {
            added.defaultDevmode = DriverDefaultDevmode(setup.name.c_str());
        } else {
            const DEVMODEW* given = reinterpret_cast<const DEVMODEW*>(setup.defaultDevmode.data());
            if (setup.defaultDevmode.size() < offsetof(DEVMODEW, dmFields) ||
                DevmodeBytes(given) != setup.defaultDevmode.size())
                Unmodelled("printer %s: the default devmode's size fields disagree with its %zu "
                           "bytes",
                           setup.name.c_str(), setup.defaultDevmode.size());
            added.defaultDevmode = setup.defaultDevmode;
        }
    }
}

void SetUserCanManage(const char* printer, bool canManage) {
    PrinterForTest(printer).userCanManage = canManage;
}

size_t OpenPrinterHandles(const char* printer) {
    if (!printer)
        return Spooler().handles.Count();
    std::u16string name = PrinterForTest(printer).name;
    size_t count = 0;
    Spooler().handles.ForEach([&](HANDLE, const Handle& handle) {
        if (EqualNoCase(handle.printer, name))
            ++count;
    });
    return count;
}

} // namespace sim
