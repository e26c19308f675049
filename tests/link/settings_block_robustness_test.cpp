// The settings block comes from another maker's library: whatever bytes it hands over, reading
// them must stay inside the block and leave every text terminated. Thousands of random blocks
// run here, under AddressSanitizer in the sanitizer build.
#include <gtest/gtest.h>

#include "link/parameter_record.h"
#include "link/printer_snapshot.h"
#include "settings/settings_context.h"

#include <cstring>
#include <random>
#include <vector>

namespace {

// Record ids the decoder knows, so that random blocks reach every branch.
const DWORD kKnownIds[] = {4,   12,  20,  22,  90,  91,  92,  93,  94,  95,  96,  97,  100, 101,
                           102, 106, 107, 108, 114, 118, 122, 126, 128, 234, 235, 237, 238, 5};

bool Terminated(const WCHAR* text, size_t chars) {
    for (size_t i = 0; i < chars; ++i)
        if (text[i] == 0)
            return true;
    return false;
}

TEST(SettingsBlockRobustness, RandomBlocksAreReadOnlyWithinTheirBounds) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 4000; ++round) {
        size_t size = random() % (12 * sizeof(ParameterRecord) + 1);
        // Each block lives in its own exact-size allocation, so a read past its end is caught.
        std::vector<BYTE> block(size);
        for (BYTE& byte : block)
            byte = static_cast<BYTE>(random());
        for (size_t offset = 0; offset + sizeof(ParameterRecord) <= size;
             offset += sizeof(ParameterRecord)) {
            DWORD id = kKnownIds[random() % (sizeof(kKnownIds) / sizeof(kKnownIds[0]))];
            std::memcpy(block.data() + offset, &id, sizeof(id));
        }
        SettingsContext context = {};
        ApplySettingsBlock(&context, block.data(), static_cast<DWORD>(size));

        ASSERT_GE(context.SnapshotItemCount, 0);
        ASSERT_LE(static_cast<size_t>(context.SnapshotItemCount), size / sizeof(ParameterRecord));
        ASSERT_TRUE(Terminated(context.PrinterSerialNumber, kNameChars));
        ASSERT_TRUE(Terminated(context.ModelNumber, kNameChars));
        ASSERT_TRUE(Terminated(context.ChromaPodSerialNumber, kNameChars));
        ASSERT_TRUE(Terminated(context.MacAddressText, kNameChars));
        ASSERT_LE(std::char_traits<char16_t>::length(context.ModelNumber), kParameterTextChars);
        ASSERT_LT(context.DeviceDotHeight + 2u, 5u) << "a signed remainder of 3";
    }
}

} // namespace
