// The Windows test programs' main: the common controls, the installed state kept, the tests.
#include "wine_test.h"

#include <commctrl.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    PrepareWineTests();
    return RUN_ALL_TESTS();
}
