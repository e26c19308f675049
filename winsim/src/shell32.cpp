// shell32: the special folders, shell items for existing files and folders, and the small file
// system both of them answer from.
#include "kernel32_private.h"
#include "shell_objects.h"
#include "sim/shell.h"

#include <shlobj.h>

#include <cstring>
#include <set>
#include <unordered_map>
#include <vector>

namespace winsim {
namespace {

const char16_t kCommonAppData[] = u"C:\\ProgramData";
const char16_t kAppData[] = u"C:\\Users\\User\\AppData\\Roaming";
const char16_t kSystem[] = u"C:\\Windows\\system32";

// Every existing path, spelled as it was first added, and whether it is a folder.
std::unordered_map<std::u16string, bool, HashNoCase, SameNoCase> g_paths;
// Items alive now; those still alive at a reset are forgotten, not freed (the caller owns them).
std::set<const void*> g_items;

// Full paths only: "X:\" followed by names. Relative paths, "." and "..", forward slashes and
// the shell's other parsing names ("::{...}", "shell:...") are not modelled.
bool StartsWithDrive(const std::u16string& path) {
    return path.size() >= 3 &&
           ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
           path[1] == u':' && path[2] == u'\\';
}

// A forward slash anywhere, or a backslash followed by another, by ".\" or by "..": found in
// one pass over the characters.
bool HasUnmodelledPart(const std::u16string& path) {
    const char16_t* c = path.data();
    const std::size_t n = path.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (c[i] == u'/')
            return true;
        if (c[i] != u'\\' || i + 1 == n)
            continue;
        if (c[i + 1] == u'\\')
            return true;
        if (c[i + 1] == u'.' && i + 2 < n && (c[i + 2] == u'\\' || c[i + 2] == u'.'))
            return true;
    }
    return false;
}

std::u16string Normalise(const std::u16string& path) {
    if (!StartsWithDrive(path) || HasUnmodelledPart(path))
        Unmodelled("the path \"%s\" (winsim models full paths \"X:\\...\" only)",
                   Utf8(path).c_str());
    std::u16string normal = path;
    if (normal.size() > 3 && normal.back() == u'\\')
        normal.pop_back();
    return normal;
}

// A path is added after its folders, so the walk up from a new one stops at the first folder
// that is there already; the missing ones are added from the top down.
void AddPath(const std::u16string& path, bool folder) {
    const std::u16string normal = Normalise(path);
    std::vector<size_t> missing; // lengths of the missing paths, the deepest first
    for (size_t length = normal.size();;) {
        auto it = g_paths.find(normal.substr(0, length));
        if (it != g_paths.end()) {
            bool wanted = length == normal.size() ? folder : true;
            if (it->second != wanted)
                Misuse("\"%s\" added both as a file and as a folder", Utf8(it->first).c_str());
            break;
        }
        missing.push_back(length);
        if (length <= 3)
            break;
        size_t slash = normal.rfind(u'\\', length - 1);
        length = slash <= 2 ? 3 : slash;
    }
    for (auto length = missing.rbegin(); length != missing.rend(); ++length)
        g_paths.emplace(normal.substr(0, *length), *length == normal.size() ? folder : true);
}

void AddStandardFolders() {
    AddPath(u"C:\\Windows", true);
    AddPath(kSystem, true);
    AddPath(kCommonAppData, true);
    AddPath(kAppData, true);
}

ResetHook g_reset([] {
    g_items.clear();
    g_paths.clear();
    AddStandardFolders();
});

// The library files a test registered with kernel32 are files on the same disk, in their folders.
bool LookupModuleFile(const std::u16string& normal, std::u16string* spelled, bool* folder) {
    for (ModuleFile* file : AllModuleFiles()) {
        if (!StartsWithDrive(file->path))
            continue;
        std::u16string path = Normalise(file->path);
        bool isFolder = false;
        while (true) {
            if (EqualNoCase(path, normal)) {
                if (spelled)
                    *spelled = path;
                if (folder)
                    *folder = isFolder;
                return true;
            }
            if (path.size() <= 3)
                break;
            path = ParentFolder(path);
            isFolder = true;
        }
    }
    return false;
}

bool Lookup(const std::u16string& path, std::u16string* spelled, bool* folder) {
    if (g_paths.empty())
        AddStandardFolders();
    const std::u16string normal = Normalise(path);
    auto it = g_paths.find(normal);
    if (it == g_paths.end())
        return LookupModuleFile(normal, spelled, folder);
    if (spelled)
        *spelled = it->first;
    if (folder)
        *folder = it->second;
    return true;
}

class ShellItem : public IShellItem {
public:
    explicit ShellItem(std::u16string path) : path_(std::move(path)) { g_items.insert(this); }
    ShellItem(const ShellItem&) = delete;
    ShellItem& operator=(const ShellItem&) = delete;
    virtual ~ShellItem() { g_items.erase(this); }

