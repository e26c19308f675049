// What a settings load makes of the printer data it finds: values from one enumeration, the
// value used or healed for each answer, dot values, the media type name list, and the load's
// corrections.
#include "settings/load_corrections.h"
#include "settings/stored_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(StoredValues, AnEnumeratedValueIsAnsweredAsItsOwnReadWould) {
    DWORD mode = 3;
    LONG size[2] = {1, 2};
    const WCHAR* names[] = {TEXT("EmbossMode"), TEXT("paperSIZE"), TEXT("Empty")};
    PRINTER_ENUM_VALUESW values[] = {
        {nullptr, 0, REG_DWORD, reinterpret_cast<BYTE*>(&mode), 4},
        {const_cast<WCHAR*>(names[0]), 22, REG_DWORD, reinterpret_cast<BYTE*>(&mode), 4},
        {const_cast<WCHAR*>(names[1]), 20, REG_BINARY, reinterpret_cast<BYTE*>(size), 8},
        {const_cast<WCHAR*>(names[2]), 12, REG_SZ, nullptr, 0}};
    const struct {
        const char16_t* name;
        DWORD bufferBytes, result, needed;
    } kCases[] = {
        {u"EMBOSSMODE", 4, ERROR_SUCCESS, 4},        {u"PaperSize", 4, ERROR_MORE_DATA, 8},
        {u"PaperSize", 8, ERROR_SUCCESS, 8},         {u"Empty", 4, ERROR_SUCCESS, 0},
        {u"EmbossMod", 4, ERROR_FILE_NOT_FOUND, 99}, {u"EmbossModes", 4, ERROR_FILE_NOT_FOUND, 99},
    };
    for (const auto& c : kCases) {
        BYTE buffer[8] = {};
        DWORD needed = 99;
        EXPECT_EQ(ReadEnumeratedValue(values, 4, c.name, buffer, c.bufferBytes, &needed), c.result)
            << std::string(c.name, c.name + 4);
        EXPECT_EQ(needed, c.needed);
        if (c.result == ERROR_SUCCESS && c.needed > 0)
            EXPECT_EQ(std::memcmp(buffer, c.needed == 4 ? (void*)&mode : (void*)size, c.needed), 0);
    }
}

TEST(StoredValues, WhatCannotBeReadIsTheDefaultWrittenBack) {
    const struct {
        DWORD result, stored, value;
        bool heal;
    } kDwords[] = {{ERROR_SUCCESS, 7, 7, false},
                   {ERROR_MORE_DATA, 7, 2, true},
                   {ERROR_FILE_NOT_FOUND, 0, 2, true},
                   {ERROR_ACCESS_DENIED, 7, 2, true}};
    for (const auto& c : kDwords) {
        DWORD value = 0;
        EXPECT_EQ(TakeStoredDword(c.result, c.stored, 2, &value), c.heal) << c.result;
        EXPECT_EQ(value, c.value) << c.result;
    }
    const struct {
        DWORD result;
        std::u16string stored, expected;
        bool heal;
    } kTexts[] = {{ERROR_SUCCESS, std::u16string(259, 'a'), std::u16string(259, 'a'), false},
                  {ERROR_SUCCESS, u"", u"", false},
                  {ERROR_SUCCESS, std::u16string(260, 'a'), u"Default.dat", true},
                  {ERROR_MORE_DATA, u"abc", u"Default.dat", true}};
    for (const auto& c : kTexts) {
        WCHAR buffer[kStoredTextChars] = {};
        std::copy(c.stored.begin(), c.stored.end(), buffer);
        EXPECT_EQ(TakeStoredText(c.result, buffer, u"Default.dat"), c.heal) << c.stored.size();
        EXPECT_EQ(std::u16string(buffer), c.expected);
        EXPECT_EQ(buffer[kStoredTextChars - 1], 0);
    }
    const struct {
        DWORD result, needed;
        bool heal;
    } kPaperSizes[] = {{ERROR_SUCCESS, 8, false},
                       {ERROR_SUCCESS, 4, true},
                       {ERROR_MORE_DATA, 12, true},
                       {ERROR_FILE_NOT_FOUND, 0, true}};
    for (const auto& c : kPaperSizes) {
        LONG size[2] = {100, 200};
        EXPECT_EQ(TakeStoredPaperSize(c.result, c.needed, size), c.heal) << c.needed;
        EXPECT_EQ(size[0], c.heal ? 210000 : 100);
        EXPECT_EQ(size[1], c.heal ? 297000 : 200);
    }
}

