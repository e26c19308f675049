# The sibling libraries we play for the maker: the locale library (qvlocale.dll, with its
# catalogues) and the peripherals library (qvdevapi.dll). For Windows they are DLLs next to
# qvembui.dll.
file(GLOB QVLOCALE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/siblings/locale/*.cpp)
file(GLOB QVDEVAPI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/siblings/peripherals/*.cpp)
set(QVLOCALE_CATALOGUES ${CMAKE_SOURCE_DIR}/siblings/locale/catalogues)

foreach(library qvlocale qvdevapi)
    if(library STREQUAL "qvlocale")
        set(sources ${QVLOCALE_SOURCES} ${CMAKE_SOURCE_DIR}/siblings/locale/qvlocale.def)
    else()
        set(sources ${QVDEVAPI_SOURCES} ${CMAKE_SOURCE_DIR}/siblings/peripherals/qvdevapi.def)
    endif()
    add_library(${library} SHARED ${sources} ${CMAKE_SOURCE_DIR}/siblings/library_entry.cpp)
    set_target_properties(${library} PROPERTIES PREFIX "" OUTPUT_NAME ${library})
    target_include_directories(${library} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_definitions(${library} PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(${library} PRIVATE ${WARNINGS})
    target_link_options(${library} PRIVATE ${WINDOWS_LINK_OPTIONS})
endforeach()
target_link_libraries(qvdevapi PRIVATE winspool)
# The catalogues go where the installer picks them up: build/windows/locale/, again whenever one
# changes (the library is linked anew then).
file(GLOB QVLOCALE_CATALOGUE_FILES CONFIGURE_DEPENDS ${QVLOCALE_CATALOGUES}/*.txt)
set_property(TARGET qvlocale APPEND PROPERTY LINK_DEPENDS ${QVLOCALE_CATALOGUE_FILES})
add_custom_command(TARGET qvlocale POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${QVLOCALE_CATALOGUES}
            ${CMAKE_BINARY_DIR}/locale)
