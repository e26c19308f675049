// The printer's papers, the server's forms and the matching between sizes and names.
#include "media/paper_media_fixture.h"

#include "media/form_queries.h"
#include "settings/settings_context.h"

#include <cstring>

namespace {

class FormQueriesTest : public PluginTest {
protected:
    void SetDefaultDevmode(DWORD fields, short paperSize, short width, short length,
                           const char16_t* formName) {
        DEVMODEW devmode = {};
        devmode.dmSize = sizeof(devmode);
        devmode.dmFields = fields;
        devmode.dmPaperSize = paperSize;
        devmode.dmPaperWidth = width;
        devmode.dmPaperLength = length;
        std::memcpy(devmode.dmFormName, formName,
                    (std::char_traits<char16_t>::length(formName) + 1) * sizeof(WCHAR));
        sim::SetDefaultDevmode(kPrinterName, &devmode);
    }
};

TEST_F(FormQueriesTest, PaperNamesComeInSixtyFourCharacterSlots) {
    HANDLE printer = OpenHostHandle();
    DWORD bytes = 0, fields = 0;
    int count = QueryPaperNames(printer, nullptr, 0, &bytes, &fields);
    EXPECT_EQ(count, 8);
    EXPECT_EQ(bytes, 8u * 128u);
    EXPECT_NE(fields & DM_PAPERSIZE, 0u);
    std::vector<WCHAR> names(bytes / sizeof(WCHAR));
    EXPECT_EQ(QueryPaperNames(printer, names.data(), bytes, nullptr, nullptr), 8);
    EXPECT_EQ(std::u16string(names.data()), u"Letter");
    EXPECT_EQ(std::u16string(names.data() + 2 * 64), u"A4");
    EXPECT_EQ(QueryPaperNames(printer, names.data(), bytes - 2, nullptr, nullptr), 0)
        << "a buffer the query would overrun is refused";

    sim::SetDefaultDevmode(kPrinterName, nullptr);
    bytes = 99;
    EXPECT_EQ(QueryPaperNames(printer, nullptr, 0, &bytes, nullptr), 0);
    EXPECT_EQ(bytes, 0u);
}

TEST_F(FormQueriesTest, TheLastPaperOfAMatchingSizeNamesIt) {
    HANDLE printer = OpenHostHandle();
    WCHAR name[kFormNameChars] = u"unchanged";
    LONG a4[2] = {210000, 297000};
    EXPECT_EQ(FindFormNameForSize(printer, a4, name), 8);
    EXPECT_EQ(std::u16string(name), u"A4");

    AddServerForm(u"My A4", 210049, 297099); // rounds to the same 100 um
    FindFormNameForSize(printer, a4, name);
    EXPECT_EQ(std::u16string(name), u"My A4") << "later papers win";

    LONG odd[2] = {123400, 567800};
    FindFormNameForSize(printer, odd, name);
    EXPECT_EQ(std::u16string(name), u"Letter");

    sim::SetDefaultDevmode(kPrinterName, nullptr);
    std::memcpy(name, u"unchanged", 20);
    EXPECT_EQ(FindFormNameForSize(printer, a4, name), 0);
    EXPECT_EQ(std::u16string(name), u"unchanged");
}

TEST_F(FormQueriesTest, TheDefaultPaperByNumberBySizeOrByFormName) {
    HANDLE printer = OpenHostHandle();
    LONG size[2] = {-1, -1};
    WCHAR name[kFormNameChars] = {};
    SetDefaultDevmode(DM_PAPERSIZE, DMPAPER_A4, 0, 0, u"");
    EXPECT_EQ(QueryDefaultPaper(printer, size, name), 0);
    EXPECT_EQ(std::u16string(name), u"A4");
    EXPECT_EQ(size[0], 210000);
    EXPECT_EQ(size[1], 297000);

    SetDefaultDevmode(DM_PAPERWIDTH | DM_PAPERLENGTH, 0, 2159, 3556, u"");
    EXPECT_EQ(QueryDefaultPaper(printer, size, name), 0);
    EXPECT_EQ(std::u16string(name), u"Legal");
    EXPECT_EQ(size[0], 215900);
    EXPECT_EQ(size[1], 355600);

    SetDefaultDevmode(DM_PAPERWIDTH | DM_PAPERLENGTH, 0, 1111, 2222, u"");
    EXPECT_NE(QueryDefaultPaper(printer, size, name), 0);
    EXPECT_EQ(size[0], 111100) << "the size is known even without a name";

    SetDefaultDevmode(DM_FORMNAME, 0, 0, 0, u"Executive");
    EXPECT_EQ(QueryDefaultPaper(printer, size, name), 0);
    EXPECT_EQ(std::u16string(name), u"Executive");
    EXPECT_EQ(size[0], 184150);

    SetDefaultDevmode(DM_FORMNAME, 0, 0, 0, u"No such form");
    size[0] = size[1] = 5;
    EXPECT_NE(QueryDefaultPaper(printer, size, nullptr), 0);
    EXPECT_EQ(size[0], 5) << "nothing found leaves the caller's size";

    sim::SetDefaultDevmode(kPrinterName, nullptr);
    EXPECT_NE(QueryDefaultPaper(printer, size, name), 0);
}

TEST_F(FormQueriesTest, FormOptionsMatchWithinOneUnitAndTurned) {
    HANDLE heap = HeapCreate(0, 0, 0);
    SettingsContext* context = nullptr;
    ASSERT_TRUE(LoadSettingsContext({OpenHostHandle(), module_, heap, nullptr}, &context));
    WCHAR letter[] = u"Letter", a4[] = u"A4", custom[] = u"Custom";
    OPTPARAM params[3] = {};
    params[0].pData = letter;
    params[1].pData = a4;
    params[2].pData = custom;
    OPTTYPE type = {};
    type.Count = 3;
    type.pOptParam = params;
    OPTITEM item = {};
    item.pOptType = &type;
    item.Sel = 2;

    LONG turned[2] = {220, 170};
    MatchFormOption(context, &item, turned);
    EXPECT_EQ(item.Sel, 0);
    item.Sel = 2;
    LONG near[2] = {171, 219};
    MatchFormOption(context, &item, near);
    EXPECT_EQ(item.Sel, 0);
    LONG a4Size[2] = {165, 233};
    MatchFormOption(context, &item, a4Size);
    EXPECT_EQ(item.Sel, 1);
    LONG far[2] = {100, 100};
    MatchFormOption(context, &item, far);
    EXPECT_EQ(item.Sel, 1) << "no match leaves the selection";
    ReleaseSettingsContext(context);
    HeapDestroy(heap);
}

} // namespace
