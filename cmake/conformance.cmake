# winsim held against the platform: the tests of tests/conformance/*.cpp built twice from the same
# source. Natively they are the conformance_tests suite (made by native.cmake like every folder of
# tests/) with winsim's set-up of tests/conformance/winsim/; for Windows they are
# winsim_conformance.exe with real set-up calls (tests/conformance/windows/), run under Wine by
# scripts/wine-conformance.sh.
# tests/winsim/ stays native-only: it sets the machine up with winsim's own calls (injected
# faults, call logs, scripted people, leak accounting) that the real platform does not have.
file(GLOB CONFORMANCE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/conformance/*.cpp)
if(WIN32)
    # GoogleTest as the Windows test programs build it (wine_tests.cmake).
    if(CONFORMANCE_SOURCES AND TARGET gtest_main)
        file(GLOB CONFORMANCE_WINDOWS_SOURCES CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/tests/conformance/windows/*.cpp
             ${CMAKE_SOURCE_DIR}/tests/conformance/windows/*.rc)
        add_executable(winsim_conformance ${CONFORMANCE_SOURCES} ${CONFORMANCE_WINDOWS_SOURCES})
        target_include_directories(winsim_conformance PRIVATE ${CMAKE_SOURCE_DIR}/tests/conformance
                                   ${CMAKE_SOURCE_DIR}/src)
        target_compile_definitions(winsim_conformance PRIVATE ${WINDOWS_DEFINITIONS})
        target_compile_options(winsim_conformance PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${WARNINGS}>)
        target_link_options(winsim_conformance PRIVATE ${WINDOWS_LINK_OPTIONS})
        target_link_libraries(winsim_conformance PRIVATE gtest_main winspool comctl32 user32 gdi32
                              advapi32 kernel32)
        # The printer is installed with the configuration module that sits next to the program.
        if(TARGET qvdrvui)
            add_dependencies(winsim_conformance qvdrvui qvembui)
        endif()
    endif()
elseif(TARGET conformance_tests)
    file(GLOB CONFORMANCE_WINSIM_SOURCES CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/tests/conformance/winsim/*.cpp)
    target_sources(conformance_tests PRIVATE ${CONFORMANCE_WINSIM_SOURCES})
    target_include_directories(conformance_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/conformance
                                                 ${CMAKE_SOURCE_DIR}/src)
endif()
