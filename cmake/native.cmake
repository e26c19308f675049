# The native build: the same plug-in sources against winsim, the host stand-in and the tests.
enable_testing()
find_package(GTest REQUIRED)

find_program(WINDRES NAMES x86_64-w64-mingw32-windres REQUIRED)

# The resources are compiled by the same windres as the Windows build and embedded as the
# module's resource section, which winsim serves as the loader would.
set(RES_FILE ${CMAKE_BINARY_DIR}/qvembui.res)
set(RES_CPP ${CMAKE_BINARY_DIR}/qvembui_res.cpp)
add_custom_command(
    OUTPUT ${RES_FILE}
    COMMAND ${WINDRES} -I ${RES_DIR} -O res -o ${RES_FILE} ${RES_DIR}/qvembui.rc
    DEPENDS ${RES_INPUTS}
    WORKING_DIRECTORY ${RES_DIR}
    COMMENT "Compiling the plug-in's resources")
add_custom_command(
    OUTPUT ${RES_CPP}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${RES_FILE} -DOUTPUT=${RES_CPP} -DSYMBOL=qvembui_res
            -P ${CMAKE_SOURCE_DIR}/cmake/embed.cmake
    DEPENDS ${RES_FILE} ${CMAKE_SOURCE_DIR}/cmake/embed.cmake)
set_source_files_properties(${RES_CPP} PROPERTIES OBJECT_DEPENDS ${RES_FILE})
add_library(qvembui_res STATIC ${RES_CPP})

file(GLOB WINSIM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/winsim/src/*.cpp)
add_library(winsim STATIC ${WINSIM_SOURCES})
target_include_directories(winsim PUBLIC ${CMAKE_SOURCE_DIR}/winsim/include ${CMAKE_SOURCE_DIR}/winsim)
target_compile_options(winsim PRIVATE ${WARNINGS})

add_library(qvembui_plugin STATIC ${PLUGIN_SOURCES})
target_include_directories(qvembui_plugin PUBLIC ${PLUGIN_INCLUDES})
target_compile_options(qvembui_plugin PRIVATE ${WARNINGS})
target_link_libraries(qvembui_plugin PUBLIC winsim)

file(GLOB HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
if(HOST_SOURCES)
    add_library(qvhost STATIC ${HOST_SOURCES})
    target_include_directories(qvhost PUBLIC ${CMAKE_SOURCE_DIR}/host)
    target_compile_options(qvhost PRIVATE ${WARNINGS})
    target_link_libraries(qvhost PUBLIC qvembui_plugin winsim)
endif()

# The tour: the main job's walk through the printing preferences on a simulated machine.
file(GLOB TOUR_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/tour/*.cpp)
if(TOUR_SOURCES AND HOST_SOURCES)
    add_executable(qvembui_tour ${TOUR_SOURCES})
    target_compile_options(qvembui_tour PRIVATE ${WARNINGS})
    target_link_libraries(qvembui_tour PRIVATE qvhost virtual_embosser qvembui_res)
endif()

file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(test_support STATIC ${SUPPORT_SOURCES})
target_include_directories(test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR})
target_compile_options(test_support PRIVATE ${WARNINGS})
target_link_libraries(test_support PUBLIC qvembui_plugin qvembui_res winsim GTest::gtest)
if(HOST_SOURCES)
    target_link_libraries(test_support PUBLIC qvhost)
endif()

# One test program per folder of tests/ (support/ and the Wine programs wine*/ excepted):
# tests/<suite>/*.cpp -> <suite>_tests.
include(GoogleTest)
file(GLOB SUITE_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
foreach(dir ${SUITE_DIRS})
    get_filename_component(suite ${dir} NAME)
    # The rule tests and the platform header's helpers belong to the rules preset.
    if(IS_DIRECTORY ${dir} AND NOT suite MATCHES "^(support|native|rules)$" AND NOT suite MATCHES "^wine")
        file(GLOB SUITE_SOURCES CONFIGURE_DEPENDS ${dir}/*.cpp)
        if(SUITE_SOURCES)
            add_executable(${suite}_tests ${SUITE_SOURCES})
            target_compile_options(${suite}_tests PRIVATE ${WARNINGS})
            target_link_libraries(${suite}_tests PRIVATE test_support GTest::gtest_main)
            gtest_discover_tests(${suite}_tests DISCOVERY_TIMEOUT 30)
        endif()
    endif()
endforeach()

include(cmake/virtual_embosser.cmake)
include(cmake/siblings.cmake)
include(cmake/conformance.cmake)
