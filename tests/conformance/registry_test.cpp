// The registry on both implementations: values kept byte for byte with their types, the
// documented sizing of queries and enumerations, access per handle, leaf-only deletion, and the
// enumeration orders (values: whatever order the implementation keeps, every value once;
// subkeys: by name).
#include "platform.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using conformance::WideString;

const WCHAR kQuorvane[] = TEXT("SOFTWARE\\Quorvane");
const WCHAR kMediaTypes[] = TEXT("SOFTWARE\\Quorvane\\Printers\\Tarvik\\Config\\MediaTypes");

class Registry : public ::testing::Test {
protected:
    void SetUp() override { conformance::ResetMachine(); }
    void TearDown() override {
        for (HKEY key : opened_)
            RegCloseKey(key);
        conformance::ResetMachine();
    }

    HKEY Create(const WCHAR* path, REGSAM access = KEY_ALL_ACCESS) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, access, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        opened_.push_back(key);
        return key;
    }
    HKEY Open(const WCHAR* path, REGSAM access) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, access, &key), ERROR_SUCCESS);
        opened_.push_back(key);
        return key;
    }

private:
    std::vector<HKEY> opened_;
};

LONG Set(HKEY key, const WCHAR* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

std::vector<BYTE> Bytes(const void* data, std::size_t size) {
    auto* p = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(p, p + size);
}

std::vector<WideString> EnumeratedValueNames(HKEY key) {
    std::vector<WideString> names;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD length = 64;
        LONG result = RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            EXPECT_EQ(result, ERROR_NO_MORE_ITEMS);
            return names;
        }
        names.emplace_back(name, length);
    }
}

std::string Narrow(const WideString& text) {
    return std::string(text.begin(), text.end());
}

TEST_F(Registry, KeepsEveryTypeByteForByte) {
    HKEY key = Create(kQuorvane);
    const WCHAR terminated[] = TEXT("C:\\Quorvane");
    // Stored without its terminator: the character after the count is not zero.
    const WCHAR unterminated[] = TEXT("Default.dat!");
    DWORD dword = 0x1E06;
    ULONGLONG qword = 0x0102030405060708ull;
    const BYTE paper[8] = {0x50, 0x34, 0x03, 0, 0x28, 0x88, 0x04, 0};
    const WCHAR multi[] = TEXT("A\0BB\0");
    ASSERT_EQ(Set(key, TEXT("QVDir"), REG_SZ, terminated, sizeof terminated), ERROR_SUCCESS);
    Set(key, TEXT("Pattern"), REG_SZ, unterminated, 11 * sizeof(WCHAR));
    Set(key, TEXT("Pair"), REG_DWORD, &dword, 4);
    Set(key, TEXT("Big"), REG_QWORD, &qword, 8);
    Set(key, TEXT("PaperSize"), REG_BINARY, paper, 8);
    Set(key, TEXT("List"), REG_MULTI_SZ, multi, sizeof multi);
    Set(key, TEXT("Marker"), REG_NONE, nullptr, 0);
    Set(key, nullptr, REG_EXPAND_SZ, TEXT("%X%"), 4 * sizeof(WCHAR));
    // A count that leaves out the terminator gets it added when the next character is zero.
    Set(key, TEXT("Counted"), REG_SZ, TEXT("Tarvik"), 6 * sizeof(WCHAR));

    struct Expected {
        const WCHAR* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    for (const Expected& expected :
         std::vector<Expected>{{TEXT("qvdir"), REG_SZ, Bytes(terminated, sizeof terminated)},
                               {TEXT("PATTERN"), REG_SZ, Bytes(unterminated, 22)},
                               {TEXT("Pair"), REG_DWORD, Bytes(&dword, 4)},
                               {TEXT("Big"), REG_QWORD, Bytes(&qword, 8)},
                               {TEXT("PaperSize"), REG_BINARY, Bytes(paper, 8)},
                               {TEXT("List"), REG_MULTI_SZ, Bytes(multi, sizeof multi)},
                               {TEXT("Marker"), REG_NONE, {}},
                               {TEXT(""), REG_EXPAND_SZ, Bytes(TEXT("%X%"), 8)},
                               {TEXT("Counted"), REG_SZ, Bytes(TEXT("Tarvik"), 14)}}) {
        SCOPED_TRACE(Narrow(expected.name));
        DWORD type = 99, size = 0;
        ASSERT_EQ(RegQueryValueExW(key, expected.name, nullptr, &type, nullptr, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, expected.type);
        ASSERT_EQ(size, expected.data.size());
        std::vector<BYTE> data(size + 4, 0xEE);
        ASSERT_EQ(RegQueryValueExW(key, expected.name, nullptr, nullptr, data.data(), &size),
                  ERROR_SUCCESS);
        data.resize(size);
        EXPECT_EQ(data, expected.data);
    }
}

TEST_F(Registry, AnswersQueriesWithTheDocumentedSizing) {
    HKEY key = Create(kQuorvane);
    const WCHAR text[] = TEXT("en_us");
    Set(key, TEXT("Locale"), REG_SZ, text, sizeof text);

    BYTE small[4] = {1, 2, 3, 4};
    DWORD size = sizeof small, type = 0;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Locale"), nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof text);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Locale"), nullptr, &type, nullptr, nullptr),
              ERROR_SUCCESS)
        << "asking only whether the value exists";
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Locale"), nullptr, nullptr, small, nullptr),
              ERROR_INVALID_PARAMETER)
        << "a buffer without its size";
    size = 4;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Missing"), nullptr, nullptr, small, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND)
        << "the default value exists only once written";
}

