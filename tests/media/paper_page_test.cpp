// The Paper/Media page: its lists, what applying them writes into printer data and both
// devmodes, and who may change them.
#include "media/paper_media_fixture.h"

#include <string>
#include <vector>

namespace {

using Items = std::vector<std::u16string>;

const Items kBuiltInMedia = {u"Default 1 (Braille Paper)", u"Default 2 (Light Braille Paper)",
                             u"Default 3 (Copy Paper)", u"Default 4 (Premium Copy Paper)",
                             u"Default 5 (Card Stock)"};

DEVMODEW* AsDevmode(std::vector<BYTE>& bytes) {
    return reinterpret_cast<DEVMODEW*>(bytes.data());
}

std::vector<LONG> StoredPaperSize() {
    auto stored = sim::ReadPrinterData(kPrinterName, "Config", "PaperSize");
    if (!stored || stored->type != REG_BINARY || stored->data.size() != 8)
        return {};
    std::vector<LONG> size(2);
    std::memcpy(size.data(), stored->data.data(), 8);
    return size;
}

using PaperPageTest = PaperMediaTest;

TEST_F(PaperPageTest, OpensOnTheStoredChoicesAndApplyingNothingWritesNothing) {
    StoreCustomMediaType("Card", 0x1808);
    StoreCustomMediaType("Thick", 0x1406);
    sim::WritePrinterDword(kPrinterName, "Config", "MediaType", 286);
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", "thick");
    sim::WritePrinterDword(kPrinterName, "Config", "MediaSurface", 7);
    sim::WritePrinterDword(kPrinterName, "Config", "PaperSource", 8);
    HWND page = OpenPaperPage();

    // The driver's default devmode names its paper by number: the page shows automatic
    // selection, and the paper size it remembers is that of no form.
    Items papers = sim::ComboItems(page, IDC_PAPER_SIZE);
    ASSERT_EQ(papers.size(), 9u);
    EXPECT_EQ(papers[0], u"Automatic Select");
    EXPECT_EQ(papers[1], u"Letter");
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_SIZE), 0);
    EXPECT_EQ(context()->PaperSize[0], 0);
    EXPECT_EQ(context()->PaperSize[1], 0);
    EXPECT_EQ(std::u16string(context()->DefaultFormName), u"Automatic Select");

    Items media = {u"Printer Setting"};
    media.insert(media.end(), kBuiltInMedia.begin(), kBuiltInMedia.end());
    Items custom = CustomMediaTypeNames(); // Card and Thick, in the registry's order
    ASSERT_EQ(custom.size(), 2u);
    media.insert(media.end(), custom.begin(), custom.end());
    EXPECT_EQ(sim::ComboItems(page, IDC_PAPER_MEDIA_TYPE), media);
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_TYPE), AdvancedListPosition(u"Thick") + 1)
        << "names match in any case";

    for (int id : {IDC_PAPER_MEDIA_SURFACE, IDC_PAPER_MEDIA_SURFACE_LABEL, IDC_PAPER_SOURCE,
                   IDC_PAPER_SOURCE_GROUP})
        EXPECT_FALSE(sim::IsVisible(page, id)) << id;
    EXPECT_EQ(sim::ComboItems(page, IDC_PAPER_MEDIA_SURFACE).size(), 8u);
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_SURFACE), 0) << "7 is no surface";
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_SOURCE), 1) << "Tractor Feed";

    sim::Paint(page);
    EXPECT_EQ(sim::LastBitmapDrawnInto(sim::Control(page, IDC_PAPER_LOGO)), IDB_LOGO);
    EXPECT_EQ(sim::LastDrawInto(sim::Control(page, IDC_PAPER_LOGO))->transparent, RGB(0, 255, 255));
    EXPECT_EQ(sim::LastBitmapDrawnInto(sim::Control(page, IDC_PAPER_BLANK_PICTURE)), -1);

    EXPECT_FALSE(sim::IsApplyEnabled(sheet()));
    ClosePreferences();
    EXPECT_TRUE(sim::SetPrinterLog().empty());
    EXPECT_FALSE(HasConfigValue("MaxCustPForce"));
    EXPECT_EQ(ConfigDword("MediaSurface"), 7u);
}

