include_guard(GLOBAL)
# The Windows test programs, run under Wine by scripts/wine-tests.sh: GoogleTest cross-built from
# Debian's sources, the person library of host/person/ (product code: the gallery and the
# benchmark use it too), the tests' support library of tests/wine/support/, and one program per
# folder tests/wine/<program>/, named <program>_tests.exe. The programs load the DLLs the prefix's
# printer was installed with, so they are built with them.
set(GOOGLETEST_SOURCE /usr/src/googletest/googletest)
if(NOT TARGET gtest AND EXISTS ${GOOGLETEST_SOURCE}/CMakeLists.txt)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

file(GLOB PERSON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/person/*.cpp)
add_library(qvperson STATIC ${PERSON_SOURCES}
            ${CMAKE_SOURCE_DIR}/host/printer_tool/printer_folder.cpp)
target_include_directories(qvperson PUBLIC ${CMAKE_SOURCE_DIR}/host PRIVATE ${PLUGIN_INCLUDES})
target_compile_definitions(qvperson PUBLIC ${WINDOWS_DEFINITIONS})
target_compile_options(qvperson PRIVATE ${WARNINGS})
target_link_libraries(qvperson PUBLIC winspool compstui comctl32 msimg32 gdi32 user32 version oleacc
                      oleaut32)

file(GLOB WINE_SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/support/*.cpp)
file(GLOB WINE_PROGRAM_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/wine/*)
if(TARGET gtest AND WINE_SUPPORT_SOURCES)
    # The host's core-driver stand-in comes with it: the programs drive the plug-in through it.
    add_library(wine_test_support STATIC ${WINE_SUPPORT_SOURCES} ${WINE_HOST_SOURCES})
    target_include_directories(wine_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/wine/support
                               ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host)
    target_compile_options(wine_test_support PRIVATE ${WARNINGS})
    target_link_libraries(wine_test_support PUBLIC qvperson gtest winspool comctl32 ole32 uuid
                          ntdll)
    foreach(dir ${WINE_PROGRAM_DIRS})
        get_filename_component(program ${dir} NAME)
        file(GLOB PROGRAM_SOURCES CONFIGURE_DEPENDS ${dir}/*.cpp)
        if(IS_DIRECTORY ${dir} AND NOT program STREQUAL "support" AND PROGRAM_SOURCES)
            add_executable(${program}_tests ${PROGRAM_SOURCES})
            target_compile_options(${program}_tests PRIVATE ${WARNINGS})
            target_link_options(${program}_tests PRIVATE ${WINDOWS_LINK_OPTIONS})
            target_link_libraries(${program}_tests PRIVATE wine_test_support)
            add_dependencies(${program}_tests qvembui qvdrvui qvmonext qvlocale qvdevapi qvprinter)
        endif()
    endforeach()
endif()
