// The fixture's reset, warm-up and closing count.
#include "wine_test.h"

#include "person/person.h"
#include "printer_tool/printer_folder.h"

#include <commctrl.h>
#include <gtest/gtest-spi.h>
#include <winspool.h>

#include <fstream>

const WCHAR kPrinterName[] = TEXT("Tarvik Embosser");

namespace {

// Where the first program in a prefix keeps what the installation left, for all of them.
const WCHAR kSavedState[] = TEXT("Software\\QvembuiWineTests");
// Where the spooler keeps the printer, and its data under "Config".
const WCHAR kPrinterKey[] =
    TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser");
const std::wstring kConfigKey = kPrinterKey + std::wstring(TEXT("\\Config"));
// Each key's root and path.
const std::pair<HKEY, LPCWSTR> kStateKeys[] = {
    {HKEY_LOCAL_MACHINE, kPrinterKey},
    {HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Quorvane")},
    {HKEY_CURRENT_USER, TEXT("SOFTWARE\\Quorvane")},
};

std::wstring SavedPath(size_t key) {
    return std::wstring(kSavedState) + TEXT("\\") + std::to_wstring(key);
}

// Makes key `to` hold what key `from` holds; without `from`, `to` goes.
void CopyKey(HKEY fromRoot, LPCWSTR from, HKEY toRoot, LPCWSTR to) {
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(fromRoot, from, 0, KEY_READ, &source) != ERROR_SUCCESS) {
        RegDeleteTreeW(toRoot, to);
        return;
    }
    RegCreateKeyExW(toRoot, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
    RegDeleteTreeW(target, nullptr);
    RegCopyTreeW(source, nullptr, target);
    RegCloseKey(target);
    RegCloseKey(source);
}

// Wine's controls keep a block for each instance destroyed (docs/wine-notes.md): comctl32's
// static control 24 bytes, a multi-line edit one byte per character of its text, an IP address
// control the font of its fields.
KindCounts g_wineBlocks;

bool ProcedureInComctl32(HWND window) {
    HMODULE module = nullptr;
    WCHAR path[MAX_PATH] = TEXT("");
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(window, GWLP_WNDPROC)), &module);
    DWORD length = module != nullptr ? GetModuleFileNameW(module, path, MAX_PATH) : 0;
    return length >= 12 && lstrcmpiW(path + length - 12, TEXT("comctl32.dll")) == 0;
}

BOOL CALLBACK CountWineBlocks(HWND window, LPARAM) {
    WCHAR name[16] = TEXT("");
    GetClassNameW(window, name, 16);
    int length = GetWindowTextLengthW(window);
    char size[48];
    if (lstrcmpiW(name, TEXT("Static")) == 0 && ProcedureInComctl32(window))
        ++g_wineBlocks["process heap blocks: 24 bytes"];
    if (lstrcmpiW(name, WC_IPADDRESSW) == 0)
        ++g_wineBlocks["GDI objects: font"];
    if (lstrcmpiW(name, TEXT("Edit")) == 0 &&
        (GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE) && length > 0 &&
        wsprintfA(size, "process heap blocks: %d bytes", length) > 0)
        ++g_wineBlocks[size];
    return TRUE;
}

void WindowDestroyed(HWND window) {
    CountWineBlocks(window, 0);
    EnumChildWindows(window, CountWineBlocks, 0);
}

