// shell32, ole32 and the file-open dialog: COM initialisation, creating the dialog, what it
// records and answers, shell items, special folders and path helpers.
#include <gtest/gtest.h>

#include "sim.h"
#include "sim/kernel.h"

#include <shlobj.h>

#include <cstring>
#include <string>

namespace {

const char16_t kPatterns[] = u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns";
const char16_t kDefaultPattern[] = u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Default.dat";

std::u16string DisplayPath(IShellItem* item) {
    LPWSTR text = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &text)))
        return u"<failed>";
    std::u16string path(text);
    CoTaskMemFree(text);
    return path;
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
    void TearDown() override { EXPECT_EQ(sim::ShellLeakReport(), ""); }

    IFileDialog* NewFileDialog() {
        IFileDialog* dialog = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IFileDialog, reinterpret_cast<void**>(&dialog)),
                  S_OK);
        return dialog;
    }
};

TEST_F(ShellTest, ComMustBeInitialisedOnTheThread) {
    void* object = &object;
    EXPECT_EQ(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog,
                               &object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);

    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    EXPECT_EQ(sim::ComInitCount(), 2);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(sim::ComInitCount(), 0);
    EXPECT_EQ(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog,
                               &object),
              CO_E_NOTINITIALIZED);
}

TEST_F(ShellTest, OnlyTheInProcessFileOpenDialogIsServed) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    void* object = &object;
    const CLSID other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(CoCreateInstance(other, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_LOCAL_SERVER, IID_IFileDialog,
                               &object),
              REGDB_E_CLASSNOTREG);
    IUnknown* outer = reinterpret_cast<IUnknown*>(&object);
    EXPECT_EQ(
        CoCreateInstance(CLSID_FileOpenDialog, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IShellItem,
                               &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(sim::LiveFileDialogs(), 0u);

    IFileOpenDialog* open = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_ALL, IID_IFileOpenDialog,
                               reinterpret_cast<void**>(&open)),
              S_OK);
    IFileDialog* dialog = nullptr;
    ASSERT_EQ(open->QueryInterface(IID_IFileDialog, reinterpret_cast<void**>(&dialog)), S_OK);
    EXPECT_EQ(static_cast<IFileDialog*>(open), dialog);
    EXPECT_EQ(sim::LiveFileDialogs(), 1u);
    dialog->Release();
    EXPECT_EQ(open->Release(), 0u);
    CoUninitialize();
}

// Callers compiled against the platform's headers reach the dialog through fixed vtable slots:
// IUnknown's three, IModalWindow::Show, then IFileDialog's methods in their documented order.
template <class Method> size_t Slot(Method method) {
    static_assert(sizeof(method) == 2 * sizeof(uintptr_t), "Itanium pointer to member");
    uintptr_t raw[2];
    std::memcpy(raw, &method, sizeof raw);
    return (raw[0] - 1) / sizeof(void*); // a virtual member is 1 + its offset in the vtable
}

TEST_F(ShellTest, DialogMethodsSitInThePlatformsSlots) {
    EXPECT_EQ(Slot(&IFileDialog::QueryInterface), 0u);
    EXPECT_EQ(Slot(&IFileDialog::Release), 2u);
    EXPECT_EQ(Slot(&IFileDialog::Show), 3u);
    EXPECT_EQ(Slot(&IFileDialog::SetFileTypes), 4u);
    EXPECT_EQ(Slot(&IFileDialog::Advise), 7u);
    EXPECT_EQ(Slot(&IFileDialog::SetOptions), 9u);
    EXPECT_EQ(Slot(&IFileDialog::GetOptions), 10u);
    EXPECT_EQ(Slot(&IFileDialog::SetDefaultFolder), 11u);
    EXPECT_EQ(Slot(&IFileDialog::SetFolder), 12u);
    EXPECT_EQ(Slot(&IFileDialog::SetFileName), 15u);
    EXPECT_EQ(Slot(&IFileDialog::SetTitle), 17u);
    EXPECT_EQ(Slot(&IFileDialog::GetResult), 20u);
    EXPECT_EQ(Slot(&IFileDialog::SetDefaultExtension), 22u);
    EXPECT_EQ(Slot(&IFileDialog::Close), 23u);
    EXPECT_EQ(Slot(&IFileDialog::SetFilter), 26u);
    EXPECT_EQ(Slot(&IFileOpenDialog::GetResults), 27u);
    EXPECT_EQ(Slot(&IFileOpenDialog::GetSelectedItems), 28u);
    EXPECT_EQ(Slot(&IShellItem::BindToHandler), 3u);
    EXPECT_EQ(Slot(&IShellItem::GetDisplayName), 5u);
    EXPECT_EQ(Slot(&IShellItem::Compare), 7u);

    // And the object answers through the slots, as such a caller would call it.
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    IFileDialog* dialog = NewFileDialog();
    using GetOptionsFn = HRESULT (*)(IFileDialog*, FILEOPENDIALOGOPTIONS*);
    auto vtable = *reinterpret_cast<GetOptionsFn**>(dialog);
    FILEOPENDIALOGOPTIONS options = 0;
    EXPECT_EQ(vtable[10](dialog, &options), S_OK);
    EXPECT_EQ(options, (FILEOPENDIALOGOPTIONS)(FOS_PATHMUSTEXIST | FOS_FILEMUSTEXIST));
    dialog->Release();
    CoUninitialize();
}

