# libFuzzer targets over the native build: the plug-in's sources against winsim, fed by the
# fuzzer through the same platform calls the plug-in makes on Windows. Built in the asan tree
# (clang, AddressSanitizer, UndefinedBehaviorSanitizer) so no extra full build is needed: the
# plug-in library carries the fuzzer's coverage instrumentation, which the ordinary test
# programs link harmlessly, and only the targets link libFuzzer's driver.
option(QVEMBUI_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(NOT QVEMBUI_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (libFuzzer); configure with the asan preset")
endif()

# Coverage is gathered from the plug-in's own sources only (ccache may pass them as relative
# paths, hence the pattern): the standard library's inline code, which winsim shares, would
# otherwise dominate both the feedback and the run time.
set(FUZZ_COVERAGE_LIST ${CMAKE_BINARY_DIR}/fuzz_coverage_plugin.txt)
# Written only when its content changes, so that a new configure does not rebuild the plug-in.
file(CONFIGURE OUTPUT ${FUZZ_COVERAGE_LIST} CONTENT "src:*/src/*\nfun:*\n")
set_source_files_properties(${PLUGIN_SOURCES} PROPERTIES OBJECT_DEPENDS ${FUZZ_COVERAGE_LIST})
target_compile_options(qvembui_plugin PRIVATE -fsanitize=fuzzer-no-link
                       -fsanitize-coverage-allowlist=${FUZZ_COVERAGE_LIST})

set(FUZZ_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz)
file(GLOB FUZZ_HARNESS_SOURCES CONFIGURE_DEPENDS ${FUZZ_DIR}/harness/*.cpp)
add_library(fuzz_harness OBJECT ${FUZZ_HARNESS_SOURCES})
target_include_directories(fuzz_harness PUBLIC ${FUZZ_DIR} ${CMAKE_SOURCE_DIR})
target_compile_options(fuzz_harness PRIVATE ${WARNINGS})
target_link_libraries(fuzz_harness PUBLIC qvembui_plugin qvembui_res winsim)
if(HOST_SOURCES)
    target_link_libraries(fuzz_harness PUBLIC qvhost)
endif()

# One program per tests/fuzz/targets/<name>.cpp, named <name>_fuzzer.
set(FUZZ_TARGETS "")
file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${FUZZ_DIR}/targets/*.cpp)
foreach(source ${FUZZ_TARGET_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    # Targets that drive the rule code directly are built by the rules preset.
    file(STRINGS ${source} rule_target REGEX "^// rules build$")
    if(rule_target)
        continue()
    endif()
    add_executable(${name}_fuzzer ${source})
    target_compile_options(${name}_fuzzer PRIVATE ${WARNINGS})
    target_link_libraries(${name}_fuzzer PRIVATE fuzz_harness)
    # winsim's _wtof (mangled) goes through the harness, which plays both C runtimes.
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer -Wl,--wrap=_Z5_wtofPKDs)
    list(APPEND FUZZ_TARGETS ${name}_fuzzer)
endforeach()
add_custom_target(fuzz_targets DEPENDS ${FUZZ_TARGETS})
