// advapi32: the registry. A tree of keys under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER with
// case-insensitive key and value names, subkeys enumerated in name order and values in the order
// they were first written (or as sim::SetRegistryValueOrder switches), data kept byte for byte.
// Handles carry the access they were opened with. Security descriptors are not modelled: every
// open is granted the access it asks for, except HKEY_LOCAL_MACHINE writes for a standard user
// (sim::SetStandardUser).
#include "internal.h"
#include "sim/registry.h"
#include "sim/switches.h"

#include <algorithm>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

#include <cstring>
#include <map>
#include <memory>

namespace {

constexpr LONG kErrorUnsupportedType = 1630;

struct Value {
    std::u16string name;
    DWORD type;
    std::vector<BYTE> data;
};

struct Key {
    int root = 0;
    std::u16string path; // from the root, as created
    std::map<std::u16string, std::shared_ptr<Key>, winsim::LessNoCase> children;
    std::vector<Value> values; // in the order first written
    bool deleted = false;

    // The value RegEnumValueW hands out at this index, in the switched order.
    const Value* EnumeratedValue(std::size_t index) const {
        if (index >= values.size())
            return nullptr;
        switch (sim::CurrentRegistryValueOrder()) {
        case sim::RegistryValueOrder::Written:
            return &values[index];
        case sim::RegistryValueOrder::Reversed:
            return &values[values.size() - 1 - index];
        case sim::RegistryValueOrder::Sorted:
            break;
        }
        std::vector<const Value*> sorted;
        for (const Value& value : values)
            sorted.push_back(&value);
        std::stable_sort(sorted.begin(), sorted.end(), [](const Value* a, const Value* b) {
            return winsim::LessNoCase()(a->name, b->name);
        });
        return sorted[index];
    }

    Value* FindValue(std::u16string_view name) {
        for (auto& value : values)
            if (winsim::EqualNoCase(value.name, name))
                return &value;
        return nullptr;
    }
};

struct OpenKey {
    std::shared_ptr<Key> key;
    REGSAM access;
    bool spooler = false; // opened by the spooler, which writes the copy its caller sent it
};

struct RegistryState {
    std::shared_ptr<Key> roots[2];
    winsim::HandleTable<HKEY, OpenKey> handles;

    RegistryState() {
        for (int i = 0; i < 2; ++i) {
            roots[i] = std::make_shared<Key>();
            roots[i]->root = i;
        }
    }
};

RegistryState& State() {
    static RegistryState state;
    return state;
}

winsim::ResetHook g_resetRegistry([] { State() = RegistryState(); });

int RootIndex(HKEY root, const char* function) {
    if (root == HKEY_LOCAL_MACHINE)
        return 0;
    if (root == HKEY_CURRENT_USER)
        return 1;
    winsim::Unmodelled("%s under the predefined key %p", function, static_cast<void*>(root));
}

// The predefined keys are the sign-extended values 0x80000000 to 0x80000006.
bool IsPredefined(HKEY key) {
    auto value = reinterpret_cast<intptr_t>(key);
    return value >= intptr_t(INT32_MIN) && value <= intptr_t(INT32_MIN) + 6;
}

std::u16string Join(std::u16string_view base, std::u16string_view sub) {
    if (base.empty() || sub.empty())
        return std::u16string(base.empty() ? sub : base);
    std::u16string path;
    path.reserve(base.size() + 1 + sub.size());
    return path.append(base).append(1, u'\\').append(sub);
}

// The names along a key path, split at its backslashes. A path with an empty name in it aborts
// as not modelled before any name is handed out.
class Components {
public:
    Components(std::u16string_view path, const char* function) : rest_(path) {
        if (path.empty())
            return;
        for (std::size_t start = 0;;) {
            std::size_t end = path.find(u'\\', start);
            if (end == start || start == path.size())
                winsim::Unmodelled("%s with the key path \"%s\" (empty component)", function,
                                   winsim::Utf8(std::u16string(path)).c_str());
            if (end == std::u16string_view::npos)
                break;
            start = end + 1;
        }
    }

