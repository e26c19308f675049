// The virtual embosser's state file and what the embosser takes: damaged or cut files read as
// the factory value for what they lost, values outside their ranges are refused with their
// error codes, and an update takes all of its parameters or none.
#include "virtual_embosser/embosser_texts.h"
#include "virtual_embosser/requests.h"
#include "virtual_embosser/state_keys.h"
#include "virtual_embosser/state_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const char kPrinter[] = "Tarvik Embosser";
const std::string kLongLine = "margin.left=" + std::string(3000, '9');

// Every value of a state as the file writes it, by key.
std::map<std::string, std::string> Values(const EmbosserState& state) {
    std::map<std::string, std::string> values;
    int count = 0;
    const StateKey* keys = StateKeys(&count);
    for (int i = 0; i < count; ++i) {
        char text[kMaxStateLineBytes];
        FormatStateValue(state, keys[i], text, sizeof(text));
        values[keys[i].name] = text;
    }
    return values;
}

EmbosserState Factory() {
    EmbosserState state;
    SetFactoryState(&state);
    return state;
}

std::map<std::string, std::string> Read(const std::string& text, const char* printer = kPrinter) {
    EmbosserState state;
    ReadPrinterState(text.data(), text.size(), printer, &state);
    return Values(state);
}

std::string Compose(const std::string& old, const EmbosserState& state) {
    TextBuffer text(kMaxStateFileBytes);
    ComposeStateFile(old.data(), old.size(), kPrinter, state, &text);
    return text.Failed() ? "<failed>" : text.Text();
}

DWORD Check(const EmbosserState& state, DWORD id, std::vector<LONG> values,
            std::vector<BYTE> data = {}) {
    return CheckParameter(state, id, values.data(), static_cast<DWORD>(values.size()),
                          data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
}

TEST(EmbosserState, DamagedFilesGiveTheFactoryValueForWhatTheyLost) {
    const std::pair<const char*, std::string> kFiles[] = {
        {"NUL bytes", std::string("[Tarvik Embosser]\nmargin.left=9\0\0", 34)},
        {"an unterminated header", "[Tarvik Embosser\nmargin.left=9\n"},
        {"another printer's section", "[Other]\nmargin.left=9\n"},
        {"bad numbers",
         "[Tarvik Embosser]\nmargin.left=abc\nmargin.top=9x\nmargin.right=99999999999\n"
         "braille.dots=7\nautowrap=\nform.width=1e3\nline.spacing=251\n"},
        {"bad texts and addresses",
         "[Tarvik Embosser]\nserial=\x01\x02\nmac=00-1A\nfirmware=1.2.300\n"
         "network.address=127.0.0.1\nnetwork.mask=255.0.255.0\nstatus=on-fire\n"
         "ink1.state=leaking\nservices=8,3\ntable.1=..\\evil.bct\n"},
        {"an overlong line", "[Tarvik Embosser]\n" + kLongLine + "\n"}};
    for (const auto& [what, file] : kFiles)
        EXPECT_EQ(Read(file), Values(Factory())) << what;
    auto kept = Read("\xEF\xBB\xBF[TARVIK EMBOSSER]\r\n" + kLongLine +
                     "\r\n  margin.top = 9  \r\n"
                     "[Tarvik Embosser]\nmargin.top=10\n");
    EXPECT_EQ(kept["margin.top"], "9") << "what a damaged file still holds is kept";
    EXPECT_EQ(kept["margin.left"], "5");
}

TEST(EmbosserState, AFileCutAnywhereGivesStoredOrFactoryValues) {
    EmbosserState stored = Factory();
    stored.leftMargin = 17;
    stored.formLength = 300;
    stored.mediaType = 13;
    stored.duplex = 2;
    stored.brailleTable = 4;
    LoadTable(&stored, 2, "grade2.bct");
    const std::string full = Compose("", stored);
    const auto factory = Values(Factory()), wanted = Values(stored);
    EXPECT_EQ(Read(full), wanted);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        int others = 0;
        for (const auto& [key, value] : Read(full.substr(0, cut)))
            others += value != wanted.at(key) && value != factory.at(key);
        // Only the line the cut went through may hold something else ("300" read as "30").
        EXPECT_LE(others, cut == 0 || full[cut - 1] == '\n' ? 0 : 1) << "cut at " << cut;
    }
}

TEST(EmbosserState, WritingKeepsOtherPrintersAndNeverGrowsPastItsLimit) {
    EmbosserState state = Factory();
    state.leftMargin = 9;
    std::string text = Compose("[Other]\nmargin.left=7\n\x01\x02\n" + kLongLine +
                                   "\n[Tarvik Embosser]\nmargin.left=8\n",
                               state);
    EXPECT_EQ(Read(text)["margin.left"], "9");
    EXPECT_EQ(Read(text, "Other")["margin.left"], "7");
    EXPECT_EQ(text.find(kLongLine), std::string::npos);
    std::string huge = "[Other]\n";
    while (huge.size() <= kMaxStateFileBytes)
        huge += "serial=" + std::string(1000, 's') + "\n";
    EXPECT_EQ(Compose(huge, state), "<failed>") << "the library then answers 1010";
}

