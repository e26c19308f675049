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

