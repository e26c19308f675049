// winspool: counting the round trips to the print spooler.
#include "winspool_state.h"

namespace winsim {
namespace spool {
namespace {

const char16_t kPrintersPath[] = u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";

void RecordRoundTrip(const char* function) {
    State& state = Spooler();
    auto counted = state.roundTrips.find(std::string_view(function));
    if (counted == state.roundTrips.end())
        counted = state.roundTrips.emplace(function, 0).first;
    ++counted->second;
    state.roundTripLog.push_back(function);
}

// A printer's own key or one below it; the Printers key itself belongs to no printer.
bool IsPrinterKey(std::u16string_view path) {
    const std::u16string_view prefix = kPrintersPath;
    return path.size() > prefix.size() && EqualNoCase(path.substr(0, prefix.size()), prefix);
}

} // namespace

SpoolerCall::SpoolerCall(const char* function) {
    if (Spooler().depth == 0)
        RecordRoundTrip(function);
    ++Spooler().depth;
}

SpoolerCall::~SpoolerCall() {
    --Spooler().depth;
}

TestSideWork::TestSideWork() {
    ++Spooler().depth;
}

TestSideWork::~TestSideWork() {
    --Spooler().depth;
}

} // namespace spool

bool MayCountRegistryRoundTrip(bool localMachine) {
    return localMachine && spool::Spooler().depth == 0;
}

void CountRegistryRoundTrip(const char* function, bool localMachine, std::u16string_view path) {
    if (MayCountRegistryRoundTrip(localMachine) && spool::IsPrinterKey(path))
        spool::RecordRoundTrip(function);
}

} // namespace winsim

namespace sim {

using winsim::spool::Spooler;

void ResetSpoolerCalls() {
    Spooler().roundTrips.clear();
    Spooler().roundTripLog.clear();
}

size_t SpoolerCalls(const char* function) {
    auto it = Spooler().roundTrips.find(std::string_view(function));
    return it == Spooler().roundTrips.end() ? 0 : it->second;
}

std::map<std::string, size_t> SpoolerCallCounts() {
    return {Spooler().roundTrips.begin(), Spooler().roundTrips.end()};
}

const std::vector<std::string>& SpoolerCallLog() {
    return Spooler().roundTripLog;
}

} // namespace sim
