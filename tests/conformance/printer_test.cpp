// The spooler on both implementations: printer data and the registry key it lives in, the
// printer's information and default devmode, the server's forms, and DocumentPropertiesW
// answered by the printer's driver (the configuration module on Windows, the generic driver of
// winsim natively: only what the spooler itself guarantees is compared).
#include "platform.h"

#include <winspool.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

using conformance::kPrinterName;
using conformance::WideString;

const WCHAR kConfigPath[] =
    TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser\\Config");
const WCHAR kDriverDataPath[] =
    TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser\\")
        TEXT("PrinterDriverData");

class Spooler : public ::testing::Test {
protected:
    void SetUp() override {
        conformance::ResetMachine();
        ASSERT_TRUE(conformance::InstallPrinter());
        admin_ = conformance::OpenTestPrinter(PRINTER_ALL_ACCESS);
        ASSERT_NE(admin_, nullptr);
    }
    void TearDown() override {
        if (admin_ != nullptr)
            ClosePrinter(admin_);
        conformance::ResetMachine();
    }
    HANDLE admin_ = nullptr;
};

DWORD WriteDword(HANDLE printer, const WCHAR* key, const WCHAR* value, DWORD data) {
    return SetPrinterDataExW(printer, key, value, REG_DWORD, reinterpret_cast<LPBYTE>(&data),
                             sizeof data);
}

// The DWORD at the registry path, or 0xDEADBEEF.
DWORD RegistryDword(const WideString& path, const WCHAR* value) {
    DWORD data = 0xDEADBEEF, size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), value, RRF_RT_REG_DWORD, nullptr, &data,
                     &size) != ERROR_SUCCESS)
        return 0xDEADBEEF;
    return data;
}

std::vector<BYTE> PrinterInfo(HANDLE printer, DWORD level) {
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(printer, level, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed);
    EXPECT_TRUE(GetPrinterW(printer, level, buffer.data(), needed, &needed));
    return buffer;
}

bool Inside(const std::vector<BYTE>& buffer, const void* pointer) {
    auto* p = static_cast<const BYTE*>(pointer);
    return p >= buffer.data() && p < buffer.data() + buffer.size();
}

