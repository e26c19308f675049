// The sizes of many forms from one list of the server's forms, and answers that outgrow the
// first guess of their size: asked again, never cut.
#include "media/paper_media_fixture.h"

#include "media/form_queries.h"
#include "settings/printer_data_store.h"

#include <string>

namespace {

// The spooler takes form names of up to 31 characters, as a devmode holds them.
constexpr size_t kLongestFormName = 31;

class FormSizesTest : public PluginTest {
protected:
    void AddUserForms(int count, const std::u16string& prefix, LONG width) {
        for (int i = 0; i < count; ++i) {
            std::u16string name = prefix;
            for (char c : std::to_string(i))
                name += static_cast<char16_t>(c);
            AddServerForm(name.c_str(), width + i, 100000);
        }
    }
};

TEST_F(FormSizesTest, OneListAnswersAsGetFormSizeWould) {
    HANDLE printer = OpenHostHandle();
    AddUserForms(1, u"Braille ", 279400);
    sim::ResetSpoolerCalls();
    FormSizes forms(printer);
    EXPECT_EQ(sim::SpoolerCallLog(), std::vector<std::string>{"EnumFormsW"});
    const char16_t* names[] = {u"Letter",    u"letter", u"A4",      u"Braille 0",
                               u"BRAILLE 0", u"A",      u"Letter ", u""};
    for (size_t i = 0; i < ARRAYSIZE(names); ++i) {
        SIZE listed = forms.SizeOf(names[i]);
        SIZE single = GetFormSize(printer, names[i]);
        EXPECT_EQ(listed.cx, single.cx) << "name " << i;
        EXPECT_EQ(listed.cy, single.cy) << "name " << i;
    }
    SIZE letter = forms.SizeOf(u"letter");
    EXPECT_EQ(letter.cx, 215900);
    EXPECT_EQ(letter.cy, 279400);
    EXPECT_EQ(forms.SizeOf(u"Braille 0").cx, 279400);
    EXPECT_EQ(forms.SizeOf(u"Letter ").cx, 0) << "a name that is no form";
    EXPECT_EQ(forms.SizeOf(nullptr).cx, 0);

    // Without memory for the list every size is 0 x 0, as a failed read of one is.
    sim::FailNextGlobalAllocations(1);
    FormSizes none(printer);
    EXPECT_EQ(none.SizeOf(u"Letter").cx, 0);
    sim::FailNextGlobalAllocations(1);
    EXPECT_EQ(GetFormSize(printer, u"Letter").cx, 0) << "no memory for the answer";
}

TEST_F(FormSizesTest, AnswersLargerThanTheFirstGuessAreAskedForAgain) {
    HANDLE printer = OpenHostHandle();
    // Many user forms: the list outgrows its first block.
    AddUserForms(400, u"Braille form number ", 100000);
    sim::ResetSpoolerCalls();
    FormSizes forms(printer);
    EXPECT_EQ(sim::SpoolerCalls("EnumFormsW"), 2u);
    EXPECT_EQ(forms.SizeOf(u"Braille form number 399").cx, 100399);

    // One form's record with the longest name a form may have fits the first guess.
    std::u16string longest(kLongestFormName, u'L');
    AddUserForms(1, longest.substr(0, kLongestFormName - 1), 120000);
    sim::ResetSpoolerCalls();
    EXPECT_EQ(GetFormSize(printer, (longest.substr(0, kLongestFormName - 1) + u"0").c_str()).cx,
              120000);
    EXPECT_EQ(sim::SpoolerCalls("GetFormW"), 1u);
}

TEST_F(FormSizesTest, ALargePrinterInformationIsAskedForAgainInFull) {
    HANDLE printer = OpenHostHandle();
    GlobalBlock block(0);
    sim::ResetSpoolerCalls();
    ASSERT_NE(FetchPrinterInfo2(printer, block), nullptr);
    EXPECT_EQ(sim::SpoolerCalls("GetPrinterW"), 1u) << "the usual answer fits the first guess";

    // A long comment and location outgrow it.
    std::u16string comment(3000, u'c'), location(3000, u'l');
    PRINTER_INFO_2W change = *FetchPrinterInfo2(printer, block);
    change.pComment = const_cast<LPWSTR>(comment.c_str());
    change.pLocation = const_cast<LPWSTR>(location.c_str());
    change.pDevMode = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE full = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterNameW), &full, &defaults));
    ASSERT_TRUE(SetPrinterW(full, 2, reinterpret_cast<LPBYTE>(&change), 0));
    ClosePrinter(full);

    sim::ResetSpoolerCalls();
    const PRINTER_INFO_2W* info = FetchPrinterInfo2(printer, block);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(sim::SpoolerCalls("GetPrinterW"), 2u);
    EXPECT_EQ(std::u16string(info->pPrinterName), u"Tarvik Embosser");
    EXPECT_EQ(std::u16string(info->pLocation), location);
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_EQ(info->pDevMode->dmDriverExtra, 732);

    // A handle the spooler does not know: nothing.
    EXPECT_EQ(FetchPrinterInfo2(nullptr, block), nullptr);
}

} // namespace
