// Loading the settings from one enumeration of "Config": the same settings, the same healing and
// the same printer data as reading every value on its own, in far fewer round trips.
#include "support/plugin_machine.h"

#include "settings/printer_data_store.h"
#include "settings/settings_context.h"

#include <cstring>
#include <map>
#include <string>

namespace {

using Snapshot = std::map<std::string, std::string>;

const char* const kLoadedDwords[] = {
    "MediaType",       "PaperSource",   "MediaSurface",        "InterPoint",        "BindingEdge",
    "InsertEmptyPage", "LandscapeMode", "Orientation",         "Preview",           "Collate",
    "TwoInOne",        "EmbossMode",    "DotHeight",           "InkMode",           "Quality",
    "InkDithering",    "DotQuality",    "EmbossStandardTexts", "ThinLineIntensity", "InvertColor",
    "Brightness",      "Contrast",      "InkBrightness",       "InkContrast",       "ColorPattern",
    "RenderMode",      "TwoPassPrint"};

std::string Hex(const std::vector<BYTE>& data) {
    std::string text;
    char byte[4];
    for (BYTE b : data) {
        std::snprintf(byte, sizeof(byte), "%02x", b);
        text += byte;
    }
    return text;
}

std::string Text(const WCHAR* text) {
    std::string narrow;
    for (; *text != 0; ++text)
        narrow += *text < 128 ? static_cast<char>(*text) : '?';
    return narrow;
}

class ConfigValuesTest : public PluginTest {
protected:
    void TearDown() override {
        if (heap_ != nullptr)
            HeapDestroy(heap_);
        PluginTest::TearDown();
    }

    SettingsContext* Load(HANDLE printer = nullptr) {
        if (heap_ == nullptr)
            heap_ = HeapCreate(0, 0, 0);
        SettingsContext* context = nullptr;
        EXPECT_TRUE(LoadSettingsContext(
            {printer != nullptr ? printer : OpenHostHandle(), module_, heap_, nullptr}, &context));
        return context;
    }

    // Everything a load decides: the context's settings and every value of "Config" afterwards.
    static Snapshot Capture(const SettingsContext* context) {
        Snapshot snapshot;
        snapshot["PaperSize"] =
            std::to_string(context->PaperSize[0]) + "x" + std::to_string(context->PaperSize[1]);
        snapshot["DefaultFormName"] = Text(context->DefaultFormName);
        snapshot["CustomMediaType"] = Text(context->CustomMediaType);
        snapshot["PatternFileName"] = Text(context->PatternFileName);
        const DWORD fields[] = {context->MediaType,
                                context->PaperSource,
                                context->MediaSurface,
                                context->InterPoint,
                                context->BindingEdge,
                                context->InsertEmptyPage,
                                context->LandscapeMode,
                                context->Orientation,
                                context->Preview,
                                context->Collate,
                                context->TwoInOne,
                                context->EmbossMode,
                                context->DotHeight,
                                context->InkMode,
                                context->Quality,
                                context->InkDithering,
                                context->DotQuality,
                                context->EmbossStandardTexts,
                                context->ThinLineIntensity,
                                context->InvertColor,
                                static_cast<DWORD>(context->Brightness),
                                static_cast<DWORD>(context->Contrast),
                                static_cast<DWORD>(context->InkBrightness),
                                static_cast<DWORD>(context->InkContrast),
                                context->ColorPattern,
                                context->RenderMode,
                                context->TwoPassPrint};
        for (size_t i = 0; i < ARRAYSIZE(fields); ++i)
            snapshot[std::string("context.") + kLoadedDwords[i]] = std::to_string(fields[i]);
        for (const auto& name : sim::RegistryValueNames(HKEY_LOCAL_MACHINE, kConfigPath)) {
            std::string narrow = Text(name.c_str());
            auto value = sim::ReadPrinterData(kPrinterName, "Config", narrow.c_str());
            snapshot["stored." + narrow] = std::to_string(value->type) + ":" + Hex(value->data);
        }
        return snapshot;
    }

