// Resource identifiers of qvembui.dll, shared by the resource script and the product code.
//
// Included by windres and by C++ in both builds: only #define lines and comments belong here.
// The same control number serves different roles in different dialogs, so every control
// constant carries its dialog's short name: MAIN (106), LAYOUT (110), PAPER (111),
// SERVICE (108), IMAGE (103), MEDIATYPE (105), TABLE (109), ROTATED (112), ADVANCED (113),
// NETWORK (115), FORM (134), USAGE (141), INKFILL (155), NOTICE (158).
// Repeated inclusion is harmless: every definition is the same each time.

// ---------------------------------------------------------------------------------------------
// Dialog templates

#define IDD_IMAGE_OPTIONS 103
#define IDD_MEDIA_TYPE 105
#define IDD_MAIN_PAGE 106
#define IDD_SERVICE_PAGE 108
#define IDD_BRAILLE_TABLE 109
#define IDD_LAYOUT_PAGE 110
#define IDD_PAPER_PAGE 111
#define IDD_ROTATED_LANDSCAPE 112
#define IDD_ADVANCED_MEDIA 113
#define IDD_NETWORK 115
#define IDD_CUSTOM_FORM 134
#define IDD_EMBOSS_USAGE 141
#define IDD_INK_FILL 155
#define IDD_NOTICE 158

// ---------------------------------------------------------------------------------------------
// Frame buttons. "&OK" and "&Cancel" are IDOK (1) and IDCANCEL (2); every modal dialog with an
// "&Apply" button gives it this id.

#define IDC_APPLY_BUTTON 3

// ---------------------------------------------------------------------------------------------
// Main page (106)

#define IDC_MAIN_HOW_TO_PRINT_GROUP 1006
#define IDC_MAIN_EMBOSS 2137
#define IDC_MAIN_DOT_QUALITY_LABEL 1009
#define IDC_MAIN_DOT_QUALITY 2149
#define IDC_MAIN_BRAILLE_HEIGHT_LABEL 1010
#define IDC_MAIN_BRAILLE_HEIGHT 2071
#define IDC_MAIN_EMBOSS_STANDARD_TEXT 1007
#define IDC_MAIN_PRINT 2138
#define IDC_MAIN_PRINT_QUALITY_LABEL 1012
#define IDC_MAIN_PRINT_QUALITY 2144
#define IDC_MAIN_RENDER_MODE_LABEL 1081
#define IDC_MAIN_RENDER_MODE 2150
#define IDC_MAIN_BACK_SIDE_INK_TO_FRONT 1054
#define IDC_MAIN_FRONT_INK_PAGES 1055
#define IDC_MAIN_BACK_INK_PAGES 1056
#define IDC_MAIN_TWO_PASS_PICTURE 1069
#define IDC_MAIN_BACK_SIDE_PICTURE 1070
#define IDC_MAIN_TWO_IN_ONE 2143
#define IDC_MAIN_MORE_OPTIONS 2147
#define IDC_MAIN_DEFAULTS 2148
// Never shown; they only follow the enabling of the print controls.
#define IDC_MAIN_MONOCHROME 1052
#define IDC_MAIN_GRAYSCALE 1053
#define IDC_MAIN_COLOUR_PICTURE 1067
#define IDC_MAIN_GREY_PICTURE 1068

// ---------------------------------------------------------------------------------------------
// Layout page (110)

#define IDC_LAYOUT_OUTPUT_GROUP 1048
#define IDC_LAYOUT_SINGLE_SIDED 1057
#define IDC_LAYOUT_DOUBLE_SIDED 1058
#define IDC_LAYOUT_DUPLEX_PICTURE 1067
#define IDC_LAYOUT_INSERT_EMPTY_PAGE 2130
#define IDC_LAYOUT_COLLATE 1015
#define IDC_LAYOUT_COLLATE_PICTURE 1068
#define IDC_LAYOUT_PREVIEW 1110
#define IDC_LAYOUT_BLANK_PICTURE 1075
#define IDC_LAYOUT_ADVANCED 2147
#define IDC_LAYOUT_LOGO 1076
// Never shown, but initialised and read.
#define IDC_LAYOUT_OPEN_TO_LEFT 1061
#define IDC_LAYOUT_OPEN_TO_TOP 1062
#define IDC_LAYOUT_FACE_UP 1059
#define IDC_LAYOUT_FACE_DOWN 1060
#define IDC_LAYOUT_MAGAZINE_FOLD 1111
#define IDC_LAYOUT_MAGAZINE_PICTURE 1069
#define IDC_LAYOUT_ORIENTATION_GROUP 1046
#define IDC_LAYOUT_PORTRAIT 1055
#define IDC_LAYOUT_LANDSCAPE 1056
#define IDC_LAYOUT_INVERSE 1016
#define IDC_LAYOUT_ORIENTATION_PICTURE 1066
#define IDC_LAYOUT_DEFAULTS 2148