TEST_F(ShellTest, ShowAnswersFromTheQueueAndLogsTheSetUp) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    sim::AddFile(kDefaultPattern);
    HWND owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4242));
    IFileDialog* dialog = NewFileDialog();

    FILEOPENDIALOGOPTIONS options = 0;
    ASSERT_EQ(dialog->GetOptions(&options), S_OK);
    EXPECT_EQ(dialog->SetOptions(options | FOS_NOCHANGEDIR), S_OK);

    // The texts are copied: the caller's buffer may change after the call.
    char16_t name[] = u"Pattern Files (*.dat)";
    COMDLG_FILTERSPEC types[] = {{name, u"*.DAT"}, {u"All Files (*.*)", u"*.*"}};
    EXPECT_EQ(dialog->SetFileTypes(2, nullptr), E_INVALIDARG);
    ASSERT_EQ(dialog->SetFileTypes(2, types), S_OK);
    name[0] = u'X';
    EXPECT_EQ(dialog->SetFileTypes(2, types), E_UNEXPECTED); // only once per dialog

    // The folder item is held by the dialog after the caller lets go of it.
    IShellItem* folder = nullptr;
    ASSERT_EQ(SHCreateItemFromParsingName(kPatterns, nullptr, IID_IShellItem,
                                          reinterpret_cast<void**>(&folder)),
              S_OK);
    ASSERT_EQ(dialog->SetFolder(folder), S_OK);
    folder->Release();
    EXPECT_EQ(sim::LiveShellItems(), 1u);
    EXPECT_EQ(dialog->SetTitle(u"Open"), S_OK);

    IShellItem* result = nullptr;
    EXPECT_EQ(dialog->GetResult(&result), E_UNEXPECTED); // nothing chosen yet

    sim::QueueFileOpenAnswer(kDefaultPattern);
    sim::QueueFileOpenCancel();
    ASSERT_EQ(dialog->Show(owner), S_OK);
    ASSERT_EQ(dialog->GetResult(&result), S_OK);
    EXPECT_EQ(DisplayPath(result), kDefaultPattern);
    result->Release();

    EXPECT_EQ(dialog->Show(owner), HRESULT_FROM_WIN32(ERROR_CANCELLED));
    EXPECT_EQ(dialog->GetResult(&result), E_UNEXPECTED);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(sim::PendingFileOpenAnswers(), 0u);

    ASSERT_EQ(sim::FileOpenLog().size(), 2u);
    // The owner, the folder and the filters' patterns are checked where the plug-in browses.
    const sim::FileOpenShow& shown = sim::FileOpenLog()[0];
    EXPECT_EQ(shown.options,
              (FILEOPENDIALOGOPTIONS)(FOS_PATHMUSTEXIST | FOS_FILEMUSTEXIST | FOS_NOCHANGEDIR));
    ASSERT_EQ(shown.fileTypes.size(), 2u);
    EXPECT_EQ(shown.fileTypes[0].first, u"Pattern Files (*.dat)");
    EXPECT_EQ(shown.title, u"Open");
    EXPECT_TRUE(shown.fileName.empty());
    EXPECT_FALSE(shown.cancelled);
    EXPECT_EQ(shown.answer, kDefaultPattern);
    EXPECT_TRUE(sim::FileOpenLog()[1].cancelled);

    dialog->Release();
    CoUninitialize();
}

