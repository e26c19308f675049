// Custom forms: the form list and sizes of the Advanced dialog, the custom form dialog, and
// adding and deleting forms on the print server.
#include "media/paper_media_fixture.h"

#include "media/custom_forms.h"
#include "settings/scoped_handles.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using CustomFormsTest = PaperMediaTest;

bool Lists(const std::vector<std::u16string>& items, const std::u16string& name) {
    return std::find(items.begin(), items.end(), name) != items.end();
}

std::vector<LONG> MarkerValues(const char* form) {
    auto marker = sim::ReadPrinterData(kPrinterName, "Config\\Forms", form);
    if (!marker || marker->type != REG_BINARY || marker->data.size() != 40)
        return {};
    std::vector<LONG> values(10);
    std::memcpy(values.data(), marker->data.data(), 40);
    return {values[0], values[4], values[5], values[6], values[7], values[8], values[9]};
}

DWORD AddFormHere(const char16_t* name, LONG width, LONG height) {
    ScopedPrinter printer;
    EXPECT_EQ(OpenPrinterWithFullAccess(kPrinterNameW, printer), 0u);
    return AddCustomForm(name, width, height, printer);
}

TEST_F(CustomFormsTest, AddingAFormPutsItOnTheServerAndMarksIt) {
    HWND page = OpenPaperPage();
    const std::u16string name31 = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
    UseAdvancedDialog(page, [&](HWND dialog) {
        // The selected form's size, in either unit.
        EXPECT_TRUE(sim::IsChecked(dialog, IDC_ADVANCED_METRIC));
        EXPECT_EQ(sim::ListSelection(dialog, IDC_ADVANCED_FORMS), LB_ERR);
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));
        sim::Click(dialog, IDC_ADVANCED_ENGLISH);
        EXPECT_EQ(sim::ControlText(dialog, IDC_ADVANCED_FORM_SIZE), u"") << "no form chosen yet";
        sim::SelectListItem(dialog, IDC_ADVANCED_FORMS, u"Letter");
        EXPECT_EQ(sim::ControlText(dialog, IDC_ADVANCED_FORM_SIZE), u"8.50 in\r\n11.00 in");
        sim::Click(dialog, IDC_ADVANCED_METRIC);
        EXPECT_EQ(sim::ControlText(dialog, IDC_ADVANCED_FORM_SIZE), u"21.59 cm\r\n27.94 cm");

        sim::ScriptModalDialog(IDD_CUSTOM_FORM, [&](HWND form) {
            EXPECT_EQ(sim::WindowText(form), u"Add Form ...");
            EXPECT_EQ(sim::ControlText(form, IDC_FORM_NAME), u"Custom Defined");
            EXPECT_TRUE(sim::IsChecked(form, IDC_FORM_METRIC)) << "as in the Advanced dialog";
            EXPECT_EQ(sim::ControlText(form, IDC_FORM_WIDTH), u"5.09 cm");
            EXPECT_EQ(sim::ControlText(form, IDC_FORM_HEIGHT), u"5.09 cm");
            EXPECT_TRUE(sim::IsEnabled(form, IDOK));
            sim::Click(form, IDC_FORM_ENGLISH);
            EXPECT_EQ(sim::ControlText(form, IDC_FORM_WIDTH), u"2.00 in");

            sim::TypeText(form, IDC_FORM_WIDTH, u"11.5");
            sim::MoveFocus(form, IDC_FORM_HEIGHT);
            EXPECT_EQ(sim::ControlText(form, IDC_FORM_WIDTH), u"11.50 in");
            sim::TypeText(form, IDC_FORM_HEIGHT, u"50.1");
            EXPECT_FALSE(sim::IsEnabled(form, IDOK)) << "longer than 50 inches";
            sim::TypeText(form, IDC_FORM_HEIGHT, u"50");
            EXPECT_TRUE(sim::IsEnabled(form, IDOK));
            sim::Click(form, IDC_FORM_METRIC);
            EXPECT_EQ(sim::ControlText(form, IDC_FORM_WIDTH), u"29.21 cm");
            EXPECT_EQ(sim::ControlText(form, IDC_FORM_HEIGHT), u"127.00 cm");

            sim::TypeText(form, IDC_FORM_NAME, name31 + u"456789");
            // Confirmed with Enter while still in the field: the typed height counts.
            sim::TypeText(form, IDC_FORM_HEIGHT, u"60");
            sim::PressEnter(form);
            EXPECT_FALSE(StillOpen(form));
        });
        sim::Click(dialog, IDC_ADVANCED_ADD_FORM);
        EXPECT_TRUE(Lists(sim::ListItems(dialog, IDC_ADVANCED_FORMS), name31));
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::SelectListItem(dialog, IDC_ADVANCED_FORMS, name31);
        EXPECT_EQ(sim::ControlText(dialog, IDC_ADVANCED_FORM_SIZE), u"29.21 cm\r\n60.00 cm");
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));

        // Leaving a size's field takes it, so only the field still being typed in shows whether
        // the dialog reads it afresh when confirmed: the height above, the width here.
        sim::ScriptModalDialog(IDD_CUSTOM_FORM, [](HWND form) {
            sim::TypeText(form, IDC_FORM_NAME, u"Wide");
            sim::TypeText(form, IDC_FORM_WIDTH, u"30");
            sim::PressEnter(form);
        });
        sim::Click(dialog, IDC_ADVANCED_ADD_FORM);
        sim::Click(dialog, IDOK);
    });
    ASSERT_TRUE(sim::FindForm("Wide").has_value());
    EXPECT_EQ(sim::FindForm("Wide")->size.cx, 300000) << "30 cm";

    auto form = sim::FindForm("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
    ASSERT_TRUE(form.has_value());
    EXPECT_EQ(form->flags, static_cast<DWORD>(FORM_USER));
    EXPECT_EQ(form->size.cx, 292100);
    EXPECT_EQ(form->size.cy, 600000);
    EXPECT_EQ(form->imageableArea.right, 292100);
    EXPECT_EQ(form->imageableArea.bottom, 600000);
    EXPECT_EQ(MarkerValues("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"),
              (std::vector<LONG>{0, 292100, 600000, 0, 0, 292100, 600000}));

    // The page offers the new paper at once, and saves when the sheet is confirmed.
    EXPECT_TRUE(Lists(sim::ComboItems(page, IDC_PAPER_SIZE), name31));
    EXPECT_FALSE(sim::IsApplyEnabled(sheet()));
    ClosePreferences();
    EXPECT_TRUE(HasConfigValue("MaxCustPForce"));
}