// ---------------------------------------------------------------------------------------------
// Paper and media page (111)

#define IDC_PAPER_SIZE 2078
#define IDC_PAPER_MEDIA_TYPE 2074
#define IDC_PAPER_ADVANCED 2147
#define IDC_PAPER_BLANK_PICTURE 1075
#define IDC_PAPER_LOGO 1076
// Filled and read, but kept hidden.
#define IDC_PAPER_MEDIA_SURFACE_LABEL 1049
#define IDC_PAPER_MEDIA_SURFACE 2075
#define IDC_PAPER_SOURCE_GROUP 1009
#define IDC_PAPER_SOURCE 2076

// ---------------------------------------------------------------------------------------------
// Service page (108)

#define IDC_SERVICE_ALIGNMENT_GROUP 1059
#define IDC_SERVICE_INTERPOINT_CALIBRATION 1060
#define IDC_SERVICE_INK_SKEW_ALIGNMENT 1061
#define IDC_SERVICE_INK_EMBOSS_ALIGNMENT 1065
#define IDC_SERVICE_CARTRIDGE_SPACING 1066
#define IDC_SERVICE_NETWORK_GROUP 1058
#define IDC_SERVICE_ETHERNET_SETTINGS 1052
#define IDC_SERVICE_PRINT_TEST_PAGE 1063
#define IDC_SERVICE_USAGE_GROUP 1053
#define IDC_SERVICE_INK_LEVEL 1054
#define IDC_SERVICE_EMBOSS_USAGE 1055
#define IDC_SERVICE_STATUS_MONITORING 1071
#define IDC_SERVICE_PRINTER_INFO 1037
#define IDC_SERVICE_BLANK_PICTURE 1075
#define IDC_SERVICE_LOGO 1076
// Never shown.
#define IDC_SERVICE_TOP_GROUP 1048
#define IDC_SERVICE_BOTTOM_GROUP 1050
#define IDC_SERVICE_HEAD_ALIGNMENT_TOP 1049
#define IDC_SERVICE_HEAD_ALIGNMENT_BOTTOM 1051
#define IDC_SERVICE_EMBOSS_SKEW_TOP 1056
#define IDC_SERVICE_EMBOSS_SKEW_BOTTOM 1057

// ---------------------------------------------------------------------------------------------
// Image options dialog (103)

#define IDC_IMAGE_IMAGES_GROUP 1014
#define IDC_IMAGE_INVERT 1023
#define IDC_IMAGE_CONTRAST_LABEL 1018
#define IDC_IMAGE_CONTRAST 1017
#define IDC_IMAGE_BRIGHTNESS_LABEL 1022
#define IDC_IMAGE_BRIGHTNESS 1021
#define IDC_IMAGE_INK_CONTRAST_LABEL 1020
#define IDC_IMAGE_INK_CONTRAST 1019
#define IDC_IMAGE_INK_BRIGHTNESS_LABEL 1028
#define IDC_IMAGE_INK_BRIGHTNESS 1027
#define IDC_IMAGE_THIN_LINE_GROUP 1026
#define IDC_IMAGE_THIN_LINE 1025
#define IDC_IMAGE_APPLY_PATTERNS 1083
// The label that names the pattern list for screen readers; hide it together with the list.
#define IDC_IMAGE_PATTERN_LABEL 1085
#define IDC_IMAGE_PATTERN 1084
#define IDC_IMAGE_DEFAULTS 2148
// Never shown.
#define IDC_IMAGE_MAGNIFICATION_GROUP 1007
#define IDC_IMAGE_MAGNIFICATION_LABEL 1013
#define IDC_IMAGE_MAGNIFICATION 2145
#define IDC_IMAGE_CROP_MARGINS 2139
// The pictures heading the emboss and ink columns.
#define IDC_IMAGE_EMBOSS_PICTURE 1086
#define IDC_IMAGE_INK_PICTURE 1087

