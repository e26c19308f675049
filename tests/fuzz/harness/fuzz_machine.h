// The simulated machine every fuzz target starts from, the rule checks that end a run with a
// finding, and the sibling libraries whose answers come from the fuzzer's input.
#pragma once

#include "sim.h"

#include "settings/settings_context.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

// A broken rule is a finding: the message names it and the run aborts, so libFuzzer keeps the
// input that broke it.
[[noreturn]] void FuzzFailure(const char* file, int line, const char* condition, const char* format,
                              ...) __attribute__((format(printf, 4, 5)));
#define FUZZ_CHECK(condition, ...)                                                                 \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(__FILE__, __LINE__, #condition, __VA_ARGS__);                              \
    } while (0)

extern const char kFuzzPrinter[];
extern const WCHAR kFuzzPrinterW[];
extern const char16_t kFuzzPluginPath[];
extern const char16_t kFuzzPrinterLinkPath[];
extern const char16_t kFuzzLocalePath[];

// A fresh machine: the plug-in installed and loaded as the core driver keeps it, the Tarvik
// printer (its devmodes carry the 732-byte private section; the installation marker is set, so
// the peripherals library is not run). `papers` replaces the driver's paper list when given.
void StartMachine(const std::vector<std::string>* papers = nullptr);
// Unloads the plug-in and checks that nothing it opened is still open.
void FinishMachine();
HMODULE PluginModule();

// The printer opened as the host opens it for a person without special rights.
HANDLE OpenUserHandle();
// A settings context loaded for the printer as a property sheet loads it (host heap: the
// process heap); released with ReleaseSettingsContext.
SettingsContext* LoadContext(HANDLE printer);

// --- The printer link whose settings block is the fuzzer's
// ----------------------------------------

struct SentParameter {
    DWORD id;
    std::vector<LONG> values;
    std::vector<BYTE> data;
};
struct FuzzPrinterLink {
    std::vector<BYTE> settingsBlock;
    std::vector<SentParameter> sent;
    int updates = 0;
    int loadedTables = 0;
    std::u16string loadedTablePath;
};
FuzzPrinterLink& PrinterLink();
// The printer link's settings entry points, and `more` of a target's own.
void InstallPrinterLink(const std::vector<sim::ModuleExport>& more = {});
// The printer link with a settings block of just its header, which enables the device tree.
void InstallPrinterLinkWithTree();

// --- UTF-16 texts from the input
// ------------------------------------------------------------------

// How many characters a text holds before its terminator, reading no further than `chars`.
size_t BoundedLength(const WCHAR* text, size_t chars);
// A text of up to `maxChars` UTF-16 units taken from the input, zeros left out.
std::u16string ConsumeText(FuzzedDataProvider& input, size_t maxChars);
// What a person types: the dictionary's words and digits (ASCII bytes become characters), with
// an escape byte any UTF-16 unit (Arabic-Indic digits, full-width signs...), and Backspace.
std::u16string ConsumeTypedText(FuzzedDataProvider& input, size_t maxChars);
// A typed name the plug-in compares or sorts: winsim models the order of letters, digits and the
// space. It refuses to guess the order of other symbols and scripts, and of names that differ
// only in their hyphens and apostrophes (word sort sets those aside, and where such names then
// fall is not documented), so other characters become letters.
std::u16string ConsumeTypedName(FuzzedDataProvider& input, size_t maxChars);
char16_t SortableCharacter(char16_t c);

// --- The C runtime's number parsing
// ---------------------------------------------------------------

// winsim refuses to say how _wtof reads "nan", "inf" and hexadecimal text, because Microsoft's two
// runtimes disagree. The fuzz targets link _wtof through this choice and play both: the older
// runtime reads such a text as 0, the newer one as the number it names.
enum class FloatRuntime { Older, Newer };
void UseFloatRuntime(FloatRuntime runtime);