    // Hands out the next name; false after the last.
    bool Next(std::u16string_view* name) {
        if (rest_.empty())
            return false;
        std::size_t end = rest_.find(u'\\');
        *name = rest_.substr(0, end);
        rest_ = end == std::u16string_view::npos ? std::u16string_view() : rest_.substr(end + 1);
        return true;
    }
    bool AtLast() const { return rest_.find(u'\\') == std::u16string_view::npos; }

private:
    std::u16string_view rest_;
};

// A standard user may read HKEY_LOCAL_MACHINE but not write it; the spooler may.
bool RefusedForUser(int root, REGSAM access) {
    constexpr REGSAM kWriteRights =
        KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;
    return root == 0 && (access & kWriteRights) && sim::IsStandardUser() &&
           !winsim::SpoolerRegistryAccess::Active();
}

// The key a handle stands for, with the access the handle grants; predefined roots grant all.
struct Resolved {
    LONG error = ERROR_SUCCESS;
    std::shared_ptr<Key> key;
    REGSAM access = 0;
    bool spooler = false;
};

Resolved Resolve(HKEY handle, const char* function) {
    Resolved result;
    if (IsPredefined(handle)) {
        result.key = State().roots[RootIndex(handle, function)];
        result.access =
            RefusedForUser(result.key->root, KEY_ALL_ACCESS) ? KEY_READ : KEY_ALL_ACCESS;
        return result;
    }
    OpenKey* open = State().handles.Find(handle);
    if (!open) {
        result.error = ERROR_INVALID_HANDLE;
        return result;
    }
    if (open->key->deleted) {
        result.error = ERROR_KEY_DELETED;
        return result;
    }
    result.key = open->key;
    result.access = open->access;
    result.spooler = open->spooler;
    return result;
}

std::shared_ptr<Key> Walk(const std::shared_ptr<Key>& from, std::u16string_view path,
                          const char* function) {
    std::shared_ptr<Key> key = from;
    Components names(path, function);
    for (std::u16string_view name; names.Next(&name);) {
        auto it = key->children.find(name);
        if (it == key->children.end())
            return nullptr;
        key = it->second;
    }
    return key;
}

HKEY NewHandle(const std::shared_ptr<Key>& key, REGSAM access) {
    return State().handles.Add(
        std::make_unique<OpenKey>(OpenKey{key, access, winsim::SpoolerRegistryAccess::Active()}));
}

// A printer's key lives on its print server: the spooler counts the call as a round trip.
void CountRoundTrip(const char* function, int root, const std::u16string& path) {
    winsim::CountRegistryRoundTrip(function, root == 0, path);
}

// Counts the round trip of opening a subkey; its full path is built only when it may be counted.
void CountOpen(const char* function, const Key& base, std::u16string_view sub) {
    if (winsim::MayCountRegistryRoundTrip(base.root == 0))
        CountRoundTrip(function, base.root, Join(base.path, sub));
}

REGSAM CheckedAccess(REGSAM sam, const char* function) {
    if (sam & KEY_WOW64_32KEY)
        winsim::Unmodelled("%s with KEY_WOW64_32KEY (the 32-bit registry view)", function);
    return sam & ~static_cast<REGSAM>(KEY_WOW64_64KEY);
}

void MarkDeleted(Key& key) {
    key.deleted = true;
    for (auto& child : key.children)
        MarkDeleted(*child.second);
}

// Whether memory may be read: always, except where AddressSanitizer knows it lies outside.
bool Readable(const void* address, std::size_t size) {
#if defined(__SANITIZE_ADDRESS__)
    return __asan_region_is_poisoned(const_cast<void*>(address), size) == nullptr;
#else
    (void)address;
    (void)size;
    return true;
#endif
}

std::u16string_view ValueName(LPCWSTR name) {
    return name ? std::u16string_view(name) : std::u16string_view();
}

DWORD RrfBitOf(DWORD type) {
    switch (type) {
    case REG_NONE:
        return RRF_RT_REG_NONE;
    case REG_SZ:
        return RRF_RT_REG_SZ;
    case REG_EXPAND_SZ:
        return RRF_RT_REG_EXPAND_SZ;
    case REG_BINARY:
        return RRF_RT_REG_BINARY;
    case REG_DWORD:
        return RRF_RT_REG_DWORD;
    case REG_MULTI_SZ:
        return RRF_RT_REG_MULTI_SZ;
    case REG_QWORD:
        return RRF_RT_REG_QWORD;
    default:
        return 0;
    }
}

// RegGetValueW hands out strings terminated, a multi-string with its double terminator.
std::vector<BYTE> TerminatedForGetValue(const Value& value) {
    std::vector<BYTE> data = value.data;
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ && value.type != REG_MULTI_SZ)
        return data;
    if (data.size() % 2)
        data.push_back(0);
    auto endsWithZeroChar = [&](std::size_t fromEnd) {
        return data.size() >= 2 * fromEnd && data[data.size() - 2 * fromEnd] == 0 &&
               data[data.size() - 2 * fromEnd + 1] == 0;
    };
    if (!endsWithZeroChar(1))
        data.insert(data.end(), {0, 0});
    if (value.type == REG_MULTI_SZ && data.size() > 2 && !endsWithZeroChar(2))
        data.insert(data.end(), {0, 0});
    return data;
}

