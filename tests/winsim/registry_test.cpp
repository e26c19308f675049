// The registry as the plug-in and the spooler use it (what the real platform shares is held
// against it in tests/conformance/registry_test.cpp): the documented sizing of queries and
// enumerations, access rights per handle, and the enumeration order the media type list relies on.
#include <gtest/gtest.h>

#include "sim.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const char16_t kQuorvane[] = u"SOFTWARE\\Quorvane";
const char16_t kMediaTypes[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik\\Config\\MediaTypes";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
    void TearDown() override {
        EXPECT_EQ(sim::OpenRegistryKeys(), 0u) << "a test left a key open";
        sim::Reset();
    }

    HKEY Create(const char16_t* path, REGSAM access = KEY_ALL_ACCESS) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, access, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    HKEY Open(const char16_t* path, REGSAM access) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, access, &key), ERROR_SUCCESS);
        return key;
    }
};

LONG Set(HKEY key, const char16_t* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

std::vector<std::u16string> EnumeratedValueNames(HKEY key) {
    std::vector<std::u16string> names;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD length = 64;
        LONG result = RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return names;
        EXPECT_EQ(result, ERROR_SUCCESS);
        names.emplace_back(name, length);
    }
}

TEST_F(Registry, AnswersQueriesWithTheDocumentedSizing) {
    HKEY key = Create(kQuorvane);
    const char16_t text[] = u"en_us";
    Set(key, u"Locale", REG_SZ, text, sizeof text);

    BYTE small[4] = {1, 2, 3, 4};
    DWORD size = sizeof small, type = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Locale", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof text);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegQueryValueExW(key, u"Locale", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS)
        << "asking only whether the value exists";
    EXPECT_EQ(RegQueryValueExW(key, u"Locale", nullptr, nullptr, small, nullptr),
              ERROR_INVALID_PARAMETER);
    size = 4;
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, small, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND)
        << "the default value exists only once written";

    // RegGetValueW terminates what was stored without a terminator, and filters types.
    Set(key, u"Bare", REG_SZ, u"abc", 4);
    WCHAR buffer[8];
    size = sizeof buffer;
    ASSERT_EQ(
        RegGetValueW(HKEY_LOCAL_MACHINE, kQuorvane, u"Bare", RRF_RT_REG_SZ, nullptr, buffer, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(std::u16string(buffer), u"ab");
    EXPECT_EQ(RegGetValueW(key, nullptr, u"Bare", RRF_RT_DWORD, nullptr, buffer, &size), 1630);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, NamesAreCaseInsensitiveAndCreationMakesParents) {
    DWORD disposition = 0;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMediaTypes, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    DWORD pair = 0x1604;
    Set(key, u"Thick Paper", REG_DWORD, &pair, 4);
    RegCloseKey(key);

    HKEY again = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"system\\currentcontrolset", 0, nullptr, 0,
                              KEY_READ, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    HKEY child = nullptr;
    ASSERT_EQ(RegOpenKeyExW(again, u"CONTROL\\Print\\printers\\TARVIK\\config\\mediatypes", 0,
                            KEY_READ, &child),
              ERROR_SUCCESS);
    EXPECT_EQ(sim::GetRegistryDword(HKEY_LOCAL_MACHINE, kMediaTypes, u"THICK PAPER"), 0x1604u);
    EXPECT_EQ(sim::OpenRegistryKeys(), 2u);
    RegCloseKey(child);
    RegCloseKey(again);
    EXPECT_EQ(RegCloseKey(again), ERROR_INVALID_HANDLE);

    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kQuorvane, 0, KEY_READ, &missing),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
}

