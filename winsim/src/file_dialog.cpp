// The shell's file-open dialog (CLSID_FileOpenDialog). Show answers from the queue a test filled
// and logs what the caller had set up; the methods the plug-in does not use are not modelled.
#include "shell_objects.h"
#include "sim/shell.h"

#include <deque>
#include <set>

namespace winsim {
namespace {

struct Answer {
    bool cancel;
    std::u16string path;
};

std::deque<Answer> g_answers;
std::vector<sim::FileOpenShow> g_log;
std::set<const void*> g_dialogs;

ResetHook g_reset([] {
    g_answers.clear();
    g_log.clear();
    g_dialogs.clear();
});

std::u16string Copy(LPCWSTR text) {
    return text ? std::u16string(text) : std::u16string();
}

class FileOpenDialog : public IFileOpenDialog {
public:
    FileOpenDialog() { g_dialogs.insert(this); }
    FileOpenDialog(const FileOpenDialog&) = delete;
    FileOpenDialog& operator=(const FileOpenDialog&) = delete;
    virtual ~FileOpenDialog() {
        if (folder_)
            folder_->Release();
        g_dialogs.erase(this);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IModalWindow) ||
            IsEqualIID(riid, IID_IFileDialog) || IsEqualIID(riid, IID_IFileOpenDialog)) {
            *ppv = static_cast<IFileOpenDialog*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IModalWindow
    HRESULT STDMETHODCALLTYPE Show(HWND hwndOwner) override {
        if (options_ & (FOS_PICKFOLDERS | FOS_ALLOWMULTISELECT))
            Unmodelled("IFileDialog::Show with options 0x%08X (folders or several files)",
                       options_);
        if (g_answers.empty())
            Unmodelled("IFileDialog::Show with no answer queued (sim::QueueFileOpenAnswer or "
                       "sim::QueueFileOpenCancel)");
        Answer answer = g_answers.front();
        g_answers.pop_front();
        if (!answer.cancel)
            CheckAnswerIsPossible(answer.path);

        sim::FileOpenShow shown{hwndOwner,
                                options_,
                                fileTypes_,
                                {},
                                fileName_,
                                title_,
                                defaultExtension_,
                                answer.cancel,
                                answer.cancel ? u"" : answer.path};
        if (folder_)
            ShellItemPath(folder_, &shown.folder);
        g_log.push_back(shown);

        hasResult_ = !answer.cancel;
        result_ = answer.cancel ? std::u16string() : answer.path;
        return answer.cancel ? HRESULT_FROM_WIN32(ERROR_CANCELLED) : S_OK;
    }

    // IFileDialog
    HRESULT STDMETHODCALLTYPE SetFileTypes(UINT cFileTypes,
                                           const COMDLG_FILTERSPEC* rgFilterSpec) override {
        if (fileTypesSet_ || (options_ & FOS_PICKFOLDERS))
            return E_UNEXPECTED;
        if (!rgFilterSpec)
            return E_INVALIDARG;
        for (UINT i = 0; i < cFileTypes; ++i)
            fileTypes_.emplace_back(Copy(rgFilterSpec[i].pszName), Copy(rgFilterSpec[i].pszSpec));
        fileTypesSet_ = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetFileTypeIndex(UINT) override {
        Unmodelled("IFileDialog::SetFileTypeIndex");
    }
    HRESULT STDMETHODCALLTYPE GetFileTypeIndex(UINT*) override {
        Unmodelled("IFileDialog::GetFileTypeIndex");
    }
    HRESULT STDMETHODCALLTYPE Advise(IFileDialogEvents*, DWORD*) override {
        Unmodelled("IFileDialog::Advise");
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { Unmodelled("IFileDialog::Unadvise"); }
    HRESULT STDMETHODCALLTYPE SetOptions(FILEOPENDIALOGOPTIONS fos) override {
        if ((fos & FOS_ALLNONSTORAGEITEMS) && (fos & FOS_FORCEFILESYSTEM))
            return E_INVALIDARG; // documented as not combinable
        options_ = fos;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetOptions(FILEOPENDIALOGOPTIONS* pfos) override {
        if (!pfos)
            return E_POINTER;
        *pfos = options_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetDefaultFolder(IShellItem*) override {
        Unmodelled("IFileDialog::SetDefaultFolder");
    }
    HRESULT STDMETHODCALLTYPE SetFolder(IShellItem* psi) override {
        if (!psi)
            return E_INVALIDARG;
        std::u16string path;
        if (!ShellItemPath(psi, &path))
            Unmodelled("IFileDialog::SetFolder with a shell item winsim did not make");
        psi->AddRef();
        if (folder_)
            folder_->Release();
        folder_ = psi;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFolder(IShellItem**) override {
        Unmodelled("IFileDialog::GetFolder");
    }
    HRESULT STDMETHODCALLTYPE GetCurrentSelection(IShellItem**) override {
        Unmodelled("IFileDialog::GetCurrentSelection");
    }
    HRESULT STDMETHODCALLTYPE SetFileName(LPCWSTR pszName) override {
        if (!pszName)
            return E_INVALIDARG;
        fileName_ = pszName;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFileName(LPWSTR*) override {
        Unmodelled("IFileDialog::GetFileName");
    }
    HRESULT STDMETHODCALLTYPE SetTitle(LPCWSTR pszTitle) override {
        if (!pszTitle)
            return E_INVALIDARG;
        title_ = pszTitle;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetOkButtonLabel(LPCWSTR) override {
        Unmodelled("IFileDialog::SetOkButtonLabel");
    }
    HRESULT STDMETHODCALLTYPE SetFileNameLabel(LPCWSTR) override {
        Unmodelled("IFileDialog::SetFileNameLabel");
    }
    HRESULT STDMETHODCALLTYPE GetResult(IShellItem** ppsi) override {
        if (!ppsi)
            return E_POINTER;
        *ppsi = nullptr;
        if (!hasResult_)
            return E_UNEXPECTED; // nothing was chosen: not shown yet, or cancelled
        *ppsi = NewShellItem(result_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddPlace(IShellItem*, FDAP) override {
        Unmodelled("IFileDialog::AddPlace");
    }
    HRESULT STDMETHODCALLTYPE SetDefaultExtension(LPCWSTR pszDefaultExtension) override {
        if (!pszDefaultExtension)
            return E_INVALIDARG;
        defaultExtension_ = pszDefaultExtension;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Close(HRESULT) override {
        // Show runs to completion inside winsim, so there is never an open dialog to close.
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetClientGuid(REFGUID) override {
        Unmodelled("IFileDialog::SetClientGuid");
    }
    HRESULT STDMETHODCALLTYPE ClearClientData() override {
        Unmodelled("IFileDialog::ClearClientData");
    }
    HRESULT STDMETHODCALLTYPE SetFilter(IShellItemFilter*) override {
        Unmodelled("IFileDialog::SetFilter");
    }

    // IFileOpenDialog
    HRESULT STDMETHODCALLTYPE GetResults(IShellItemArray**) override {
        Unmodelled("IFileOpenDialog::GetResults");
    }
    HRESULT STDMETHODCALLTYPE GetSelectedItems(IShellItemArray**) override {
        Unmodelled("IFileOpenDialog::GetSelectedItems");
    }

private:
    // A person can only pick what the dialog lets them pick: an answer the options rule out is a
    // mistake in the test's setup.
    void CheckAnswerIsPossible(const std::u16string& path) const {
        if ((options_ & FOS_FILEMUSTEXIST) && !PathIsFile(path))
            Misuse("the queued file-open answer \"%s\" names no existing file, but the dialog "
                   "requires one (FOS_FILEMUSTEXIST)",
                   Utf8(path).c_str());
        if ((options_ & FOS_PATHMUSTEXIST) && !PathIsFolder(ParentFolder(path)))
            Misuse("the queued file-open answer \"%s\" is in no existing folder, but the "
                   "dialog requires one (FOS_PATHMUSTEXIST)",
                   Utf8(path).c_str());
        if (PathIsFolder(path))
            Misuse("the queued file-open answer \"%s\" is a folder", Utf8(path).c_str());
    }

    ULONG references_ = 1;
    // An Open dialog starts out requiring an existing file in an existing folder.
    FILEOPENDIALOGOPTIONS options_ = FOS_PATHMUSTEXIST | FOS_FILEMUSTEXIST;
    bool fileTypesSet_ = false;
    std::vector<std::pair<std::u16string, std::u16string>> fileTypes_;
    IShellItem* folder_ = nullptr;
    std::u16string fileName_, title_, defaultExtension_;
    bool hasResult_ = false;
    std::u16string result_;
};

} // namespace

HRESULT CreateFileOpenDialog(REFIID riid, void** ppv) {
    auto* dialog = new FileOpenDialog();
    HRESULT hr = dialog->QueryInterface(riid, ppv);
    dialog->Release();
    return hr;
}

} // namespace winsim

namespace sim {

void QueueFileOpenAnswer(const std::u16string& path) {
    winsim::g_answers.push_back({false, path});
}
void QueueFileOpenCancel() {
    winsim::g_answers.push_back({true, {}});
}
size_t PendingFileOpenAnswers() {
    return winsim::g_answers.size();
}
const std::vector<FileOpenShow>& FileOpenLog() {
    return winsim::g_log;
}
size_t LiveFileDialogs() {
    return winsim::g_dialogs.size();
}

std::string ShellLeakReport() {
    std::string report;
    auto line = [&](size_t count, const char* what) {
        if (count)
            report += std::to_string(count) + " " + what + "\n";
    };
    line(LiveFileDialogs(), "file dialog(s) not released");
    line(LiveShellItems(), "shell item(s) not released");
    line(LiveCoTaskMemBlocks(), "task memory block(s) not freed");
    line(static_cast<size_t>(ComInitCount()), "COM initialisation(s) not undone");
    return report;
}

} // namespace sim