    // A printer whose data holds odd values: too wide, too short, of another type, empty,
    // unterminated, named in another case, and missing.
    static void StoreOddValues() {
        for (const char* name : kLoadedDwords)
            sim::WritePrinterDword(kPrinterName, "Config", name, 1);
        sim::WritePrinterData(kPrinterName, "Config", "Quality", REG_BINARY,
                              {1, 2, 3, 4, 5, 6, 7, 8}); // too wide: healed
        sim::WritePrinterData(kPrinterName, "Config", "DotHeight", REG_BINARY, {2, 0}); // short
        sim::WritePrinterString(kPrinterName, "Config", "InkDithering", "3"); // 4 bytes of text
        sim::WritePrinterData(kPrinterName, "Config", "RenderMode", REG_BINARY, {}); // empty
        sim::WritePrinterData(kPrinterName, "Config", "PaperSize", REG_BINARY,
                              {0x50, 0x34, 0x03, 0, 0x28, 0x88}); // six bytes: healed
        sim::WritePrinterData(kPrinterName, "Config", "CustomMediaType", REG_SZ,
                              std::vector<BYTE>(520, 'x')); // fills the buffer: healed
        std::u16string path = u"D:\\P.dat";
        sim::WritePrinterData(
            kPrinterName, "Config", "CustomPatternFileName", REG_SZ,
            std::vector<BYTE>(reinterpret_cast<const BYTE*>(path.data()),
                              reinterpret_cast<const BYTE*>(path.data()) + path.size() * 2));
        sim::WritePrinterDword(kPrinterName, "Config", "ORIENTATION", 2); // same value, other case
        sim::WritePrinterDword(kPrinterName, "Config", "EnableStatusMonitoring", 1);
        // "Collate" is missing: healed.
        RemoveValue("Collate");
    }

    static void RemoveValue(const char* name) {
        sim::DeleteRegistryValue(HKEY_LOCAL_MACHINE, kConfigPath,
                                 std::u16string(name, name + std::strlen(name)));
    }

