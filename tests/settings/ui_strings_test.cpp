// Texts by id and the locale library's binding.
#include "support/fake_siblings.h"
#include "support/plugin_machine.h"

#include "settings/ui_strings.h"

namespace {

class UiStringsTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        heap_ = HeapCreate(0, 0, 0);
    }
    void TearDown() override {
        ReleaseSettingsContext(context_);
        HeapDestroy(heap_);
        PluginTest::TearDown();
    }
    SettingsContext* Load() {
        EXPECT_TRUE(LoadSettingsContext({OpenHostHandle(), module_, heap_, nullptr}, &context_));
        return context_;
    }
    HANDLE heap_ = nullptr;
    SettingsContext* context_ = nullptr;
};

TEST_F(UiStringsTest, EnglishTextsWithoutTheLocaleLibrary) {
    Load();
    EXPECT_EQ(context_->LocaleInstance, nullptr);
    EXPECT_EQ(std::u16string(GetUiString(context_, 198)), u"Service");
    LPCWSTR first = GetUiString(context_, 1);
    LPCWSTR second = GetUiString(context_, 3);
    EXPECT_EQ(first, second) << "one shared buffer";
    EXPECT_EQ(std::u16string(second), u"Layout");
    EXPECT_EQ(std::u16string(GetUiString(context_, 9999)), u"---");

    LPWSTR copy = GetUiStringCopy(context_, 2);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::u16string(copy), u"Paper/Media");
    EXPECT_EQ(HeapSize(heap_, 0, copy), 12 * sizeof(WCHAR)) << "shrunk to the text";
    EXPECT_EQ(GetUiStringCopy(context_, 9999), nullptr);
    HeapFree(heap_, 0, copy);
}

TEST_F(UiStringsTest, TheLocaleLibraryTranslatesWhenItBinds) {
    InstallFakeLocale();
    Locale().strings[u"Service"] = u"Dienst";
    Locale().sectionStrings[{u"Caption", u"Layout"}] = u"Seitenlayout";
    Load();
    ASSERT_EQ(context_->LocaleInstance, FakeLocaleInstance());
    EXPECT_EQ(Locale().heap, heap_);
    EXPECT_EQ(Locale().enumLocalesCalls, 1);
    ASSERT_EQ(Locale().initLocaleCodes.size(), 1u);
    EXPECT_EQ(Locale().initLocaleCodes[0], u"en_us") << "no recorded language";

    EXPECT_EQ(std::u16string(GetUiString(context_, 198)), u"Dienst");
    EXPECT_EQ(std::u16string(GetUiString(context_, 3)), u"Layout") << "no translation: English";
    LPWSTR caption = GetCaptionString(context_, 3);
    EXPECT_EQ(std::u16string(caption), u"Seitenlayout");
    LPWSTR copy = GetUiStringCopy(context_, 198);
    EXPECT_EQ(std::u16string(copy), u"Dienst");
    EXPECT_EQ(sim::LiveHeapAllocations(heap_), 3u) << "the context and two texts, nothing else";
    HeapFree(heap_, 0, caption);
    HeapFree(heap_, 0, copy);
}

TEST_F(UiStringsTest, AnUnusableLibraryLeavesTheContextUnbound) {
    InstallFakeLocale({"CreateEx"});
    Load();
    EXPECT_EQ(context_->LocaleInstance, nullptr);
    EXPECT_EQ(std::u16string(GetUiString(context_, 198)), u"Service");
    ReleaseSettingsContext(context_);
    context_ = nullptr;

    InstallFakeLocale();
    Locale().createReturnsNull = true;
    Load();
    EXPECT_EQ(context_->LocaleInstance, nullptr);
    EXPECT_TRUE(Locale().initLocaleCodes.empty());
}

} // namespace
