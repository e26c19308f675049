# The soak program of tests/wine_soak/ (scripts/wine-soak.sh): the core-driver stand-in opens and
# closes the printer's dialogs many times under Wine and compares what the process holds. It uses
# the test printer and the check report of tests/wine_common/.
file(GLOB SOAK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine_soak/*.cpp)
if(SOAK_SOURCES AND WINE_HOST_SOURCES AND TARGET qvdrvui AND TARGET qvmonext)
    add_executable(wine_soak ${SOAK_SOURCES} ${WINE_HOST_SOURCES}
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/test_printer.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/check_log.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/folders.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine/support/process_counts.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine/support/counter_heap.cpp)
    target_include_directories(wine_soak PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host
                               ${CMAKE_SOURCE_DIR}/tests/wine_common ${CMAKE_SOURCE_DIR}/tests/wine/support)
    target_compile_definitions(wine_soak PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(wine_soak PRIVATE ${WARNINGS})
    target_link_options(wine_soak PRIVATE ${WINDOWS_LINK_OPTIONS})
    target_link_libraries(wine_soak PRIVATE winspool comctl32 ole32 uuid psapi ntdll)
    add_dependencies(wine_soak qvembui qvdrvui qvmonext)
endif()
