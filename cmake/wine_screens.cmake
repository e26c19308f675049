# The screenshot program of scripts/wine-screens.sh: the core-driver stand-in of host/ showing the
# plug-in's pages under Wine on a real display, with its own small configuration module; both are
# placed next to qvembui.dll.
file(GLOB WINE_SCREENS_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
file(GLOB WINE_SCREENS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine_screens/*.cpp)
if(WINE_SCREENS_HOST_SOURCES AND WINE_SCREENS_SOURCES)
    add_library(screensui SHARED ${CMAKE_SOURCE_DIR}/tests/wine_screens/config_module/screens_config_module.cpp)
    set_target_properties(screensui PROPERTIES PREFIX "" OUTPUT_NAME screensui)
    target_compile_definitions(screensui PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(screensui PRIVATE ${WARNINGS})
    target_link_options(screensui PRIVATE ${WINDOWS_LINK_OPTIONS})

    add_executable(wine_screens ${WINE_SCREENS_HOST_SOURCES} ${WINE_SCREENS_SOURCES})
    target_include_directories(wine_screens PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host)
    target_compile_definitions(wine_screens PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(wine_screens PRIVATE ${WARNINGS})
    target_link_options(wine_screens PRIVATE ${WINDOWS_LINK_OPTIONS})
    target_link_libraries(wine_screens PRIVATE winspool comctl32 ole32 uuid)
    add_dependencies(wine_screens qvembui screensui)
endif()
