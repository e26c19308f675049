// What is applied to the embosser is stored in its state file and comes back from the file alone.
#include "embosser_fixture.h"

#include <filesystem>

namespace {

TEST_F(EmbosserTest, AFreshEmbosserShowsItsFactoryStateAndStoresIt) {
    EXPECT_FALSE(std::filesystem::exists(stateFile_));
    auto block = Settings();
    ASSERT_EQ(block.size(), 27u) << "23 settings and 4 of the ink unit";
    EXPECT_EQ(block[4].Text(), "TV2-000731");
    EXPECT_EQ(block[12].Text(), "Tarvik 2");
    EXPECT_EQ(block[20].values[0], 4);
    EXPECT_EQ(block[20].values[2], 1);
    EXPECT_EQ(block[22].data, (std::vector<BYTE>{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    EXPECT_EQ(block[102].values[1], 170);
    EXPECT_EQ(block[102].values[2], 220);
    EXPECT_EQ(block[100].values[0], 1);
    EXPECT_EQ(block[118].data, (std::vector<BYTE>{192, 168, 1, 20}));
    EXPECT_EQ(block[237].values[0], 74);
    EXPECT_EQ(block[238].values[0], 47);
    DWORD status = 99;
    EXPECT_EQ(DllExportGetPrinterStatus(0, kPrinter, &status), 0u);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(ErrorText(status), u"Printer ready");

    // The first request stored the factory state, every key of it.
    EXPECT_EQ(StateValue("serial"), "TV2-000731");
    EXPECT_EQ(StateValue("network.mask"), "255.255.255.0");
    EXPECT_EQ(StateValue("ink1.state"), "ok");
    EXPECT_EQ(StateValue("table.6"), "");

    DWORD needed = 0;
    BYTE small[200];
    EXPECT_EQ(DllExportGetPrinterSettings(0, kPrinter, small, sizeof(small), &needed),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, 28u * 200);
}

TEST_F(EmbosserTest, AppliedParametersComeBackFromTheFileAlone) {
    Settings(TEXT("Second Embosser"));
    EXPECT_EQ(Set(90, {9}), 0u);
    EXPECT_EQ(Set(102, {30, 180, 240}, kPrinter), 0u);
    EXPECT_EQ(Set(104, {9, 21}), 0u);
    EXPECT_EQ(Set(100, {2}), 0u);
    EXPECT_EQ(Set(95, {8}), 0u);
    EXPECT_EQ(Set(126, {0}), 0u);
    EXPECT_EQ(SetAddress(118, {10, 0, 0, 7}), 0u);
    EXPECT_EQ(SetAddress(122, {255, 255, 0, 0}), 0u);
    EXPECT_EQ(Set(107, {1}), 0u);

    // Nothing is taken before the update.
    EXPECT_EQ(Settings()[90].values[0], 5);
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(StateValue("margin.left"), "9");
    EXPECT_EQ(StateValue("network.address"), "10.0.0.7");

    // Another process finds them in a copy of the file: nothing came from memory.
    std::filesystem::path copy = folder_ / "copy.state";
    std::filesystem::copy_file(stateFile_, copy);
    std::filesystem::remove(stateFile_);
    UseVirtualEmbosserStateFile(copy.c_str());
    auto block = Settings();
    EXPECT_EQ(block[90].values[0], 9);
    EXPECT_EQ(block[102].values[1], 180);
    EXPECT_EQ(block[102].values[2], 240);
    EXPECT_EQ(block[101].values[1], 9);
    EXPECT_EQ(block[101].values[2], 21);
    EXPECT_EQ(block[100].values[0], 2);
    EXPECT_EQ(block[95].values[0], 8);
    EXPECT_EQ(block[126].values[0], 0);
    EXPECT_EQ(block[118].data, (std::vector<BYTE>{10, 0, 0, 7}));
    EXPECT_EQ(block[122].data, (std::vector<BYTE>{255, 255, 0, 0}));
    EXPECT_EQ(block[107].values[0], 1);

    // The other printer kept its own state, and printer names match without regard to case.
    EXPECT_EQ(Settings(TEXT("Second Embosser"))[90].values[0], 5);
    EXPECT_EQ(Settings(TEXT("TARVIK EMBOSSER"))[90].values[0], 9);
}

TEST_F(EmbosserTest, ParametersNotFollowedByAnUpdateAreLost) {
    EXPECT_EQ(Set(91, {12}), 0u);
    // A new load of the library (another process) never saw them.
    UseVirtualEmbosserStateFile(stateFile_.c_str());
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(Settings()[91].values[0], 5);
    // An update only stores its own printer's parameters.
    EXPECT_EQ(Set(91, {12}, TEXT("Second Embosser")), 0u);
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(Settings(TEXT("Second Embosser"))[91].values[0], 5);
    EXPECT_EQ(Update(TEXT("Second Embosser")), 0u);
    EXPECT_EQ(Settings(TEXT("Second Embosser"))[91].values[0], 12);
}

TEST_F(EmbosserTest, WritesLeaveOnlyTheStateFileBehind) {
    EXPECT_EQ(Set(96, {40}), 0u);
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, 8), 0u);
    EXPECT_EQ(FolderFiles(), std::vector<std::string>{"qvmonext.state"});

    // A file that cannot be written refuses the update and keeps the old state.
    UseVirtualEmbosserStateFile((folder_ / "missing" / "qvmonext.state").c_str());
    EXPECT_EQ(Set(96, {60}), 0u);
    DWORD error = Update();
    EXPECT_EQ(error, 1010u);
    EXPECT_EQ(ErrorText(error), u"The printer could not store its settings");
    UseVirtualEmbosserStateFile(stateFile_.c_str());
    EXPECT_EQ(Settings()[96].values[0], 40);
}

TEST_F(EmbosserTest, ResetStoresTheFactoryStateWithOrWithoutTheInkUnit) {
    EXPECT_EQ(Set(90, {9}), 0u);
    EXPECT_EQ(Update(), 0u);
    ResetVirtualEmbosser(kPrinter, false);
    EXPECT_EQ(Update(), 0u) << "nothing waits any more";
    auto block = Settings();
    EXPECT_EQ(block[90].values[0], 5);
    EXPECT_EQ(block.count(234), 0u);
    EXPECT_EQ(block.count(237), 0u);
    EXPECT_EQ(StateValue("ink.unit"), "0");

    // Natively without a file the state lives in memory, the same way.
    UseVirtualEmbosserStateFile(nullptr);
    EXPECT_EQ(Settings()[90].values[0], 5);
    EXPECT_EQ(Set(90, {11}), 0u);
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(Settings()[90].values[0], 11);
    EXPECT_EQ(Settings().count(234), 1u);
}

} // namespace
