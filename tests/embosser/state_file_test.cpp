// A state file that is missing, empty, cut short or damaged gives the factory embosser for
// whatever it lost, and never more than it holds is read.
#include "embosser_fixture.h"

#include <random>

namespace {

// Every value the settings block carries, in one comparable list.
std::vector<LONG> Flatten(const std::map<DWORD, BlockRecord>& block) {
    std::vector<LONG> all;
    for (const auto& [id, record] : block) {
        all.push_back(static_cast<LONG>(id));
        all.insert(all.end(), record.values, record.values + 4);
        all.insert(all.end(), record.data.begin(), record.data.end());
    }
    return all;
}

TEST_F(EmbosserTest, DamagedStateFilesGiveTheFactoryEmbosser) {
    const auto factory = Flatten(Settings());
    ASSERT_FALSE(factory.empty());
    std::string longLine = "margin.left=" + std::string(3000, '9');
    std::mt19937 random(7);
    std::string garbage(70000, 0);
    for (char& c : garbage)
        c = static_cast<char>(random());
    const std::pair<const char*, std::string> files[] = {
        {"empty", ""},
        {"only a header", "[Tarvik Embosser]\n"},
        {"NUL bytes", std::string("[Tarvik Embosser]\nmargin.left=9\0\0\0", 35)},
        {"garbage", garbage},
        {"garbage after the header", "[Tarvik Embosser]\n" + garbage},
        {"an unterminated header", "[Tarvik Embosser\nmargin.left=9\n"},
        {"a section of another printer", "[Other]\nmargin.left=9\n"},
        {"bad numbers",
         "[Tarvik Embosser]\nmargin.left=abc\nmargin.top=9x\nmargin.right=99999999999\n"
         "braille.dots=7\nduplex=\nquality=-\nform.width=1e3\nline.spacing= \n"},
        {"bad texts and addresses",
         "[Tarvik Embosser]\nserial=\x01\x02\nmac=00-1A\nfirmware=1.2.300\n"
         "network.address=1.2.3.4.5\nnetwork.mask=255.0.255.0\nstatus=on-fire\n"
         "ink1.state=leaking\nservices=8,3\ntable.1=..\\evil.bct\n"},
        {"unknown keys and lines", "[Tarvik Embosser]\ncolour=blue\nmargin.left\n=9\n[]\n"},
        {"an overlong line", "[Tarvik Embosser]\n" + longLine + "\n"},
        {"an overlong section name", "[" + std::string(5000, 'x') + "]\nmargin.left=9\n"},
    };
    for (const auto& [what, text] : files) {
        WriteStateFile(text);
        EXPECT_EQ(Flatten(Settings()), factory) << what;
    }

    // What a damaged file still holds is kept: a good line after an overlong one.
    WriteStateFile("\xEF\xBB\xBF[Tarvik Embosser]\r\n" + longLine + "\r\n  margin.top = 9  \r\n");
    EXPECT_EQ(Settings()[91].values[0], 9);
    EXPECT_EQ(Settings()[90].values[0], 5);

    // An update over a damaged file writes a sound one, keeping the other printers' sections.
    WriteStateFile("[Other]\nmargin.left=7\n\x01\x02\n" + longLine + "\n[Tarvik Embosser]\n" +
                   garbage.substr(0, 500));
    EXPECT_EQ(Set(90, {9}), 0u);
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(StateValue("margin.left"), "9");
    EXPECT_EQ(StateValue("margin.left", "Other"), "7");
    EXPECT_EQ(ReadStateFile().find(longLine), std::string::npos);
}

TEST_F(EmbosserTest, AStateFileCutAnywhereGivesStoredOrFactoryValues) {
    ResetVirtualEmbosser(kPrinter, true);
    const auto factory = Settings();
    for (auto [id, values] : std::vector<std::pair<DWORD, std::vector<LONG>>>{{90, {17}},
                                                                              {91, {18}},
                                                                              {108, {19}},
                                                                              {96, {120}},
                                                                              {102, {30, 200, 300}},
                                                                              {101, {13, 3, 24}},
                                                                              {100, {2}},
                                                                              {106, {2}},
                                                                              {92, {4}}})
        ASSERT_EQ(Set(id, values), 0u) << id;
    ASSERT_EQ(Update(), 0u);
    const auto stored = Settings();
    const std::string full = ReadStateFile();
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        WriteStateFile(full.substr(0, cut));
        auto block = Settings();
        ASSERT_EQ(block.size(), stored.size()) << "cut at " << cut;
        // Each value is the stored or the factory one; only the line the cut went through may
        // hold something else: a number cut short that is still in its range ("300" as "30").
        int others = 0;
        for (const auto& [id, record] : block)
            for (int i = 0; i < 4; ++i)
                others += record.values[i] != stored.at(id).values[i] &&
                          record.values[i] != factory.at(id).values[i];
        bool atLineEnd = cut == 0 || full[cut - 1] == '\n';
        EXPECT_LE(others, atLineEnd ? 0 : 1) << "cut at " << cut;
    }
    WriteStateFile(full);
    EXPECT_EQ(Flatten(Settings()), Flatten(stored));
}

} // namespace
