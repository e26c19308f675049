# bench.exe: times the printing preferences under Wine against a bare sheet of the same dialog
# templates (scripts/bench.sh). It reuses the end-to-end program's window helpers and the printer
# folder's way of opening the preferences. Not part of the tests.
include(${CMAKE_SOURCE_DIR}/cmake/e2e_helper_program.cmake)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/bench/*.cpp)
if(BENCH_SOURCES AND TARGET qvdrvui AND EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/program/sheet_windows.cpp)
    add_e2e_helper_program(bench SOURCES ${BENCH_SOURCES}
                           E2E sheet_windows.cpp application_window.cpp)
endif()
