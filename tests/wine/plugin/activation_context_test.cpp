// The module's activation contexts: the pages' own, built from the module's manifest even from a
// long path, and the one the module was loaded in, where its libraries load and which it holds
// until it is unloaded (the closing count sees a context left behind).
#include "seams.h"
#include "sheet_session.h"
#include "wine_test.h"

namespace {

class ActivationContextTest : public WineTest {};

TEST_F(ActivationContextTest, AModuleOnALongPathStillGivesItsPagesTheirContext) {
    // Two folders of 150 letters each under the driver folder: longer than MAX_PATH.
    std::wstring outer = TEXT("\\\\?\\") + DriverFile(std::wstring(150, 'd').c_str());
    std::wstring inner = outer + TEXT("\\") + std::wstring(150, 'e');
    std::wstring plugin = inner + TEXT("\\qvembui.dll");
    ASSERT_TRUE(CreateDirectoryW(outer.c_str(), nullptr) &&
                CreateDirectoryW(inner.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(PluginPath().c_str(), plugin.c_str(), FALSE));
    {
        CoreDriverHost host;
        ASSERT_EQ(host.Load(plugin.c_str()), S_OK);
        SheetSession session(host);
        ASSERT_EQ(session.OpenDocumentProperties(kPrinterName, nullptr), S_OK);
        EXPECT_EQ(session.pages()[0].description.dwFlags & PSP_USEFUSIONCONTEXT,
                  DWORD(PSP_USEFUSIONCONTEXT));
        session.Close(0);
    }
    DeleteFileW(plugin.c_str());
    RemoveDirectoryW(inner.c_str());
    RemoveDirectoryW(outer.c_str());
}

// The loader runs the module's entry in the context of the module's own manifest.
TEST_F(ActivationContextTest, LibrariesLoadOnlyInTheContextTheModuleWasLoadedIn) {
    CoreDriverHost host;
    ASSERT_EQ(host.Load(PluginPath().c_str()), S_OK);
    ACTIVATION_CONTEXT_BASIC_INFORMATION loadedIn = {};
    ASSERT_TRUE(QueryActCtxW(QUERY_ACTCTX_FLAG_ACTCTX_IS_HMODULE | QUERY_ACTCTX_FLAG_NO_ADDREF,
                             host.module(), nullptr, ActivationContextBasicInformation, &loadedIn,
                             sizeof(loadedIn), nullptr));
    Seams seams;
    for (bool activates : {true, false}) {
        if (!activates)
            seams.Fail("ActivateActCtx", ERROR_INVALID_PARAMETER);
        seams.ForgetCalls();
        SheetSession session(host);
        ASSERT_EQ(session.OpenDocumentProperties(kPrinterName, nullptr), S_OK);
        EXPECT_EQ(seams.Calls("LoadLibraryW") > 0, activates) << "loaded only inside the context";
        EXPECT_EQ(seams.loadContext == loadedIn.hActCtx, activates);
        session.Close(0);
    }
}

} // namespace