TEST_F(Spooler, PrinterDataLivesInThePrintersRegistryKeyBothWays) {
    ASSERT_EQ(WriteDword(admin_, TEXT("Config"), TEXT("EmbossMode"), 1), ERROR_SUCCESS);
    ASSERT_EQ(WriteDword(admin_, TEXT("Config\\MediaTypes"), TEXT("Thick"), 0x2006), ERROR_SUCCESS);
    EXPECT_EQ(RegistryDword(kConfigPath, TEXT("EmbossMode")), 1u);
    EXPECT_EQ(RegistryDword(WideString(kConfigPath) + TEXT("\\MediaTypes"), TEXT("Thick")),
              0x2006u);

    // A value written into the registry is printer data, names compared without case.
    HKEY config = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kConfigPath, 0, KEY_SET_VALUE, &config),
              ERROR_SUCCESS);
    DWORD ink = 7;
    RegSetValueExW(config, TEXT("InkMode"), 0, REG_DWORD, reinterpret_cast<BYTE*>(&ink), 4);
    RegCloseKey(config);
    DWORD type = 0, data = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataExW(admin_, TEXT("config"), TEXT("INKMODE"), &type,
                                reinterpret_cast<LPBYTE>(&data), sizeof data, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, 7u);
    EXPECT_EQ(needed, 4u);

    // The old interface reads and writes the "PrinterDriverData" key.
    DWORD legacy = 3;
    EXPECT_EQ(SetPrinterDataW(admin_, const_cast<LPWSTR>(TEXT("Legacy")), REG_DWORD,
                              reinterpret_cast<LPBYTE>(&legacy), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(RegistryDword(kDriverDataPath, TEXT("Legacy")), 3u);
}

TEST_F(Spooler, PrinterDataReadsAreSizedTheSpoolersWay) {
    const WCHAR card[] = TEXT("Card");
    ASSERT_EQ(SetPrinterDataExW(admin_, TEXT("Config"), TEXT("CustomMediaType"), REG_SZ,
                                reinterpret_cast<LPBYTE>(const_cast<WCHAR*>(card)), sizeof card),
              ERROR_SUCCESS);
    HANDLE user = conformance::OpenTestPrinter(0);
    ASSERT_NE(user, nullptr);
    DWORD type = 0, needed = 0;

    // No buffer: the spooler answers ERROR_MORE_DATA (not success, as the registry does).
    EXPECT_EQ(GetPrinterDataExW(user, TEXT("Config"), TEXT("CustomMediaType"), &type, nullptr, 0,
                                &needed),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, sizeof card);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    WCHAR text[5] = {TEXT('x'), TEXT('x'), TEXT('x'), TEXT('x'), TEXT('x')};
    EXPECT_EQ(GetPrinterDataExW(user, TEXT("Config"), TEXT("CustomMediaType"), &type,
                                reinterpret_cast<LPBYTE>(text), 8, &needed),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, sizeof card);
    EXPECT_EQ(GetPrinterDataExW(user, TEXT("Config"), TEXT("CustomMediaType"), &type,
                                reinterpret_cast<LPBYTE>(text), sizeof text, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(WideString(text), TEXT("Card"));

    DWORD data = 0;
    EXPECT_EQ(GetPrinterDataExW(user, TEXT("Config"), TEXT("Missing"), &type,
                                reinterpret_cast<LPBYTE>(&data), 4, &needed),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrinterDataExW(user, TEXT("NoSuchKey"), TEXT("Missing"), &type,
                                reinterpret_cast<LPBYTE>(&data), 4, &needed),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    ClosePrinter(user);
}

TEST_F(Spooler, PrinterDataWritesNeedTheManagePrinterAccess) {
    SKIP_KNOWN_WINE_GAP("SetPrinterDataExW accepts a handle opened without "
                        "PRINTER_ACCESS_ADMINISTER");
    HANDLE user = conformance::OpenTestPrinter(0);
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(WriteDword(user, TEXT("Config"), TEXT("Collate"), 1),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RegistryDword(kConfigPath, TEXT("Collate")), 0xDEADBEEFu);
    ASSERT_EQ(WriteDword(admin_, TEXT("Config"), TEXT("Collate"), 1), ERROR_SUCCESS);
    EXPECT_EQ(DeletePrinterDataExW(user, TEXT("Config"), TEXT("Collate")),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RegistryDword(kConfigPath, TEXT("Collate")), 1u);
    ClosePrinter(user);
}

TEST_F(Spooler, PrinterDataIsDeletedThroughTheSpooler) {
    SKIP_KNOWN_WINE_GAP("DeletePrinterDataExW always fails with ERROR_INVALID_PARAMETER");
    ASSERT_EQ(WriteDword(admin_, TEXT("Config"), TEXT("Collate"), 1), ERROR_SUCCESS);
    EXPECT_EQ(DeletePrinterDataExW(admin_, TEXT("Config"), TEXT("Collate")), ERROR_SUCCESS);
    EXPECT_EQ(DeletePrinterDataExW(admin_, TEXT("Config"), TEXT("Collate")),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RegistryDword(kConfigPath, TEXT("Collate")), 0xDEADBEEFu);
}

TEST_F(Spooler, GetPrinterPacksLevelTwoAndSetPrinterStoresTheDefaultDevmode) {
    std::vector<BYTE> buffer = PrinterInfo(admin_, 2);
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    EXPECT_EQ(WideString(info->pPrinterName), kPrinterName);
    EXPECT_EQ(WideString(info->pDriverName), TEXT("Tarvik"));
    EXPECT_EQ(WideString(info->pPortName), TEXT("FILE:"));
    EXPECT_EQ(WideString(info->pPrintProcessor), TEXT("WinPrint"));
    EXPECT_EQ(WideString(info->pDatatype), TEXT("RAW"));
    EXPECT_TRUE(Inside(buffer, info->pPrinterName) && Inside(buffer, info->pDriverName))
        << "strings are packed into the caller's buffer";
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_TRUE(Inside(buffer, info->pDevMode));
    EXPECT_EQ(WideString(info->pDevMode->dmDeviceName), kPrinterName);
    EXPECT_EQ(info->pDevMode->dmSize, sizeof(DEVMODEW));

    // A new default devmode and comment through level 2; strings left null keep their values.
    info->pDevMode->dmOrientation = DMORIENT_LANDSCAPE;
    info->pDevMode->dmFields |= DM_ORIENTATION;
    info->pComment = const_cast<LPWSTR>(TEXT("Braille room"));
    info->pLocation = nullptr;
    ASSERT_TRUE(SetPrinterW(admin_, 2, buffer.data(), 0));
    std::vector<BYTE> again = PrinterInfo(admin_, 2);
    auto* stored = reinterpret_cast<PRINTER_INFO_2W*>(again.data());
    ASSERT_NE(stored->pDevMode, nullptr);
    EXPECT_EQ(stored->pDevMode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(WideString(stored->pComment), TEXT("Braille room"));
    EXPECT_EQ(WideString(stored->pPortName), TEXT("FILE:"));

    // Level 1: flags, "name,driver,location" and the name.
    std::vector<BYTE> one = PrinterInfo(admin_, 1);
    auto* first = reinterpret_cast<PRINTER_INFO_1W*>(one.data());
    EXPECT_EQ(WideString(first->pName), kPrinterName);
    WideString description = first->pDescription;
    std::cout << "[ level 1  ] pDescription \""
              << std::string(description.begin(), description.end()) << "\"\n";
    EXPECT_EQ(description.substr(0, 15), kPrinterName) << "the description starts with the name";
}

TEST_F(Spooler, SetPrinterNeedsTheManagePrinterAccess) {
    SKIP_KNOWN_WINE_GAP("SetPrinterW accepts a handle opened without PRINTER_ACCESS_ADMINISTER");
    HANDLE user = conformance::OpenTestPrinter(0);
    ASSERT_NE(user, nullptr);
    std::vector<BYTE> buffer = PrinterInfo(user, 2);
    SetLastError(0);
    EXPECT_FALSE(SetPrinterW(user, 2, buffer.data(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ClosePrinter(user);
}

std::vector<BYTE> FormInfo(HANDLE printer, const WCHAR* name, DWORD* error) {
    DWORD needed = 0;
    SetLastError(0);
    if (GetFormW(printer, const_cast<LPWSTR>(name), 1, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        *error = GetLastError();
        return {};
    }
    std::vector<BYTE> buffer(needed);
    *error = GetFormW(printer, const_cast<LPWSTR>(name), 1, buffer.data(), needed, &needed)
                 ? ERROR_SUCCESS
                 : GetLastError();
    return buffer;
}

TEST_F(Spooler, KnowsTheBuiltInFormsInMicrometres) {
    struct Expected {
        const WCHAR* name;
        LONG cx, cy;
    };
    for (const Expected& expected :
         {Expected{TEXT("Letter"), 215900, 279400}, Expected{TEXT("A4"), 210000, 297000},
          Expected{TEXT("Legal"), 215900, 355600}, Expected{TEXT("B5 (JIS)"), 182000, 257000},
          Expected{TEXT("Executive"), 184150, 266700},
          Expected{TEXT("Envelope #10"), 104775, 241300}}) {
        DWORD error = 0;
        std::vector<BYTE> buffer = FormInfo(admin_, expected.name, &error);
        ASSERT_EQ(error, ERROR_SUCCESS);
        auto* form = reinterpret_cast<FORM_INFO_1W*>(buffer.data());
        EXPECT_EQ(WideString(form->pName), expected.name);
        EXPECT_EQ(form->Flags, static_cast<DWORD>(FORM_BUILTIN));
        EXPECT_EQ(form->Size.cx, expected.cx);
        EXPECT_EQ(form->Size.cy, expected.cy);
        EXPECT_EQ(form->ImageableArea.left, 0);
        EXPECT_EQ(form->ImageableArea.top, 0);
        EXPECT_EQ(form->ImageableArea.right, expected.cx);
        EXPECT_EQ(form->ImageableArea.bottom, expected.cy);
    }
    DWORD error = 0;
    FormInfo(admin_, TEXT("No Such Form"), &error);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_FORM_NAME));

    DWORD needed = 0, count = 0;
    EXPECT_FALSE(EnumFormsW(admin_, 1, nullptr, 0, &needed, &count));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(EnumFormsW(admin_, 1, buffer.data(), needed, &needed, &count));
    auto* forms = reinterpret_cast<FORM_INFO_1W*>(buffer.data());
    bool letter = false, a4 = false;
    for (DWORD i = 0; i < count; ++i) {
        letter = letter || WideString(forms[i].pName) == TEXT("Letter");
        a4 = a4 || WideString(forms[i].pName) == TEXT("A4");
    }
    EXPECT_TRUE(letter && a4) << count << " forms";
}

TEST_F(Spooler, AddsAndDeletesUserForms) {
    SKIP_KNOWN_WINE_GAP("AddFormW returns TRUE but adds nothing");
    FORM_INFO_1W form = {};
    form.Flags = FORM_USER;
    form.pName = const_cast<LPWSTR>(TEXT("Tarvik 11 x 11.5"));
    form.Size = {279400, 292100};
    form.ImageableArea = {0, 0, 279400, 292100};
    ASSERT_TRUE(AddFormW(admin_, 1, reinterpret_cast<LPBYTE>(&form)));
    EXPECT_FALSE(AddFormW(admin_, 1, reinterpret_cast<LPBYTE>(&form)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    DWORD error = 0;
    std::vector<BYTE> buffer = FormInfo(admin_, form.pName, &error);
    ASSERT_EQ(error, ERROR_SUCCESS);
    EXPECT_EQ(reinterpret_cast<FORM_INFO_1W*>(buffer.data())->Flags, static_cast<DWORD>(FORM_USER));
    EXPECT_TRUE(DeleteFormW(admin_, form.pName));
    FormInfo(admin_, form.pName, &error);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_FORM_NAME));
}

// The spooler hands DocumentPropertiesW to the driver: the size of its devmodes, its defaults for
// the printer, and the caller's devmode merged over them, with IDOK.
TEST_F(Spooler, DocumentPropertiesAnswersThroughTheDriver) {
    LPWSTR name = const_cast<LPWSTR>(kPrinterName);
    LONG size = DocumentPropertiesW(nullptr, admin_, name, nullptr, nullptr, 0);
    ASSERT_GE(size, static_cast<LONG>(sizeof(DEVMODEW)));
    std::vector<BYTE> defaults(size), merged(size);
    auto* devmode = reinterpret_cast<DEVMODEW*>(defaults.data());
    // Wine passes the output's dmSize to the driver as the buffer's size (cbOut).
    bool wineSizes = conformance::KnownWineGap(
        "DocumentPropertiesW tells the driver the output devmode's dmSize as the size of the "
        "output buffer");
    if (wineSizes)
        devmode->dmSize = static_cast<WORD>(size);
    ASSERT_EQ(DocumentPropertiesW(nullptr, admin_, name, devmode, nullptr, DM_OUT_BUFFER), IDOK);
    EXPECT_EQ(WideString(devmode->dmDeviceName), kPrinterName);
    EXPECT_EQ(devmode->dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(devmode->dmSpecVersion, DM_SPECVERSION);
    EXPECT_EQ(devmode->dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(devmode->dmCopies, 1);

    devmode->dmOrientation = DMORIENT_LANDSCAPE;
    devmode->dmFields |= DM_ORIENTATION;
    auto* out = reinterpret_cast<DEVMODEW*>(merged.data());
    if (wineSizes)
        out->dmSize = static_cast<WORD>(size);
    ASSERT_EQ(
        DocumentPropertiesW(nullptr, admin_, name, out, devmode, DM_IN_BUFFER | DM_OUT_BUFFER),
        IDOK);
    EXPECT_EQ(out->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_TRUE(out->dmFields & DM_ORIENTATION);
    EXPECT_EQ(WideString(out->dmDeviceName), kPrinterName);
}

} // namespace