TEST_F(ShellTest, ShellItemsExistOnlyForExistingPaths) {
    IShellItem* item = reinterpret_cast<IShellItem*>(&item);
    EXPECT_EQ(SHCreateItemFromParsingName(kPatterns, nullptr, IID_IShellItem,
                                          reinterpret_cast<void**>(&item)),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(item, nullptr);

    // Adding a file adds its folders; names compare without regard to case, and an item reports
    // the spelling the file system has.
    sim::AddFile(kDefaultPattern);
    EXPECT_TRUE(sim::FolderExists(kPatterns));
    EXPECT_FALSE(sim::FileExists(kPatterns));
    ASSERT_EQ(SHCreateItemFromParsingName(u"c:\\programdata\\QUORVANE\\tarvik\\patterns\\", nullptr,
                                          IID_IShellItem, reinterpret_cast<void**>(&item)),
              S_OK);
    EXPECT_EQ(DisplayPath(item), kPatterns);
    EXPECT_EQ(item->Release(), 0u);
    // A deeper file brings every folder it lies in; a file holds no other.
    const std::u16string deeper = std::u16string(kPatterns) + u"\\New\\Inner\\p.dat";
    sim::AddFile(deeper);
    EXPECT_TRUE(sim::FolderExists(std::u16string(kPatterns) + u"\\new"));
    EXPECT_TRUE(sim::FolderExists(std::u16string(kPatterns) + u"\\New\\INNER"));
    EXPECT_TRUE(sim::FileExists(deeper));
    EXPECT_DEATH(sim::AddFile(deeper + u"\\q.dat"), "both as a file and as a folder");

    IUnknown* unknown = nullptr;
    ASSERT_EQ(SHCreateItemFromParsingName(kDefaultPattern, nullptr, IID_IUnknown,
                                          reinterpret_cast<void**>(&unknown)),
              S_OK);
    unknown->Release();
    EXPECT_EQ(SHCreateItemFromParsingName(kDefaultPattern, nullptr, IID_IFileDialog,
                                          reinterpret_cast<void**>(&unknown)),
              E_NOINTERFACE);

    // A library a test put on the machine is a file there too, in its folder.
    sim::RegisterModule(u"C:\\Tools\\Lib\\helper.dll", nullptr, {});
    EXPECT_TRUE(sim::FileExists(u"c:\\tools\\lib\\HELPER.DLL"));
    EXPECT_TRUE(sim::FolderExists(u"C:\\Tools\\Lib\\"));
    EXPECT_FALSE(sim::FileExists(u"C:\\Tools\\Lib\\other.dll"));
}

TEST_F(ShellTest, SpecialFolders) {
    WCHAR path[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path),
              S_OK);
    EXPECT_EQ(std::u16string(path), u"C:\\ProgramData");
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                               SHGFP_TYPE_CURRENT, path),
              S_OK);
    EXPECT_TRUE(sim::FolderExists(path));
    // The system folder is the one kernel32 reports.
    WCHAR system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_SYSTEM, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    EXPECT_EQ(std::u16string(path), std::u16string(system));
    EXPECT_TRUE(sim::FolderExists(path));
}

TEST_F(ShellTest, TaskMemoryIsAccounted) {
    void* block = CoTaskMemAlloc(16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(sim::LiveCoTaskMemBlocks(), 1u);
    CoTaskMemFree(block);
    CoTaskMemFree(nullptr);
    EXPECT_EQ(sim::LiveCoTaskMemBlocks(), 0u);
    int local = 0;
    EXPECT_DEATH(CoTaskMemFree(&local), "not a live task memory block");
}

TEST_F(ShellTest, ADialogNobodyExpectedAborts) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    IFileDialog* dialog = NewFileDialog();
    EXPECT_DEATH(dialog->Show(nullptr), "no answer queued");
    // A person cannot pick a file that does not exist while the dialog requires one.
    sim::QueueFileOpenAnswer(u"C:\\ProgramData\\missing.dat");
    EXPECT_DEATH(dialog->Show(nullptr), "FOS_FILEMUSTEXIST");
    EXPECT_DEATH(dialog->SetFileTypeIndex(1), "not modelled.*SetFileTypeIndex");
    EXPECT_DEATH(CoUninitialize(); CoUninitialize(), "without a matching CoInitializeEx");
    WCHAR path[MAX_PATH];
    EXPECT_DEATH(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, path), "CSIDL 0x0005");
    dialog->Release();
    sim::Reset();
}

} // namespace