LRESULT CALLBACK TestThreadHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND)
        WindowDestroyed(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Wine keeps up to 64 window device contexts for reuse, and makes one more whenever each one kept
// still belongs to a window: once 64 are kept the number never grows. All 64 windows hold their
// context at once.
void FillWindowDcCache(int left = 64) {
    HWND window = CreateWindowExW(0, TEXT("Static"), nullptr, WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, nullptr, nullptr);
    HDC context = GetDC(window);
    if (left > 1)
        FillWindowDcCache(left - 1);
    ReleaseDC(window, context);
    DestroyWindow(window);
}

// What Wine keeps after a first use that can still fall into a test's second run: each sheet
// through the spooler with every page shown (a page's first painting can come that late).
bool WarmUp() {
    RestoreInstalledState(); // the program before may have left German
    {
        // GoogleTest's first failure on a thread starts a thread that watches it; its first
        // trace keeps the thread's list of traces.
        testing::TestPartResultArray failures;
        testing::ScopedFakeTestPartResultReporter watched(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        SCOPED_TRACE("warm-up");
    }
    FillWindowDcCache();
    OpenEverySheetPage();
    TakeMishaps();
    TakeProcessCounts();
    return true;
}

} // namespace

void RestoreInstalledState() {
    for (size_t i = 0; i < ARRAYSIZE(kStateKeys); ++i)
        CopyKey(HKEY_CURRENT_USER, SavedPath(i).c_str(), kStateKeys[i].first, kStateKeys[i].second);
    DeleteFileW(EmbosserStateFile().c_str());
    DeleteFileW(DriverFile(TEXT("qvmonext.state")).c_str()); // where earlier versions kept it
}

bool OpenEverySheetPage() {
    bool shown = true;
    for (bool preferences : {true, false}) {
        Sheet sheet;
        shown &=
            preferences ? sheet.OpenPreferences(kPrinterName) : sheet.OpenProperties(kPrinterName);
        for (int page = sheet.PageCount() - 1; page >= 0; --page)
            shown &= sheet.PageAt(page) != nullptr;
        sheet.Cancel();
    }
    return shown;
}

void PrepareWineTests() {
    HKEY saved = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSavedState, 0, KEY_READ, &saved) == ERROR_SUCCESS)
        RegCloseKey(saved);
    else
        for (size_t i = 0; i < ARRAYSIZE(kStateKeys); ++i)
            CopyKey(kStateKeys[i].first, kStateKeys[i].second, HKEY_CURRENT_USER,
                    SavedPath(i).c_str());
    WatchDestroyedWindows(WindowDestroyed);
}

void WineTest::SetUp() {
    static bool warm = WarmUp();
    ASSERT_TRUE(warm);
    RestoreInstalledState(); // the warm-up's sheets leave the embosser's state file behind
    g_wineBlocks.clear();
    hook_ = SetWindowsHookExW(WH_CBT, TestThreadHook, nullptr, GetCurrentThreadId());
    before_ = TakeProcessCounts();
}

void WineTest::TearDown() {
    for (const std::wstring& mishap : TakeMishaps())
        ADD_FAILURE() << "on the sheet's thread: " << testing::PrintToString(mishap);
    UnhookWindowsHookEx(hook_);
    std::string grown = DescribeGrowth(before_, TakeProcessCounts(), g_wineBlocks);
    // What Wine keeps after a dialog's or a control's first use grows once: the test runs once
    // more, and only what grows again is left behind. TearDown and SetUp are the test's own.
    if (!grown.empty() && !repeated_ && !HasFailure()) {
        repeated_ = true;
        SetUp();
        TestBody();
        TearDown();
        return;
    }
    EXPECT_EQ(grown, "") << "what the test left behind";
}

void HostedPluginTest::SetUp() {
    WineTest::SetUp();
    ASSERT_EQ(host_.Load(PluginPath().c_str()), S_OK);
}

void HostedPluginTest::TearDown() {
    host_.Unload();
    WineTest::TearDown();
}

// Wine's file dialog keeps a file handle, an event and three blocks for each thread that showed
// it, and an icon for each time it was shown.
void ForgiveFileDialog(int uses) {
    g_wineBlocks["kernel handles"] += 2;
    g_wineBlocks["blocks in other heaps"] += 3;
    g_wineBlocks["user objects"] += uses;
}

std::wstring PluginPath() {
    return DriverFile(TEXT("qvembui.dll"));
}

DWORD ConfigDword(LPCWSTR name) {
    DWORD value = 0, size = sizeof(value);
    LSTATUS read = RegGetValueW(HKEY_LOCAL_MACHINE, kConfigKey.c_str(), name, RRF_RT_REG_DWORD,
                                nullptr, &value, &size);
    return read == ERROR_SUCCESS ? value : kMissing;
}

void SetConfigDword(LPCWSTR name, DWORD value) {
    EXPECT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kConfigKey.c_str(), name, REG_DWORD, &value,
                              sizeof(value)),
              ERROR_SUCCESS);
}

std::wstring EmbosserStateFile() {
    WCHAR path[MAX_PATH] = {};
    EmbosserStateFile(path, MAX_PATH);
    return path;
}

void WriteEmbosserState(const std::string& lines, const std::wstring& path) {
    std::ofstream file(path.c_str(), std::ios::binary);
    EXPECT_TRUE(file << "[Tarvik Embosser]\n"
                     << lines << "\n")
        << "cannot write " << testing::PrintToString(path);
}

std::string EmbosserState() {
    std::ifstream file(EmbosserStateFile().c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void SetLocale(LPCWSTR code) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Quorvane\\TarvikSetup"), TEXT("Locale"),
                    REG_SZ, code, (lstrlenW(code) + 1) * sizeof(WCHAR));
}

std::wstring WindowText(HWND window) {
    WCHAR text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}
