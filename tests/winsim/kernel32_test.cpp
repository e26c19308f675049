// kernel32 as the plug-in meets it: its own module's compiled resources, the loader with sibling
// libraries that may lack entry points, activation contexts from the module manifest, memory
// accounting with injected failures, and code-page conversion.
#include <gtest/gtest.h>

#include "plugin_module.h"
#include "sim.h"
#include "src/internal.h"

#include <cstring>
#include <string>
#include <vector>

using namespace simtest;

namespace {

const char16_t kLinkPath[] = u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\qvmonext.dll";

class Kernel32 : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
    void TearDown() override { sim::Reset(); }
};

// Entry point calls of the one test library that records them.
std::vector<std::pair<HINSTANCE, DWORD>> g_entryCalls;
BOOL g_attachResult = TRUE;
BOOL WINAPI RecordingEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    g_entryCalls.push_back({instance, reason});
    return reason == DLL_PROCESS_ATTACH ? g_attachResult : TRUE;
}
int WINAPI LinkUpdatePrinter(int, const WCHAR*) {
    return 42;
}

TEST_F(Kernel32, ServesTheCompiledResourcesOfTheModule) {
    HMODULE module = LoadPluginModule();
    ASSERT_NE(module, nullptr);

    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(2), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const char* xml = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    DWORD size = SizeofResource(module, manifest);
    ASSERT_GT(size, 40u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(xml) % 4, 0u) << "resource data must be DWORD-aligned";
    std::string text(xml, size);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);

    // The string table's blocks are read through LoadStringW in the conformance suite.
    // A named type, found by a name in another case and by "#id".
    HRSRC pattern = FindResourceW(module, u"#133", u"rt_prn");
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(133), u"RT_PRN"), pattern);
    EXPECT_GT(SizeofResource(module, pattern), 0u);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(Kernel32, ReportsWhichPartOfAResourceLookUpFailed) {
    HMODULE module = LoadPluginModule();
    SetLastError(0);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(4242)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(99), RT_MANIFEST), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));

    sim::RegisterModule(kLinkPath, nullptr, {});
    HMODULE bare = LoadLibraryW(kLinkPath);
    EXPECT_EQ(FindResourceW(bare, MAKEINTRESOURCEW(2), RT_MANIFEST), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    FreeLibrary(bare);
    FreeLibrary(module);
}

TEST_F(Kernel32, ReadsRecordsOfOddSizesAndRefusesATruncatedImage) {
    auto image = ResImage(10 /* RT_RCDATA */, 7, "\1\2\3\4\5");
    sim::RegisterModule(kLinkPath, nullptr, {}, image.data(), image.size());
    HMODULE module = LoadLibraryW(kLinkPath);
    HRSRC data = FindResourceW(module, MAKEINTRESOURCEW(7), RT_RCDATA);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(SizeofResource(module, data), 5u);
    EXPECT_EQ(std::memcmp(LoadResource(module, data), "\1\2\3\4\5", 5), 0);
    FreeLibrary(module);

    auto truncated = ResImage(10, 7, "\1\2\3\4", 64);
    EXPECT_DEATH(sim::RegisterModule(kLinkPath, nullptr, {}, truncated.data(), truncated.size()),
                 "malformed");
}

