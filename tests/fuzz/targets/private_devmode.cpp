// The private devmode section as the core driver hands it over: input devmodes of any dmSize and
// dmDriverExtra whose section header claims anything, output buffers of any size. The plug-in is
// reached through its class factory and IPrintOemUI2::DevMode, as the core driver reaches it.
#include "harness/fuzz_machine.h"

#include "core/oem_interface.h"
#include "core/private_devmode.h"
#include "host/core_driver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kSectionBytes = sizeof(OemPrivateDevmode);
const BYTE kSignature[4] = {'K', 'T', 'V', 'Q'};
constexpr size_t kDevmodeSizeOffset = 68; // dmSize, then dmDriverExtra

// Buffers of exactly the size the core driver would have, so that the address sanitizer sees
// every byte read or written outside them.
struct ExactBuffer {
    explicit ExactBuffer(size_t size)
        : bytes(static_cast<BYTE*>(std::malloc(size ? size : 1))), size(size) {}
    ~ExactBuffer() { std::free(bytes); }
    BYTE* bytes;
    size_t size;
};

bool IsFreshSection(const BYTE* section) {
    OEM_DMEXTRAHEADER header;
    std::memcpy(&header, section, sizeof(header));
    if (header.dwSize != kSectionBytes || std::memcmp(&header.dwSignature, kSignature, 4) != 0 ||
        header.dwVersion != 1)
        return false;
    for (DWORD i = sizeof(header); i < kSectionBytes; ++i)
        if (section[i] != 0)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    StartMachine();
    CoreDriverHost host;
    FUZZ_CHECK(host.Load(kFuzzPluginPath) == S_OK, "the plug-in object was not created");
    IPrintOemUI2* plugin = host.plugin();

    OEMDMPARAM sizing = {};
    sizing.cbSize = sizeof(sizing);
    FUZZ_CHECK(plugin->DevMode(OEMDM_SIZE, &sizing) == S_OK && sizing.cbBufSize == kSectionBytes,
               "OEMDM_SIZE reported %u", sizing.cbBufSize);

    DWORD mode = input.PickValueInArray<DWORD>(
        {OEMDM_DEFAULT, OEMDM_CONVERT, OEMDM_MERGE, OEMDM_CONVERT, OEMDM_MERGE, 0, 5});
    // The input devmode: its public part as long as dmSize says (never shorter than the fields
    // that give its size), the core driver's own private bytes, then the section.
    WORD dmSize = input.ConsumeIntegralInRange<WORD>(kDevmodeSizeOffset + 4, 1024);
    WORD dmDriverExtra = input.ConsumeIntegral<WORD>() % 2048;
    WORD coreBytes = input.ConsumeIntegralInRange<WORD>(0, dmDriverExtra);
    ExactBuffer devmodeIn(size_t(dmSize) + dmDriverExtra);
    std::vector<BYTE> fill = input.ConsumeBytes<BYTE>(devmodeIn.size);
    fill.resize(devmodeIn.size);
    std::copy(fill.begin(), fill.end(), devmodeIn.bytes);
    std::memcpy(devmodeIn.bytes + kDevmodeSizeOffset, &dmSize, 2);
    std::memcpy(devmodeIn.bytes + kDevmodeSizeOffset + 2, &dmDriverExtra, 2);
    BYTE* sectionIn = devmodeIn.bytes + dmSize + coreBytes;
    size_t sectionInBytes = dmDriverExtra - coreBytes;
    if (sectionInBytes >= 4 && input.ConsumeBool())
        std::memcpy(sectionIn + 4, kSignature, std::min<size_t>(4, sectionInBytes - 4));

    // The output section: the size the core driver says it has, holding whatever it held.
    DWORD outBytes =
        input.ConsumeBool() ? kSectionBytes : input.ConsumeIntegralInRange<DWORD>(0, 1500);
    ExactBuffer sectionOut(outBytes);
    std::vector<BYTE> outFill = input.ConsumeBytes<BYTE>(outBytes);
    outFill.resize(outBytes);
    std::copy(outFill.begin(), outFill.end(), sectionOut.bytes);
    if (outBytes >= 8 && input.ConsumeBool())
        std::memcpy(sectionOut.bytes + 4, kSignature, 4);
    std::vector<BYTE> outBefore(sectionOut.bytes, sectionOut.bytes + outBytes);

    // Conversion reads a devmode of the core driver's, whose sections follow its public part;
    // a merge reads the job's devmode, while the public part given is the result's.
    ExactBuffer devmodeOut(sizeof(DEVMODEW));
    std::memset(devmodeOut.bytes, 0, sizeof(DEVMODEW));
    OEMDMPARAM param = {};
    param.cbSize = sizeof(param);
    param.hModule = host.module();
    param.pPublicDMIn = mode == OEMDM_MERGE ? reinterpret_cast<DEVMODEW*>(devmodeOut.bytes)
                                            : reinterpret_cast<DEVMODEW*>(devmodeIn.bytes);
    param.pPublicDMOut = reinterpret_cast<DEVMODEW*>(devmodeOut.bytes);
    // The core driver hands a section over only when a header of it is there to be found.
    param.pOEMDMIn = sectionInBytes >= sizeof(OEM_DMEXTRAHEADER) ? sectionIn : nullptr;
    param.pOEMDMOut = input.ConsumeIntegralInRange<int>(0, 15) == 0 ? nullptr : sectionOut.bytes;
    param.cbBufSize = outBytes;

    SetLastError(0);
    HRESULT result = plugin->DevMode(mode, &param);
    DWORD error = GetLastError();
    bool outputGiven = param.pOEMDMOut != nullptr;
    bool unchanged = std::equal(outBefore.begin(), outBefore.end(), sectionOut.bytes);
    if (mode < OEMDM_DEFAULT || mode > OEMDM_MERGE) {
        FUZZ_CHECK(result == E_FAIL && error == ERROR_INVALID_PARAMETER && unchanged,
                   "mode %u was not refused with 87", mode);
    } else if (outputGiven && outBytes < kSectionBytes) {
        FUZZ_CHECK(result == E_FAIL && error == ERROR_INSUFFICIENT_BUFFER && unchanged,
                   "a %u-byte output section was not refused with 122 (mode %u: %08x, error %u)",
                   outBytes, mode, static_cast<unsigned>(result), error);
    } else if (!outputGiven || (mode == OEMDM_CONVERT && param.pOEMDMIn == nullptr)) {
        FUZZ_CHECK(result == S_OK && unchanged, "a missing section was not left alone");
    } else {
        FUZZ_CHECK(result == S_OK, "mode %u failed", mode);
        if (mode != OEMDM_CONVERT) {
            FUZZ_CHECK(IsFreshSection(sectionOut.bytes), "mode %u left no fresh section", mode);
        } else {
            // Ours is kept (its size and version brought up to date); another plug-in's section
            // is replaced by a fresh one of ours.
            OEM_DMEXTRAHEADER header;
            std::memcpy(&header, sectionOut.bytes, sizeof(header));
            FUZZ_CHECK(header.dwSize == kSectionBytes && header.dwVersion == 1,
                       "a conversion left the header %u/%u", header.dwSize, header.dwVersion);
            if (std::memcmp(sectionIn + 4, outBefore.data() + 4, 4) != 0)
                FUZZ_CHECK(IsFreshSection(sectionOut.bytes), "a foreign section was kept");
        }
        FUZZ_CHECK(std::equal(outBefore.begin() + kSectionBytes, outBefore.end(),
                              sectionOut.bytes + kSectionBytes),
                   "bytes beyond the section were written");
    }
    host.Unload();
    FinishMachine();
    return 0;
}
