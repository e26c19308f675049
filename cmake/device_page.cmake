# The device page (host/device_page/): the plug-in's option items drawn as a tree on Windows,
# where the system's common property sheet service would draw them and Wine's does not. The
# configuration module links qvdevpage together with host/option_items.cpp and
# host/device_tree_driver.cpp (both in host/*.cpp).
file(GLOB DEVICE_PAGE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/device_page/*.cpp)
add_library(qvdevpage STATIC ${DEVICE_PAGE_SOURCES})
target_include_directories(qvdevpage PUBLIC ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host)
target_compile_definitions(qvdevpage PUBLIC ${WINDOWS_DEFINITIONS})
target_compile_options(qvdevpage PRIVATE ${WARNINGS})
target_link_libraries(qvdevpage PUBLIC comctl32 user32)

# Its check under Wine (scripts/wine-device-page-check.sh): the real plug-in's device settings
# tree in the page, in a real property sheet, with the virtual embosser as the printer link. The
# sources sit in sub-folders of tests/wine_device_page/ so that the native build, which makes a
# suite of every tests/<folder>/*.cpp, leaves them alone.
file(GLOB DEVICE_PAGE_CHECK_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tests/wine_device_page/program/*.cpp)
file(GLOB DEVICE_PAGE_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
set(DEVICE_PAGE_OUTPUT ${CMAKE_BINARY_DIR}/wine_device_page)
if(DEVICE_PAGE_CHECK_SOURCES AND TARGET driverui)
    # The virtual embosser as qvmonext.dll, in a folder of its own so that it cannot be taken for
    # another build of the printer link.
    add_library(device_page_printer_link SHARED
                ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/virtual_embosser.cpp
                ${CMAKE_SOURCE_DIR}/tests/wine_device_page/printer_link/printer_link_module.cpp
                ${CMAKE_SOURCE_DIR}/tests/wine_device_page/printer_link/qvmonext.def)
    set_target_properties(device_page_printer_link PROPERTIES
                          PREFIX "" OUTPUT_NAME qvmonext
                          RUNTIME_OUTPUT_DIRECTORY ${DEVICE_PAGE_OUTPUT})
    target_include_directories(device_page_printer_link PRIVATE
                               ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser)
    target_compile_definitions(device_page_printer_link PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(device_page_printer_link PRIVATE ${WARNINGS})
    target_link_options(device_page_printer_link PRIVATE ${WINDOWS_LINK_OPTIONS})

    add_executable(wine_device_page ${DEVICE_PAGE_CHECK_SOURCES} ${DEVICE_PAGE_HOST_SOURCES}
                   ${CMAKE_SOURCE_DIR}/tests/wine/check_log.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine/test_printer.cpp)
    set_target_properties(wine_device_page PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DEVICE_PAGE_OUTPUT})
    target_include_directories(wine_device_page PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine
                               ${CMAKE_SOURCE_DIR}/host/device_page)
    target_compile_options(wine_device_page PRIVATE ${WARNINGS})
    target_compile_options(wine_device_page PRIVATE -municode)
    target_link_options(wine_device_page PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(wine_device_page PRIVATE qvdevpage winspool comctl32 compstui gdi32 ole32
                          uuid)
    add_dependencies(wine_device_page qvembui driverui device_page_printer_link)
    # The program installs the printer from the folder it runs in.
    add_custom_command(TARGET wine_device_page POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:qvembui>
                $<TARGET_FILE:driverui> ${DEVICE_PAGE_OUTPUT})
endif()
