// Sizing, defaults, conversion and merge of the private devmode section.
#include "core/private_devmode.h"

#include "core/plugin_ids.h"

namespace {

void InitialisePrivateDevmode(OemPrivateDevmode* section) {
    ZeroMemory(section, sizeof(*section));
    section->header.dwSize = sizeof(OemPrivateDevmode);
    section->header.dwSignature = kPluginSignature;
    section->header.dwVersion = kPluginVersion;
}

// The input section lies in the core driver's devmode, after its public part: it is read no
// further than that devmode reaches, whatever its header claims. A section elsewhere is read at
// most for our own size.
DWORD ReadableInputBytes(const OEMDMPARAM* param) {
    auto devmode = reinterpret_cast<UINT_PTR>(param->pPublicDMIn);
    auto section = reinterpret_cast<UINT_PTR>(param->pOEMDMIn);
    if (devmode == 0 || section < devmode)
        return sizeof(OemPrivateDevmode);
    UINT_PTR end = devmode + param->pPublicDMIn->dmSize + param->pPublicDMIn->dmDriverExtra;
    if (section >= end)
        return section == end ? 0 : sizeof(OemPrivateDevmode);
    return static_cast<DWORD>(end - section);
}

// A section with another signature belongs to some other plug-in and is replaced by ours;
// ours is copied for the smaller of the two sizes, so an older, shorter layout overwrites only
// its own length and a longer one is cut to ours.
void ValidatePrivateDevmode(const OEMDMPARAM* param) {
    auto* out = static_cast<OemPrivateDevmode*>(param->pOEMDMOut);
    if (param->pOEMDMIn == nullptr || out == nullptr)
        return;
    DWORD readable = ReadableInputBytes(param);
    // The core driver's devmode sizes may leave the input section at any byte: its header is
    // read by copying.
    OEM_DMEXTRAHEADER in = {};
    if (readable >= sizeof(in))
        CopyMemory(&in, param->pOEMDMIn, sizeof(in));
    if (readable < sizeof(in) || in.dwSignature != out->header.dwSignature) {
        InitialisePrivateDevmode(out);
        return;
    }
    DWORD size = in.dwSize < out->header.dwSize ? in.dwSize : out->header.dwSize;
    if (size > readable)
        size = readable;
    if (size > sizeof(OemPrivateDevmode))
        size = sizeof(OemPrivateDevmode);
    MoveMemory(out, param->pOEMDMIn, size);
    out->header.dwSize = sizeof(OemPrivateDevmode);
    out->header.dwVersion = kPluginVersion;
}

} // namespace

HRESULT PrivateDevmodeOperation(DWORD mode, POEMDMPARAM param, DWORD* error) {
    if (param == nullptr) {
        *error = ERROR_INVALID_PARAMETER;
        return E_FAIL;
    }
    auto* out = static_cast<OemPrivateDevmode*>(param->pOEMDMOut);
    // The core driver says how large the output section is: one shorter than ours is refused.
    bool writes = mode == OEMDM_DEFAULT || mode == OEMDM_CONVERT || mode == OEMDM_MERGE;
    if (writes && out != nullptr && param->cbBufSize < sizeof(OemPrivateDevmode)) {
        *error = ERROR_INSUFFICIENT_BUFFER;
        return E_FAIL;
    }
    switch (mode) {
    case OEMDM_SIZE:
        param->cbBufSize = sizeof(OemPrivateDevmode);
        return S_OK;
    case OEMDM_DEFAULT:
        if (out != nullptr)
            InitialisePrivateDevmode(out);
        return S_OK;
    case OEMDM_CONVERT:
        ValidatePrivateDevmode(param);
        return S_OK;
    case OEMDM_MERGE:
        // Whatever the input held, a merge leaves a freshly initialised section, so the input
        // is not read at all.
        if (out != nullptr)
            InitialisePrivateDevmode(out);
        return S_OK;
    default:
        *error = ERROR_INVALID_PARAMETER;
        return E_FAIL;
    }
}
