// Custom media types in the Advanced dialog and the media type dialog, the test-pattern print,
// and raw print jobs.
#include "media/paper_media_fixture.h"

#include "media/raw_print_job.h"

#include <string>
#include <vector>

namespace {

using MediaTypesTest = PaperMediaTest;

// Types the dot values into dialog 105 and presses "&OK"; true when the dialog closed.
bool ConfirmDotValues(HWND dialog, const std::u16string& highest, const std::u16string& lowest) {
    sim::TypeText(dialog, IDC_MEDIATYPE_HIGHEST, highest);
    sim::TypeText(dialog, IDC_MEDIATYPE_LOWEST, lowest);
    sim::Click(dialog, IDOK);
    return !StillOpen(dialog);
}

bool IsReadOnly(HWND dialog, int id) {
    return (GetWindowLongW(sim::Control(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

std::vector<BYTE> TestPatternResource(HMODULE module) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDR_TEST_PATTERN), u"RT_PRN");
    if (resource == nullptr)
        return {};
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module, resource));
}

TEST_F(MediaTypesTest, AddingProposesTheNextNameAndStoresTheDotValues) {
    StoreCustomMediaType("custom defined 2", 0x1005); // left over from a removed first one
    HWND page = OpenPaperPage();
    std::u16string chosen;
    UseAdvancedDialog(page, [&chosen](HWND dialog) {
        EXPECT_EQ(sim::WindowText(dialog), u"Advanced - Tarvik Embosser");
        EXPECT_EQ(sim::ComboItems(dialog, IDC_ADVANCED_MEDIA_TYPE).size(), 6u);
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_ADVANCED_MEDIA_TYPE), 0);
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA));
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));

        // Accepting the proposal overwrites the type of that name.
        sim::ScriptModalDialog(IDD_MEDIA_TYPE, [](HWND add) {
            EXPECT_EQ(sim::WindowText(add), u"Add ...");
            EXPECT_EQ(sim::ControlText(add, IDC_MEDIATYPE_NAME), u"Custom Defined 2");
            EXPECT_EQ(sim::ControlText(add, IDC_MEDIATYPE_HIGHEST), u"16");
            EXPECT_EQ(sim::ControlText(add, IDC_MEDIATYPE_LOWEST), u"5");
            EXPECT_FALSE(IsReadOnly(add, IDC_MEDIATYPE_NAME));
            EXPECT_TRUE(ConfirmDotValues(add, u"24", u"8"));
        });
        sim::Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(StoredCustomMediaType("custom defined 2"), 0x1808u);
        EXPECT_EQ(sim::ComboItems(dialog, IDC_ADVANCED_MEDIA_TYPE).size(), 6u);

        sim::ScriptModalDialog(IDD_MEDIA_TYPE, [](HWND add) {
            sim::TypeText(add, IDC_MEDIATYPE_NAME, u"Thick");
            EXPECT_TRUE(ConfirmDotValues(add, u"24", u"8"));
        });
        sim::Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(StoredCustomMediaType("Thick"), 6152u);
        // The list is filled again and its last entry chosen: the new type, where the registry
        // lists a new value last as Windows does.
        auto items = sim::ComboItems(dialog, IDC_ADVANCED_MEDIA_TYPE);
        ASSERT_EQ(items.size(), 7u);
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_ADVANCED_MEDIA_TYPE), 6);
        chosen = items.back();
        if (sim::CurrentRegistryValueOrder() == sim::RegistryValueOrder::Written) {
            EXPECT_EQ(chosen, u"Thick");
        }
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA));
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));

        sim::ScriptModalDialog(IDD_MEDIA_TYPE, [](HWND add) {
            EXPECT_EQ(sim::ControlText(add, IDC_MEDIATYPE_NAME), u"Custom Defined 3");
            sim::Click(add, IDCANCEL);
        });
        sim::Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(sim::ComboItems(dialog, IDC_ADVANCED_MEDIA_TYPE).size(), 7u);
        sim::Click(dialog, IDC_APPLY_BUTTON);
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        EXPECT_TRUE(sim::HasFocus(dialog, IDOK));
        sim::Click(dialog, IDOK);
    });

    // The page shows the chosen type (after its "Printer Setting" entry); applying makes it the
    // printer's media.
    EXPECT_EQ(sim::ComboItems(page, IDC_PAPER_MEDIA_TYPE).size(), 8u);
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_TYPE), AdvancedListPosition(chosen) + 1);
    EXPECT_TRUE(sim::IsApplyEnabled(sheet()));
    sim::PressApply(sheet());
    EXPECT_EQ(ConfigDword("MediaType"), 286u);
    EXPECT_EQ(ConfigString("CustomMediaType"), chosen);
    EXPECT_EQ(ConfigDword("MaxCustPForce"), 24u);
    EXPECT_EQ(ConfigDword("MinCustPForce"), 8u);
}

