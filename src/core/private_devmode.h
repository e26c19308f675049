// The plug-in's private devmode section: a 732-byte block holding only the standard plug-in
// header and a reserved, zero body. Settings live in printer data and the public devmode.
#pragma once

#include "core/oem_devmode.h"

struct OemPrivateDevmode {
    OEM_DMEXTRAHEADER header;
    BYTE body[720];
};
static_assert(sizeof(OemPrivateDevmode) == 732, "the private section is 732 bytes");

// Sizes, initialises, converts or merges the section as the core driver asks. A failure names
// the error the caller leaves as the thread's last error in *error.
HRESULT PrivateDevmodeOperation(DWORD mode, POEMDMPARAM param, DWORD* error);
