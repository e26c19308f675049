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

    sim::SetDefaultDevmode(kPrinterName, nullptr);
    bytes = 99;
    EXPECT_EQ(QueryPaperNames(printer, nullptr, 0, &bytes, nullptr), 0);
    EXPECT_EQ(bytes, 0u);
}

TEST_F(FormQueriesTest, TheDefaultPaperByFormNameFromTheServer) {
    HANDLE printer = OpenHostHandle();
    LONG size[2] = {-1, -1};
    WCHAR name[kFormNameChars] = {};
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
