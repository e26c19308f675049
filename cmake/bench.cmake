# bench.exe: times the printing preferences under Wine against a bare sheet of the same dialog
# templates (scripts/bench.sh). It reuses the end-to-end program's window helpers and the printer
# folder's way of opening the preferences. Not part of the tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/bench/*.cpp)
set(BENCH_E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e/program)
if(BENCH_SOURCES AND TARGET qvdrvui AND EXISTS ${BENCH_E2E_DIR}/sheet_windows.cpp)
    add_executable(bench ${BENCH_SOURCES} ${BENCH_E2E_DIR}/sheet_windows.cpp
                   ${BENCH_E2E_DIR}/application_window.cpp ${CMAKE_SOURCE_DIR}/tests/wine/check_log.cpp
                   ${CMAKE_SOURCE_DIR}/host/printer_tool/printer_folder.cpp)
    target_include_directories(bench PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host
                               ${BENCH_E2E_DIR} ${CMAKE_SOURCE_DIR}/tests/wine)
    target_compile_definitions(bench PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(bench PRIVATE ${WARNINGS})
    target_link_options(bench PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(bench PRIVATE winspool comctl32 compstui user32 gdi32 advapi32)
    add_dependencies(bench qvembui qvdrvui)
endif()
