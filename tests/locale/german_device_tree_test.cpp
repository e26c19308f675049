// The device settings tree of a German installation: its header, labels, option texts and units
// come from the catalogue's string section (one of each: the others take the same way, and that
// each has its translation is scripts/test_resources.py's).
#include "device/device_tree_fixture.h"
#include "locale/locale_machine.h"

namespace {

TEST_F(DeviceTreeTest, TheTreeSpeaksGerman) {
    InstallGerman();
    InstallEmbosser();
    OpenTree();
    EXPECT_EQ(TextOf(item(kHeader).pName), u"Frühere Einstellungen");
    EXPECT_EQ(TextOf(item(kDots).pName), u"Punkte pro Zeichen");
    EXPECT_EQ(Options(kDuplex),
              (std::vector<std::u16string>{u"Einseitig", u"Doppelseitig (Interpunkt)"}));
    EXPECT_EQ(Options(kFormWidth)[0], u"Zoll");
}

} // namespace
