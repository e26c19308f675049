// What winsim adds to the registry (the registry itself is held against the real platform in
// tests/conformance/registry_test.cpp): failures injected into one key or one value, and the
// accounting of the keys left open.
#include <gtest/gtest.h>

#include "sim.h"

#include <string>
#include <vector>

namespace {

const char16_t kQuorvane[] = u"SOFTWARE\\Quorvane";

TEST(Registry, InjectedFailuresHitOnlyTheirTargetAndOpenKeysAreAccounted) {
    sim::Reset();
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
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kQuorvane, 0, KEY_READ, &key), ERROR_SUCCESS);
    HKEY viaParent = nullptr;
    EXPECT_EQ(RegOpenKeyExW(key, u"TarvikSetup", 0, KEY_READ, &viaParent), ERROR_ACCESS_DENIED);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"QVDir", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_DATA);
    EXPECT_EQ(RegQueryValueExW(key, u"Other", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);

    HKEY second = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software", 0, KEY_READ, &second), ERROR_SUCCESS);
    EXPECT_EQ(sim::OpenRegistryKeys(), 2u);
    RegCloseKey(second);
    EXPECT_EQ(sim::OpenRegistryKeyPaths(),
              std::vector<std::u16string>{u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane"});
    EXPECT_NE(sim::KernelLeakReport().find("registry key not closed"), std::string::npos);
    RegCloseKey(key);
    EXPECT_EQ(sim::OpenRegistryKeys(), 0u);
    EXPECT_EQ(sim::KernelLeakReport().find("registry key not closed"), std::string::npos);
    sim::Reset();
}

} // namespace
