# A Windows program that reuses the end-to-end program's helpers: its own SOURCES, the files of
# tests/e2e/program/ named under E2E, the check report and folders of tests/wine_common/ and the
# printer folder's actions, built after qvembui.dll and qvdrvui.dll.
#   add_e2e_helper_program(<name> SOURCES <files> E2E <file names>)
include_guard(GLOBAL)

function(add_e2e_helper_program name)
    cmake_parse_arguments(PROGRAM "" "" "SOURCES;E2E" ${ARGN})
    set(e2e_dir ${CMAKE_SOURCE_DIR}/tests/e2e/program)
    list(TRANSFORM PROGRAM_E2E PREPEND ${e2e_dir}/)
    add_executable(${name} ${PROGRAM_SOURCES} ${PROGRAM_E2E}
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/check_log.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/folders.cpp
                   ${CMAKE_SOURCE_DIR}/host/printer_tool/printer_folder.cpp)
    target_include_directories(${name} PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host
                               ${e2e_dir} ${CMAKE_SOURCE_DIR}/tests/wine_common)
    target_compile_definitions(${name} PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(${name} PRIVATE ${WARNINGS})
    target_link_options(${name} PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(${name} PRIVATE winspool comctl32 compstui user32 gdi32 advapi32)
    add_dependencies(${name} qvembui qvdrvui)
endfunction()