TEST_F(Kernel32, TruncatesTheModulePathAsWindowsDoes) {
    HMODULE module = LoadPluginModule();
    const std::u16string path = kModulePath;
    const DWORD length = static_cast<DWORD>(path.size());
    std::vector<WCHAR> buffer(length + 8, u'#');

    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(module, buffer.data(), length + 1), length);
    EXPECT_EQ(std::u16string(buffer.data()), path);
    EXPECT_EQ(GetLastError(), 0u);

    std::fill(buffer.begin(), buffer.end(), u'#');
    EXPECT_EQ(GetModuleFileNameW(module, buffer.data(), length), length);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(buffer.data()), path.substr(0, length - 1));
    EXPECT_EQ(buffer[length], u'#') << "nothing is written past nSize";

    EXPECT_EQ(GetModuleFileNameW(module, buffer.data(), 1), 1u);
    EXPECT_EQ(buffer[0], 0);

    ASSERT_EQ(GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())),
              std::u16string(sim::kHostExePath).size());
    EXPECT_EQ(std::u16string(buffer.data()), sim::kHostExePath);
    FreeLibrary(module);
    EXPECT_EQ(GetModuleFileNameW(module, buffer.data(), length + 1), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(Kernel32, LoadsLibrariesByPathAndCountsReferences) {
    g_entryCalls.clear();
    g_attachResult = TRUE;
    HMODULE registered = sim::RegisterModule(
        kLinkPath, RecordingEntry, {sim::Export("DllExportUpdatePrinter", LinkUpdatePrinter)});

    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\qvlocale.dll"),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    HMODULE first = LoadLibraryW(u"c:\\windows\\system32\\SPOOL\\drivers\\x64\\3\\QVMONEXT.DLL");
    HMODULE second = LoadLibraryW(kLinkPath);
    ASSERT_EQ(first, registered);
    EXPECT_EQ(second, first);
    EXPECT_EQ(sim::ModuleLoadCount(kLinkPath), 2);
    EXPECT_EQ(GetModuleHandleW(u"qvmonext"), first);

    auto update = reinterpret_cast<int(WINAPI*)(int, const WCHAR*)>(
        reinterpret_cast<void (*)()>(GetProcAddress(first, "DllExportUpdatePrinter")));
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update(0, u"P"), 42);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(first, "DllExportGetPrinterSettings"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(first, "dllexportupdateprinter"), nullptr) << "names are exact";

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(sim::LoadedModules(), std::vector<std::u16string>{kLinkPath});
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_EQ(sim::LoadedModules().size(), 0u);
    EXPECT_EQ(GetModuleHandleW(u"qvmonext.dll"), nullptr);

    using Call = std::pair<HINSTANCE, DWORD>;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(registered);
    EXPECT_EQ(g_entryCalls,
              (std::vector<Call>{{instance, DLL_PROCESS_ATTACH}, {instance, DLL_PROCESS_DETACH}}));
    ASSERT_EQ(sim::LoaderLog().size(), 3u);
    EXPECT_FALSE(sim::LoaderLog()[0].loaded);
    EXPECT_TRUE(sim::LoaderLog()[1].loaded);

    EXPECT_DEATH(FreeLibrary(first), "not a loaded library");
}

TEST_F(Kernel32, UnloadsALibraryWhoseEntryPointRefusesToAttach) {
    g_entryCalls.clear();
    g_attachResult = FALSE;
    sim::RegisterModule(kLinkPath, RecordingEntry, {});
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(kLinkPath), nullptr);
    EXPECT_EQ(GetLastError(), 1114u); // ERROR_DLL_INIT_FAILED
    EXPECT_EQ(g_entryCalls.size(), 2u);
    EXPECT_EQ(g_entryCalls.back().second, static_cast<DWORD>(DLL_PROCESS_DETACH));
    EXPECT_EQ(sim::ModuleLoadCount(kLinkPath), 0);
    g_attachResult = TRUE;
}

