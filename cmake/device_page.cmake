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
if(DEVICE_PAGE_CHECK_SOURCES AND TARGET qvdrvui AND TARGET qvmonext)
    add_executable(wine_device_page ${DEVICE_PAGE_CHECK_SOURCES} ${DEVICE_PAGE_HOST_SOURCES}
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/check_log.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/test_printer.cpp
                   ${CMAKE_SOURCE_DIR}/tests/wine_common/folders.cpp
                   ${CMAKE_SOURCE_DIR}/host/gallery/screen_area.cpp)
    set_target_properties(wine_device_page PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DEVICE_PAGE_OUTPUT})
    target_include_directories(wine_device_page PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine_common
                               ${CMAKE_SOURCE_DIR}/host/device_page ${CMAKE_SOURCE_DIR}/host/gallery)
    target_compile_options(wine_device_page PRIVATE ${WARNINGS})
    target_compile_options(wine_device_page PRIVATE -municode)
    target_link_options(wine_device_page PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(wine_device_page PRIVATE qvdevpage winspool comctl32 compstui gdi32 ole32
                          uuid)
    # The program installs the printer, with the virtual embosser as its printer link, from the
    # folder it runs in: the libraries are copied there at every build, so it never runs old ones.
    add_custom_target(wine_device_page_libraries
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:qvembui>
                $<TARGET_FILE:qvdrvui> $<TARGET_FILE:qvmonext> ${DEVICE_PAGE_OUTPUT}
        DEPENDS qvembui qvdrvui qvmonext)
    add_dependencies(wine_device_page wine_device_page_libraries)
endif()
