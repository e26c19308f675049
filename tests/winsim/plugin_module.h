// The plug-in's module as winsim's own tests load it, with its compiled resources, and resource
// images built by hand.
#pragma once

#include "sim.h"

#include <cstddef>
#include <string>
#include <vector>

extern "C" const unsigned char qvembui_res[];
extern const std::size_t qvembui_res_size;

namespace simtest {

const char16_t kModulePath[] = u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\qvembui.dll";

// Registers the module at its place in the driver directory, with its compiled resources.
inline void RegisterPluginModule() {
    sim::RegisterModule(kModulePath, nullptr, {}, qvembui_res, qvembui_res_size);
}

inline HMODULE LoadPluginModule() {
    RegisterPluginModule();
    return LoadLibraryW(kModulePath);
}

// An activation context from the manifest (resource 2) of the module at `path`.
inline ACTCTXW ModuleManifest(const char16_t* path) {
    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path;
    context.lpResourceName = MAKEINTRESOURCEW(2);
    return context;
}

// A compiled .res image: the empty leading record, then one resource of the given type and id in
// US English, its size declared as `declaredSize` (a larger one makes a truncated image).
inline std::vector<unsigned char> ResImage(WORD type, WORD id, const std::string& data,
                                           DWORD declaredSize) {
    std::vector<unsigned char> image;
    auto dword = [&](DWORD v) {
        for (int i = 0; i < 4; ++i)
            image.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto record = [&](WORD recordType, WORD recordId, const std::string& bytes, DWORD size,
                      WORD language) {
        dword(size);
        dword(32);                                  // header size
        dword(0xFFFFu | (DWORD{recordType} << 16)); // type by ordinal
        dword(0xFFFFu | (DWORD{recordId} << 16));   // name by ordinal
        dword(0);                                   // data version
        dword(0x1030u | (DWORD{language} << 16));   // memory flags, language
        dword(0);                                   // version
        dword(0);                                   // characteristics
        image.insert(image.end(), bytes.begin(), bytes.end());
        while (image.size() % 4)
            image.push_back(0);
    };
    record(0, 0, "", 0, 0);
    record(type, id, data, declaredSize, 0x0409);
    return image;
}

inline std::vector<unsigned char> ResImage(WORD type, WORD id, const std::string& data) {
    return ResImage(type, id, data, static_cast<DWORD>(data.size()));
}

} // namespace simtest