TEST_F(Registry, HandlesGrantOnlyTheAccessTheyWereOpenedWith) {
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, kQuorvane, u"QVDir", u"C:\\Q");
    HKEY reader = Open(kQuorvane, KEY_READ);
    DWORD one = 1;
    EXPECT_EQ(Set(reader, u"QVDir", REG_DWORD, &one, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueW(reader, u"QVDir"), ERROR_ACCESS_DENIED);
    // Creating a subkey is checked against the key's security, not the handle's access.
    HKEY sub = nullptr;
    EXPECT_EQ(
        RegCreateKeyExW(reader, u"TarvikSetup", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(sub);
    EXPECT_EQ(sim::GetRegistryString(HKEY_LOCAL_MACHINE, kQuorvane, u"QVDir"), u"C:\\Q");

    HKEY writer = Open(kQuorvane, KEY_SET_VALUE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(writer, u"QVDir", nullptr, nullptr, nullptr, &size),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(Set(writer, u"QVDir", REG_DWORD, &one, 4), ERROR_SUCCESS);
    EXPECT_EQ(sim::GetRegistryDword(HKEY_LOCAL_MACHINE, kQuorvane, u"qvdir"), 1u);
    RegCloseKey(writer);
    RegCloseKey(reader);
}

TEST_F(Registry, EnumeratesValuesInTheOrderTheyWereWritten) {
    HKEY key = Create(kMediaTypes);
    DWORD pair = 0x1005;
    for (const char16_t* name : {u"Zeta", u"alpha", u"Mid", u"BB"})
        Set(key, name, REG_DWORD, &pair, 4);
    Set(key, u"ALPHA", REG_DWORD, &pair, 4); // rewriting keeps the place and the first spelling
    EXPECT_EQ(EnumeratedValueNames(key),
              (std::vector<std::u16string>{u"Zeta", u"alpha", u"Mid", u"BB"}));
    RegDeleteValueW(key, u"zeta");
    Set(key, u"Zeta", REG_DWORD, &pair, 4);
    EXPECT_EQ(sim::RegistryValueNames(HKEY_LOCAL_MACHINE, kMediaTypes),
              (std::vector<std::u16string>{u"alpha", u"Mid", u"BB", u"Zeta"}));

    // The name buffer counts its terminator; the count returned does not.
    WCHAR name[8] = {u'#', u'#', u'#'};
    DWORD length = 2;
    EXPECT_EQ(RegEnumValueW(key, 2, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    EXPECT_EQ(length, 2u) << "left as it was";
    length = 3;
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegEnumValueW(key, 2, name, &length, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(name), u"BB");
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
    RegCloseKey(key);
}

TEST_F(Registry, DeletesOnlyLeafKeysAndOpenHandlesNoticeIt) {
    sim::CreateRegistryKey(HKEY_LOCAL_MACHINE, kMediaTypes);
    HKEY config = Open(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik\\Config",
                       KEY_ALL_ACCESS);
    HKEY media = Open(kMediaTypes, KEY_ALL_ACCESS);
    HKEY printers = Open(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers", KEY_ALL_ACCESS);
    EXPECT_EQ(RegDeleteKeyW(printers, u"Tarvik\\Config"), ERROR_ACCESS_DENIED) << "has a subkey";
    EXPECT_EQ(RegDeleteKeyW(config, u"mediatypes"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(config, u"MediaTypes"), ERROR_FILE_NOT_FOUND);
    DWORD value = 1;
    EXPECT_EQ(Set(media, u"X", REG_DWORD, &value, 4), ERROR_KEY_DELETED);
    EXPECT_FALSE(sim::RegistryKeyExists(HKEY_LOCAL_MACHINE, kMediaTypes));
    EXPECT_EQ(RegCloseKey(media), ERROR_SUCCESS);
    RegCloseKey(config);
    RegCloseKey(printers);
}

TEST_F(Registry, InjectedFailuresHitOnlyTheirTarget) {
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, kQuorvane, u"QVDir", u"C:\\Q");
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, kQuorvane, u"Other", u"x");
    sim::CreateRegistryKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane\\TarvikSetup");
    sim::FailRegistryOpen(HKEY_LOCAL_MACHINE, u"software\\quorvane\\tarviksetup",
                          ERROR_ACCESS_DENIED);
    sim::FailRegistryRead(HKEY_LOCAL_MACHINE, kQuorvane, u"QVDIR", ERROR_INVALID_DATA);

    HKEY key = nullptr;
    EXPECT_EQ(
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane\\TarvikSetup", 0, KEY_READ, &key),
        ERROR_ACCESS_DENIED);
    key = Open(kQuorvane, KEY_READ);
    HKEY viaParent = nullptr;
    EXPECT_EQ(RegOpenKeyExW(key, u"TarvikSetup", 0, KEY_READ, &viaParent), ERROR_ACCESS_DENIED);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"QVDir", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_DATA);
    EXPECT_EQ(RegQueryValueExW(key, u"Other", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(sim::OpenRegistryKeyPaths(),
              std::vector<std::u16string>{u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane"});
    EXPECT_NE(sim::KernelLeakReport().find("registry key not closed"), std::string::npos);
    RegCloseKey(key);
}

} // namespace