TEST_F(CustomFormsTest, ANameTheServerHasIsRefusedWithAMessage) {
    HWND page = OpenPaperPage();
    UseAdvancedDialog(page, [](HWND dialog) {
        sim::ScriptModalDialog(IDD_CUSTOM_FORM, [](HWND form) {
            sim::TypeText(form, IDC_FORM_NAME, u"");
            sim::Click(form, IDOK);
            EXPECT_TRUE(StillOpen(form)) << "a form needs a name";
            sim::TypeText(form, IDC_FORM_NAME, u"Letter");
            sim::Click(form, IDOK);
        });
        sim::QueueMessageBoxAnswer(IDOK);
        sim::Click(dialog, IDC_ADVANCED_ADD_FORM);
        ASSERT_EQ(sim::MessageBoxLog().size(), 1u);
        EXPECT_EQ(sim::MessageBoxLog()[0].text,
                  u"This form could not be added because the name of this form already exists "
                  u"in the Printer Server Properties.\r\nPlease use a different form name.");
        EXPECT_EQ(sim::MessageBoxLog()[0].caption, u"Add Form ...");
        EXPECT_EQ(sim::MessageBoxLog()[0].type, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(sim::ListItems(dialog, IDC_ADVANCED_FORMS).size(), 8u);
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDOK);
    });
    EXPECT_FALSE(sim::ReadPrinterData(kPrinterName, "Config\\Forms", "Letter").has_value());
}

TEST_F(CustomFormsTest, OnlyFormsAddedHereCanBeDeletedAndTheirMarkerStays) {
    ASSERT_EQ(AddFormHere(u"Label", 100000, 50800), 0u);
    EXPECT_EQ(AddFormHere(u"Label", 100000, 50800), static_cast<DWORD>(ERROR_FILE_EXISTS));
    HWND page = OpenPaperPage();
    UseAdvancedDialog(page, [](HWND dialog) {
        sim::SelectListItem(dialog, IDC_ADVANCED_FORMS, u"Label");
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));
        sim::QueueMessageBoxAnswer(IDNO);
        sim::Click(dialog, IDC_ADVANCED_DELETE_FORM);
        EXPECT_TRUE(sim::FindForm("Label").has_value());
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));
        ASSERT_EQ(sim::MessageBoxLog().size(), 1u);
        EXPECT_EQ(sim::MessageBoxLog()[0].text, u"Do you want to remove this custom form?");
        EXPECT_EQ(sim::MessageBoxLog()[0].caption, u"Delete Form");
        EXPECT_EQ(sim::MessageBoxLog()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

        sim::QueueMessageBoxAnswer(IDYES);
        sim::Click(dialog, IDC_ADVANCED_DELETE_FORM);
        EXPECT_FALSE(sim::FindForm("Label").has_value());
        EXPECT_FALSE(Lists(sim::ListItems(dialog, IDC_ADVANCED_FORMS), u"Label"));
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        // A media choice afterwards does not hide the deletion from the page.
        sim::SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, u"Default 3 (Copy Paper)");
        sim::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(MarkerValues("Label").empty());
    EXPECT_FALSE(Lists(sim::ComboItems(page, IDC_PAPER_SIZE), u"Label"));
    EXPECT_EQ(sim::ComboSelection(page, IDC_PAPER_MEDIA_TYPE), 3);
    EXPECT_EQ(ConfigDword("MediaType"), 258u) << "saved at once after a deletion";

    // The same name reaching the server by other means can be deleted here again.
    ASSERT_EQ(AddFormHere(u"Label", 100000, 50800), 0u);
    UseAdvancedDialog(page, [](HWND dialog) {
        sim::SelectListItem(dialog, IDC_ADVANCED_FORMS, u"Label");
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));
        sim::SelectListItem(dialog, IDC_ADVANCED_FORMS, u"Letter");
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));
        sim::Click(dialog, IDOK);
    });
}

} // namespace