TEST_F(Kernel32, BuildsActivationContextsOnlyFromAManifest) {
    LoadPluginModule();
    sim::RegisterModule(kLinkPath, nullptr, {});

    ACTCTXW request = ModuleManifest(kModulePath);
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE);
    ASSERT_NE(context, nullptr);

    request = ModuleManifest(kLinkPath);
    EXPECT_EQ(CreateActCtxW(&request), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    auto rcdataOnly = ResImage(10, 7, "\1\2\3\4");
    sim::RegisterModule(u"C:\\Windows\\rcdata.dll", nullptr, {}, rcdataOnly.data(),
                        rcdataOnly.size());
    request = ModuleManifest(u"C:\\Windows\\rcdata.dll");
    EXPECT_EQ(CreateActCtxW(&request), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    request = ModuleManifest(u"C:\\Windows\\missing.dll");
    EXPECT_EQ(CreateActCtxW(&request), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    request = ModuleManifest(kModulePath);
    request.lpResourceName = MAKEINTRESOURCEW(1);
    EXPECT_EQ(CreateActCtxW(&request), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    request.dwFlags |= 0x100;
    EXPECT_EQ(CreateActCtxW(&request), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    ASSERT_EQ(sim::ActivationContextLog().size(), 6u);
    EXPECT_EQ(sim::ActivationContextLog()[0].kind, sim::ActCtxEvent::Created);
    EXPECT_EQ(sim::ActivationContextLog()[1].kind, sim::ActCtxEvent::CreateFailed);
    EXPECT_EQ(sim::LiveActivationContexts(), 1u);
    ReleaseActCtx(context);
    EXPECT_EQ(sim::LiveActivationContexts(), 0u);
    FreeLibrary(GetModuleHandleW(kModulePath));
}

TEST_F(Kernel32, ActivationsNestAndHoldTheirContextAlive) {
    LoadPluginModule();
    sim::RegisterModule(kLinkPath, nullptr, {});
    ACTCTXW request = ModuleManifest(kModulePath);
    HANDLE context = CreateActCtxW(&request);

    ULONG_PTR outer = 0, inner = 0;
    ASSERT_TRUE(ActivateActCtx(context, &outer));
    HMODULE link = LoadLibraryW(kLinkPath);
    ASSERT_TRUE(ActivateActCtx(nullptr, &inner));
    EXPECT_EQ(sim::ActiveActivationContext(), nullptr);
    EXPECT_EQ(sim::LoaderLog().back().activationContext, context);

    ReleaseActCtx(context); // the activation still holds it
    EXPECT_EQ(sim::LiveActivationContexts(), 1u);
    EXPECT_DEATH(DeactivateActCtx(0, outer), "most recent activation");
    EXPECT_TRUE(DeactivateActCtx(0, inner));
    HANDLE current = nullptr;
    ASSERT_TRUE(GetCurrentActCtx(&current));
    EXPECT_EQ(current, context);
    ReleaseActCtx(current);
    EXPECT_TRUE(DeactivateActCtx(0, outer));
    EXPECT_EQ(sim::LiveActivationContexts(), 0u);
    EXPECT_EQ(sim::ActivationDepth(), 0u);

    // A forced early deactivation unwinds the newer activations with it.
    context = CreateActCtxW(&request);
    ActivateActCtx(context, &outer);
    ActivateActCtx(context, &inner);
    EXPECT_TRUE(DeactivateActCtx(DEACTIVATE_ACTCTX_FLAG_FORCE_EARLY_DEACTIVATION, outer));
    EXPECT_EQ(sim::ActivationDepth(), 0u);
    ReleaseActCtx(context);
    EXPECT_EQ(sim::LiveActivationContexts(), 0u);

    sim::FailActivation(true);
    context = CreateActCtxW(&request);
    ULONG_PTR cookie = 0;
    SetLastError(0);
    EXPECT_FALSE(ActivateActCtx(context, &cookie));
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(sim::ActivationDepth(), 0u);
    EXPECT_EQ(sim::ActivationContextLog().back().kind, sim::ActCtxEvent::ActivateFailed);
    ReleaseActCtx(context);
    FreeLibrary(link);
    FreeLibrary(GetModuleHandleW(kModulePath));
}

TEST_F(Kernel32, HeapsAccountForTheirBlocksAndFailOnDemand) {
    HANDLE heap = HeapCreate(0, 0, 0);
    auto* block = static_cast<BYTE*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 520));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::vector<BYTE>(block, block + 520), std::vector<BYTE>(520, 0));
    std::memcpy(block, "abc", 3);
    void* other = HeapAlloc(GetProcessHeap(), 0, 8);
    EXPECT_EQ(sim::LiveHeapAllocations(heap), 1u);
    EXPECT_EQ(sim::LiveHeapAllocations(), 2u);

    auto* grown = static_cast<BYTE*>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, block, 1040));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(std::memcmp(grown, "abc", 3), 0);
    EXPECT_EQ(std::vector<BYTE>(grown + 520, grown + 1040), std::vector<BYTE>(520, 0));
    EXPECT_EQ(HeapSize(heap, 0, grown), 1040u);
    auto* shrunk = static_cast<BYTE*>(HeapReAlloc(heap, 0, grown, 8));
    EXPECT_EQ(HeapSize(heap, 0, shrunk), 8u);
    EXPECT_EQ(std::memcmp(shrunk, "abc", 3), 0);

    sim::FailNextHeapAllocations(1, heap);
    EXPECT_EQ(HeapReAlloc(heap, 0, shrunk, 64), nullptr);
    EXPECT_EQ(HeapSize(heap, 0, shrunk), 8u) << "a failed reallocation keeps the block";
    void* fine = HeapAlloc(GetProcessHeap(), 0, 4);
    EXPECT_NE(fine, nullptr) << "the failure was for the other heap";
    void* again = HeapAlloc(heap, 0, 4);
    EXPECT_NE(again, nullptr) << "only one failure was asked for";

    sim::FailNextHeapAllocations(2);
    EXPECT_EQ(HeapAlloc(GetProcessHeap(), 0, 4), nullptr);
    EXPECT_EQ(HeapAlloc(heap, 0, 4), nullptr);
    EXPECT_NE(HeapAlloc(heap, 0, 4), nullptr);

    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, other));
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, fine));
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, nullptr));
    EXPECT_DEATH(HeapFree(GetProcessHeap(), 0, fine), "not a live block");
    EXPECT_DEATH(HeapFree(GetProcessHeap(), 0, again), "not a live block");
    EXPECT_EQ(sim::LiveHeaps(), 1u);
    EXPECT_TRUE(HeapDestroy(heap)); // frees what is still in it
    EXPECT_EQ(sim::LiveHeapAllocations(), 0u);
    EXPECT_EQ(sim::LiveHeaps(), 0u);
}