// ---------------------------------------------------------------------------------------------
// Custom media type dialog (105)

#define IDC_MEDIATYPE_NAME 1029
#define IDC_MEDIATYPE_HIGHEST 1034
#define IDC_MEDIATYPE_HIGHEST_SPIN 1035
#define IDC_MEDIATYPE_LOWEST 1036
#define IDC_MEDIATYPE_LOWEST_SPIN 1037
#define IDC_MEDIATYPE_TEST_PATTERN 1027

// ---------------------------------------------------------------------------------------------
// Braille table dialog (109)

#define IDC_TABLE_FILE 1038
#define IDC_TABLE_BROWSE 1039
#define IDC_TABLE_SLOT 1041

// ---------------------------------------------------------------------------------------------
// Rotated landscape dialog (112)

#define IDC_ROTATED_ORIENTATION_GROUP 1005
#define IDC_ROTATED_LANDSCAPE 1080

// ---------------------------------------------------------------------------------------------
// Advanced media and forms dialog (113). The add and edit buttons' ids are also the mode that
// the media type and custom form dialogs receive.

#define IDC_ADVANCED_MEDIA_TYPE 2074
#define IDC_ADVANCED_ADD_MEDIA 2075
#define IDC_ADVANCED_EDIT_MEDIA 2076
#define IDC_ADVANCED_REMOVE_MEDIA 2077
#define IDC_ADVANCED_FORMS 1072
#define IDC_ADVANCED_ADD_FORM 2079
#define IDC_ADVANCED_DELETE_FORM 2080
#define IDC_ADVANCED_FORM_SIZE 1070
#define IDC_ADVANCED_METRIC 1073
#define IDC_ADVANCED_ENGLISH 1074

// ---------------------------------------------------------------------------------------------
// Network settings dialog (115)

#define IDC_NETWORK_DHCP 1065
#define IDC_NETWORK_IP_ADDRESS_LABEL 1062
#define IDC_NETWORK_IP_ADDRESS 1059
#define IDC_NETWORK_SUBNET_MASK_LABEL 1064
#define IDC_NETWORK_SUBNET_MASK 1061
#define IDC_NETWORK_GATEWAY_LABEL 1063
#define IDC_NETWORK_GATEWAY 1060
#define IDC_NETWORK_MAC_ADDRESS_LABEL 1066
#define IDC_NETWORK_MAC_ADDRESS 1070

// ---------------------------------------------------------------------------------------------
// Custom form dialog (134)

#define IDC_FORM_NAME 1029
#define IDC_FORM_METRIC 1073
#define IDC_FORM_ENGLISH 1074
#define IDC_FORM_WIDTH 1034
#define IDC_FORM_HEIGHT 1036

// ---------------------------------------------------------------------------------------------
// Emboss usage dialog (141)

#define IDC_USAGE_CARRIAGE1_PRIMARY 1076
#define IDC_USAGE_CARRIAGE2_PRIMARY 1077
#define IDC_USAGE_CARRIAGE1_BAR 1078
#define IDC_USAGE_CARRIAGE1_SHARE 1070
#define IDC_USAGE_CARRIAGE2_BAR 1079
#define IDC_USAGE_CARRIAGE2_SHARE 1071

// ---------------------------------------------------------------------------------------------
// Ink fill status dialog (155)

#define IDC_INKFILL_CARTRIDGE1_PICTURE 1079
#define IDC_INKFILL_CARTRIDGE1_FILL 1070
#define IDC_INKFILL_CARTRIDGE2_PICTURE 1080
#define IDC_INKFILL_CARTRIDGE2_FILL 1071

// ---------------------------------------------------------------------------------------------
// Notice dialog (158). "&Yes" carries IDCANCEL, so Escape and the close box answer Yes; the OK
// button (IDOK) is shown only when the opt-out box is not.

#define IDC_NOTICE_TEXT 1081
#define IDC_NOTICE_OPT_OUT 1082
#define IDC_NOTICE_OK 1
#define IDC_NOTICE_YES 2
#define IDC_NOTICE_NO 3

// ---------------------------------------------------------------------------------------------
// Bitmaps: cyan RGB(0, 255, 255) is their transparent background.