// The documentation: "Use the RegGetValue function if you want to ensure returned string values are
// null-terminated."
TEST_F(Registry, GetValueTerminatesStringsAndFiltersTypes) {
    HKEY key = Create(kQuorvane);
    Set(key, TEXT("Bare"), REG_SZ, TEXT("abc"), 2 * sizeof(WCHAR));
    WCHAR buffer[8];
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegGetValueW(key, nullptr, TEXT("Bare"), RRF_RT_DWORD, nullptr, buffer, &size),
              ERROR_UNSUPPORTED_TYPE);
    SKIP_KNOWN_WINE_GAP("RegGetValueW hands out a string stored without its terminator as stored");
    size = sizeof buffer;
    ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kQuorvane, TEXT("Bare"), RRF_RT_REG_SZ, nullptr,
                           buffer, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 3 * sizeof(WCHAR));
    EXPECT_EQ(WideString(buffer), TEXT("ab"));
}

TEST_F(Registry, NamesAreCaseInsensitiveAndCreationMakesParents) {
    DWORD disposition = 0;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMediaTypes, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    DWORD pair = 0x1604;
    Set(key, TEXT("Thick Paper"), REG_DWORD, &pair, 4);
    RegCloseKey(key);

    HKEY again = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("software\\quorvane"), 0, nullptr, 0,
                              KEY_READ, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    HKEY child = nullptr;
    ASSERT_EQ(
        RegOpenKeyExW(again, TEXT("PRINTERS\\tarvik\\config\\mediatypes"), 0, KEY_READ, &child),
        ERROR_SUCCESS);
    DWORD read = 0, size = sizeof read;
    EXPECT_EQ(RegQueryValueExW(child, TEXT("THICK PAPER"), nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&read), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(read, 0x1604u);
    RegCloseKey(child);
    EXPECT_EQ(RegCloseKey(child), ERROR_INVALID_HANDLE);
    RegCloseKey(again);

    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kQuorvane, 0, KEY_READ, &missing),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
}