TEST_F(PaperPageTest, AFormReachesBothDevmodesAndIsFoundAgainByItsSize) {
    std::vector<BYTE> job = host_.BuildJobDevmode(nullptr);
    HWND page = OpenPaperPage(AsDevmode(job));
    sim::SelectComboItem(page, IDC_PAPER_SIZE, u"A4");
    EXPECT_TRUE(sim::IsApplyEnabled(sheet()));
    sim::PressApply(sheet());

    EXPECT_EQ(std::u16string(AsDevmode(job)->dmFormName), u"A4");
    EXPECT_EQ(AsDevmode(job)->dmPaperWidth, 2100);
    EXPECT_EQ(AsDevmode(job)->dmPaperLength, 2970);
    DEVMODEW stored = StoredDefaultDevmode();
    EXPECT_EQ(std::u16string(stored.dmFormName), u"A4");
    EXPECT_EQ(stored.dmPaperWidth, 2100);
    EXPECT_EQ(stored.dmPaperLength, 2970);
    EXPECT_EQ(stored.dmFields & (DM_PAPERSIZE | DM_FORMNAME | DM_PAPERWIDTH | DM_PAPERLENGTH),
              static_cast<DWORD>(DM_FORMNAME | DM_PAPERWIDTH | DM_PAPERLENGTH))
        << "written again after the driver's merge";
    ASSERT_EQ(sim::Broadcasts().size(), 1u) << "media type and source did not change";
    EXPECT_EQ(StoredPaperSize(), (std::vector<LONG>{210000, 297000}));
    EXPECT_EQ(ConfigDword("MediaType"), 268u);
    EXPECT_EQ(ConfigString("CustomMediaType"), u"(None)");

    // A paper of the same size does not touch the devmodes, but the values are written.
    sim::SelectComboItem(page, IDC_PAPER_SIZE, u"Letter");
    sim::SelectComboItem(page, IDC_PAPER_SIZE, u"A4");
    sim::WritePrinterDword(kPrinterName, "Config", "MaxCustPForce", 99);
    sim::PressApply(sheet());
    EXPECT_EQ(sim::Broadcasts().size(), 1u);
    EXPECT_EQ(ConfigDword("MaxCustPForce"), 0u);

    // Next time the paper is found by its size; of two papers of that size the last one wins.
    AddServerForm(u"A4 Copy", 210049, 297000);
    ClosePreferences();
    page = OpenPaperPage();
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_SIZE), 9);
    EXPECT_EQ(std::u16string(context()->DefaultFormName), u"A4 Copy");

    // Automatic selection gives the paper back to the printer and keeps the remembered size.
    sim::SelectComboItem(page, IDC_PAPER_SIZE, 0);
    sim::PressApply(sheet());
    stored = StoredDefaultDevmode();
    EXPECT_EQ(stored.dmFields & (DM_PAPERSIZE | DM_FORMNAME | DM_PAPERWIDTH | DM_PAPERLENGTH),
              static_cast<DWORD>(DM_PAPERSIZE));
    EXPECT_EQ(stored.dmPaperWidth, 0);
    EXPECT_EQ(context()->PaperSize[0], 210000);
    EXPECT_EQ(StoredPaperSize(), (std::vector<LONG>{210000, 297000}));
}

