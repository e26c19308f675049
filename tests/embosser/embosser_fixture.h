// The virtual embosser with its state file in a folder of its own, and what a test needs to read
// its settings block and to edit its state file as a script would.
#pragma once

#include "virtual_embosser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

constexpr LPCWSTR kPrinter = TEXT("Tarvik Embosser");

struct BlockRecord {
    DWORD id;
    LONG values[4];
    std::vector<BYTE> data;

    std::string Text() const { return std::string(data.begin(), data.end()); }
};

class EmbosserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The settings block by record id; empty when the embosser refused to answer.
    std::map<DWORD, BlockRecord> Settings(LPCWSTR printer = kPrinter);
    DWORD Set(DWORD id, std::vector<LONG> values, LPCWSTR printer = kPrinter);
    DWORD SetAddress(DWORD id, std::vector<BYTE> address);
    DWORD Update(LPCWSTR printer = kPrinter) { return DllExportUpdatePrinter(0, printer); }
    std::u16string ErrorText(DWORD code);

    std::string ReadStateFile() const;
    void WriteStateFile(const std::string& text) const;
    // The value of `key` in the file's section of `printer`, or "(missing)".
    std::string StateValue(const std::string& key,
                           const std::string& printer = "Tarvik Embosser") const;
    // The files of the state folder, by name.
    std::vector<std::string> FolderFiles() const;

    std::filesystem::path folder_;
    std::filesystem::path stateFile_;
};