TEST_F(Registry, HandlesGrantOnlyTheAccessTheyWereOpenedWith) {
    HKEY setup = Create(kQuorvane);
    Set(setup, TEXT("QVDir"), REG_SZ, TEXT("C:\\Q"), 5 * sizeof(WCHAR));
    HKEY reader = Open(kQuorvane, KEY_READ);
    DWORD one = 1;
    EXPECT_EQ(Set(reader, TEXT("QVDir"), REG_DWORD, &one, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueW(reader, TEXT("QVDir")), ERROR_ACCESS_DENIED);
    // Creating a subkey is checked against the key's security, not the handle's access.
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKeyExW(reader, TEXT("TarvikSetup"), 0, nullptr, 0, KEY_READ, nullptr, &sub,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(sub);

    HKEY writer = Open(kQuorvane, KEY_SET_VALUE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(writer, TEXT("QVDir"), nullptr, nullptr, nullptr, &size),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(Set(writer, TEXT("QVDir"), REG_DWORD, &one, 4), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(reader, TEXT("qvdir"), nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

// The documentation promises no order for a key's values. The plug-in's lists must not depend on
// one: every value comes exactly once, whatever the order. winsim is checked under each of its
// orders; the real platform shows the one it has.
TEST_F(Registry, EnumeratesEveryValueOnceInTheImplementationsOrder) {
    HKEY key = Create(kMediaTypes);
    DWORD pair = 0x1005;
    for (const WCHAR* name : {TEXT("Zeta"), TEXT("alpha"), TEXT("Mid"), TEXT("BB")})
        Set(key, name, REG_DWORD, &pair, 4);
    Set(key, TEXT("ALPHA"), REG_DWORD, &pair, 4); // rewriting keeps the first spelling
    RegDeleteValueW(key, TEXT("zeta"));
    Set(key, TEXT("Zeta"), REG_DWORD, &pair, 4);

    const std::vector<WideString> written = {TEXT("alpha"), TEXT("Mid"), TEXT("BB"), TEXT("Zeta")};
    std::vector<WideString> names = EnumeratedValueNames(key);
    std::string seen;
    for (const WideString& name : names)
        seen += Narrow(name) + " ";
    std::cout << "[ order    ] values enumerate as: " << seen << "\n";
    std::vector<WideString> sortedSeen = names, sortedWritten = written;
    std::sort(sortedSeen.begin(), sortedSeen.end());
    std::sort(sortedWritten.begin(), sortedWritten.end());
    EXPECT_EQ(sortedSeen, sortedWritten);

    using conformance::ValueOrder;
    if (conformance::SwitchRegistryValueOrder(ValueOrder::Written)) {
        EXPECT_EQ(EnumeratedValueNames(key), written);
        conformance::SwitchRegistryValueOrder(ValueOrder::Reversed);
        EXPECT_EQ(EnumeratedValueNames(key),
                  std::vector<WideString>(written.rbegin(), written.rend()));
        conformance::SwitchRegistryValueOrder(ValueOrder::Sorted);
        EXPECT_EQ(EnumeratedValueNames(key),
                  (std::vector<WideString>{TEXT("alpha"), TEXT("BB"), TEXT("Mid"), TEXT("Zeta")}));
    }

    // The name buffer counts its terminator; the count returned does not.
    WCHAR name[8] = {TEXT('#'), TEXT('#'), TEXT('#')};
    DWORD index = static_cast<DWORD>(std::find(names.begin(), names.end(), WideString(TEXT("BB"))) -
                                     names.begin());
    conformance::SwitchRegistryValueOrder(ValueOrder::Written);
    if (conformance::OnWinsim())
        index = 2;
    DWORD length = 2;
    EXPECT_EQ(RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    length = 3;
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegEnumValueW(key, index, name, &length, nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(WideString(name), TEXT("BB"));
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
    length = 8;
    EXPECT_EQ(RegEnumValueW(key, 4, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);

    DWORD values = 0, longestName = 0, largest = 0, subKeys = 9;
    ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                               &longestName, &largest, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 4u);
    EXPECT_EQ(longestName, 5u);
    EXPECT_EQ(largest, 4u);
    EXPECT_EQ(subKeys, 0u);
}

TEST_F(Registry, EnumeratesSubkeysInNameOrder) {
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kQuorvane, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &parent, nullptr),
              ERROR_SUCCESS);
    for (const WCHAR* name : {TEXT("b"), TEXT("C"), TEXT("a")}) {
        HKEY child = nullptr;
        ASSERT_EQ(RegCreateKeyExW(parent, name, 0, nullptr, 0, KEY_READ, nullptr, &child, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(child);
    }
    std::vector<WideString> names;
    WCHAR name[8];
    for (DWORD i = 0;; ++i) {
        DWORD length = 8;
        if (RegEnumKeyExW(parent, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    EXPECT_EQ(names, (std::vector<WideString>{TEXT("a"), TEXT("b"), TEXT("C")}));
    RegCloseKey(parent);
}

TEST_F(Registry, DeletesOnlyLeafKeysAndOpenHandlesNoticeIt) {
    Create(kMediaTypes);
    HKEY config = Open(TEXT("SOFTWARE\\Quorvane\\Printers\\Tarvik\\Config"), KEY_ALL_ACCESS);
    HKEY media = Open(kMediaTypes, KEY_ALL_ACCESS);
    HKEY printers = Open(TEXT("SOFTWARE\\Quorvane\\Printers"), KEY_ALL_ACCESS);
    EXPECT_EQ(RegDeleteKeyW(printers, TEXT("Tarvik\\Config")), ERROR_ACCESS_DENIED)
        << "has a subkey";
    EXPECT_EQ(RegDeleteKeyW(config, TEXT("mediatypes")), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(config, TEXT("MediaTypes")), ERROR_FILE_NOT_FOUND);
    DWORD value = 1;
    EXPECT_EQ(Set(media, TEXT("X"), REG_DWORD, &value, 4), ERROR_KEY_DELETED);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMediaTypes, 0, KEY_READ, &gone),
              ERROR_FILE_NOT_FOUND);
}

} // namespace
