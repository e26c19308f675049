// What the plug-in answers the core driver itself, called through the published method table:
// one answer per slot, so that a method out of its place in the table shows (the answers' rules
// are tests/core's).
#include "check_log.h"
#include "plugin_vtable.h"
#include "wine_checks.h"

#include <cstring>

namespace {

constexpr DWORD kPrivateSectionSize = 732;
constexpr DWORD kHeaderSize = sizeof(OEM_DMEXTRAHEADER);
constexpr WORD kOutputModesCapability = 257;
constexpr ULONG kProfileBufferSize = 32;

void CheckGetInfo(void* object) {
    auto getInfo = MethodAt<GetInfoMethod>(object, kSlotGetInfo);
    BYTE signature[4] = {};
    DWORD needed = 0;
    CheckResult("GetInfo(OEMGI_GETSIGNATURE)", S_OK,
                getInfo(object, OEMGI_GETSIGNATURE, signature, sizeof(signature), &needed));
    CheckText("GetInfo signature bytes", "KTVQ", Bytes(signature, sizeof(signature)));
    CheckNumber("GetInfo signature size", 4, needed);

    DWORD version = 0;
    CheckResult("GetInfo(OEMGI_GETVERSION)", S_OK,
                getInfo(object, OEMGI_GETVERSION, &version, sizeof(version), &needed));
    CheckNumber("GetInfo version", 1, version);
}

// Whether the section is exactly the initialised one: 732, "KTVQ", 1 and a zero body.
bool IsDefaultSection(const BYTE* section, std::string* seen) {
    OEM_DMEXTRAHEADER header;
    std::memcpy(&header, section, sizeof(header));
    DWORD nonZero = 0;
    for (DWORD i = kHeaderSize; i < kPrivateSectionSize; ++i)
        nonZero += section[i] != 0;
    *seen = std::to_string(header.dwSize) + "/\"" + Bytes(&header.dwSignature, 4) + "\"/" +
            std::to_string(header.dwVersion) + ", " + std::to_string(nonZero) +
            " non-zero body bytes";
    return header.dwSize == kPrivateSectionSize &&
           std::memcmp(&header.dwSignature, "KTVQ", 4) == 0 && header.dwVersion == 1 &&
           nonZero == 0;
}

const char kDefaultSection[] = "732/\"KTVQ\"/1, 0 non-zero body bytes";

HRESULT CallDevMode(void* object, DWORD mode, BYTE* in, BYTE* out) {
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.pOEMDMIn = in;
    param.pOEMDMOut = out;
    param.cbBufSize = kPrivateSectionSize;
    return MethodAt<DevModeMethod>(object, kSlotDevMode)(object, mode, &param);
}

void CheckDevMode(void* object) {
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    CheckResult("DevMode(OEMDM_SIZE)", S_OK,
                MethodAt<DevModeMethod>(object, kSlotDevMode)(object, OEMDM_SIZE, &param));
    CheckNumber("DevMode(OEMDM_SIZE) private section size", kPrivateSectionSize, param.cbBufSize);

    static BYTE out[kPrivateSectionSize];
    std::string seen;
    std::memset(out, 0xFF, sizeof(out));
    CheckResult("DevMode(OEMDM_DEFAULT)", S_OK, CallDevMode(object, OEMDM_DEFAULT, nullptr, out));
    Check("DevMode(OEMDM_DEFAULT) over 0xFF bytes", IsDefaultSection(out, &seen), kDefaultSection,
          seen);
}

void CheckDeviceCapabilities(void* object) {
    auto capabilities = MethodAt<DeviceCapabilitiesMethod>(object, kSlotDeviceCapabilities);
    WCHAR device[] = TEXT("Tarvik");
    DWORD result = 0;
    CheckResult("DeviceCapabilities(257) without a buffer", S_OK,
                capabilities(object, nullptr, nullptr, device, kOutputModesCapability, nullptr,
                             nullptr, nullptr, 0, &result));
    CheckNumber("DeviceCapabilities(257) size", 46, result);

    WCHAR modes[32];
    std::memset(modes, 0xCC, sizeof(modes));
    result = 99;
    CheckResult("DeviceCapabilities(257) with a buffer", S_OK,
                capabilities(object, nullptr, nullptr, device, kOutputModesCapability, modes,
                             nullptr, nullptr, 0, &result));
    modes[31] = 0;
    CheckText("DeviceCapabilities(257) text", "EmbossMode=1,InkMode=1", Narrow(modes));
    CheckNumber("DeviceCapabilities(257) result with a buffer", 0, result);
    result = 99;
    CheckResult("DeviceCapabilities(DC_PAPERS) is left to the host", E_NOTIMPL,
                capabilities(object, nullptr, nullptr, device, DC_PAPERS, nullptr, nullptr, nullptr,
                             0, &result));
}

void CheckColorProfile(void* object) {
    auto query = MethodAt<QueryColorProfileMethod>(object, kSlotQueryColorProfile);
    BYTE profile[kProfileBufferSize];
    std::memset(profile, 0xCC, sizeof(profile));
    ULONG size = kProfileBufferSize;
    FLONG flags = 0;
    CheckResult("QueryColorProfile with 32 bytes", S_OK,
                query(object, nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE, profile, &size,
                      &flags));
    WCHAR name[kProfileBufferSize / sizeof(WCHAR) + 1] = {};
    std::memcpy(name, profile, sizeof(profile));
    CheckText("QueryColorProfile profile name", "OEMPROFILE.icm", Narrow(name));
    CheckNumber("QueryColorProfile size", kProfileBufferSize, size);
    CheckNumber("QueryColorProfile flags (QCP_PROFILEDISK)", QCP_PROFILEDISK, flags);
}

void CheckHideStandardUI(void* object) {
    auto hide = MethodAt<HideStandardUIMethod>(object, kSlotHideStandardUI);
    CheckResult("HideStandardUI(OEMCUIP_DOCPROP)", S_OK, hide(object, OEMCUIP_DOCPROP));
    CheckResult("HideStandardUI(OEMCUIP_PRNPROP)", E_NOTIMPL, hide(object, OEMCUIP_PRNPROP));
}

} // namespace

void CheckDriverMethods(void* object) {
    CheckGetInfo(object);
    CheckDevMode(object);
    CheckDeviceCapabilities(object);
    CheckColorProfile(object);
    CheckHideStandardUI(object);
}
