# The virtual embosser of siblings/virtual_embosser/: our printer link library.
# Windows: qvmonext.dll, exporting exactly the printer link's entry points (qvmonext.def), with
# its check program run under Wine by scripts/wine-embosser-check.sh (tests/wine_embosser/).
# Native: a static library for the tour and the tests/embosser/ suite.
file(GLOB EMBOSSER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/*.cpp)
set(EMBOSSER_DIR ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser)

if(WIN32)
    add_library(qvmonext SHARED ${EMBOSSER_SOURCES} ${EMBOSSER_DIR}/qvmonext.def
                ${CMAKE_SOURCE_DIR}/siblings/library_entry.cpp)
    set_target_properties(qvmonext PROPERTIES PREFIX "" OUTPUT_NAME qvmonext)
    target_include_directories(qvmonext PRIVATE ${EMBOSSER_DIR} ${CMAKE_SOURCE_DIR}/src)
    target_compile_definitions(qvmonext PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(qvmonext PRIVATE ${WARNINGS})
    target_link_options(qvmonext PRIVATE ${WINDOWS_LINK_OPTIONS})
    target_link_libraries(qvmonext PRIVATE kernel32)

    file(GLOB EMBOSSER_CHECK_SOURCES CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/tests/wine_embosser/*.cpp)
    if(EMBOSSER_CHECK_SOURCES)
        add_executable(wine_embosser_check ${EMBOSSER_CHECK_SOURCES}
                       ${CMAKE_SOURCE_DIR}/tests/wine_common/check_log.cpp
                       ${CMAKE_SOURCE_DIR}/tests/wine_common/folders.cpp)
        target_include_directories(wine_embosser_check PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine_common)
        target_compile_definitions(wine_embosser_check PRIVATE ${WINDOWS_DEFINITIONS})
        target_compile_options(wine_embosser_check PRIVATE ${WARNINGS})
        target_link_options(wine_embosser_check PRIVATE ${WINDOWS_LINK_OPTIONS})
        target_link_libraries(wine_embosser_check PRIVATE winspool)
        add_dependencies(wine_embosser_check qvmonext)
    endif()
else()
    add_library(virtual_embosser STATIC ${EMBOSSER_SOURCES})
    target_include_directories(virtual_embosser PUBLIC ${EMBOSSER_DIR})
    target_compile_options(virtual_embosser PRIVATE ${WARNINGS})
    target_link_libraries(virtual_embosser PUBLIC winsim)
    # tests/embosser/ is one of the suites made from the folders of tests/.
    if(TARGET embosser_tests)
        target_link_libraries(embosser_tests PRIVATE virtual_embosser)
    endif()
endif()
