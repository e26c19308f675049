// The embosser tests' fixture.
#include "embosser_fixture.h"

#include "sim.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

void EmbosserTest::SetUp() {
    sim::Reset();
    char pattern[] = "/tmp/embosser-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    stateFile_ = folder_ / "qvmonext.state";
    UseVirtualEmbosserStateFile(stateFile_.c_str());
}

void EmbosserTest::TearDown() {
    UseVirtualEmbosserStateFile(nullptr);
    std::filesystem::remove_all(folder_);
}

std::map<DWORD, BlockRecord> EmbosserTest::Settings(LPCWSTR printer) {
    std::map<DWORD, BlockRecord> records;
    DWORD needed = 0;
    if (DllExportGetPrinterSettings(0, printer, nullptr, 0, &needed) != ERROR_INSUFFICIENT_BUFFER ||
        needed == 0 || needed % 200 != 0)
        return records;
    std::vector<BYTE> block(needed);
    DWORD again = 0;
    if (DllExportGetPrinterSettings(0, printer, block.data(), needed, &again) != 0 ||
        again != needed)
        return records;
    DWORD count = 0;
    std::memcpy(&count, block.data() + 20, 4);
    EXPECT_EQ(count * 200, needed) << "the header counts every record";
    for (DWORD i = 1; i < count; ++i) {
        const BYTE* record = block.data() + i * 200;
        BlockRecord entry{};
        std::memcpy(&entry.id, record, 4);
        std::memcpy(entry.values, record + 4, 16);
        DWORD length = 0;
        std::memcpy(&length, record + 20, 4);
        EXPECT_LE(length, 176u);
        entry.data.assign(record + 24, record + 24 + std::min<DWORD>(length, 176));
        EXPECT_EQ(records.count(entry.id), 0u) << "record " << entry.id << " comes once";
        records[entry.id] = entry;
    }
    return records;
}

DWORD EmbosserTest::Set(DWORD id, std::vector<LONG> values, LPCWSTR printer) {
    return DllExportSetPrinterParameter(0, printer, id, values.empty() ? nullptr : values.data(),
                                        static_cast<DWORD>(values.size()), nullptr, 0);
}

DWORD EmbosserTest::SetAddress(DWORD id, std::vector<BYTE> address) {
    return DllExportSetPrinterParameter(0, kPrinter, id, nullptr, 0, address.data(),
                                        static_cast<DWORD>(address.size()));
}

std::u16string EmbosserTest::ErrorText(DWORD code) {
    std::vector<WCHAR> text(4096, 0);
    if (DllExportGetPrinterErrorText(0, code, text.data()) == 0)
        return u"(none)";
    return std::u16string(text.data());
}

std::string EmbosserTest::ReadStateFile() const {
    std::ifstream file(stateFile_, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void EmbosserTest::WriteStateFile(const std::string& text) const {
    std::ofstream file(stateFile_, std::ios::binary | std::ios::trunc);
    file << text;
}

std::string EmbosserTest::StateValue(const std::string& key, const std::string& printer) const {
    std::istringstream text(ReadStateFile());
    std::string line;
    bool inside = false;
    while (std::getline(text, line)) {
        if (!line.empty() && line[0] == '[')
            inside = line == "[" + printer + "]";
        else if (inside && line.compare(0, key.size() + 1, key + "=") == 0)
            return line.substr(key.size() + 1);
    }
    return "(missing)";
}

std::vector<std::string> EmbosserTest::FolderFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