TEST_F(PaperPageTest, MediaTypesAndTheForceValuesOfCustomOnes) {
    StoreCustomMediaType("Thick", 0x1406);
    // A custom type whose dot values are not a number takes the printer's reported ones.
    sim::WritePrinterString(kPrinterName, "Config\\MediaTypes", "Odd", "x");
    sim::WritePrinterDword(kPrinterName, "Config", "MediaType", 270);
    sim::WritePrinterDword(kPrinterName, "Config", "MediaSurface", 7);
    sim::WritePrinterDword(kPrinterName, "Config", "PaperSource", 3);
    std::vector<BYTE> tractor = *sim::DefaultDevmode(kPrinterName);
    AsDevmode(tractor)->dmDefaultSource = DMBIN_TRACTOR; // the printer's default names another
    sim::SetDefaultDevmode(kPrinterName, AsDevmode(tractor));
    std::vector<BYTE> job = host_.BuildJobDevmode(nullptr);
    HWND page = OpenPaperPage(AsDevmode(job));
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_TYPE), 0) << "270 has no entry";
    EXPECT_EQ(context()->MediaType, 256u);
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_SOURCE), 0);

    sim::SelectComboItem(page, IDC_PAPER_MEDIA_TYPE, u"Default 3 (Copy Paper)");
    sim::PressApply(sheet());
    EXPECT_EQ(AsDevmode(job)->dmMediaType, 258u);
    EXPECT_TRUE(AsDevmode(job)->dmFields & DM_MEDIATYPE);
    EXPECT_EQ(StoredDefaultDevmode().dmMediaType, 258u);
    EXPECT_EQ(StoredDefaultDevmode().dmDefaultSource, DMBIN_FORMSOURCE);
    EXPECT_EQ(ConfigDword("MediaType"), 258u);
    auto name = sim::ReadPrinterData(kPrinterName, "Config", "CustomMediaType");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->data.size(), 14u) << "(None) with its terminator";
    EXPECT_EQ(ConfigDword("MaxCustPForce"), 0u);
    EXPECT_EQ(ConfigDword("MinCustPForce"), 0u);
    EXPECT_EQ(ConfigDword("MediaSurface"), 1u);
    EXPECT_EQ(ConfigDword("PaperSource"), 15u);
    size_t broadcasts = sim::Broadcasts().size();

    sim::SelectComboItem(page, IDC_PAPER_MEDIA_TYPE, u"Thick");
    sim::PressApply(sheet());
    EXPECT_EQ(AsDevmode(job)->dmMediaType, 286u);
    EXPECT_EQ(ConfigString("CustomMediaType"), u"Thick");
    EXPECT_EQ(ConfigDword("MaxCustPForce"), 20u);
    EXPECT_EQ(ConfigDword("MinCustPForce"), 6u);
    EXPECT_EQ(sim::Broadcasts().size(), broadcasts + 2) << "the paper and the media type";

    sim::SelectComboItem(page, IDC_PAPER_MEDIA_TYPE, u"Odd");
    sim::PressApply(sheet());
    EXPECT_EQ(ConfigString("CustomMediaType"), u"Odd");
    EXPECT_EQ(ConfigDword("MaxCustPForce"), 30u);
    EXPECT_EQ(ConfigDword("MinCustPForce"), 6u);
    EXPECT_EQ(sim::Broadcasts().size(), broadcasts + 3) << "the number stayed 286";

    // A custom name that has left the store shows "Printer Setting".
    ClosePreferences();
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", "Gone");
    page = OpenPaperPage();
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_TYPE), 0);
    EXPECT_EQ(context()->MediaType, 256u);
}

TEST_F(PaperPageTest, AUserWhoCannotManageThePrinterOnlyLooks) {
    StoreCustomMediaType("Thick", 0x1406);
    sim::WritePrinterDword(kPrinterName, "Config", "MediaType", 286);
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", "Thick");
    sim::SetUserCanManage(kPrinterName, false);
    sim::QueueMessageBoxAnswer(IDOK); // the layout page's warning
    HWND page = OpenPaperPage();
    for (int id : {IDC_PAPER_SIZE, IDC_PAPER_MEDIA_TYPE, IDC_PAPER_MEDIA_SURFACE, IDC_PAPER_SOURCE})
        EXPECT_FALSE(sim::IsEnabled(page, id)) << id;

    UseAdvancedDialog(page, [](HWND dialog) {
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_ADVANCED_MEDIA_TYPE), 5);
        for (int id : {IDC_ADVANCED_ADD_MEDIA, IDC_ADVANCED_EDIT_MEDIA, IDC_ADVANCED_REMOVE_MEDIA,
                       IDC_ADVANCED_ADD_FORM, IDC_ADVANCED_DELETE_FORM})
            EXPECT_FALSE(sim::IsEnabled(dialog, id)) << id;
        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, 0);
        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, u"Thick");
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA));
        sim::SelectListItem(dialog, IDC_ADVANCED_FORMS, u"Letter");
        EXPECT_EQ(sim::ControlText(dialog, IDC_ADVANCED_FORM_SIZE), u"") << "not readable";
        sim::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_TYPE), 6) << "the choice came back";
}

} // namespace