TEST_F(Kernel32, GlobalBlocksLockCountAndFree) {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4096);
    ASSERT_NE(handle, nullptr);
    auto* data = static_cast<BYTE*>(GlobalLock(handle));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(static_cast<void*>(data), handle) << "a moveable block's handle is not its address";
    EXPECT_EQ(std::vector<BYTE>(data, data + 4096), std::vector<BYTE>(4096, 0));
    EXPECT_EQ(GlobalHandle(data), handle);
    EXPECT_EQ(GlobalLock(handle), data);
    EXPECT_TRUE(GlobalUnlock(handle)) << "still locked once";
    SetLastError(ERROR_INVALID_DATA);
    EXPECT_FALSE(GlobalUnlock(handle));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_FALSE(GlobalUnlock(handle));
    EXPECT_EQ(GetLastError(), 158u); // ERROR_NOT_LOCKED

    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 16);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_TRUE(GlobalUnlock(fixed));
    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalLock(empty), nullptr) << "a zero-byte moveable block is discarded";
    EXPECT_EQ(sim::LiveGlobalBlocks(), 3u);

    EXPECT_EQ(GlobalFree(handle), nullptr);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
    EXPECT_EQ(GlobalFree(empty), nullptr);
    EXPECT_EQ(sim::LiveGlobalBlocks(), 0u);
    EXPECT_DEATH(GlobalFree(handle), "not a live global memory block");

    sim::FailNextGlobalAllocations(1);
    SetLastError(0);
    EXPECT_EQ(GlobalAlloc(GHND, 10), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    HGLOBAL after = GlobalAlloc(GHND, 10);
    EXPECT_NE(after, nullptr);
    GlobalFree(after);
}

