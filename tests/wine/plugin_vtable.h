// The plug-in object as the core driver reaches it: a pointer to a table of methods in the
// published order (IUnknown's three, IPrintOemCommon's two, IPrintOemUI's twelve, then
// IPrintOemUI2's three), each called with the object as its first argument. Calling through these
// slots, rather than through our own C++ declaration, is what shows that the declaration puts every
// method where the real host looks for it.
#pragma once

#include "core/oem_interface.h"

#include <cstddef>

enum PluginSlot {
    kSlotQueryInterface = 0,
    kSlotAddRef,
    kSlotRelease,
    kSlotGetInfo,
    kSlotDevMode,
    kSlotPublishDriverInterface,
    kSlotCommonUIProp,
    kSlotDocumentPropertySheets,
    kSlotDevicePropertySheets,
    kSlotDevQueryPrintEx,
    kSlotDeviceCapabilities,
    kSlotUpgradePrinter,
    kSlotPrinterEvent,
    kSlotDriverEvent,
    kSlotQueryColorProfile,
    kSlotFontInstallerDlgProc,
    kSlotUpdateExternalFonts,
    kSlotQueryJobAttributes,
    kSlotHideStandardUI,
    kSlotDocumentEvent,
};

typedef HRESULT(STDMETHODCALLTYPE* GetInfoMethod)(void* self, DWORD mode, PVOID buffer, DWORD size,
                                                  PDWORD needed);
typedef HRESULT(STDMETHODCALLTYPE* DevModeMethod)(void* self, DWORD mode, POEMDMPARAM param);
typedef HRESULT(STDMETHODCALLTYPE* DeviceCapabilitiesMethod)(
    void* self, POEMUIOBJ uiObject, HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
    PDEVMODEW publicDevmode, PVOID privateDevmode, DWORD old, DWORD* result);
typedef HRESULT(STDMETHODCALLTYPE* QueryColorProfileMethod)(
    void* self, HANDLE printer, POEMUIOBJ uiObject, PDEVMODEW publicDevmode, PVOID privateDevmode,
    ULONG queryMode, VOID* profile, ULONG* profileSize, FLONG* flags);
typedef HRESULT(STDMETHODCALLTYPE* HideStandardUIMethod)(void* self, DWORD mode);

template <typename Method> Method MethodAt(void* object, PluginSlot slot) {
    void** table = *static_cast<void***>(object);
    return reinterpret_cast<Method>(table[slot]);
}

// The records the core driver hands over, laid out as the platform documents them for 64-bit
// Windows: a field out of place would make the plug-in read the wrong member.
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "OEM_DMEXTRAHEADER");
static_assert(offsetof(OEMDMPARAM, hModule) == 24 && offsetof(OEMDMPARAM, pOEMDMIn) == 48 &&
                  offsetof(OEMDMPARAM, cbBufSize) == 64 && sizeof(OEMDMPARAM) == 72,
              "OEMDMPARAM");
static_assert(offsetof(OEMUIPSPARAM, hOEMHeap) == 40 && offsetof(OEMUIPSPARAM, pPublicDM) == 48 &&
                  offsetof(OEMUIPSPARAM, pOEMUserData) == 64 &&
                  offsetof(OEMUIPSPARAM, pOemEntry) == 80 && sizeof(OEMUIPSPARAM) == 88,
              "OEMUIPSPARAM");
static_assert(offsetof(OEMCUIPPARAM, dwFlags) == 64 && offsetof(OEMCUIPPARAM, pOEMOptItems) == 88 &&
                  offsetof(OEMCUIPPARAM, cOEMOptItems) == 96 &&
                  offsetof(OEMCUIPPARAM, OEMCUIPCallback) == 112 && sizeof(OEMCUIPPARAM) == 120,
              "OEMCUIPPARAM");
