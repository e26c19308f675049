# The real plug-in: qvembui.dll, cross-compiled with mingw-w64 against the platform's headers.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${RES_DIR}")

set(WINDOWS_DEFINITIONS UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601)
set(WINDOWS_LINK_OPTIONS -static -static-libgcc -static-libstdc++)

add_library(qvembui SHARED ${PLUGIN_SOURCES} ${RES_DIR}/qvembui.rc ${RES_DIR}/qvembui.def)
set_target_properties(qvembui PROPERTIES PREFIX "" OUTPUT_NAME qvembui)
set_source_files_properties(${RES_DIR}/qvembui.rc PROPERTIES OBJECT_DEPENDS "${RES_INPUTS}")
target_include_directories(qvembui PRIVATE ${PLUGIN_INCLUDES})
target_compile_definitions(qvembui PRIVATE ${WINDOWS_DEFINITIONS})
target_compile_options(qvembui PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${WARNINGS}>)
target_link_options(qvembui PRIVATE ${WINDOWS_LINK_OPTIONS})
target_link_libraries(qvembui PRIVATE winspool comctl32 comdlg32 msimg32 gdi32 user32 advapi32
                      shell32 ole32 uuid version kernel32)

include(cmake/config_module.cmake)

# The core-driver stand-in of host/, which the Windows test programs drive the plug-in through.
file(GLOB WINE_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
include(cmake/virtual_embosser.cmake)
include(cmake/device_page.cmake)

# The shipped DLL's size options (preset "release").
include(cmake/release.cmake)

include(cmake/siblings.cmake)
include(cmake/wine_tests.cmake)
# The main job's gallery and the benchmark: the person library of wine_tests.cmake at the sheets.
include(cmake/gallery.cmake)
