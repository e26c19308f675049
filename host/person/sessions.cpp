// The printing preferences and the printer's properties worked with the mouse.
#include "sessions.h"

#include "device_page/device_page_ids.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <dlgs.h>

LONG WorkThePreferences(Sheet& sheet, const Look& look) {
    HWND layout = sheet.PageAt(0);
    look(layout, "layout", "Layout, as it opens");
    Click(layout, IDC_LAYOUT_DOUBLE_SIDED);
    Click(layout, IDC_LAYOUT_INSERT_EMPTY_PAGE);
    Click(layout, IDC_LAYOUT_COLLATE);
    Click(layout, IDC_LAYOUT_PREVIEW);
    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&look](HWND dialog) {
        look(dialog, "rotated_landscape", "Layout: Advanced ..., the rotated landscape");
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        Click(dialog, IDOK);
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    look(layout, "layout_changed",
         "Layout: Double Sided, Insert Empty Page, Collate and Preview chosen");
    HWND paper = sheet.PageAt(1);
    look(paper, "paper_media", "Paper/Media, as it opens");
    ChooseNext(paper, IDC_PAPER_SIZE);
    ChooseNext(paper, IDC_PAPER_MEDIA_TYPE);
    sheet.Answer(IDD_ADVANCED_MEDIA, [&sheet, &look](HWND advanced) {
        look(advanced, "advanced_media", "Paper/Media: Advanced ..., the media types and forms");
        sheet.Answer(IDD_MEDIA_TYPE, [&look](HWND type) {
            Type(type, IDC_MEDIATYPE_NAME, TEXT("Thick Label"));
            Type(type, IDC_MEDIATYPE_HIGHEST, TEXT("20"));
            Type(type, IDC_MEDIATYPE_LOWEST, TEXT("6"));
            look(type, "media_type_add", "Add ...: \"Thick Label\" and its dot forces typed");
            Click(type, IDOK);
        });
        Click(advanced, IDC_ADVANCED_ADD_MEDIA);
        sheet.Answer(IDD_CUSTOM_FORM, [&look](HWND form) {
            look(form, "custom_form_add", "Advanced: Add ..., a custom form");
            Type(form, IDC_FORM_NAME, TEXT("Label 4 x 6"));
            Click(form, IDC_FORM_ENGLISH);
            Type(form, IDC_FORM_WIDTH, TEXT("4"));
            Type(form, IDC_FORM_HEIGHT, TEXT("6"));
            Click(form, IDOK);
        });
        Click(advanced, IDC_ADVANCED_ADD_FORM);
        look(advanced, "advanced_media_added", "Advanced with the new media type and form");
        Click(advanced, IDOK);
    });
    Click(paper, IDC_PAPER_ADVANCED);
    HWND main = sheet.PageAt(2);
    look(main, "tarvik", "Tarvik, as it opens");
    ChooseNext(main, IDC_MAIN_DOT_QUALITY);
    Click(main, IDC_MAIN_EMBOSS_STANDARD_TEXT);
    Click(main, IDC_MAIN_BACK_INK_PAGES);
    sheet.Answer(IDD_NOTICE, [&look](HWND notice) {
        look(notice, "notice_two_in_one", "Tarvik: 2 In 1, the notice");
        Click(notice, IDC_NOTICE_OPT_OUT);
        Click(notice, IDC_NOTICE_YES);
    });
    Click(main, IDC_MAIN_TWO_IN_ONE);
    sheet.Answer(IDD_IMAGE_OPTIONS, [&look](HWND options) {
        look(options, "image_options", "Tarvik: More Options ..., the image options");
        Click(options, IDC_IMAGE_INVERT);
        // Page Up moves a bar by its page, an arrow by one.
        LRESULT page = SendDlgItemMessageW(options, IDC_IMAGE_CONTRAST, TBM_GETPAGESIZE, 0, 0);
        for (auto [bar, by] : {std::pair{IDC_IMAGE_CONTRAST, -page}, {IDC_IMAGE_BRIGHTNESS, 1}})
            MoveTrackBar(options, bar, TrackBarPosition(options, bar) + static_cast<int>(by));
        Click(options, IDOK);
    });
    Click(main, IDC_MAIN_MORE_OPTIONS);
    look(main, "tarvik_changed", "Tarvik: Dot Quality, standard text, back ink pages and 2 In 1");
    return sheet.Ok();
}

LONG WorkTheProperties(Sheet& sheet, const Look& look) {
    // A braille table where the table dialog's Browse looks first.
    CreateDirectoryW(TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common"), nullptr);
    CloseHandle(CreateFileW(TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common\\z.bct"),
                            GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    HWND device = sheet.PageAt(0);
    WaitUntil([device] { return IsEnabled(device, IDC_DEVPAGE_TREE); });
    look(device, "device_settings", "Device Settings, read from the embosser");
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 8);
    ChooseNext(device, IDC_DEVPAGE_LIST);
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 4);
    Type(device, IDC_DEVPAGE_EDIT, TEXT("1"));
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 13);
    Type(device, IDC_DEVPAGE_NUMBER, TEXT("24"));
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 15);
    sheet.Answer(IDD_BRAILLE_TABLE, [&sheet, &look](HWND table) {
        look(table, "braille_table", "Device Settings: the braille table's slots");
        sheet.Answer(kCommonDialog, [](HWND files) {
            Type(files, edt1, TEXT("z.bct"));
            Click(files, IDOK);
        });
        Click(table, IDC_TABLE_BROWSE);
        ChooseNext(table, IDC_TABLE_SLOT);
        Click(table, IDOK);
    });
    Click(device, IDC_DEVPAGE_BUTTON);
    look(device, "device_settings_changed",
         "Device Settings: four of the embosser's settings changed");
    HWND service = sheet.PageAt(1);
    for (int button : {IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_INK_SKEW_ALIGNMENT,
                       IDC_SERVICE_INK_EMBOSS_ALIGNMENT, IDC_SERVICE_CARTRIDGE_SPACING,
                       IDC_SERVICE_PRINT_TEST_PAGE})
        Click(service, button);
    look(service, "service_started",
         "Service: the calibrations, alignments and the test page started");
    sheet.Answer(IDD_NETWORK, [&look](HWND network) {
        look(network, "network", "Service: Ethernet Settings ..., the embosser's network");
        Click(network, IDC_NETWORK_DHCP);
        Type(GetDlgItem(network, IDC_NETWORK_IP_ADDRESS), 1, TEXT("10")); // its first field
        Click(network, IDOK);
    });
    Click(service, IDC_SERVICE_ETHERNET_SETTINGS);
    sheet.Answer(IDD_INK_FILL, [&look](HWND fills) {
        look(fills, "ink_fill",
             "Service: Check Ink Cartridge Level ..., the ChromaPod's cartridges");
        Click(fills, IDOK);
    });
    Click(service, IDC_SERVICE_INK_LEVEL);
    sheet.Answer(IDD_EMBOSS_USAGE, [&look](HWND usage) {
        look(usage, "emboss_usage", "Service: Check Emboss Usage ..., the carriages' shares");
        Click(usage, IDC_USAGE_CARRIAGE2_PRIMARY);
        Click(usage, IDOK);
    });
    Click(service, IDC_SERVICE_EMBOSS_USAGE);
    Click(service, IDC_SERVICE_STATUS_MONITORING);
    return sheet.Ok();
}
