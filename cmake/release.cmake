# qvembui.dll as we ship it (preset "release"): optimised for size, unused functions and data
# dropped by the linker, optimised again at link time, stripped. The plug-in throws no
# exceptions and asks for no run-time type information, so without them the static C++ runtime's
# unwinder, terminate handler and name demangler stay out of the DLL (about 100 KiB).
if(NOT QVEMBUI_RELEASE)
    return()
endif()

set(RELEASE_COMPILE_OPTIONS -ffunction-sections -fdata-sections -fno-exceptions -fno-rtti -flto)
target_compile_options(qvembui PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${RELEASE_COMPILE_OPTIONS}>)
target_link_options(qvembui PRIVATE -Os -flto -Wl,--gc-sections -s)
