// What the plug-in object answers the core driver itself, and what it leaves to it.
#include "support/plugin_machine.h"

#include "core/plugin_ids.h"
#include "host/core_driver.h"

#include <cstring>

namespace {

class DriverMethodsTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(host_.Load(kPluginPath), S_OK);
        plugin_ = host_.plugin();
    }
    void TearDown() override {
        host_.Unload();
        PluginTest::TearDown();
    }
    CoreDriverHost host_;
    IPrintOemUI2* plugin_ = nullptr;
};

TEST_F(DriverMethodsTest, GetInfoReportsSignatureAndVersionAndRefusesTheRest) {
    BYTE buffer[8];
    std::memset(buffer, 0xCC, sizeof(buffer));
    DWORD needed = 0;
    ASSERT_EQ(plugin_->GetInfo(OEMGI_GETSIGNATURE, buffer, 4, &needed), S_OK);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(std::memcmp(buffer, "KTVQ", 4), 0);

    DWORD version = 0;
    ASSERT_EQ(plugin_->GetInfo(OEMGI_GETVERSION, &version, sizeof(version), &needed), S_OK);
    EXPECT_EQ(version, 1u);

    needed = 0;
    EXPECT_EQ(plugin_->GetInfo(OEMGI_GETVERSION, buffer, 2, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, 4u);

    needed = 77;
    EXPECT_EQ(plugin_->GetInfo(OEMGI_GETINTERFACEVERSION, buffer, 8, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(needed, 77u) << "untouched for a refused mode";
    EXPECT_EQ(plugin_->GetInfo(OEMGI_GETSIGNATURE, buffer, 8, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    EXPECT_EQ(plugin_->GetInfo(OEMGI_GETPUBLISHERINFO, buffer, 8, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(plugin_->GetInfo(OEMGI_GETPUBLISHERINFO, buffer, 2, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, 4u);
}

TEST_F(DriverMethodsTest, PrivateCapabilityNamesTheOutputModes) {
    DWORD result = 0;
    ASSERT_EQ(plugin_->DeviceCapabilities(nullptr, nullptr, nullptr, 257, nullptr, nullptr, nullptr,
                                          0, &result),
              S_OK);
    EXPECT_EQ(result, 46u);
    WCHAR text[30];
    std::memset(text, 0xFF, sizeof(text));
    ASSERT_EQ(plugin_->DeviceCapabilities(nullptr, nullptr, nullptr, 257, text, nullptr, nullptr, 0,
                                          &result),
              S_OK);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(std::u16string(text), u"EmbossMode=1,InkMode=1");
    EXPECT_EQ(text[23], 0xFFFF) << "46 bytes written, no more";

    result = 99;
    EXPECT_EQ(plugin_->DeviceCapabilities(nullptr, nullptr, nullptr, DC_PAPERNAMES, text, nullptr,
                                          nullptr, 0, &result),
              E_NOTIMPL);
    EXPECT_EQ(result, 99u);
}

TEST_F(DriverMethodsTest, ColorProfileIsTheDeviceProfileFileOnly) {
    WCHAR profile[16];
    std::memset(profile, 0xAB, sizeof(profile));
    ULONG size = sizeof(profile);
    FLONG flags = 0;
    EXPECT_EQ(plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_SOURCEPROFILE,
                                         profile, &size, &flags),
              E_FAIL);
    EXPECT_EQ(size, sizeof(profile));
    EXPECT_EQ(profile[0], 0xABAB);

    size = 31;
    EXPECT_EQ(plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                         profile, &size, &flags),
              E_FAIL);
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    size = 64;
    EXPECT_EQ(plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                         nullptr, &size, &flags),
              E_FAIL);
    EXPECT_EQ(size, 32u);

    size = 32;
    ASSERT_EQ(plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                         profile, &size, &flags),
              S_OK);
    EXPECT_EQ(std::u16string(profile), u"OEMPROFILE.icm");
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(flags, static_cast<FLONG>(QCP_PROFILEDISK));
}

TEST_F(DriverMethodsTest, OwnPagesReplaceOnlyTheStandardDocumentPages) {
    EXPECT_EQ(plugin_->HideStandardUI(OEMCUIP_DOCPROP), S_OK);
    EXPECT_EQ(plugin_->HideStandardUI(OEMCUIP_PRNPROP), E_NOTIMPL);

    OEMCUIPPARAM param = {};
    param.cbSize = sizeof(param);
    param.cOEMOptItems = 5;
    EXPECT_EQ(plugin_->CommonUIProp(OEMCUIP_DOCPROP, &param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 0u) << "no items for the document common UI";
    EXPECT_EQ(plugin_->CommonUIProp(OEMCUIP_PRNPROP, &param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 20u) << "the device settings tree asks for 20 items";
    SetLastError(0);
    EXPECT_EQ(plugin_->CommonUIProp(3, &param), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(DriverMethodsTest, EverythingElseIsLeftToTheCoreDriver) {
    INT result = 0;
    EXPECT_EQ(plugin_->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin_->UpgradePrinter(1, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin_->PrinterEvent(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(plugin_->DriverEvent(0, 0, nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(plugin_->FontInstallerDlgProc(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(plugin_->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin_->QueryJobAttributes(nullptr, nullptr, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin_->DocumentEvent(nullptr, nullptr, 0, 0, nullptr, 0, nullptr, &result),
              E_NOTIMPL);
}

} // namespace
