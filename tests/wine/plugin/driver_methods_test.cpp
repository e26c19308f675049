// What the plug-in object answers the core driver itself, and what it leaves to it, called as the
// core driver calls them: through the slots of the object's method table in the published order
// (IUnknown's three, IPrintOemCommon's two, IPrintOemUI's twelve, IPrintOemUI2's three), so that
// a method out of its place shows.
#include "wine_test.h"

#include <cstring>

namespace {

enum Slot {
    kGetInfo = 3,
    kDevMode = 4,
    kCommonUIProp = 6,
    kQueryColorProfile = 14,
    kHideStandardUI = 18,
};
// DevQueryPrintEx, UpgradePrinter, PrinterEvent, DriverEvent, FontInstallerDlgProc,
// UpdateExternalFonts, QueryJobAttributes, DocumentEvent.
const int kLeftToTheCoreDriver[] = {9, 11, 12, 13, 15, 16, 17, 19};

class DriverMethodsTest : public HostedPluginTest {
protected:
    // The method in `slot`, called with `arguments` as they are: the 64-bit calling convention
    // passes each integer and pointer argument alike in one register or stack slot.
    template <typename... A> HRESULT Call(int slot, A... arguments) {
        void* method = (*reinterpret_cast<void***>(host_.plugin()))[slot];
        return reinterpret_cast<HRESULT(STDMETHODCALLTYPE*)(void*, A...)>(method)(host_.plugin(),
                                                                                  arguments...);
    }
    void* const none = nullptr; // for arguments the method does not read
};

TEST_F(DriverMethodsTest, GetInfoReportsSignatureAndVersionAndRefusesTheRest) {
    const struct {
        DWORD mode, size;
        bool sizeNeededPointer;
        HRESULT result;
        DWORD error, sizeNeeded;
        const char* bytes;
    } cases[] = {
        {OEMGI_GETSIGNATURE, 4, true, S_OK, 0, 4, "KTVQ"},
        {OEMGI_GETVERSION, 4, true, S_OK, 0, 4, "\1\0\0\0"},
        {OEMGI_GETVERSION, 2, true, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, nullptr},
        {OEMGI_GETINTERFACEVERSION, 8, true, E_FAIL, ERROR_INVALID_PARAMETER, 77, nullptr},
        {OEMGI_GETSIGNATURE, 8, false, E_FAIL, ERROR_INVALID_PARAMETER, 77, nullptr},
        {OEMGI_GETPUBLISHERINFO, 8, true, E_FAIL, ERROR_NOT_SUPPORTED, 0, nullptr},
        {OEMGI_GETPUBLISHERINFO, 2, true, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, nullptr},
    };
    for (const auto& call : cases) {
        BYTE buffer[8] = {};
        DWORD needed = 77;
        SCOPED_TRACE(testing::Message() << call.mode << " " << call.size);
        SetLastError(0);
        EXPECT_EQ(Call(kGetInfo, call.mode, buffer, call.size,
                       call.sizeNeededPointer ? &needed : nullptr),
                  call.result);
        EXPECT_EQ(GetLastError(), call.error);
        EXPECT_EQ(needed, call.sizeNeeded);
        EXPECT_TRUE(call.bytes == nullptr || std::memcmp(buffer, call.bytes, 4) == 0);
    }
}

// The private section's size is what the spooler's applications get (spooler_test.cpp), the
// device settings tree's items what the device page shows (device program); the section's rules
// are the native rule tests'.
TEST_F(DriverMethodsTest, ModesSizeTheSectionReplaceOnlyTheDocumentPagesAndRefuseTheRest) {
    const struct {
        Slot slot;
        DWORD mode;
        bool parameters;
        HRESULT result;
        DWORD count; // cbBufSize for DevMode, cOEMOptItems for CommonUIProp
    } cases[] = {
        {kDevMode, OEMDM_SIZE, false, E_FAIL, 5},
        {kDevMode, 5, true, E_FAIL, 5},
        {kCommonUIProp, OEMCUIP_DOCPROP, true, S_OK, 0},
        {kCommonUIProp, 3, true, E_FAIL, 5},
        {kHideStandardUI, OEMCUIP_DOCPROP, false, S_OK, 5},
        {kHideStandardUI, OEMCUIP_PRNPROP, false, E_NOTIMPL, 5},
    };
    for (const auto& call : cases) {
        OEMDMPARAM devmode = {};
        OEMCUIPPARAM items = {};
        devmode.cbSize = sizeof(devmode);
        items.cbSize = sizeof(items);
        devmode.cbBufSize = items.cOEMOptItems = 5;
        void* parameters = call.slot == kDevMode ? static_cast<void*>(&devmode) : &items;
        SCOPED_TRACE(testing::Message() << call.slot << " " << call.mode);
        SetLastError(0);
        EXPECT_EQ(Call(call.slot, call.mode, call.parameters ? parameters : nullptr), call.result);
        EXPECT_EQ(call.slot == kDevMode ? devmode.cbBufSize : items.cOEMOptItems, call.count);
        EXPECT_EQ(GetLastError(), call.result == E_FAIL ? DWORD(ERROR_INVALID_PARAMETER) : 0u);
    }
    // These read none of their arguments.
    INT answer = 0;
    for (int slot : kLeftToTheCoreDriver)
        EXPECT_EQ(Call(slot, none, none, none, none, none, none, &answer), E_NOTIMPL) << slot;
}

// The private capability is asked through the spooler (spooler_test.cpp).
TEST_F(DriverMethodsTest, TheColorProfileIsAFile) {
    const struct {
        ULONG mode;
        bool buffer;
        ULONG size;
        HRESULT result;
        ULONG sizeAfter;
        DWORD error;
    } profiles[] = {
        {QCP_SOURCEPROFILE, true, 32, E_FAIL, 32, 0},
        {QCP_DEVICEPROFILE, true, 31, E_FAIL, 32, ERROR_INSUFFICIENT_BUFFER},
        {QCP_DEVICEPROFILE, false, 64, E_FAIL, 32, ERROR_INSUFFICIENT_BUFFER},
        {QCP_DEVICEPROFILE, true, 32, S_OK, 32, 0},
    };
    for (const auto& call : profiles) {
        WCHAR profile[17] = {};
        std::memset(profile, 0xAB, 32);
        ULONG size = call.size;
        FLONG flags = 0;
        SetLastError(0);
        EXPECT_EQ(Call(kQueryColorProfile, none, none, none, none, call.mode,
                       call.buffer ? static_cast<void*>(profile) : nullptr, &size, &flags),
                  call.result);
        EXPECT_EQ(size, call.sizeAfter);
        EXPECT_EQ(GetLastError(), call.error);
        EXPECT_EQ(std::wstring(profile),
                  call.result == S_OK ? TEXT("OEMPROFILE.icm") : std::wstring(16, 0xABAB));
        EXPECT_EQ(flags, call.result == S_OK ? FLONG(QCP_PROFILEDISK) : 0u);
    }
}

} // namespace
