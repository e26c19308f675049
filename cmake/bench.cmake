# bench.exe: times the printing preferences under Wine against a bare sheet of the same dialog
# templates (scripts/bench.sh), a person of host/person/ at both. Not part of the tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/bench/*.cpp)
if(BENCH_SOURCES AND TARGET qvperson AND TARGET qvdrvui)
    add_executable(bench ${BENCH_SOURCES})
    target_include_directories(bench PRIVATE ${PLUGIN_INCLUDES})
    target_compile_options(bench PRIVATE ${WARNINGS})
    target_link_options(bench PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(bench PRIVATE qvperson)
    add_dependencies(bench qvembui qvdrvui)
endif()
