# The sibling libraries we play for the maker: the locale library (qvlocale.dll, with its
# catalogues) and the peripherals library (qvdevapi.dll). For Windows they are DLLs next to
# qvembui.dll; natively they are static libraries that the tests register with winsim's loader.
file(GLOB QVLOCALE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/siblings/locale/*.cpp)
file(GLOB QVDEVAPI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/siblings/peripherals/*.cpp)
set(QVLOCALE_CATALOGUES ${CMAKE_SOURCE_DIR}/siblings/locale/catalogues)

if(WIN32)
    foreach(library qvlocale qvdevapi)
        if(library STREQUAL "qvlocale")
            set(sources ${QVLOCALE_SOURCES} ${CMAKE_SOURCE_DIR}/siblings/locale/qvlocale.def)
        else()
            set(sources ${QVDEVAPI_SOURCES} ${CMAKE_SOURCE_DIR}/siblings/peripherals/qvdevapi.def)
        endif()
        add_library(${library} SHARED ${sources})
        set_target_properties(${library} PROPERTIES PREFIX "" OUTPUT_NAME ${library})
        target_compile_definitions(${library} PRIVATE ${WINDOWS_DEFINITIONS})
        target_compile_options(${library} PRIVATE ${WARNINGS})
        target_link_options(${library} PRIVATE ${WINDOWS_LINK_OPTIONS})
    endforeach()
    target_link_libraries(qvdevapi PRIVATE winspool)
    # The catalogues go where the installer picks them up: build/windows/locale/.
    add_custom_command(TARGET qvlocale POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${QVLOCALE_CATALOGUES}
                ${CMAKE_BINARY_DIR}/locale)

    # The pages in another language under Wine, for screenshots (scripts/wine-locale.sh).
    file(GLOB WINE_LOCALE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine_locale/*.cpp)
    if(WINE_LOCALE_SOURCES AND TARGET wine_check)
        add_executable(wine_locale ${WINE_LOCALE_SOURCES} ${WINE_HOST_SOURCES}
                       ${CMAKE_SOURCE_DIR}/tests/wine/test_printer.cpp
                       ${CMAKE_SOURCE_DIR}/tests/wine/check_log.cpp)
        target_include_directories(wine_locale PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host
                                   ${CMAKE_SOURCE_DIR}/tests/wine)
        target_compile_definitions(wine_locale PRIVATE ${WINDOWS_DEFINITIONS})
        target_compile_options(wine_locale PRIVATE ${WARNINGS})
        target_link_options(wine_locale PRIVATE ${WINDOWS_LINK_OPTIONS})
        target_link_libraries(wine_locale PRIVATE winspool comctl32 ole32 uuid)
        add_dependencies(wine_locale qvembui driverui qvlocale qvdevapi)
    endif()
else()
    add_library(qvlocale STATIC ${QVLOCALE_SOURCES})
    target_include_directories(qvlocale PUBLIC ${CMAKE_SOURCE_DIR}/siblings/locale)
    target_compile_options(qvlocale PRIVATE ${WARNINGS})
    target_link_libraries(qvlocale PUBLIC winsim)

    add_library(qvdevapi STATIC ${QVDEVAPI_SOURCES})
    target_include_directories(qvdevapi PUBLIC ${CMAKE_SOURCE_DIR}/siblings/peripherals)
    target_compile_options(qvdevapi PRIVATE ${WARNINGS})
    target_link_libraries(qvdevapi PUBLIC winsim)

    if(TARGET locale_tests)
        target_link_libraries(locale_tests PRIVATE qvlocale qvdevapi)
        target_compile_definitions(locale_tests PRIVATE
            QVLOCALE_CATALOGUES="${QVLOCALE_CATALOGUES}")
    endif()
endif()
