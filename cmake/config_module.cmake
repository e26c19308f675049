# The printer driver's configuration module, qvdrvui.dll: the core-driver stand-in of host/ built
# for Windows, with the entry points the spooler calls (host/config_module/). In a Wine prefix it
# opens the plug-in's pages whenever a program asks for the printer's preferences or properties.
file(GLOB CONFIG_MODULE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/config_module/*.cpp)
file(GLOB CONFIG_MODULE_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
# The device page that draws the plug-in's option items, when it is part of the tree.
file(GLOB CONFIG_MODULE_PAGE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/device_page/*.cpp
     ${CMAKE_SOURCE_DIR}/host/device_page/*.rc)
if(CONFIG_MODULE_SOURCES)
    add_library(qvdrvui SHARED ${CONFIG_MODULE_SOURCES} ${CONFIG_MODULE_HOST_SOURCES}
                ${CONFIG_MODULE_PAGE_SOURCES} ${CMAKE_SOURCE_DIR}/host/config_module/qvdrvui.def)
    set_target_properties(qvdrvui PROPERTIES PREFIX "" OUTPUT_NAME qvdrvui)
    target_include_directories(qvdrvui PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host)
    target_compile_definitions(qvdrvui PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(qvdrvui PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${WARNINGS}>)
    target_link_options(qvdrvui PRIVATE ${WINDOWS_LINK_OPTIONS})
    if(CONFIG_MODULE_PAGE_SOURCES)
        target_compile_definitions(qvdrvui PRIVATE QV_HAS_DEVICE_PAGE)
    endif()
    target_link_libraries(qvdrvui PRIVATE winspool comctl32 user32 gdi32 advapi32 ole32 uuid
                          kernel32)
endif()

# The end-to-end program: an application that opens the printer's preferences and properties
# through the spooler and acts on the pages as a person does (scripts/e2e-tests.sh). Its sources
# sit in tests/e2e/program/ so that the native build, which makes a suite of every
# tests/<folder>/*.cpp, leaves them alone.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/program/*.cpp)
if(E2E_SOURCES AND CONFIG_MODULE_SOURCES)
    # The Wine check's report and printer-data reading, the printer folder's actions, and the
    # process's resource counts.
    add_executable(e2e_tests ${E2E_SOURCES} ${CMAKE_SOURCE_DIR}/tests/wine_common/check_log.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/folders.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/test_printer.cpp
                   ${CMAKE_SOURCE_DIR}/host/printer_tool/printer_folder.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine/support/process_counts.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine/support/counter_heap.cpp)
    target_include_directories(e2e_tests PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host
                               ${CMAKE_SOURCE_DIR}/tests/wine_common ${CMAKE_SOURCE_DIR}/tests/wine/support)
    target_compile_definitions(e2e_tests PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(e2e_tests PRIVATE ${WARNINGS})
    target_link_options(e2e_tests PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(e2e_tests PRIVATE winspool comctl32 compstui user32 gdi32 advapi32
                          psapi ntdll)
    add_dependencies(e2e_tests qvembui qvdrvui)
endif()

# qvprinter.exe: installs the printer in a prefix and opens its sheets (scripts/install-prefix.sh).
set(PRINTER_FOLDER_SOURCE ${CMAKE_SOURCE_DIR}/host/printer_tool/printer_folder.cpp)
if(CONFIG_MODULE_SOURCES AND EXISTS ${PRINTER_FOLDER_SOURCE})
    add_executable(qvprinter ${CMAKE_SOURCE_DIR}/host/printer_tool/main.cpp ${PRINTER_FOLDER_SOURCE})
    target_include_directories(qvprinter PRIVATE ${CMAKE_SOURCE_DIR}/host)
    target_compile_definitions(qvprinter PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(qvprinter PRIVATE ${WARNINGS})
    target_link_options(qvprinter PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(qvprinter PRIVATE winspool compstui)
    add_dependencies(qvprinter qvembui qvdrvui)
endif()