std::shared_ptr<Key> CreatePath(int root, const std::u16string& path) {
    std::shared_ptr<Key> key = State().roots[root];
    Components names(path, "sim registry");
    for (std::u16string_view name; names.Next(&name);) {
        auto it = key->children.find(name);
        if (it == key->children.end()) {
            auto child = std::make_shared<Key>();
            child->root = root;
            child->path = Join(key->path, name);
            it = key->children.emplace(name, child).first;
        }
        key = it->second;
    }
    return key;
}

std::shared_ptr<Key> FindPath(HKEY root, const std::u16string& path) {
    return Walk(State().roots[RootIndex(root, "sim registry")], path, "sim registry");
}

} // namespace

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                             PHKEY phkResult) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    if (ulOptions != 0)
        winsim::Unmodelled("RegOpenKeyExW options 0x%X", static_cast<unsigned>(ulOptions));
    REGSAM access = CheckedAccess(samDesired, "RegOpenKeyExW");
    Resolved base = Resolve(hKey, "RegOpenKeyExW");
    if (base.error)
        return base.error;
    std::u16string_view sub = lpSubKey ? lpSubKey : u"";
    CountOpen("RegOpenKeyExW", *base.key, sub);
    std::shared_ptr<Key> key = Walk(base.key, sub, "RegOpenKeyExW");
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    if (RefusedForUser(key->root, access))
        return ERROR_ACCESS_DENIED;
    *phkResult = NewHandle(key, access);
    return ERROR_SUCCESS;
}

