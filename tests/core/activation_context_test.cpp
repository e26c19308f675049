// The module's activation contexts: found again for long paths, the one it was loaded in held
// until unload, and the context modal dialogs and libraries run in. That the module's own context
// is built once from its manifest and released at unload is property_sheets_test's, and every
// test's closing count of activation contexts.
#include "support/plugin_machine.h"

#include "core/activation_context.h"
#include "core/module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" const unsigned char qvembui_res[];
extern const std::size_t qvembui_res_size;

namespace {

class ActivationContextTest : public PluginTest {};

TEST_F(ActivationContextTest, ALongModulePathIsFetchedAgainInALargerBuffer) {
    FreeLibrary(module_);
    std::u16string folder = u"C:\\Drivers\\";
    folder += std::u16string(300, u'd');
    std::u16string path = folder + u"\\qvembui.dll";
    sim::RegisterModule(path, DllMain, {}, qvembui_res, qvembui_res_size);
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr);
    HANDLE context = ModuleActivationContext();
    EXPECT_TRUE(IsUsableActivationContext(context));
    EXPECT_EQ(sim::ActivationContextLog().back().source, path) << "the whole path";
    FreeLibrary(module);
    module_ = LoadLibraryW(kPluginPath);
}

TEST_F(ActivationContextTest, TheContextItWasLoadedInIsHeldUntilUnload) {
    FreeLibrary(module_);
    ACTCTXW request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = kPluginPath;
    request.lpResourceName = MAKEINTRESOURCEW(2); // the manifest of an isolation-aware DLL
    HANDLE host = CreateActCtxW(&request);
    ASSERT_NE(host, INVALID_HANDLE_VALUE);
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(host, &cookie));
    module_ = LoadLibraryW(kPluginPath);
    DeactivateActCtx(0, cookie);
    EXPECT_EQ(g_loadActCtx, host);
    ReleaseActCtx(host); // the host is done with it; the plug-in still holds it
    FreeLibrary(module_);
    EXPECT_EQ(sim::LiveActivationContexts(), 0u) << "given back at unload";
    module_ = LoadLibraryW(kPluginPath);
}

TEST_F(ActivationContextTest, LibrariesAndDialogsRunInTheContextTheModuleWasLoadedIn) {
    HMODULE library = ModuleLoadLibrary(kPrinterLinkPath);
    EXPECT_EQ(library, nullptr) << "not installed";
    ASSERT_FALSE(sim::LoaderLog().empty());
    EXPECT_EQ(sim::LoaderLog().back().activationContext, g_loadActCtx);
    EXPECT_EQ(sim::ActivationDepth(), 0u) << "deactivated again";

    sim::FailActivation(true);
    sim::RegisterModule(kPrinterLinkPath, nullptr, {});
    size_t loads = sim::LoaderLog().size();
    EXPECT_EQ(ModuleLoadLibrary(kPrinterLinkPath), nullptr);
    EXPECT_EQ(sim::LoaderLog().size(), loads) << "nothing loaded without the context";
    EXPECT_EQ(ModuleDialogBoxParam(module_, MAKEINTRESOURCEW(112), nullptr, nullptr, 0), -1);
    sim::FailActivation(false);
}

} // namespace
