# The virtual embosser of siblings/virtual_embosser/: our printer link library, qvmonext.dll,
# exporting exactly the printer link's entry points (qvmonext.def). Its state file's rules are
# also built natively by the rules preset.
file(GLOB EMBOSSER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser/*.cpp)
set(EMBOSSER_DIR ${CMAKE_SOURCE_DIR}/siblings/virtual_embosser)

add_library(qvmonext SHARED ${EMBOSSER_SOURCES} ${EMBOSSER_DIR}/qvmonext.def
            ${CMAKE_SOURCE_DIR}/siblings/library_entry.cpp)
set_target_properties(qvmonext PROPERTIES PREFIX "" OUTPUT_NAME qvmonext)
target_include_directories(qvmonext PRIVATE ${EMBOSSER_DIR} ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(qvmonext PRIVATE ${WINDOWS_DEFINITIONS})
target_compile_options(qvmonext PRIVATE ${WARNINGS})
target_link_options(qvmonext PRIVATE ${WINDOWS_LINK_OPTIONS})
target_link_libraries(qvmonext PRIVATE kernel32 advapi32)
