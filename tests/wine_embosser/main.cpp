// qvmonext.dll on the real platform: loaded from the printer driver directory as the plug-in
// loads it, its state kept in qvmonext.state beside it from one load, and one process, to the
// next. scripts/wine-embosser-check.sh runs the program once per step:
//   first     a fresh embosser; parameters, a table and a service applied; a new load sees them
//   second    a new process sees them too
//   hammer    run by two processes at once: test pages, each stored as it is embossed
//   counted   every test page of both processes was counted
//   scripted  after scripts/embosser_state.py set a paper jam and took the ink unit away
// What the embosser makes of damaged state files and refused values is tests/embosser's.
#include "check_log.h"
#include "folders.h"
#include "printer_link.h"

#include <cstdlib>
#include <cstring>

namespace {

void CheckEntryPoints(const PrinterLink& link) {
    Check("qvmonext.dll loads from the printer driver directory", link.Loaded(), "loaded",
          link.Loaded() ? "loaded" : "last error " + std::to_string(GetLastError()));
    for (const char* name : kEntryPoints)
        Check(name, link.Entry(name) != nullptr, "exported",
              link.Entry(name) ? "exported" : "missing");
}

std::string Address(const std::vector<BYTE>& data) {
    if (data.size() < 4)
        return "(short)";
    return std::to_string(data[0]) + "." + std::to_string(data[1]) + "." + std::to_string(data[2]) +
           "." + std::to_string(data[3]);
}

void CheckApplied(const PrinterLink& link, const char* when) {
    auto block = link.Settings();
    std::string what = std::string("left margin ") + when;
    CheckNumber(what.c_str(), 9, block.count(90) ? block[90].values[0] : 0);
    what = std::string("IP address ") + when;
    CheckText(what.c_str(), "10.0.0.7", Address(block[118].data));
    what = std::string("double sided ") + when;
    CheckNumber(what.c_str(), 2, block.count(100) ? block[100].values[0] : 0);
}

// The value of a key in the state file's text, or "(missing)".
std::string StateValue(const std::string& text, const std::string& key) {
    size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return "(missing)";
    at += key.size() + 2;
    return text.substr(at, text.find('\n', at) - at);
}

bool HasTemporaryFiles() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((DriverFolder() + TEXT("qvmonext.state.*.tmp")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

void FirstRun() {
    DeleteFileW(StateFilePath().c_str());
    {
        PrinterLink link;
        CheckEntryPoints(link);
        auto block = link.Settings();
        CheckNumber("a fresh embosser's settings block records", 27, block.size());
        CheckText("its serial number", "TV2-000731",
                  std::string(block[4].data.begin(), block[4].data.end()));
        CheckNumber("its left margin", 5, block[90].values[0]);
        Check("its state file is stored beside the DLL",
              GetFileAttributesW(StateFilePath().c_str()) != INVALID_FILE_ATTRIBUTES, "present",
              GetFileAttributesW(StateFilePath().c_str()) != INVALID_FILE_ATTRIBUTES ? "present"
                                                                                     : "missing");

        CheckNumber("left margin 9 taken", 0, link.Set(90, {9}));
        CheckNumber("IP address 10.0.0.7 taken", 0, link.Set(118, {}, {10, 0, 0, 7}));
        CheckNumber("double sided taken", 0, link.Set(100, {2}));
        CheckNumber("the update", 0, link.Update());
        CheckNumber("a braille table loaded into slot 3", 0,
                    link.LoadTable(TEXT("C:\\tables\\grade2.bct"), 3));
        CheckNumber("the test page service", 0, link.Service(8));
    }
    PrinterLink reloaded;
    CheckApplied(reloaded, "after FreeLibrary and LoadLibrary");
    Check("no temporary file is left beside the state file", !HasTemporaryFiles(), "none",
          HasTemporaryFiles() ? "some" : "none");
}

void SecondRun() {
    PrinterLink link;
    CheckApplied(link, "in a new process");
    std::string text = ReadWholeFile(StateFilePath());
    CheckText("the state file's table in slot 3", "grade2.bct", StateValue(text, "table.3"));
    CheckText("the state file's service log", "8", StateValue(text, "services"));
}

// Long enough for the two programs' runs to overlap whatever their start-up times.
constexpr DWORD kHammerMilliseconds = 4000;

// Each hammering program leaves the number of its pages in a file of its own.
std::wstring HammerCountPath(DWORD process) {
    return DriverFolder() + TEXT("hammer-") + std::to_wstring(process) + TEXT(".count");
}

void HammerRun() {
    PrinterLink link;
    int embossed = 0, refused = 0;
    for (DWORD start = GetTickCount(); GetTickCount() - start < kHammerMilliseconds;)
        ++(link.Service(8) == 0 ? embossed : refused);
    CheckNumber("test pages refused while another program embosses too", 0, refused);
    WriteWholeFile(HammerCountPath(GetCurrentProcessId()), std::to_string(embossed));
}

void CountedRun() {
    int pages = 0, programs = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((DriverFolder() + TEXT("hammer-*.count")).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            pages += std::atoi(ReadWholeFile(DriverFolder() + found.cFileName).c_str());
            ++programs;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    CheckNumber("programs that embossed at once", 2, programs);
    PrinterLink link;
    // The factory's 62 pages on carriage 1, the first step's test page and both programs' pages.
    CheckNumber("pages counted on carriage 1", 62 + 1 + pages, link.Settings()[128].values[0]);
}

void ScriptedRun() {
    PrinterLink link;
    DWORD status = 0;
    CheckNumber("the status call", 0, link.Status(&status));
    CheckNumber("the status the script set", 3, status);
    CheckText("its text", "Paper jam", link.ErrorText(status));
    auto block = link.Settings();
    CheckNumber("no ChromaPod record without the ink unit", 0, block.count(234));
    CheckNumber("the margin the first run applied", 9, block[90].values[0]);
    CheckNumber("a test page refused by the jam", 3, link.Service(8));
}

} // namespace

int main(int argc, char** argv) {
    const char* run = argc > 1 ? argv[1] : "";
    if (std::strcmp(run, "first") == 0)
        FirstRun();
    else if (std::strcmp(run, "second") == 0)
        SecondRun();
    else if (std::strcmp(run, "hammer") == 0)
        HammerRun();
    else if (std::strcmp(run, "counted") == 0)
        CountedRun();
    else if (std::strcmp(run, "scripted") == 0)
        ScriptedRun();
    else
        std::printf("usage: wine_embosser_check first|second|hammer|counted|scripted\n");
    return FinishChecks(run);
}
