// The printing preferences and the printer's properties worked with the mouse: the sessions the
// keyboard's are compared with, and the way the screen test meets every page and dialog.
#include "mouse_sessions.h"

#include "device_page/device_page_ids.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <dlgs.h>

// The same changes as the preferences' tables at the keyboard, made with the mouse; every page
// and dialog met is handed to `look` first.
void MousePreferences(Sheet& sheet, const Look& look) {
    HWND layout = sheet.PageAt(0);
    look(layout);
    Click(layout, IDC_LAYOUT_DOUBLE_SIDED);
    Click(layout, IDC_LAYOUT_INSERT_EMPTY_PAGE);
    Click(layout, IDC_LAYOUT_COLLATE);
    Click(layout, IDC_LAYOUT_PREVIEW);
    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&look](HWND dialog) {
        look(dialog);
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        Click(dialog, IDOK);
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    HWND paper = sheet.PageAt(1);
    look(paper);
    ChooseNext(paper, IDC_PAPER_SIZE);
    ChooseNext(paper, IDC_PAPER_MEDIA_TYPE);
    sheet.Answer(IDD_ADVANCED_MEDIA, [&sheet, &look](HWND advanced) {
        look(advanced);
        sheet.Answer(IDD_MEDIA_TYPE, [&look](HWND type) {
            look(type);
            Type(type, IDC_MEDIATYPE_NAME, TEXT("Thick Label"));
            Type(type, IDC_MEDIATYPE_HIGHEST, TEXT("20"));
            Type(type, IDC_MEDIATYPE_LOWEST, TEXT("6"));
            Click(type, IDOK);
        });
        Click(advanced, IDC_ADVANCED_ADD_MEDIA);
        sheet.Answer(IDD_CUSTOM_FORM, [&look](HWND form) {
            look(form);
            Type(form, IDC_FORM_NAME, TEXT("Label 4 x 6"));
            Click(form, IDC_FORM_ENGLISH);
            Type(form, IDC_FORM_WIDTH, TEXT("4"));
            Type(form, IDC_FORM_HEIGHT, TEXT("6"));
            Click(form, IDOK);
        });
        Click(advanced, IDC_ADVANCED_ADD_FORM);
        Click(advanced, IDOK);
    });
    Click(paper, IDC_PAPER_ADVANCED);
    HWND main = sheet.PageAt(2);
    look(main);
    ChooseNext(main, IDC_MAIN_DOT_QUALITY);
    Click(main, IDC_MAIN_EMBOSS_STANDARD_TEXT);
    Click(main, IDC_MAIN_BACK_INK_PAGES);
    sheet.Answer(IDD_NOTICE, [&look](HWND notice) {
        look(notice);
        Click(notice, IDC_NOTICE_OPT_OUT);
        Click(notice, IDC_NOTICE_YES);
    });
    Click(main, IDC_MAIN_TWO_IN_ONE);
    sheet.Answer(IDD_IMAGE_OPTIONS, [&look](HWND options) {
        look(options);
        Click(options, IDC_IMAGE_INVERT);
        // Page Up moves a bar by its page, an arrow by one.
        LRESULT page = SendDlgItemMessageW(options, IDC_IMAGE_CONTRAST, TBM_GETPAGESIZE, 0, 0);
        for (auto [bar, by] : {std::pair{IDC_IMAGE_CONTRAST, -page}, {IDC_IMAGE_BRIGHTNESS, 1}})
            MoveTrackBar(options, bar, TrackBarPosition(options, bar) + static_cast<int>(by));
        Click(options, IDOK);
    });
    Click(main, IDC_MAIN_MORE_OPTIONS);
    sheet.Ok();
}

// The same changes as the properties' tables at the keyboard, made with the mouse; every page
// and dialog of the plug-in met is handed to `look` first.
void MouseProperties(Sheet& sheet, const Look& look) {
    // A braille table where the table dialog's Browse looks first.
    CreateDirectoryW(TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common"), nullptr);
    CloseHandle(CreateFileW(TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common\\z.bct"),
                            GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    HWND device = sheet.PageAt(0);
    WaitUntil([device] { return IsEnabled(device, IDC_DEVPAGE_TREE); });
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 8);
    ChooseNext(device, IDC_DEVPAGE_LIST);
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 4);
    Type(device, IDC_DEVPAGE_EDIT, TEXT("1"));
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 13);
    Type(device, IDC_DEVPAGE_NUMBER, TEXT("24"));
    SelectTreeRow(device, IDC_DEVPAGE_TREE, 15);
    sheet.Answer(IDD_BRAILLE_TABLE, [&sheet, &look](HWND table) {
        look(table);
        sheet.Answer(kCommonDialog, [](HWND files) {
            Type(files, edt1, TEXT("z.bct"));
            Click(files, IDOK);
        });
        Click(table, IDC_TABLE_BROWSE);
        ChooseNext(table, IDC_TABLE_SLOT);
        Click(table, IDOK);
    });
    Click(device, IDC_DEVPAGE_BUTTON);
    HWND service = sheet.PageAt(1);
    look(service);
    for (int button : {IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_INK_SKEW_ALIGNMENT,
                       IDC_SERVICE_INK_EMBOSS_ALIGNMENT, IDC_SERVICE_CARTRIDGE_SPACING,
                       IDC_SERVICE_PRINT_TEST_PAGE})
        Click(service, button);
    sheet.Answer(IDD_NETWORK, [&look](HWND network) {
        look(network);
        Click(network, IDC_NETWORK_DHCP);
        Type(GetDlgItem(network, IDC_NETWORK_IP_ADDRESS), 1, TEXT("10")); // its first field
        Click(network, IDOK);
    });
    Click(service, IDC_SERVICE_ETHERNET_SETTINGS);
    sheet.Answer(IDD_INK_FILL, [&look](HWND fills) {
        look(fills);
        Click(fills, IDOK);
    });
    Click(service, IDC_SERVICE_INK_LEVEL);
    sheet.Answer(IDD_EMBOSS_USAGE, [&look](HWND usage) {
        look(usage);
        Click(usage, IDC_USAGE_CARRIAGE2_PRIMARY);
        Click(usage, IDOK);
    });
    Click(service, IDC_SERVICE_EMBOSS_USAGE);
    Click(service, IDC_SERVICE_STATUS_MONITORING);
    sheet.Ok();
}
