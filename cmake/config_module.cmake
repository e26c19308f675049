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

# qvprinter.exe: installs the printer in a prefix and opens its sheets (scripts/install-prefix.sh).
set(PRINTER_FOLDER_SOURCE ${CMAKE_SOURCE_DIR}/host/printer_tool/printer_folder.cpp)
if(CONFIG_MODULE_SOURCES AND EXISTS ${PRINTER_FOLDER_SOURCE})
    add_executable(qvprinter ${CMAKE_SOURCE_DIR}/host/printer_tool/main.cpp ${PRINTER_FOLDER_SOURCE})
    target_include_directories(qvprinter PRIVATE ${CMAKE_SOURCE_DIR}/host)
    target_compile_definitions(qvprinter PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(qvprinter PRIVATE ${WARNINGS})
    target_link_options(qvprinter PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(qvprinter PRIVATE winspool compstui version)
    add_dependencies(qvprinter qvembui qvdrvui)
endif()
