# The virtual embosser of siblings/virtual_embosser/: our printer link library.
# Windows: qvmonext.dll, exporting exactly the printer link's entry points (qvmonext.def), which
# service_tests.exe (tests/wine/service/) drives through the plug-in. Native: a static library
# for the tour.
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
else()
    add_library(virtual_embosser STATIC ${EMBOSSER_SOURCES})
    target_include_directories(virtual_embosser PUBLIC ${EMBOSSER_DIR})
    target_compile_options(virtual_embosser PRIVATE ${WARNINGS})
    target_link_libraries(virtual_embosser PUBLIC winsim)
endif()
