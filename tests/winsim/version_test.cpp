// version.dll: the plug-in's own RT_VERSION resource read through GetFileVersionInfoW and the
// fixed information VerQueryValueW finds in it, and the failures for files without version
// information.
#include <gtest/gtest.h>

#include "plugin_module.h"
#include "sim.h"
#include "sim/kernel.h"

#include <string>
#include <vector>

using namespace simtest;

namespace {

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

TEST_F(VersionTest, FixedInformationOfTheModule) {
    std::vector<BYTE> data = Fetch();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), u"\\", reinterpret_cast<LPVOID*>(&fixed), &length));
    EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, (DWORD)VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwStrucVersion, (DWORD)VS_FFI_STRUCVERSION);
    EXPECT_EQ(fixed->dwFileType, (DWORD)VFT_DLL);

    // The string and translation tables are not modelled.
    EXPECT_DEATH(VerQueryValueW(data.data(), u"\\VarFileInfo\\Translation",
                                reinterpret_cast<LPVOID*>(&fixed), &length),
                 "not modelled.*VarFileInfo");
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
