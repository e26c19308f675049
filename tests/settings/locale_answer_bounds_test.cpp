// Translations are read no further than a composed text reaches (a case the fuzz target found):
// a locale library's answer without a terminator within 4096 characters is cut there.
#include "support/plugin_machine.h"

#include "settings/ui_strings.h"

#include <cstdlib>

namespace {

// The answer: exactly 4096 characters and no terminator, in a block of that size, so that any
// read beyond it is caught.
WCHAR* g_unterminated = nullptr;
int g_instance;

HANDLE WINAPI CreateEx(LPCWSTR, LPCWSTR, HANDLE) {
    return &g_instance;
}
LPCWSTR WINAPI GetString(HANDLE, LPCWSTR) {
    return g_unterminated;
}
LPCWSTR WINAPI GetSectionString(HANDLE, LPCWSTR, LPCWSTR) {
    return g_unterminated;
}

class LocaleAnswerBoundsTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        g_unterminated = static_cast<WCHAR*>(std::malloc(4096 * sizeof(WCHAR)));
        for (int i = 0; i < 4096; ++i)
            g_unterminated[i] = u'x';
        sim::RegisterModule(kLocalePath, nullptr,
                            {sim::Export("CreateEx", CreateEx), sim::Export("GetString", GetString),
                             sim::Export("GetSectionString", GetSectionString)});
        heap_ = HeapCreate(0, 0, 0);
        ASSERT_TRUE(LoadSettingsContext({OpenHostHandle(), module_, heap_, nullptr}, &context_));
        ASSERT_NE(context_->LocaleInstance, nullptr);
    }
    void TearDown() override {
        ReleaseSettingsContext(context_);
        HeapDestroy(heap_);
        std::free(g_unterminated);
        PluginTest::TearDown();
    }
    HANDLE heap_ = nullptr;
    SettingsContext* context_ = nullptr;
};

TEST_F(LocaleAnswerBoundsTest, AnUnterminatedTranslationIsCutAtAComposedText) {
    const std::u16string cut(4095, u'x');
    EXPECT_EQ(std::u16string(GetUiString(context_, 198)), cut);
    LPWSTR copy = GetUiStringCopy(context_, 198);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::u16string(copy), cut);
    LPWSTR caption = GetCaptionString(context_, 1);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(std::u16string(caption), cut);
}

} // namespace