// Creating a key does not need KEY_CREATE_SUB_KEY on the handle it is created under: Windows
// checks the parent key's security, not the handle's access.
LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass,
                               DWORD dwOptions, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
    if (!phkResult || !lpSubKey || Reserved != 0)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    if (lpClass && *lpClass)
        winsim::Unmodelled("RegCreateKeyExW with a key class");
    if (lpSecurityAttributes)
        winsim::Unmodelled("RegCreateKeyExW with security attributes");
    // A volatile key differs only in not surviving a restart, which winsim never does.
    if (dwOptions & ~static_cast<DWORD>(REG_OPTION_VOLATILE))
        winsim::Unmodelled("RegCreateKeyExW options 0x%X", static_cast<unsigned>(dwOptions));
    REGSAM access = CheckedAccess(samDesired, "RegCreateKeyExW");
    Resolved base = Resolve(hKey, "RegCreateKeyExW");
    if (base.error)
        return base.error;
    std::u16string_view sub = lpSubKey;
    CountOpen("RegCreateKeyExW", *base.key, sub);
    if (RefusedForUser(base.key->root, access))
        return ERROR_ACCESS_DENIED;
    std::shared_ptr<Key> key = base.key;
    bool created = false;
    Components names(sub, "RegCreateKeyExW");
    for (std::u16string_view name; names.Next(&name);) {
        auto it = key->children.find(name);
        if (it != key->children.end()) {
            key = it->second;
            continue;
        }
        // The parent handle's own access is not checked (as on every Windows version); a
        // standard user still cannot create keys under HKEY_LOCAL_MACHINE.
        if (RefusedForUser(key->root, KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        auto child = std::make_shared<Key>();
        child->root = key->root;
        child->path = Join(key->path, name);
        key->children.emplace(name, child);
        key = child;
        created = true;
    }
    if (lpdwDisposition)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *phkResult = NewHandle(key, access);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
    if (IsPredefined(hKey))
        return ERROR_SUCCESS;
    if (OpenKey* open = State().handles.Find(hKey))
        CountRoundTrip("RegCloseKey", open->key->root, open->key->path);
    return State().handles.Remove(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

// Data is handed out exactly as stored: a string stored without its terminator comes back without.
LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
    if (lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    Resolved base = Resolve(hKey, "RegQueryValueExW");
    if (base.error)
        return base.error;
    CountRoundTrip("RegQueryValueExW", base.key->root, base.key->path);
    if (!(base.access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    std::u16string_view name = ValueName(lpValueName);
    Value* value = base.key->FindValue(name);
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (lpType)
        *lpType = value->type;
    if (!lpcbData)
        return ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(value->data.size());
    if (lpData && *lpcbData < needed) {
        *lpcbData = needed;
        return ERROR_MORE_DATA;
    }
    if (lpData && needed)
        std::memcpy(lpData, value->data.data(), needed);
    *lpcbData = needed;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegGetValueW(HKEY hkey, LPCWSTR lpSubKey, LPCWSTR lpValue, DWORD dwFlags,
                            LPDWORD pdwType, PVOID pvData, LPDWORD pcbData) {
    constexpr DWORD kKnown = RRF_RT_ANY | RRF_NOEXPAND | RRF_ZEROONFAILURE | RRF_SUBKEY_WOW6464KEY;
    if (dwFlags & RRF_SUBKEY_WOW6432KEY)
        winsim::Unmodelled("RegGetValueW with RRF_SUBKEY_WOW6432KEY");
    if (dwFlags & ~kKnown)
        winsim::Unmodelled("RegGetValueW flags 0x%X", static_cast<unsigned>(dwFlags));
    DWORD allowed = dwFlags & RRF_RT_ANY;
    if (!allowed || (pvData && !pcbData) ||
        ((allowed & RRF_RT_REG_EXPAND_SZ) && !(dwFlags & RRF_NOEXPAND)))
        return ERROR_INVALID_PARAMETER;
    DWORD capacity = pcbData ? *pcbData : 0;
    auto fail = [&](LONG error) {
        if ((dwFlags & RRF_ZEROONFAILURE) && pvData)
            std::memset(pvData, 0, capacity);
        return error;
    };
    HKEY key = hkey;
    if (lpSubKey && *lpSubKey) {
        LONG opened = RegOpenKeyExW(hkey, lpSubKey, 0, KEY_QUERY_VALUE, &key);
        if (opened != ERROR_SUCCESS)
            return fail(opened);
    }
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, lpValue, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data;
    if (result == ERROR_SUCCESS) {
        data.resize(size);
        result = RegQueryValueExW(key, lpValue, nullptr, &type, data.data(), &size);
    }
    if (key != hkey)
        RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return fail(result);
    if (type == REG_EXPAND_SZ && !(dwFlags & RRF_NOEXPAND))
        winsim::Unmodelled("RegGetValueW expanding environment variables of a REG_EXPAND_SZ");
    if (!(RrfBitOf(type) & allowed))
        return fail(kErrorUnsupportedType);
    if ((type == REG_DWORD && data.size() != 4) || (type == REG_QWORD && data.size() != 8))
        winsim::Unmodelled("RegGetValueW of a REG_DWORD/REG_QWORD of %zu bytes", data.size());
    data = TerminatedForGetValue(Value{u"", type, data});
    if (pdwType)
        *pdwType = type;
    if (!pcbData)
        return ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(data.size());
    *pcbData = needed;
    if (!pvData)
        return ERROR_SUCCESS;
    if (capacity < needed)
        return fail(ERROR_MORE_DATA);
    std::memcpy(pvData, data.data(), needed);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
    if (Reserved != 0)
        return ERROR_INVALID_PARAMETER;
    if (!lpData && cbData)
        winsim::Misuse("RegSetValueExW with %u bytes of data but no data pointer",
                       static_cast<unsigned>(cbData));
    if (dwType == REG_LINK)
        winsim::Unmodelled("RegSetValueExW of a REG_LINK");
    Resolved base = Resolve(hKey, "RegSetValueExW");
    if (base.error)
        return base.error;
    CountRoundTrip("RegSetValueExW", base.key->root, base.key->path);
    if (!(base.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    std::u16string_view name = ValueName(lpValueName);
    // A string whose count leaves out its terminator gets it counted when the character after
    // the count is zero, as Windows does: it reads that character from the caller's memory, so
    // what lies past a buffer without a terminator decides (AddressSanitizer builds do not read
    // past the end of a buffer they know). The spooler writes printer data from the copy of
    // exactly cbData bytes its caller sent it, so nothing follows there.
    if (!base.spooler && (dwType == REG_SZ || dwType == REG_EXPAND_SZ || dwType == REG_MULTI_SZ) &&
        cbData >= sizeof(WCHAR)) {
        const BYTE* last = lpData + (cbData / sizeof(WCHAR) - 1) * sizeof(WCHAR);
        const BYTE* next = last + sizeof(WCHAR);
        WCHAR lastChar = 0, nextChar = 1;
        std::memcpy(&lastChar, last, sizeof lastChar);
        if (lastChar != 0 && Readable(next, sizeof nextChar))
            std::memcpy(&nextChar, next, sizeof nextChar);
        if (lastChar != 0 && nextChar == 0)
            cbData += sizeof(WCHAR);
    }
    std::vector<BYTE> data(lpData, lpData + cbData);
    if (Value* existing = base.key->FindValue(name)) {
        existing->type = dwType;
        existing->data = std::move(data);
    } else {
        base.key->values.push_back(Value{std::u16string(name), dwType, std::move(data)});
    }
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
    Resolved base = Resolve(hKey, "RegDeleteValueW");
    if (base.error)
        return base.error;
    CountRoundTrip("RegDeleteValueW", base.key->root, base.key->path);
    if (!(base.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    std::u16string_view name = ValueName(lpValueName);
    auto& values = base.key->values;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (winsim::EqualNoCase(it->name, name)) {
            values.erase(it);
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

// Only a key without subkeys can be deleted. Handles still open on it stay valid as handles but
// every use answers ERROR_KEY_DELETED.
LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    if (!*lpSubKey)
        winsim::Unmodelled("RegDeleteKeyW of the handle's own key (empty subkey)");
    Resolved base = Resolve(hKey, "RegDeleteKeyW");
    if (base.error)
        return base.error;
    CountRoundTrip("RegDeleteKeyW", base.key->root, base.key->path);
    Components names(lpSubKey, "RegDeleteKeyW");
    std::shared_ptr<Key> parent = base.key;
    std::u16string_view leaf;
    while (!names.AtLast()) {
        names.Next(&leaf);
        auto it = parent->children.find(leaf);
        if (it == parent->children.end())
            return ERROR_FILE_NOT_FOUND;
        parent = it->second;
    }
    names.Next(&leaf);
    auto it = parent->children.find(leaf);
    if (it == parent->children.end())
        return ERROR_FILE_NOT_FOUND;
    if (!it->second->children.empty())
        return ERROR_ACCESS_DENIED;
    MarkDeleted(*it->second);
    parent->children.erase(it);
    return ERROR_SUCCESS;
}

// The name buffer's size counts its terminator; the count returned does not. A name that does not
// fit answers ERROR_MORE_DATA and leaves the count as it was.
LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    Resolved base = Resolve(hKey, "RegEnumValueW");
    if (base.error)
        return base.error;
    CountRoundTrip("RegEnumValueW", base.key->root, base.key->path);
    if (!(base.access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const Value* enumerated = base.key->EnumeratedValue(dwIndex);
    if (!enumerated)
        return ERROR_NO_MORE_ITEMS;
    const Value& value = *enumerated;
    if (value.name.size() + 1 > *lpcchValueName)
        return ERROR_MORE_DATA;
    std::memcpy(lpValueName, value.name.c_str(), (value.name.size() + 1) * sizeof(WCHAR));
    *lpcchValueName = static_cast<DWORD>(value.name.size());
    if (lpType)
        *lpType = value.type;
    if (!lpcbData)
        return ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(value.data.size());
    if (lpData && *lpcbData < needed) {
        *lpcbData = needed;
        return ERROR_MORE_DATA;
    }
    if (lpData && needed)
        std::memcpy(lpData, value.data.data(), needed);
    *lpcbData = needed;
    return ERROR_SUCCESS;
}

// Subkeys come in the registry's order: names compared in upper case.
LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName,
                             LPDWORD lpReserved, LPWSTR lpClass, LPDWORD lpcchClass,
                             PFILETIME lpftLastWriteTime) {
    if (!lpName || !lpcchName || lpReserved || (lpClass && !lpcchClass))
        return ERROR_INVALID_PARAMETER;
    if (lpftLastWriteTime)
        winsim::Unmodelled("RegEnumKeyExW last write times");
    Resolved base = Resolve(hKey, "RegEnumKeyExW");
    if (base.error)
        return base.error;
    CountRoundTrip("RegEnumKeyExW", base.key->root, base.key->path);
    if (!(base.access & KEY_ENUMERATE_SUB_KEYS))
        return ERROR_ACCESS_DENIED;
    if (dwIndex >= base.key->children.size())
        return ERROR_NO_MORE_ITEMS;
    auto it = base.key->children.begin();
    std::advance(it, dwIndex);
    const std::u16string& name = it->first;
    if (name.size() + 1 > *lpcchName)
        return ERROR_MORE_DATA;
    std::memcpy(lpName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
    *lpcchName = static_cast<DWORD>(name.size());
    // Keys have no class: winsim refuses to create one with a class.
    if (lpClass && *lpcchClass > 0)
        lpClass[0] = 0;
    if (lpcchClass)
        *lpcchClass = 0;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen,
                                LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                                LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
    if (lpReserved || (lpClass && !lpcchClass))
        return ERROR_INVALID_PARAMETER;
    if (lpcbSecurityDescriptor || lpftLastWriteTime)
        winsim::Unmodelled("RegQueryInfoKeyW security descriptor size or last write time");
    Resolved base = Resolve(hKey, "RegQueryInfoKeyW");
    if (base.error)
        return base.error;
    CountRoundTrip("RegQueryInfoKeyW", base.key->root, base.key->path);
    if (!(base.access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const Key& key = *base.key;
    if (lpClass && *lpcchClass > 0)
        lpClass[0] = 0;
    if (lpcchClass)
        *lpcchClass = 0;
    DWORD maxSubKey = 0, maxValueName = 0, maxValue = 0;
    for (auto& child : key.children)
        maxSubKey = std::max<DWORD>(maxSubKey, static_cast<DWORD>(child.first.size()));
    for (auto& value : key.values) {
        maxValueName = std::max<DWORD>(maxValueName, static_cast<DWORD>(value.name.size()));
        maxValue = std::max<DWORD>(maxValue, static_cast<DWORD>(value.data.size()));
    }
    if (lpcSubKeys)
        *lpcSubKeys = static_cast<DWORD>(key.children.size());
    if (lpcbMaxSubKeyLen)
        *lpcbMaxSubKeyLen = maxSubKey;
    if (lpcbMaxClassLen)
        *lpcbMaxClassLen = 0;
    if (lpcValues)
        *lpcValues = static_cast<DWORD>(key.values.size());
    if (lpcbMaxValueNameLen)
        *lpcbMaxValueNameLen = maxValueName;
    if (lpcbMaxValueLen)
        *lpcbMaxValueLen = maxValue;
    return ERROR_SUCCESS;
}

namespace sim {

void SetRegistryValue(HKEY root, const std::u16string& key, const std::u16string& name, DWORD type,
                      const std::vector<BYTE>& data) {
    std::shared_ptr<Key> target = CreatePath(RootIndex(root, "sim::SetRegistryValue"), key);
    if (Value* existing = target->FindValue(name)) {
        existing->type = type;
        existing->data = data;
    } else {
        target->values.push_back(Value{name, type, data});
    }
}

void SetRegistryString(HKEY root, const std::u16string& key, const std::u16string& name,
                       const std::u16string& text) {
    std::vector<BYTE> data((text.size() + 1) * sizeof(char16_t));
    std::memcpy(data.data(), text.c_str(), data.size());
    SetRegistryValue(root, key, name, REG_SZ, data);
}

void CreateRegistryKey(HKEY root, const std::u16string& key) {
    CreatePath(RootIndex(root, "sim::CreateRegistryKey"), key);
}

void DeleteRegistryValue(HKEY root, const std::u16string& key, const std::u16string& name) {
    std::shared_ptr<Key> target = FindPath(root, key);
    if (!target)
        return;
    auto& values = target->values;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (winsim::EqualNoCase(it->name, name)) {
            values.erase(it);
            return;
        }
    }
}

void DeleteRegistryTree(HKEY root, const std::u16string& key) {
    std::shared_ptr<Key> target = FindPath(root, key);
    if (!target || target->path.empty())
        return;
    std::size_t slash = target->path.rfind(u'\\');
    std::u16string parentPath = slash == std::u16string::npos ? u"" : target->path.substr(0, slash);
    std::u16string leaf =
        slash == std::u16string::npos ? target->path : target->path.substr(slash + 1);
    MarkDeleted(*target);
    FindPath(root, parentPath)->children.erase(leaf);
}

std::optional<RegistryValue> GetRegistryValue(HKEY root, const std::u16string& key,
                                              const std::u16string& name) {
    std::shared_ptr<Key> target = FindPath(root, key);
    Value* value = target ? target->FindValue(name) : nullptr;
    if (!value)
        return std::nullopt;
    return RegistryValue{value->type, value->data};
}

std::optional<DWORD> GetRegistryDword(HKEY root, const std::u16string& key,
                                      const std::u16string& name) {
    auto value = GetRegistryValue(root, key, name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4)
        return std::nullopt;
    DWORD result;
    std::memcpy(&result, value->data.data(), 4);
    return result;
}

std::optional<std::u16string> GetRegistryString(HKEY root, const std::u16string& key,
                                                const std::u16string& name) {
    auto value = GetRegistryValue(root, key, name);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ))
        return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
        char16_t c = static_cast<char16_t>(value->data[i] | (value->data[i + 1] << 8));
        if (!c)
            break;
        text.push_back(c);
    }
    return text;
}

std::vector<std::u16string> RegistryValueNames(HKEY root, const std::u16string& key) {
    std::vector<std::u16string> names;
    if (std::shared_ptr<Key> target = FindPath(root, key))
        for (std::size_t i = 0; i < target->values.size(); ++i)
            names.push_back(target->EnumeratedValue(i)->name);
    return names;
}

std::size_t OpenRegistryKeys() {
    return State().handles.Count();
}

} // namespace sim
