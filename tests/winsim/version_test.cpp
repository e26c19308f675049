// version.dll: the plug-in's own RT_VERSION resource read through GetFileVersionInfoW and
// VerQueryValueW, and the failures for files without version information.
#include <gtest/gtest.h>

#include "plugin_module.h"
#include "sim.h"
#include "sim/kernel.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace simtest;

namespace {

std::u16string Widen(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

class VersionTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        RegisterPluginModule();
    }

    // The version information of the module, as a caller fetches it.
    std::vector<BYTE> Fetch() {
        DWORD handle = 0xDEAD;
        const DWORD size = GetFileVersionInfoSizeW(kModulePath, &handle);
        EXPECT_GT(size, 0u);
        EXPECT_EQ(handle, 0u);
        std::vector<BYTE> data(size);
        EXPECT_TRUE(GetFileVersionInfoW(kModulePath, handle, size, data.data()));
        return data;
    }
};

TEST_F(VersionTest, FixedInformationAndStringsOfTheModule) {
    std::vector<BYTE> data = Fetch();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), u"\\", reinterpret_cast<LPVOID*>(&fixed), &length));
    EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, (DWORD)VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwStrucVersion, (DWORD)VS_FFI_STRUCVERSION);
    EXPECT_EQ(fixed->dwFileType, (DWORD)VFT_DLL);

    // The translation array names the string table; its FileVersion reads like the fixed one.
    DWORD* translations = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), u"\\VarFileInfo\\Translation",
                               reinterpret_cast<LPVOID*>(&translations), &length));
    ASSERT_GE(length, sizeof(DWORD));
    EXPECT_EQ(length % sizeof(DWORD), 0u); // bytes, not entries
    char table[9];
    std::snprintf(table, sizeof table, "%04x%04x", translations[0] & 0xFFFF, translations[0] >> 16);
    const std::u16string strings = u"\\StringFileInfo\\" + Widen(table) + u"\\";

    LPWSTR text = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), (strings + u"FileVersion").c_str(),
                               reinterpret_cast<LPVOID*>(&text), &length));
    ASSERT_GT(length, 0u);
    const std::u16string fileVersion(text);
    EXPECT_LE(fileVersion.size(), length); // characters, the terminator possibly counted
    char expected[64];
    std::snprintf(expected, sizeof expected, "%u.%u.%u.%u", fixed->dwFileVersionMS >> 16,
                  fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16,
                  fixed->dwFileVersionLS & 0xFFFF);
    EXPECT_EQ(fileVersion.rfind(Widen(expected), 0), 0u) << "FileVersion " << table;

    // Names are compared without regard to case; a missing name is not found.
    std::u16string upper = strings + u"PRODUCTNAME";
    for (auto& c : upper)
        c = (c >= u'a' && c <= u'z') ? c - 32 : c;
    ASSERT_TRUE(
        VerQueryValueW(data.data(), upper.c_str(), reinterpret_cast<LPVOID*>(&text), &length));
    EXPECT_GT(std::u16string(text).size(), 0u);
    EXPECT_FALSE(VerQueryValueW(data.data(), (strings + u"NoSuchValue").c_str(),
                                reinterpret_cast<LPVOID*>(&text), &length));
    EXPECT_FALSE(VerQueryValueW(data.data(), u"\\StringFileInfo\\00000000\\ProductName",
                                reinterpret_cast<LPVOID*>(&text), &length));
}

TEST_F(VersionTest, ATruncatedCopyIsNotReadPastItsEnd) {
    const DWORD size = GetFileVersionInfoSizeW(kModulePath, nullptr);
    ASSERT_GT(size, 96u);
    // 40 bytes hold the root's header and key but not the fixed information behind them.
    std::vector<BYTE> data(40);
    ASSERT_TRUE(GetFileVersionInfoW(kModulePath, 0, static_cast<DWORD>(data.size()), data.data()));
    LPVOID value = nullptr;
    UINT length = 0;
    EXPECT_FALSE(VerQueryValueW(data.data(), u"\\", &value, &length));
    EXPECT_FALSE(VerQueryValueW(data.data(), u"\\VarFileInfo\\Translation", &value, &length));
}

TEST_F(VersionTest, FilesWithoutVersionInformation) {
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(u"C:\\Windows\\System32\\missing.dll", nullptr), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    BYTE buffer[64];
    EXPECT_FALSE(
        GetFileVersionInfoW(u"C:\\Windows\\System32\\missing.dll", 0, sizeof buffer, buffer));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);

    // Files that exist but carry no version resource: the loader's reason is kept.
    sim::AddFile(u"C:\\Data\\notes.txt");
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(u"C:\\Data\\notes.txt", nullptr), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_DATA_NOT_FOUND);
    sim::RegisterModule(u"C:\\Windows\\System32\\plain.dll", nullptr, {});
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(u"C:\\Windows\\System32\\plain.dll", nullptr), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_DATA_NOT_FOUND);
    const std::vector<unsigned char> data = ResImage(10 /* RT_RCDATA */, 1, "data");
    sim::RegisterModule(u"C:\\Windows\\System32\\data.dll", nullptr, {}, data.data(), data.size());
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(u"C:\\Windows\\System32\\data.dll", nullptr), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_TYPE_NOT_FOUND);

    EXPECT_DEATH(GetFileVersionInfoSizeW(u"qvembui.dll", nullptr), "search order");
}

} // namespace