TEST_F(Kernel32, ConvertsTheAnsiCodePageExactly) {
    char all[256];
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    WCHAR wide[256];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, all, 256, wide, 256), 256);
    EXPECT_EQ(wide[0x80], 0x20AC); // euro sign
    EXPECT_EQ(wide[0x8A], 0x0160);
    EXPECT_EQ(wide[0x9F], 0x0178);
    EXPECT_EQ(wide[0x81], 0x0081); // undefined bytes keep their value
    EXPECT_EQ(wide[0xE9], 0x00E9);
    char back[256];
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, 256, back, 256, nullptr, nullptr), 256);
    EXPECT_EQ(std::memcmp(back, all, 256), 0);

    const WCHAR greek[] = u"A\u03A9";
    BOOL usedDefault = FALSE;
    char narrow[4] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, greek, -1, narrow, 4, nullptr,
                                  &usedDefault),
              3);
    EXPECT_STREQ(narrow, "A?");
    EXPECT_TRUE(usedDefault);
}

TEST_F(Kernel32, ConvertsUtf8WithTheDocumentedSizing) {
    const char utf8[] = "Z\xC3\xBCrich \xF0\x9F\x98\x80";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0), 10);
    WCHAR wide[10];
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 10), 10);
    EXPECT_EQ(std::u16string(wide), u"Z\u00FCrich \U0001F600");
    WCHAR small[4];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, small, 4), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    char round[16];
    ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, round, 16, nullptr, nullptr), 13);
    EXPECT_STREQ(round, utf8);

    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xC0\xAF", 3, wide, 10), 0);
    EXPECT_EQ(GetLastError(), 1113u); // ERROR_NO_UNICODE_TRANSLATION
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xC0\xAF", 3, wide, 10), 3);
    EXPECT_EQ(wide[1], 0xFFFD);
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, 1, round, 16, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Kernel32, SystemFoldersAndTheClock) {
    WCHAR folder[MAX_PATH];
    EXPECT_EQ(GetSystemDirectoryW(folder, MAX_PATH), 19u);
    EXPECT_EQ(std::u16string(folder), u"C:\\Windows\\system32");
    EXPECT_EQ(GetSystemDirectoryW(folder, 19), 20u) << "too small: the size needed, with NUL";

    DWORD before = GetTickCount();
    winsim::AdvanceClock(0xFFFFFFFF);
    EXPECT_EQ(GetTickCount(), before - 1) << "the 32-bit count wraps";
}

} // namespace

TEST_F(Kernel32, WordSortRefusesToGuessWhatItDoesNotModel) {
    EXPECT_DEATH(lstrcmpiW(TEXT("a-b"), TEXT("ab-")), "where a hyphen");
    EXPECT_DEATH(lstrcmpiW(TEXT("a-b"), TEXT("a'b")), "only in their hyphens");
    EXPECT_DEATH(lstrcmpiW(TEXT("a!"), TEXT("a?")), "symbols '!' and '\\?'");
    EXPECT_DEATH(lstrcmpiW(TEXT("\u00E0"), TEXT("\u00E1")), "accents");
    // A character it cannot place might weigh nothing, so it is weighed even where the shorter
    // text has ended; after a difference in the letters it no longer matters.
    EXPECT_DEATH(lstrcmpiW(TEXT("ab\u4E00"), TEXT("ab")), "U\\+4E00");
    EXPECT_EQ(lstrcmpiW(TEXT("b\u4E00"), TEXT("a\u4E00")), 1);
    EXPECT_EQ(lstrcmpiW(TEXT("-ab"), TEXT("ab")), 1) << "the text with the hyphen last";
}
