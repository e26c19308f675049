// The spooler's state, shared by the files that model winspool: printers, handles, forms, jobs,
// faults and logs, and the helpers that pack *_INFO answers into a caller's buffer.
#pragma once

#include "internal.h"
#include "sim/spooler.h"

#include <winspool.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace winsim {
namespace spool {

struct Printer {
    sim::PrinterSetup setup;
    std::u16string name;
    std::u16string driverName;
    std::u16string port;
    std::u16string printProcessor;
    std::u16string dataType;
    std::u16string shareName;
    std::u16string comment;
    std::u16string location;
    std::u16string sepFile;
    std::u16string parameters;
    DWORD attributes = 0;
    DWORD priority = 1;
    DWORD defaultPriority = 0;
    DWORD startTime = 0;
    DWORD untilTime = 0;
    bool userCanManage = true;
    std::optional<std::vector<BYTE>> defaultDevmode;
    std::vector<std::u16string> papers; // the driver's built-in forms
    sim::DriverHooks hooks;
    // Faults.
    DWORD setPrinterError = 0;
    DWORD startDocError = 0;
    DWORD writeLimit = 0;
};

struct Job {
    sim::PrintJob record;
    std::u16string printer;
};

struct Handle {
    std::u16string printer;
    ACCESS_MASK granted = 0;
    std::u16string dataType;
    Job* job = nullptr; // the document open on this handle
};

struct Form {
    std::u16string name;
    DWORD flags;
    SIZEL size;
    RECTL imageableArea;
};

struct DataFault {
    std::u16string printer; // all compared without case
    std::u16string key;
    std::optional<std::u16string> value; // none = every value of the key
    DWORD error;
};

struct State {
    std::map<std::u16string, Printer, LessNoCase> printers;
    HandleTable<HANDLE, Handle> handles;
    std::vector<Form> forms;
    std::vector<std::unique_ptr<Job>> jobs;
    DWORD nextJobId = 1;
    std::vector<DataFault> writeFaults;
    std::vector<DataFault> readFaults;
    std::vector<sim::SetPrinterCall> setPrinterLog;
    std::vector<sim::DocumentPropertiesCall> documentPropertiesLog;
    // Round trips: calls per function, every call in order, and how deep the spooler is in its
    // own work (nothing inside it is counted).
    std::map<std::string, size_t, std::less<>> roundTrips;
    std::vector<std::string> roundTripLog;
    int depth = 0;
};

State& Spooler();

// One call into the spooler from outside it, at the top of every winspool entry point: a round
// trip, counted. What happens inside (registry work, one entry point calling another, a driver
// hook calling the generic driver) belongs to that call.
class SpoolerCall {
public:
    explicit SpoolerCall(const char* function);
    ~SpoolerCall();
    SpoolerCall(const SpoolerCall&) = delete;
    SpoolerCall& operator=(const SpoolerCall&) = delete;
};

// Work of the sim:: helpers on printer data: the test's own, never a round trip.
class TestSideWork {
public:
    TestSideWork();
    ~TestSideWork();
    TestSideWork(const TestSideWork&) = delete;
    TestSideWork& operator=(const TestSideWork&) = delete;
};

// Lookups. The sim:: entry points abort on a printer the test never added.
Printer* FindPrinter(const std::u16string& name);
Printer& PrinterForTest(const char* name);
// The handle's record, or null with ERROR_INVALID_HANDLE set.
Handle* FindHandle(HANDLE handle);
Printer& PrinterOf(const Handle& handle);

// "SYSTEM\CurrentControlSet\Control\Print\Printers\<printer>" and a key below it.
std::u16string PrinterRegistryPath(const std::u16string& printer);
std::u16string PrinterDataPath(const std::u16string& printer, std::u16string_view key);

// Form lookups and the driver's papers (built-in list, then the server's user forms).
const Form* FindFormByName(const std::u16string& name);
struct Paper {
    WORD number;
    const Form* form;
};
std::vector<Paper> PapersOf(const Printer& printer);
std::vector<Form> BuiltInForms();

// Devmode helpers.
size_t DevmodeBytes(const DEVMODEW* devmode); // dmSize + dmDriverExtra
std::vector<BYTE> CopyDevmode(const DEVMODEW* devmode);

// Length of a NUL-terminated UTF-16 string (null counts as empty).
std::u16string Text(LPCWSTR text);

// Packs the variable part of an *_INFO answer after its fixed part. With a null buffer it only
// measures, so one routine sizes the answer and then writes it.
class InfoPacker {
public:
    InfoPacker(BYTE* buffer, size_t fixedSize) : buffer_(buffer), offset_(fixedSize) {}
    LPWSTR String(const std::u16string& text);
    // A double-NUL-terminated list; null for an empty list.
    LPWSTR MultiString(const std::vector<std::u16string>& items);
    void* Block(const void* data, size_t size, size_t alignment);
    size_t Size() const { return offset_; }

private:
    void Align(size_t alignment) { offset_ = (offset_ + alignment - 1) / alignment * alignment; }
    BYTE* buffer_;
    size_t offset_;
};

// Runs fill(nullptr) to size the answer, then fill(buffer) when it fits, with the platform's
// rules for pcbNeeded and ERROR_INSUFFICIENT_BUFFER.
template <class Fill> BOOL AnswerInto(LPBYTE buffer, DWORD cbBuf, LPDWORD pcbNeeded, Fill fill) {
    if (!pcbNeeded)
        Unmodelled("spooler query without pcbNeeded");
    size_t needed = fill(nullptr);
    *pcbNeeded = static_cast<DWORD>(needed);
    if (cbBuf < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (!buffer)
        Unmodelled("spooler query with a null buffer of %u bytes", cbBuf);
    fill(buffer);
    return TRUE;
}

} // namespace spool
} // namespace winsim
