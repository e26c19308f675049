// What winsim adds to the registry (the registry itself is held against the real platform in
// tests/conformance/registry_test.cpp): the accounting of the keys left open, which the fixtures
// compare before and after every flow.
#include <gtest/gtest.h>

#include "sim.h"

namespace {

TEST(Registry, OpenKeysAreAccountedUntilClosed) {
    sim::Reset();
    sim::CreateRegistryKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane\\TarvikSetup");
    HKEY key = nullptr, second = nullptr, created = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExW(key, u"TarvikSetup", 0, KEY_READ, &second), ERROR_SUCCESS);
    ASSERT_EQ(
        RegCreateKeyExW(key, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
        ERROR_SUCCESS);
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExW(key, u"Missing", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(sim::OpenRegistryKeys(), 3u) << "a failed open holds nothing";
    RegCloseKey(second);
    RegCloseKey(created);
    EXPECT_EQ(sim::OpenRegistryKeys(), 1u);
    RegCloseKey(key);
    EXPECT_EQ(sim::OpenRegistryKeys(), 0u);
    EXPECT_NE(RegCloseKey(key), ERROR_SUCCESS) << "a closed handle is not closed twice";
    EXPECT_EQ(sim::OpenRegistryKeys(), 0u);
    sim::Reset();
}

} // namespace
