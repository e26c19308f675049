// The print server's forms, the driver queries and raw jobs.
#include "spooler_fixture.h"

#include <cstring>
#include <string>
#include <vector>

using namespace spoolertest;

namespace {

class Spooler : public PrinterTest {
protected:
    void Customise(sim::PrinterSetup& setup) override {
        setup.driverVersion = 0x0002000300040005ULL;
    }
};

TEST_F(Spooler, GetFormFindsANameInAnyCaseAndSizesItsAnswerExactly) {
    HANDLE printer = Open(0);
    std::u16string letter = u"letter";
    DWORD needed = 0;
    EXPECT_FALSE(GetFormW(printer, letter.data(), 1, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, sizeof(FORM_INFO_1W) + sizeof(u"Letter"));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetFormW(printer, letter.data(), 1, buffer.data(), needed, &needed));
    auto* form = reinterpret_cast<FORM_INFO_1W*>(buffer.data());
    EXPECT_EQ(std::u16string(form->pName), u"Letter");
    ClosePrinter(printer);
}

TEST_F(Spooler, UserFormsNeedAdministerAccessAndBuiltInsStay) {
    HANDLE user = Open(0);
    HANDLE admin = Open(PRINTER_ALL_ACCESS);
    std::u16string name = u"Braille 11x11";
    FORM_INFO_1W form = {FORM_USER, name.data(), {279400, 279400}, {0, 0, 279400, 279400}};

    EXPECT_FALSE(AddFormW(user, 1, reinterpret_cast<LPBYTE>(&form)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(AddFormW(admin, 1, reinterpret_cast<LPBYTE>(&form)));
    std::u16string builtInName = u"A4";
    form.pName = builtInName.data();
    EXPECT_FALSE(AddFormW(admin, 1, reinterpret_cast<LPBYTE>(&form)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    std::u16string tooLong(32, u'x');
    form.pName = tooLong.data();
    EXPECT_FALSE(AddFormW(admin, 1, reinterpret_cast<LPBYTE>(&form)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    DWORD needed = 0, count = 0;
    EnumFormsW(user, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> all(needed);
    ASSERT_TRUE(EnumFormsW(user, 1, all.data(), needed, &needed, &count));
    ASSERT_EQ(count, sim::Forms().size());
    auto* last = reinterpret_cast<FORM_INFO_1W*>(all.data()) + count - 1;
    EXPECT_EQ(std::u16string(last->pName), u"Braille 11x11");

    EXPECT_FALSE(DeleteFormW(admin, builtInName.data()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(DeleteFormW(user, name.data()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFormW(admin, name.data()));
    EXPECT_FALSE(DeleteFormW(admin, name.data()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FORM_NAME));
    EXPECT_TRUE(sim::FindForm("A4"));
    ClosePrinter(user);
    ClosePrinter(admin);
}

TEST_F(Spooler, DriverDirectoryIsSizedInBytesWithItsTerminator) {
    const std::u16string expected = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64";
    const DWORD bytes = static_cast<DWORD>((expected.size() + 1) * sizeof(WCHAR));
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, bytes);

    std::vector<WCHAR> buffer(expected.size() + 1, u'#');
    EXPECT_FALSE(GetPrinterDriverDirectoryW(
        nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer.data()), bytes - 1, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(buffer[0], u'#'); // nothing written
    ASSERT_TRUE(GetPrinterDriverDirectoryW(
        nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(buffer.data()), bytes, &needed));
    EXPECT_EQ(std::u16string(buffer.data()), expected);
    EXPECT_EQ(needed, bytes);
}

TEST_F(Spooler, DriverInfoSixCarriesTheDriversVersion) {
    HANDLE printer = Open(0);
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterDriverW(printer, nullptr, 6, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterDriverW(printer, nullptr, 6, buffer.data(), needed, &needed));
    auto* info = reinterpret_cast<DRIVER_INFO_6W*>(buffer.data());
    EXPECT_EQ(info->dwlDriverVersion, 0x0002000300040005ULL);
    EXPECT_EQ(std::u16string(info->pName), u"Tarvik");
    EXPECT_EQ(std::u16string(info->pEnvironment), u"Windows x64");
    EXPECT_EQ(info->pDependentFiles, nullptr);
    ClosePrinter(printer);
}

TEST_F(Spooler, RawJobsAreRecordedByteForByte) {
    HANDLE printer = Open(0);
    std::u16string raw = u"RAW";
    DOC_INFO_1W doc = {nullptr, nullptr, raw.data()};
    DWORD job = StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&doc));
    ASSERT_NE(job, 0u);
    char first[] = "\x1B@ABC";
    char second[] = "DEF";
    DWORD written = 0;
    EXPECT_TRUE(WritePrinter(printer, first, 5, &written));
    EXPECT_EQ(written, 5u);
    EXPECT_TRUE(WritePrinter(printer, second, 3, &written));
    EXPECT_TRUE(EndDocPrinter(printer));

    // A short write reports what it took.
    sim::LimitWritePrinter(kPrinter, 2);
    ASSERT_NE(StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&doc)), 0u);
    EXPECT_TRUE(WritePrinter(printer, second, 3, &written));
    EXPECT_EQ(written, 2u);
    EXPECT_TRUE(EndDocPrinter(printer));

    std::u16string text = u"TEXT";
    DOC_INFO_1W wrongType = {nullptr, nullptr, text.data()};
    EXPECT_EQ(StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&wrongType)), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATATYPE));
    // An injected StartDocPrinterW failure is checked where the plug-in sends its raw jobs.
    ASSERT_NE(StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&doc)), 0u);
    ClosePrinter(printer); // with the document still open

    auto jobs = sim::Jobs(kPrinter);
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].id, job);
    EXPECT_EQ(jobs[0].data, (std::vector<BYTE>{0x1B, '@', 'A', 'B', 'C', 'D', 'E', 'F'}));
    EXPECT_EQ(jobs[0].state, sim::PrintJob::State::Completed);
    EXPECT_EQ(jobs[0].dataType, "RAW");
    EXPECT_EQ(jobs[1].data, (std::vector<BYTE>{'D', 'E'}));
    EXPECT_EQ(jobs[1].state, sim::PrintJob::State::Completed);
    EXPECT_EQ(jobs[2].state, sim::PrintJob::State::Unfinished);
}

} // namespace