TEST_F(MediaTypesTest, DotValuesOutsideTheirLimitsKeepTheDialogOpen) {
    HWND page = OpenPaperPage();
    UseAdvancedDialog(page, [](HWND dialog) {
        sim::ScriptModalDialog(IDD_MEDIA_TYPE, [](HWND add) {
            EXPECT_FALSE(ConfirmDotValues(add, u"26", u"25"));
            EXPECT_FALSE(ConfirmDotValues(add, u"27", u"5"));
            EXPECT_FALSE(ConfirmDotValues(add, u"1", u"0"));
            EXPECT_FALSE(ConfirmDotValues(add, u"5", u"4")) << "less than 2 apart";
            EXPECT_TRUE(ConfirmDotValues(add, u"258", u"0")) << "read as 2";
        });
        sim::Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(StoredCustomMediaType("Custom Defined 1"), 0x0200u);

        sim::ScriptModalDialog(IDD_MEDIA_TYPE,
                               [](HWND add) { EXPECT_TRUE(ConfirmDotValues(add, u"26", u"24")); });
        sim::Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(StoredCustomMediaType("Custom Defined 2"), 0x1A18u);
        sim::ScriptModalDialog(
            IDD_MEDIA_TYPE, [](HWND add) { EXPECT_TRUE(ConfirmDotValues(add, u"4 dots", u"2")); });
        sim::Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(StoredCustomMediaType("Custom Defined 3"), 0x0402u);
        sim::Click(dialog, IDCANCEL);
    });
}

TEST_F(MediaTypesTest, EditingShowsBuiltInValuesAndChangesCustomOnes) {
    StoreCustomMediaType("Thick", 0x1808);
    HWND page = OpenPaperPage();
    UseAdvancedDialog(page, [this](HWND dialog) {
        // Braille paper's and card stock's highest values are beyond the up-down's range; they
        // are shown as they are, and OK closes the view like any built-in one.
        const struct {
            const char16_t* name;
            const char* storeName;
            const char16_t* highest;
        } beyondRange[] = {{u"Default 1 (Braille Paper)", "Default 1 (Braille Paper)", u"30"},
                           {u"Default 5 (Card Stock)", "Default 5 (Card Stock)", u"32"}};
        for (const auto& type : beyondRange) {
            sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, type.name);
            sim::ScriptModalDialog(IDD_MEDIA_TYPE, [&type](HWND edit) {
                EXPECT_EQ(sim::ControlText(edit, IDC_MEDIATYPE_HIGHEST), type.highest);
                sim::Click(edit, IDOK);
                EXPECT_FALSE(StillOpen(edit)) << "OK accepts what it only shows";
                if (StillOpen(edit))
                    sim::Click(edit, IDCANCEL);
            });
            sim::Click(dialog, IDC_ADVANCED_EDIT_MEDIA);
            EXPECT_FALSE(StoredCustomMediaType(type.storeName).has_value());
        }

        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, u"Default 4 (Premium Copy Paper)");
        sim::ScriptModalDialog(IDD_MEDIA_TYPE, [](HWND edit) {
            EXPECT_EQ(sim::WindowText(edit), u"Edit ...");
            EXPECT_EQ(sim::ControlText(edit, IDC_MEDIATYPE_NAME),
                      u"Default 4 (Premium Copy Paper)");
            EXPECT_EQ(sim::ControlText(edit, IDC_MEDIATYPE_HIGHEST), u"20");
            EXPECT_EQ(sim::ControlText(edit, IDC_MEDIATYPE_LOWEST), u"6");
            for (int id : {IDC_MEDIATYPE_NAME, IDC_MEDIATYPE_HIGHEST, IDC_MEDIATYPE_LOWEST})
                EXPECT_TRUE(IsReadOnly(edit, id)) << id;
            EXPECT_FALSE(sim::IsEnabled(edit, IDC_MEDIATYPE_HIGHEST_SPIN));
            EXPECT_FALSE(sim::IsEnabled(edit, IDC_MEDIATYPE_LOWEST_SPIN));
            sim::Click(edit, IDC_MEDIATYPE_TEST_PATTERN);
            sim::Click(edit, IDOK);
        });
        sim::Click(dialog, IDC_ADVANCED_EDIT_MEDIA);
        auto jobs = sim::Jobs(kPrinterName);
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(jobs[0].data, TestPatternResource(module_));
        EXPECT_EQ(jobs[0].dataType, "RAW");
        EXPECT_FALSE(StoredCustomMediaType("Default 4 (Premium Copy Paper)").has_value());

        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, u"Thick");
        sim::Click(dialog, IDC_APPLY_BUTTON);
        sim::ScriptModalDialog(IDD_MEDIA_TYPE, [](HWND edit) {
            EXPECT_TRUE(IsReadOnly(edit, IDC_MEDIATYPE_NAME));
            EXPECT_FALSE(IsReadOnly(edit, IDC_MEDIATYPE_HIGHEST));
            EXPECT_EQ(sim::ControlText(edit, IDC_MEDIATYPE_HIGHEST), u"24");
            sim::ClickUpDown(edit, IDC_MEDIATYPE_HIGHEST_SPIN, true);
            sim::TypeText(edit, IDC_MEDIATYPE_LOWEST, u"10");
            sim::Click(edit, IDOK);
        });
        sim::Click(dialog, IDC_ADVANCED_EDIT_MEDIA);
        EXPECT_EQ(StoredCustomMediaType("Thick"), 0x190Au);
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));

        // A type another program removed meanwhile cannot be edited: no dialog opens.
        size_t dialogs = sim::ModalDialogLog().size();
        sim::FailPrinterDataReads(kPrinterName, "Config\\MediaTypes", "Thick",
                                  ERROR_FILE_NOT_FOUND);
        sim::Click(dialog, IDC_ADVANCED_EDIT_MEDIA);
        EXPECT_EQ(sim::ModalDialogLog().size(), dialogs);
        sim::Click(dialog, IDOK);
    });
}