TEST(EmbosserRequests, ValuesOutsideTheirRangesAreRefusedAndTheEdgesTaken) {
    EmbosserState state = Factory();
    state.inkUnitAttached = 0;
    struct Case {
        DWORD id;
        std::vector<LONG> values;
        DWORD error;
        std::vector<BYTE> data = {};
    };
    // Each range's edge is taken and the value beyond it refused.
    const std::vector<Case> kRanges = {
        {90, {101}, 1001},         {90, {100}, 0},         {91, {-1}, 1001},
        {95, {7}, 1001},           {96, {251}, 1001},      {96, {250}, 0},
        {101, {12, 25, 20}, 1001}, {101, {268, 0, 26}, 0}, {102, {30, 39, 220}, 1001},
        {102, {30, 40, 340}, 0},   {104, {6, 27}, 1001},   {104, {0, 26}, 0}};
    // Wrong counts of values, read-only and unknown parameters, a cartridge without its ink unit.
    const std::vector<Case> kRefused = {
        {90, {}, 1004}, {102, {30}, 1004}, {90, {1, 2, 3, 4, 5}, 1004},
        {4, {1}, 1003}, {58, {8}, 1002},   {237, {100}, 1005}};
    const std::vector<Case> kAddresses = {
        {118, {}, 1001, {0, 0, 0, 0}},   {118, {}, 1001, {127, 0, 0, 1}},
        {118, {}, 1001, {224, 0, 0, 1}}, {122, {}, 1001, {255, 0, 255, 0}},
        {122, {}, 0, {255, 0, 0, 0}},    {114, {}, 0, {0, 0, 0, 0}},
        {114, {}, 1004, {192, 168, 1}},  {114, {}, 1004, std::vector<BYTE>(177, 1)}};
    for (const auto* table : {&kRanges, &kRefused, &kAddresses})
        for (const Case& v : *table)
            EXPECT_EQ(Check(state, v.id, v.values, v.data), v.error)
                << v.id << " with " << v.values.size() << " values, " << v.data.size() << " bytes";
    EXPECT_EQ(std::u16string(EmbosserCodeText(1001)), u"The printer does not accept this value");
    for (DWORD code = 1002; code <= 1010; ++code)
        EXPECT_NE(EmbosserCodeText(code), nullptr) << "a refusal without its text: " << code;
}

TEST(EmbosserRequests, AnUpdateTakesAllOfItsParametersOrNone) {
    PendingParameter pending[3] = {{"Tarvik Embosser", 90, {9}, 1, {}, 0},
                                   {"Other", 91, {12}, 1, {}, 0},
                                   {"Tarvik Embosser", 237, {100}, 1, {}, 0}};
    EmbosserState state = Factory();
    bool changed = true;
    state.inkUnitAttached = 0; // a script detached the ink unit after the parameters were taken
    EXPECT_EQ(ApplyUpdate(&state, kPrinter, pending, 3, &changed), 1005u);
    EXPECT_EQ(state.leftMargin, 5);
    state.inkUnitAttached = 1;
    EXPECT_EQ(ApplyUpdate(&state, kPrinter, pending, 3, &changed), 0u);
    EXPECT_TRUE(changed);
    EXPECT_EQ(state.leftMargin, 9);
    EXPECT_EQ(state.topMargin, 5) << "another printer's parameter";
    state.status = kStatusOffline;
    EXPECT_EQ(Check(state, 90, {9}), 2u) << "an offline embosser takes nothing";

    // A new cartridge: its counter reset acknowledges the change and ends its empty status.
    state.status = kStatusInkCartridge2Empty;
    state.cartridges[0].state = kCartridgeNone;
    state.cartridges[1] = {0, kCartridgeOk, 1};
    const LONG kFull = 100;
    EXPECT_EQ(ApplyParameter(&state, 237, &kFull, 1, nullptr, 0), 1006u) << "no cartridge 1";
    EXPECT_EQ(ApplyParameter(&state, 238, &kFull, 1, nullptr, 0), 0u);
    EXPECT_EQ(state.cartridges[1].changed, 0);
    EXPECT_EQ(state.status, kStatusReady);
}

TEST(EmbosserRequests, ServicesAreLoggedAndTablesRecordedBySlot) {
    EmbosserState state = Factory();
    for (DWORD service : {7u, 8u, 8u, 10u})
        EXPECT_EQ(RunService(&state, service), 0u);
    EXPECT_EQ(state.usage[0], 64) << "two test pages on the primary carriage";
    for (DWORD unknown : {0u, 3u, 4u, 12u})
        EXPECT_EQ(RunService(&state, unknown), 1007u);
    for (int i = 0; i < 40; ++i)
        RunService(&state, i % 2 + 1);
    EXPECT_EQ(Values(state)["services"].substr(0, 4), "1,2,") << "the latest 32 are kept";
    state.inkUnitAttached = 0;
    EXPECT_EQ(RunService(&state, 9), 1005u);

    const std::tuple<DWORD, const char*, DWORD> kTables[] = {
        {6, "Grade2.DIS", 0}, {7, "z.bct", 1008}, {1, "notes.txt", 1009},
        {1, ".bct", 1009},    {1, nullptr, 1009}, {1, "a\tb.rbt", 1009}};
    for (auto [slot, name, error] : kTables)
        EXPECT_EQ(LoadTable(&state, slot, name), error) << (name ? name : "(none)");
    EXPECT_EQ(Values(state)["table.6"], "Grade2.DIS");
    EXPECT_EQ(Values(state)["table.1"], "");
    state.status = kStatusOffline;
    EXPECT_EQ(LoadTable(&state, 1, "a.bct"), 2u);
}

} // namespace
