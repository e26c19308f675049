// Seams for what Wine's platform lacks, made in the plug-in's own imports: while a Seams object
// lives, the spooler functions qvembui.dll imports, and its LoadLibraryW, GetProcAddress,
// CreateActCtxW, ActivateActCtx, HeapAlloc, GlobalAlloc, SetTimer and KillTimer, go through here. A
// seam counts calls or refuses them; it never does the platform's work. docs/wine-notes.md names
// each seam with the test that shows the gap.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Seams {
public:
    static constexpr int kAlways = -1;

    // Holds qvembui.dll, from where the configuration module loads it, so the seams outlive the
    // host's loads and unloads; they are all gone again with the object.
    Seams();
    ~Seams();
    Seams(const Seams&) = delete;
    Seams& operator=(const Seams&) = delete;

    // The plug-in's calls of `function` ("GetPrinterDataExW") since the seams were made or the
    // calls (and the load context) forgotten.
    long Calls(const char* function) const;
    // All of its spooler calls since then, and which: "EnumPrinterDataExW 1, GetPrinterW 1".
    long SpoolerCalls() const;
    std::string SpoolerCallList() const;
    void ForgetCalls();
    // `function` fails with `error` the next `times` times (kAlways: every time).
    void Fail(const char* function, DWORD error, int times = kAlways);

    // Milliseconds every spooler call waits first: a print server's round trip.
    DWORD latencyMs = 0;
    // False: a user without the right to manage the printer. OpenPrinterW for full or administer
    // access is refused, and so is every write (SetPrinterDataExW, SetPrinterW,
    // DeletePrinterDataExW, AddFormW, DeleteFormW), with ERROR_ACCESS_DENIED as Windows refuses
    // them. Wine grants both.
    bool manageRight = true;
    // Sibling libraries (by file name: "qvmonext.dll") and entry points that cannot be loaded.
    std::vector<std::wstring> refusedLibraries;
    std::vector<std::string> refusedEntryPoints;
    // What reached the print server, answered as Windows answers: the forms added and deleted, by
    // name (Wine's AddFormW adds nothing), and the printer data deleted as "key\value" (Wine's
    // DeletePrinterDataExW always fails with 87).
    std::vector<std::wstring> formsAdded, formsDeleted, dataDeleted;
    // The activation context that was active when the plug-in last loaded a library.
    HANDLE loadContext = nullptr;
    // The window timers the plug-in set and has not killed (a test cannot wait for a page's ten
    // seconds, nor ask Wine which timers a window has).
    struct Timer {
        HWND window;
        UINT_PTR id;
        UINT interval;
        TIMERPROC proc;
    };
    std::vector<Timer> timers;

private:
    HMODULE module_ = nullptr;
};
