# The native build of what the plug-in and its sibling stand-ins decide without a window: the rule
# code of src/ and siblings/ against tests/native/ (the platform's types and the few string
# helpers the rules call), its GoogleTest suite tests/rules/, and the libFuzzer targets of
# tests/fuzz/targets/. Built with clang, AddressSanitizer and UndefinedBehaviorSanitizer (preset
# "rules"); every object carries libFuzzer's coverage instrumentation, which the test program
# links harmlessly.
enable_testing()
find_package(GTest REQUIRED)

# The rule code, file by file: each compiles against tests/native/include alone.
set(RULE_SOURCES
    ${CMAKE_SOURCE_DIR}/src/core/private_devmode.cpp
    ${CMAKE_SOURCE_DIR}/src/link/settings_block.cpp
    ${CMAKE_SOURCE_DIR}/src/settings/stored_values.cpp
    ${CMAKE_SOURCE_DIR}/src/settings/load_corrections.cpp
    ${CMAKE_SOURCE_DIR}/src/settings/locale_answers.cpp
    ${CMAKE_SOURCE_DIR}/src/settings/typed_number.cpp
    ${CMAKE_SOURCE_DIR}/src/service/information_text.cpp
    ${CMAKE_SOURCE_DIR}/src/pages/chosen_path.cpp
    ${CMAKE_SOURCE_DIR}/src/media/paper_lists.cpp
    ${CMAKE_SOURCE_DIR}/src/media/new_form.cpp
    ${CMAKE_SOURCE_DIR}/src/media/typed_dot_values.cpp
    ${CMAKE_SOURCE_DIR}/src/device/typed_distances.cpp
    ${CMAKE_SOURCE_DIR}/src/service/network_changes.cpp
    ${CMAKE_SOURCE_DIR}/siblings/locale/catalogue.cpp
    ${CMAKE_SOURCE_DIR}/siblings/locale/catalogue_parser.cpp
    ${CMAKE_SOURCE_DIR}/siblings/locale/locale_codes.cpp
    ${CMAKE_SOURCE_DIR}/siblings/locale/utf8_text.cpp
    ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/embosser_state.cpp
    ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/embosser_texts.cpp
    ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/parameters.cpp
    ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/requests.cpp
    ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/state_keys.cpp
    ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/state_text.cpp
    ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/text_buffer.cpp
)
file(GLOB NATIVE_PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)

if(NOT RULE_SOURCES AND NOT NATIVE_PLATFORM_SOURCES)
    return()
endif()
add_library(qvembui_rules STATIC ${RULE_SOURCES} ${NATIVE_PLATFORM_SOURCES})
target_include_directories(qvembui_rules PUBLIC ${CMAKE_SOURCE_DIR}/tests/native/include
                           ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/siblings)
target_compile_options(qvembui_rules PRIVATE ${WARNINGS} -fsanitize=fuzzer-no-link)

file(GLOB RULE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/rules/*.cpp)
if(RULE_TEST_SOURCES)
    include(GoogleTest)
    add_executable(rules_tests ${RULE_TEST_SOURCES})
    target_compile_options(rules_tests PRIVATE ${WARNINGS})
    target_link_libraries(rules_tests PRIVATE qvembui_rules GTest::gtest_main)
    gtest_discover_tests(rules_tests DISCOVERY_TIMEOUT 30)
endif()

# One program per target tests/fuzz/targets/<name>.cpp, named <name>_fuzzer.
set(FUZZ_TARGET_NAMES
    private_devmode
    settings_block
    printer_data
    locale_answers
    printer_status
    chosen_paths
    paper_names
    typed_texts
)
set(FUZZ_TARGETS "")
foreach(name ${FUZZ_TARGET_NAMES})
    add_executable(${name}_fuzzer ${CMAKE_SOURCE_DIR}/tests/fuzz/targets/${name}.cpp)
    target_compile_options(${name}_fuzzer PRIVATE ${WARNINGS})
    target_link_libraries(${name}_fuzzer PRIVATE qvembui_rules)
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer)
    list(APPEND FUZZ_TARGETS ${name}_fuzzer)
endforeach()
add_custom_target(fuzz_targets DEPENDS ${FUZZ_TARGETS})