#define IDB_ORIENT_PORTRAIT 116
#define IDB_ORIENT_LANDSCAPE 117
#define IDB_ORIENT_LANDSCAPE_TURNED 118
#define IDB_DUPLEX_SINGLE 119
#define IDB_DUPLEX_DOUBLE 120
#define IDB_DUPLEX_EMPTY_PAGE 121
#define IDB_COLLATE_ON 122
#define IDB_COLLATE_OFF 123
#define IDB_COLOUR_PAGE 124
#define IDB_MONOCHROME_PAGE 125
#define IDB_GREY_PAGE 126
#define IDB_MAGAZINE_FOLD 135
#define IDB_MAGAZINE_NO_FOLD 136
#define IDB_TWO_PASS 139
#define IDB_BACK_SIDE_INK 140
// Ink cartridge fill levels: IDB_INK_FILL_0 + percent / 10, so 142 for 0-9 % up to 152 for 100 %.
#define IDB_INK_FILL_0 142
#define IDB_INK_FILL_10 143
#define IDB_INK_FILL_20 144
#define IDB_INK_FILL_30 145
#define IDB_INK_FILL_40 146
#define IDB_INK_FILL_50 147
#define IDB_INK_FILL_60 148
#define IDB_INK_FILL_70 149
#define IDB_INK_FILL_80 150
#define IDB_INK_FILL_90 151
#define IDB_INK_FILL_100 152
#define IDB_INK_CARTRIDGE_ERROR 153
#define IDB_INK_NO_CARTRIDGE 154
#define IDB_EMBOSSER 155
#define IDB_INK_UNIT 156
#define IDB_LOGO 157
#define IDB_INK_DROP 158
#define IDB_BRAILLE_DOTS 159

// ---------------------------------------------------------------------------------------------
// Other resources

// The module's own manifest (RT_MANIFEST), from which the activation context is built.
#define IDR_MODULE_MANIFEST 2
// Printer-ready test pattern, a resource of the named type "RT_PRN".
#define IDR_TEST_PATTERN 133
// Icon identifier the device settings tree puts into its header item.
#define IDI_LEGACY_SETTINGS 104

// ---------------------------------------------------------------------------------------------
// Strings

// Page titles
#define IDS_MAIN_PAGE_TITLE 1
#define IDS_PAPER_PAGE_TITLE 2
#define IDS_LAYOUT_PAGE_TITLE 3
#define IDS_SERVICE_PAGE_TITLE 198

// List items of the main page
#define IDS_DOT_QUALITY_BEST 5
#define IDS_DOT_QUALITY_DRAFT 6
#define IDS_DOT_QUALITY_STANDARD 7
#define IDS_PRINT_QUALITY_DRAFT 11
#define IDS_PRINT_QUALITY_NORMAL 12
#define IDS_PRINT_QUALITY_BEST 86
#define IDS_BRAILLE_HEIGHT_LOW 14
#define IDS_BRAILLE_HEIGHT_NORMAL 15
#define IDS_BRAILLE_HEIGHT_HIGH 16
#define IDS_RENDER_MONOCHROME 199
#define IDS_RENDER_CLUSTERED 200
#define IDS_RENDER_ORDERED 201
#define IDS_RENDER_DIFFUSION_1 202
#define IDS_RENDER_DIFFUSION_2 203
#define IDS_RENDER_RANDOM 204

// Captions and messages
#define IDS_ADVANCED 10
#define IDS_RESET_DEFAULTS_QUESTION 31
#define IDS_RESET_DEFAULTS_TITLE 32
#define IDS_MANAGE_PRINTER_DENIED 152
#define IDS_TWO_IN_ONE_WARNING 165

// Media types, surfaces and sources
#define IDS_MEDIA_BRAILLE_PAPER 17
#define IDS_MEDIA_LIGHT_BRAILLE_PAPER 18
#define IDS_MEDIA_COPY_PAPER 19
#define IDS_MEDIA_PREMIUM_COPY_PAPER 20
#define IDS_MEDIA_CARD_STOCK 21
#define IDS_MEDIA_SYNTHETIC 146
#define IDS_MEDIA_PRINTER_SETTING 205
#define IDS_SURFACE_PLAIN_PAPER 95
#define IDS_SURFACE_RECYCLED 96
#define IDS_SURFACE_TRANSPARENCY 97
#define IDS_SURFACE_GLOSSY 98
#define IDS_SURFACE_BOND 147
#define IDS_SURFACE_LETTERHEAD 148
#define IDS_SURFACE_ROUGH 149
#define IDS_SURFACE_CARDSTOCK 150
#define IDS_SOURCE_AUTOMATIC_SELECT 89
#define IDS_SOURCE_TRACTOR_FEED 158
#define IDS_PAPER_AUTOMATIC_SELECT 157