    static constexpr const char16_t* kConfigPath =
        u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser\\Config";
    HANDLE heap_ = nullptr;
};

TEST_F(ConfigValuesTest, OneEnumerationDecidesExactlyAsReadingEachValueDoes) {
    // Read value by value: the enumeration fails on a value the load never reads.
    StoreOddValues();
    OpenHostHandle();
    sim::FailPrinterDataReads(kPrinterName, "Config", "EnableStatusMonitoring",
                              ERROR_ACCESS_DENIED);
    sim::ResetSpoolerCalls();
    SettingsContext* context = Load();
    EXPECT_EQ(sim::SpoolerCalls("EnumPrinterDataExW"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("GetPrinterDataExW"), 31u) << "every value on its own";
    Snapshot oneByOne = Capture(context);
    ReleaseSettingsContext(context);

    // The same printer read in one enumeration.
    sim::FailPrinterDataReads(kPrinterName, "Config", "EnableStatusMonitoring", 0);
    sim::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kConfigPath);
    sim::WritePrinterDword(kPrinterName, "Config", "OutputVersion", 1);
    StoreOddValues();
    sim::ResetSpoolerCalls();
    context = Load();
    EXPECT_EQ(sim::SpoolerCalls("EnumPrinterDataExW"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("GetPrinterDataExW"), 0u);
    EXPECT_EQ(sim::SpoolerCalls("SetPrinterDataExW"), 5u)
        << "Quality, PaperSize, CustomMediaType and Collate are healed, after the host's "
           "handle was refused once";
    Snapshot enumerated = Capture(context);
    ReleaseSettingsContext(context);

    // The two ways of reading decide alike; what each odd value reads as is otherwise the
    // printer_data fuzz target's rule, and the healing writes are counted above.
    EXPECT_EQ(enumerated, oneByOne);
    EXPECT_EQ(enumerated["stored.Quality"], "4:01000000") << "healed as a DWORD";
    EXPECT_EQ(enumerated["context.DotHeight"], "2") << "a short value is what it holds";
    EXPECT_EQ(enumerated["context.RenderMode"], "0");
    EXPECT_EQ(enumerated["context.Orientation"], "2") << "names compare without case";
    EXPECT_EQ(enumerated["PaperSize"], "210000x297000");
    EXPECT_EQ(enumerated["CustomMediaType"], "");
}

TEST_F(ConfigValuesTest, AKeyLargerThanTheFirstGuessIsAskedForAgainInFull) {
    for (const char* name : kLoadedDwords)
        sim::WritePrinterDword(kPrinterName, "Config", name, 0);
    sim::WritePrinterDword(kPrinterName, "Config", "MediaType", 259);
    for (int i = 0; i < 40; ++i) // values of other programs
        sim::WritePrinterData(kPrinterName, "Config", ("Other" + std::to_string(i)).c_str(),
                              REG_BINARY, std::vector<BYTE>(1000, 7));
    OpenHostHandle();
    sim::ResetSpoolerCalls();
    SettingsContext* context = Load();
    EXPECT_EQ(sim::SpoolerCalls("EnumPrinterDataExW"), 2u);
    EXPECT_EQ(sim::SpoolerCalls("GetPrinterDataExW"), 0u);
    EXPECT_EQ(context->MediaType, 259u);
    ReleaseSettingsContext(context);
}

// The peripherals installation may store settings of its own; the load sees them.
DWORD WINAPI InstallerStoringSettings(HWND, HINSTANCE, LPCSTR printer, DWORD) {
    sim::WritePrinterDword(printer, "Config", "OutputVersion", 1);
    sim::WritePrinterDword(printer, "Config", "MediaType", 269);
    return 0;
}

TEST_F(ConfigValuesTest, SettingsLeftByThePeripheralsInstallationAreSeen) {
    sim::RegisterModule(kPeripheralsPath, nullptr,
                        {sim::Export("InstallTarvikPeripherals", InstallerStoringSettings)});
    RemoveValue("OutputVersion");
    sim::ResetSpoolerCalls();
    SettingsContext* context = Load();
    EXPECT_EQ(sim::SpoolerCalls("EnumPrinterDataExW"), 2u) << "read again after the installation";
    EXPECT_EQ(context->MediaType, 269u);
    EXPECT_EQ(ConfigDword("MediaType"), 269u);
    ReleaseSettingsContext(context);
}

TEST_F(ConfigValuesTest, ASheetKeepsOneFullAccessHandleForItsRefusedWrites) {
    // The host's handle may only use the printer: every default of a fresh printer is written
    // through one handle opened with full access, kept until the sheet ends.
    OpenHostHandle();
    sim::ResetSpoolerCalls();
    SettingsContext* context = Load();
    EXPECT_EQ(sim::SpoolerCalls("OpenPrinterW"), 1u);
    EXPECT_EQ(ConfigDword("TwoPassPrint"), 0u);
    EXPECT_EQ(sim::OpenPrinterHandles(kPrinterName), 2u);
    EXPECT_EQ(WriteConfigDword(context->PrinterHandle, TEXT("Preview"), 1), ERROR_SUCCESS);
    EXPECT_EQ(sim::SpoolerCalls("OpenPrinterW"), 1u);
    EXPECT_EQ(ConfigDword("Preview"), 1u);

    // A write the full-access handle is refused too reports its error.
    sim::FailPrinterDataWrites(kPrinterName, "Config", "Preview", ERROR_WRITE_FAULT);
    EXPECT_EQ(WriteConfigDword(context->PrinterHandle, TEXT("Preview"), 0),
              static_cast<DWORD>(ERROR_WRITE_FAULT));
    ReleaseSettingsContext(context);
    EXPECT_EQ(sim::OpenPrinterHandles(kPrinterName), 1u) << "closed with the sheet";

    // Without the right, no handle is kept and the write fails as the host's handle failed.
    sim::SetUserCanManage(kPrinterName, false);
    context = Load();
    EXPECT_EQ(sim::OpenPrinterHandles(kPrinterName), 1u);
    EXPECT_EQ(WriteConfigDword(context->PrinterHandle, TEXT("Collate"), 1),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(CanManagePrinter(context));
    ReleaseSettingsContext(context);
}

} // namespace
