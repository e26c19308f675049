// The virtual embosser as a printer link library: it starts in its factory state, with an ink
// unit, when the plug-in loads it. Its state lives in the process, so the check program reads
// what the device page sent through the same library's settings block.
#include "virtual_embosser.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        ResetVirtualEmbosser(true);
    return TRUE;
}
