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

// A section with another signature belongs to some other plug-in and is replaced by ours;
// ours is copied for the smaller of the two sizes, so an older, shorter layout overwrites only
// its own length and a longer one is cut to ours.
void ValidatePrivateDevmode(const OemPrivateDevmode* in, OemPrivateDevmode* out) {
    if (in == nullptr || out == nullptr)
        return;
    if (in->header.dwSignature != out->header.dwSignature) {
        InitialisePrivateDevmode(out);
        return;
    }
    DWORD size = in->header.dwSize < out->header.dwSize ? in->header.dwSize : out->header.dwSize;
    if (size > sizeof(OemPrivateDevmode))
        size = sizeof(OemPrivateDevmode);
    MoveMemory(out, in, size);
    out->header.dwSize = sizeof(OemPrivateDevmode);
    out->header.dwVersion = kPluginVersion;
}

} // namespace

HRESULT PrivateDevmodeOperation(DWORD mode, POEMDMPARAM param) {
    if (param == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    auto* in = static_cast<const OemPrivateDevmode*>(param->pOEMDMIn);
    auto* out = static_cast<OemPrivateDevmode*>(param->pOEMDMOut);
    switch (mode) {
    case OEMDM_SIZE:
        param->cbBufSize = sizeof(OemPrivateDevmode);
        return S_OK;
    case OEMDM_DEFAULT:
        if (out != nullptr)
            InitialisePrivateDevmode(out);
        return S_OK;
    case OEMDM_CONVERT:
        ValidatePrivateDevmode(in, out);
        return S_OK;
    case OEMDM_MERGE:
        ValidatePrivateDevmode(in, out);
        if (out != nullptr)
            InitialisePrivateDevmode(out);
        return S_OK;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
}
