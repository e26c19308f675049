// The device settings tree of a German installation: its labels and option texts come from the
// catalogue's string section.
#include "device/device_tree_fixture.h"
#include "locale/locale_machine.h"

namespace {

TEST_F(DeviceTreeTest, TheTreeSpeaksGerman) {
    InstallGerman();
    InstallEmbosser();
    OpenTree();
    EXPECT_EQ(TextOf(item(kHeader).pName), u"Frühere Einstellungen");
    EXPECT_EQ(TextOf(item(kDots).pName), u"Punkte pro Zeichen");
    EXPECT_EQ(TextOf(item(kPaperSource).pName), u"Papierzufuhr");
    EXPECT_EQ(Options(kPaperSource),
              (std::vector<std::u16string>{u"Automatisch wählen", u"Traktorzufuhr"}));
    EXPECT_EQ(Options(kDuplex),
              (std::vector<std::u16string>{u"Einseitig", u"Doppelseitig (Interpunkt)"}));
    EXPECT_EQ(Options(kDotHeight), (std::vector<std::u16string>{u"Hoch", u"Normal", u"Niedrig"}));
    EXPECT_EQ(Options(kFormWidth)[0], u"Zoll");
    EXPECT_EQ(TextOf(item(kLowestForce).pName), u"Geringste Prägekraft des eigenen Mediums");
}

} // namespace