TEST_F(MediaTypesTest, RemovingACustomTypeChoosesTheOneAboveAndSavesThePage) {
    StoreCustomMediaType("A", 0x1005);
    StoreCustomMediaType("B", 0x1406);
    StoreCustomMediaType("C", 0x1808);
    sim::WritePrinterDword(kPrinterName, "Config", "MediaType", 286);
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", "B");
    HWND page = OpenPaperPage();
    UseAdvancedDialog(page, [](HWND dialog) {
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_ADVANCED_MEDIA_TYPE), AdvancedListPosition(u"B"));
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA));
        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, 4);
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA)) << "built-in";
        // The one listed last goes first, then the one listed first.
        const std::u16string last = CustomMediaTypeNames().back();
        const std::u16string first = CustomMediaTypeNames().front();
        const int lastPosition = AdvancedListPosition(last);
        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, last);

        sim::QueueMessageBoxAnswer(IDNO);
        sim::Click(dialog, IDC_ADVANCED_REMOVE_MEDIA);
        EXPECT_TRUE(StoredCustomMediaType(last).has_value());
        ASSERT_EQ(sim::MessageBoxLog().size(), 1u);
        EXPECT_EQ(sim::MessageBoxLog()[0].text, u"Do you want to remove this media type?");
        EXPECT_EQ(sim::MessageBoxLog()[0].caption, u"Remove Media Type");
        EXPECT_EQ(sim::MessageBoxLog()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

        sim::QueueMessageBoxAnswer(IDYES);
        sim::Click(dialog, IDC_ADVANCED_REMOVE_MEDIA);
        EXPECT_FALSE(StoredCustomMediaType(last).has_value());
        EXPECT_EQ(sim::ComboItems(dialog, IDC_ADVANCED_MEDIA_TYPE).size(), 7u);
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_ADVANCED_MEDIA_TYPE), lastPosition - 1)
            << "the one above the removed one";

        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, first);
        sim::QueueMessageBoxAnswer(IDYES);
        sim::Click(dialog, IDC_ADVANCED_REMOVE_MEDIA);
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_ADVANCED_MEDIA_TYPE), 0)
            << "the first custom type went: Default 1 (Braille Paper)";
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA));
        sim::Click(dialog, IDCANCEL);
    });
    // Saved at once, before any apply: the page names a media type that still exists.
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_TYPE), 1);
    EXPECT_EQ(ConfigDword("MediaType"), 268u);
    EXPECT_EQ(ConfigString("CustomMediaType"), u"(None)");
    EXPECT_TRUE(sim::IsApplyEnabled(sheet()));

    // A removal the store refuses leaves the entry in the list.
    sim::FailPrinterDataWrites(kPrinterName, "Config\\MediaTypes", nullptr, ERROR_ACCESS_DENIED);
    UseAdvancedDialog(page, [](HWND dialog) {
        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, u"B");
        sim::Click(dialog, IDC_APPLY_BUTTON);
        sim::QueueMessageBoxAnswer(IDYES);
        sim::Click(dialog, IDC_ADVANCED_REMOVE_MEDIA);
        EXPECT_EQ(sim::ComboItems(dialog, IDC_ADVANCED_MEDIA_TYPE).back(), u"B");
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDOK);
    });
}

TEST_F(PluginTest, RawJobsAreSentInOneWriteAndTheirFailuresReported) {
    const char data[] = "\x1b@TARVIK";
    EXPECT_EQ(SendRawPrintJob(kPrinterNameW, data, 8), 0u);
    auto jobs = sim::Jobs(kPrinterName);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].data, std::vector<BYTE>(data, data + 8));
    EXPECT_EQ(jobs[0].state, sim::PrintJob::State::Completed);

    sim::SetUserCanManage(kPrinterName, false);
    EXPECT_EQ(SendRawPrintJob(kPrinterNameW, data, 8), 0u) << "printing needs no manage right";
    sim::LimitWritePrinter(kPrinterName, 5);
    EXPECT_NE(SendRawPrintJob(kPrinterNameW, data, 8), 0u) << "a short write";
    sim::FailStartDocPrinter(kPrinterName, ERROR_ACCESS_DENIED);
    EXPECT_EQ(SendRawPrintJob(kPrinterNameW, data, 8), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(sim::Jobs(kPrinterName).size(), 3u);
    EXPECT_NE(SendRawPrintJob(u"No Such Printer", data, 8), 0u);
}

} // namespace