// Custom media types and forms
#define IDS_REMOVE_MEDIA_TITLE 33
#define IDS_MEDIA_NOT_REMOVABLE 34
#define IDS_REMOVE_MEDIA_QUESTION 35
#define IDS_ADD_TITLE 36
#define IDS_EDIT_TITLE 37
#define IDS_CUSTOM_DEFINED 38
#define IDS_ADD_FORM_TITLE 151
#define IDS_DELETE_FORM_TITLE 154
#define IDS_DELETE_FORM_QUESTION 155
#define IDS_FORM_NAME_EXISTS 156

// Patterns and file choosers
#define IDS_ALL_FILES 80
#define IDS_PATTERN_BROWSE 207
#define IDS_PATTERN_FILES 208
#define IDS_PATTERN_CHESSBOARD 209
#define IDS_PATTERN_AUTOMATIC 210

// Braille tables
#define IDS_TABLE 74
#define IDS_BRAILLE_TABLE_FILES 75
#define IDS_LOAD_BRAILLE_TABLE 81

// Service page and maintenance dialogs
#define IDS_FIRMWARE_VERSION_LABEL 67
#define IDS_MODEL_NUMBER_LABEL 68
#define IDS_SERIAL_NUMBER_LABEL 69
#define IDS_DRIVER_VERSION_LABEL 70
#define IDS_CARTRIDGE1_CHANGED 159
#define IDS_CARTRIDGE_CHANGED_QUESTION 160
#define IDS_CARTRIDGE2_CHANGED 161
#define IDS_INK_FILL_STATUS_TITLE 162
#define IDS_CHROMAPOD_FIRMWARE_LABEL 163
#define IDS_CHROMAPOD_SERIAL_LABEL 164

// Device settings tree: labels (numbered like the items' UserItemID where that id was free) and
// option texts. Options shared with the pages reuse their strings: media types 17-21,
// "Automatic Select" 89, "Tractor Feed" 158, "High"/"Normal"/"Low" 16/15/14,
// "Draft"/"Standard"/"Best" 6/7/5.
#define IDS_TREE_LEGACY_SETTINGS 22
#define IDS_TREE_CUSTOM 23
#define IDS_TREE_SIX_DOTS 24
#define IDS_TREE_EIGHT_DOTS 25
#define IDS_TREE_DOTS_PER_CHARACTER 26
#define IDS_TREE_DUPLEX 27
#define IDS_TREE_SINGLE_SIDED 28
#define IDS_TREE_DOUBLE_SIDED 29
#define IDS_TREE_LINE_SPACING 30
#define IDS_TREE_TOP_MARGIN 40
#define IDS_TREE_LEFT_MARGIN 41
#define IDS_TREE_TEXT_GRAPHICS_MODE 42
#define IDS_TREE_TEXT 43
#define IDS_TREE_GRAPHICS 44
#define IDS_TREE_AUTO_WRAP 45
#define IDS_TREE_ON 46
#define IDS_TREE_OFF 47
#define IDS_TREE_FORM_SIZE 50
#define IDS_TREE_FORM_WIDTH 52
#define IDS_TREE_FORM_LENGTH 53
#define IDS_TREE_MEDIA_TYPE 54
#define IDS_TREE_INCHES 55
#define IDS_TREE_LOWEST_FORCE 56
#define IDS_TREE_HIGHEST_FORCE 57
#define IDS_TREE_PAPER_SOURCE 58
#define IDS_TREE_BRAILLE_TABLE 60
#define IDS_TREE_DOT_HEIGHT 61
#define IDS_TREE_RIGHT_MARGIN 76
#define IDS_TREE_BRAILLE_QUALITY 206

// Printer status texts, kept for the printer link's status codes; no operation of the plug-in
// loads them by number. Three ranges, except 146 and 147 (media and surface names above).
#define IDS_PRINTER_STATUS_FIRST 100
#define IDS_PRINTER_STATUS_LAST 145
#define IDS_PRINTER_STATUS_MORE_FIRST 175
#define IDS_PRINTER_STATUS_MORE_LAST 195
#define IDS_INK_UNIT_STATUS_FIRST 234
#define IDS_INK_UNIT_STATUS_LAST 267
