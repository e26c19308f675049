// The private devmode section as the core driver hands it over: input devmodes of any dmSize and
// dmDriverExtra whose section header claims anything, output buffers of any size, each of
// exactly the size the core driver would have, so that the address sanitizer sees every byte
// read or written outside them.
#include "core/private_devmode.h"
#include "rule_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr DWORD kSectionBytes = sizeof(OemPrivateDevmode);
const BYTE kSignature[4] = {'K', 'T', 'V', 'Q'};
constexpr size_t kDevmodeSizeOffset = 68; // dmSize, then dmDriverExtra

bool IsFreshSection(const BYTE* section) {
    OEM_DMEXTRAHEADER header;
    std::memcpy(&header, section, sizeof(header));
    return header.dwSize == kSectionBytes && std::memcmp(&header.dwSignature, kSignature, 4) == 0 &&
           header.dwVersion == 1 &&
           std::all_of(section + sizeof(header), section + kSectionBytes,
                       [](BYTE b) { return !b; });
}

// A heap block of exactly `size` bytes filled from the input.
std::unique_ptr<BYTE[]> Filled(FuzzedDataProvider& input, size_t size) {
    std::unique_ptr<BYTE[]> block(new BYTE[size ? size : 1]());
    std::vector<BYTE> bytes = input.ConsumeBytes<BYTE>(size);
    std::copy(bytes.begin(), bytes.end(), block.get());
    return block;
}

DWORD SizeOf(const BYTE* section) {
    DWORD size;
    std::memcpy(&size, section, 4);
    return size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    DWORD mode = input.PickValueInArray<DWORD>(
        {OEMDM_DEFAULT, OEMDM_CONVERT, OEMDM_MERGE, OEMDM_CONVERT, OEMDM_MERGE, 0, 5});
    // The input devmode: its public part as long as dmSize says, the core driver's own private
    // bytes, then the section.
    WORD dmSize = input.ConsumeIntegralInRange<WORD>(kDevmodeSizeOffset + 4, 1024);
    WORD dmDriverExtra = input.ConsumeIntegral<WORD>() % 2048;
    WORD coreBytes = input.ConsumeIntegralInRange<WORD>(0, dmDriverExtra);
    std::unique_ptr<BYTE[]> devmodeIn = Filled(input, size_t(dmSize) + dmDriverExtra);
    std::memcpy(devmodeIn.get() + kDevmodeSizeOffset, &dmSize, 2);
    std::memcpy(devmodeIn.get() + kDevmodeSizeOffset + 2, &dmDriverExtra, 2);
    BYTE* sectionIn = devmodeIn.get() + dmSize + coreBytes;
    size_t sectionInBytes = dmDriverExtra - coreBytes;
    if (sectionInBytes >= 4 && input.ConsumeBool())
        std::memcpy(sectionIn + 4, kSignature, std::min<size_t>(4, sectionInBytes - 4));

    // The output section: the size the core driver says it has, holding whatever it held.
    DWORD outBytes =
        input.ConsumeBool() ? kSectionBytes : input.ConsumeIntegralInRange<DWORD>(0, 1500);
    std::unique_ptr<BYTE[]> out = Filled(input, outBytes);
    if (outBytes >= 8 && input.ConsumeBool())
        std::memcpy(out.get() + 4, kSignature, 4);
    const std::vector<BYTE> before(out.get(), out.get() + outBytes);

    // A merge reads the job's devmode, while the public part given is the result's.
    DEVMODEW devmodeOut = {};
    OEMDMPARAM param = {};
    param.cbSize = sizeof(param);
    param.pPublicDMIn =
        mode == OEMDM_MERGE ? &devmodeOut : reinterpret_cast<DEVMODEW*>(devmodeIn.get());
    param.pPublicDMOut = &devmodeOut;
    // The core driver hands a section over only when a header of it is there to be found.
    param.pOEMDMIn = sectionInBytes >= sizeof(OEM_DMEXTRAHEADER) ? sectionIn : nullptr;
    param.pOEMDMOut = input.ConsumeIntegralInRange<int>(0, 15) == 0 ? nullptr : out.get();
    param.cbBufSize = outBytes;

    DWORD error = 0;
    HRESULT result = PrivateDevmodeOperation(mode, &param, &error);
    bool unchanged = std::equal(before.begin(), before.end(), out.get());
    if (mode < OEMDM_DEFAULT || mode > OEMDM_MERGE) {
        RULE(result == E_FAIL && error == ERROR_INVALID_PARAMETER && unchanged,
             "mode %u was not refused with 87", mode);
    } else if (param.pOEMDMOut != nullptr && outBytes < kSectionBytes) {
        RULE(result == E_FAIL && error == ERROR_INSUFFICIENT_BUFFER && unchanged,
             "a %u-byte output section was not refused with 122 (mode %u)", outBytes, mode);
    } else if (param.pOEMDMOut == nullptr || (mode == OEMDM_CONVERT && !param.pOEMDMIn)) {
        RULE(result == S_OK && unchanged, "a missing section was not left alone");
    } else if (mode == OEMDM_CONVERT && std::memcmp(sectionIn + 4, &before[4], 4) == 0) {
        // Ours is copied for the smallest of both sizes and what the devmode holds, and its
        // size and version are brought up to date.
        size_t copied = std::min<size_t>(
            {SizeOf(sectionIn), SizeOf(before.data()), sectionInBytes, kSectionBytes});
        OEM_DMEXTRAHEADER header;
        std::memcpy(&header, out.get(), sizeof(header));
        RULE(result == S_OK && header.dwSize == kSectionBytes && header.dwVersion == 1,
             "a conversion left the header %u/%u", header.dwSize, header.dwVersion);
        for (size_t i = sizeof(header); i < outBytes; ++i)
            RULE(out[i] == (i < copied ? sectionIn[i] : before[i]),
                 "byte %zu of a converted section (%zu copied)", i, copied);
    } else {
        // Another plug-in's section, the default and a merge leave a fresh section of ours.
        RULE(result == S_OK && IsFreshSection(out.get()), "mode %u left no fresh section", mode);
        RULE(std::equal(before.begin() + kSectionBytes, before.end(), out.get() + kSectionBytes),
             "bytes beyond the section were written");
    }
    return 0;
}