    const std::u16string& Path() const { return path_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellItem)) {
            *ppv = static_cast<IShellItem*>(this);
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

    HRESULT STDMETHODCALLTYPE BindToHandler(IBindCtx*, REFGUID, REFIID, void**) override {
        Unmodelled("IShellItem::BindToHandler");
    }
    HRESULT STDMETHODCALLTYPE GetParent(IShellItem**) override {
        Unmodelled("IShellItem::GetParent");
    }
    HRESULT STDMETHODCALLTYPE GetDisplayName(SIGDN sigdnName, LPWSTR* ppszName) override {
        if (sigdnName != SIGDN_FILESYSPATH)
            Unmodelled("IShellItem::GetDisplayName with SIGDN 0x%08X", (unsigned)sigdnName);
        if (!ppszName)
            return E_POINTER;
        const size_t bytes = (path_.size() + 1) * sizeof(WCHAR);
        auto* text = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
        if (!text) {
            *ppszName = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(text, path_.c_str(), bytes);
        *ppszName = text;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAttributes(SFGAOF, SFGAOF*) override {
        Unmodelled("IShellItem::GetAttributes");
    }
    HRESULT STDMETHODCALLTYPE Compare(IShellItem*, SICHINTF, int*) override {
        Unmodelled("IShellItem::Compare");
    }

private:
    std::u16string path_;
    ULONG references_ = 1;
};

} // namespace

bool PathIsFile(const std::u16string& path) {
    bool folder = false;
    return Lookup(path, nullptr, &folder) && !folder;
}

bool PathIsFolder(const std::u16string& path) {
    bool folder = false;
    return Lookup(path, nullptr, &folder) && folder;
}

std::u16string ParentFolder(const std::u16string& path) {
    const std::u16string normal = Normalise(path);
    const size_t slash = normal.rfind(u'\\');
    return slash <= 2 ? normal.substr(0, 3) : normal.substr(0, slash);
}

IShellItem* NewShellItem(const std::u16string& path) {
    std::u16string spelled;
    if (!Lookup(path, &spelled, nullptr))
        Unmodelled("a shell item for \"%s\", which does not exist", Utf8(path).c_str());
    return new ShellItem(spelled);
}

bool ShellItemPath(IShellItem* item, std::u16string* path) {
    auto* ours = dynamic_cast<ShellItem*>(item);
    if (!ours)
        return false;
    *path = ours->Path();
    return true;
}

} // namespace winsim

using namespace winsim;

HRESULT WINAPI SHGetFolderPathW(HWND hwnd, int csidl, HANDLE hToken, DWORD dwFlags,
                                LPWSTR pszPath) {
    UNREFERENCED_PARAMETER(hwnd); // reserved
    if (hToken)
        Unmodelled("SHGetFolderPathW for another user's token");
    if (dwFlags != SHGFP_TYPE_CURRENT && dwFlags != SHGFP_TYPE_DEFAULT)
        return E_INVALIDARG;
    if (!pszPath)
        return E_INVALIDARG;
    const int flags = csidl & CSIDL_FLAG_MASK;
    if (flags & ~(CSIDL_FLAG_CREATE | CSIDL_FLAG_DONT_VERIFY))
        Unmodelled("SHGetFolderPathW with CSIDL flags 0x%04X", flags);
    const char16_t* folder = nullptr;
    switch (csidl & ~CSIDL_FLAG_MASK) {
    case CSIDL_COMMON_APPDATA:
        folder = kCommonAppData;
        break;
    case CSIDL_APPDATA:
        folder = kAppData;
        break;
    case CSIDL_SYSTEM:
        folder = kSystem;
        break;
    default:
        Unmodelled("SHGetFolderPathW of CSIDL 0x%04X", csidl & ~CSIDL_FLAG_MASK);
    }
    // The special folders exist from the start; CSIDL_FLAG_CREATE finds nothing to create.
    std::memcpy(pszPath, folder, (std::char_traits<char16_t>::length(folder) + 1) * sizeof(WCHAR));
    return S_OK;
}

STDAPI SHCreateItemFromParsingName(PCWSTR pszPath, IBindCtx* pbc, REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (pbc)
        Unmodelled("SHCreateItemFromParsingName with a bind context");
    if (!pszPath)
        return E_INVALIDARG;
    std::u16string spelled;
    const std::u16string path(pszPath);
    if (path.empty())
        Unmodelled("SHCreateItemFromParsingName of the desktop (an empty name)");
    if (!Lookup(path, &spelled, nullptr))
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    IShellItem* item = NewShellItem(spelled);
    HRESULT hr = item->QueryInterface(riid, ppv);
    item->Release();
    return hr;
}

namespace sim {

void AddFolder(const std::u16string& path) {
    if (g_paths.empty())
        AddStandardFolders();
    AddPath(path, true);
}

void AddFile(const std::u16string& path) {
    if (g_paths.empty())
        AddStandardFolders();
    AddPath(path, false);
}

bool FileExists(const std::u16string& path) {
    return PathIsFile(path);
}
bool FolderExists(const std::u16string& path) {
    return PathIsFolder(path);
}
size_t LiveShellItems() {
    return g_items.size();
}

} // namespace sim