TEST(StoredValues, DotValuesComeFromTheTableOrTheCustomStore) {
    const struct {
        DWORD mediaType, result, type, pair;
    } kCases[] = {{268, 0, 0, 0x1E06},
                  {269, 0, 0, 0x1604},
                  {258, 0, 0, 0x1005},
                  {259, 0, 0, 0x1406},
                  {267, 0, 0, 0x2006},
                  {270, 0, 0, 0x2206},
                  {999, 0, 0, 0x1005},
                  {286, ERROR_SUCCESS, REG_DWORD, 0x1A02},
                  {286, ERROR_SUCCESS, REG_SZ, 0x0F03},
                  {286, ERROR_FILE_NOT_FOUND, 0, 0x0F03}};
    for (const auto& c : kCases) {
        DWORD pair = 0;
        if (!BuiltInDotValues(c.mediaType, &pair))
            EXPECT_EQ(TakeStoredDotValues(c.result, c.type, 0x1A02, 0x0F03, &pair), c.result);
        EXPECT_EQ(pair, c.pair) << c.mediaType;
    }
}

TEST(StoredValues, TheNameListFitsTheBufferItWasCountedFor) {
    const struct {
        DWORD bufferBytes;
        std::u16string list;
        DWORD names;
    } kCases[] = {{64, std::u16string(u"Thick\0Swell\0\0", 13), 2},
                  {26, std::u16string(u"Thick\0Swell\0\0", 13), 2},
                  {24, std::u16string(u"Thick\0\0", 7), 1},
                  {2, std::u16string(u"\0", 1), 0}};
    for (const auto& c : kCases) {
        std::vector<WCHAR> buffer(c.bufferBytes / 2, 'x');
        NameList list(buffer.data(), c.bufferBytes);
        list.Add(u"Thick", 5);
        list.Add(u"Swell", 5);
        list.Close();
        EXPECT_EQ(std::u16string(buffer.data(), c.list.size()), c.list) << c.bufferBytes;
        EXPECT_EQ(list.names(), c.names) << c.bufferBytes;
        EXPECT_EQ(list.bytes(), 26u) << "the whole list, whatever fitted";
    }
    NameList counting(nullptr, 100);
    counting.Add(u"Thick", 5);
    counting.Close();
    EXPECT_EQ(counting.names(), 1u);
}

TEST(LoadCorrections, TheJobDevmodeOverridesWhatItCarries) {
    const struct {
        DWORD fields;
        SHORT value;
        DWORD SettingsContext::*field;
        DWORD expected;
    } kCases[] = {
        {DM_COLLATE, DMCOLLATE_TRUE, &SettingsContext::Collate, 1},
        {DM_COLLATE, 0, &SettingsContext::Collate, 0},
        {DM_DUPLEX, DMDUP_SIMPLEX, &SettingsContext::InterPoint, 0},
        {DM_DUPLEX, 3, &SettingsContext::InterPointCurrent, 1},
        {DM_DUPLEX, 3, &SettingsContext::BindingEdge, 2},
        {DM_ORIENTATION, 2, &SettingsContext::Orientation, 2},
        {DM_DEFAULTSOURCE, -3, &SettingsContext::PaperSource, DWORD(-3)},
        {DM_MEDIATYPE, 270, &SettingsContext::MediaType, 270},
        {DM_ORIENTATION, 2, &SettingsContext::Collate, 9},
    };
    for (const auto& c : kCases) {
        SettingsContext context = {};
        context.Collate = context.InterPoint = context.BindingEdge = 9;
        DEVMODEW devmode = {};
        devmode.dmFields = c.fields;
        devmode.dmCollate = devmode.dmDuplex = devmode.dmOrientation = devmode.dmDefaultSource =
            c.value;
        devmode.dmMediaType = static_cast<DWORD>(c.value);
        ApplyJobDevmode(&context, &devmode);
        EXPECT_EQ(context.*c.field, c.expected) << c.fields << " " << c.value;
    }
}

TEST(LoadCorrections, ThePrinterDistancesAreShownInInches) {
    SettingsContext context = {};
    context.DeviceLineSpacing = 7;
    SetPrinterStateDefaults(&context);
    const std::u16string texts[] = {context.LineSpacingText, context.TopMarginText,
                                    context.FormWidthText, context.FormHeightText};
    EXPECT_EQ(texts[0], u"0.35");
    EXPECT_EQ(texts[1], u"0.25");
    EXPECT_EQ(texts[2], u"8.50");
    EXPECT_EQ(texts[3], u"11.00");
}

} // namespace
