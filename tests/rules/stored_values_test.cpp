// What a settings load makes of the printer data it finds beyond what the printer_data fuzz
// target checks for every value: the dot value table and the load's corrections.
#include "settings/load_corrections.h"
#include "settings/stored_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StoredValues, DotValuesComeFromTheTableOrTheCustomStore) {
    // An unknown media type has the default pair; a custom one's pair is stored.
    const std::pair<DWORD, DWORD> kBuiltIn[] = {{268, 0x1E06}, {269, 0x1604}, {258, 0x1005},
                                                {267, 0x2006}, {270, 0x2206}, {999, 0x1005}};
    DWORD pair = 0;
    for (auto [mediaType, expected] : kBuiltIn)
        EXPECT_TRUE(BuiltInDotValues(mediaType, &pair) && pair == expected) << mediaType;
    EXPECT_FALSE(BuiltInDotValues(286, &pair));
    // A read's result and type, then the pair taken; each row's pair differs from the one before.
    const std::tuple<DWORD, DWORD, DWORD> kStored[] = {{ERROR_SUCCESS, REG_SZ, 0x0F03},
                                                       {ERROR_SUCCESS, REG_DWORD, 0x1A02},
                                                       {ERROR_FILE_NOT_FOUND, 0, 0x0F03}};
    for (auto [result, type, taken] : kStored)
        EXPECT_TRUE(TakeStoredDotValues(result, type, 0x1A02, 0x0F03, &pair) == result &&
                    pair == taken)
            << type;
}

TEST(LoadCorrections, TheJobDevmodeOverridesWhatItCarries) {
    using S = SettingsContext;
    // The devmode's fields and value, then a field of the context and what it holds.
    const std::tuple<DWORD, SHORT, DWORD S::*, DWORD> kCases[] = {
        {DM_COLLATE, DMCOLLATE_TRUE, &S::Collate, 1},
        {DM_COLLATE, 0, &S::Collate, 0},
        {DM_DUPLEX, DMDUP_SIMPLEX, &S::InterPoint, 0},
        {DM_DUPLEX, 3, &S::InterPointCurrent, 1},
        {DM_DUPLEX, 3, &S::BindingEdge, 2},
        {DM_ORIENTATION, 2, &S::Orientation, 2},
        {DM_DEFAULTSOURCE, -3, &S::PaperSource, DWORD(-3)},
        {DM_ORIENTATION, 2, &S::Collate, 9}};
    for (auto [fields, value, field, expected] : kCases) {
        SettingsContext context = {};
        context.Collate = context.InterPoint = context.BindingEdge = 9;
        DEVMODEW devmode = {};
        devmode.dmFields = fields;
        devmode.dmCollate = devmode.dmDuplex = devmode.dmOrientation = devmode.dmDefaultSource =
            value;
        ApplyJobDevmode(&context, &devmode);
        EXPECT_EQ(context.*field, expected) << fields << " " << value;
    }
}

TEST(LoadCorrections, ThePrinterDistancesAreShownInInches) {
    SettingsContext context = {};
    context.DeviceLineSpacing = 7;
    SetPrinterStateDefaults(&context);
    EXPECT_EQ(std::u16string(context.LineSpacingText) + u" " + context.TopMarginText + u" " +
                  context.FormWidthText + u" " + context.FormHeightText,
              u"0.35 0.25 8.50 11.00");
}

} // namespace
