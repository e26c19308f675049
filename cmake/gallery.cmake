# gallery.exe: the main job's tour of the printer installed in a prefix (scripts/run-main.sh). It
# reuses the end-to-end program's person and window helpers and the printer folder's actions.
file(GLOB GALLERY_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/gallery/*.cpp)
set(GALLERY_E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e/program)
if(GALLERY_SOURCES AND TARGET qvdrvui AND EXISTS ${GALLERY_E2E_DIR}/person.cpp)
    add_executable(gallery ${GALLERY_SOURCES} ${GALLERY_E2E_DIR}/person.cpp
                   ${GALLERY_E2E_DIR}/sheet_windows.cpp ${GALLERY_E2E_DIR}/application_window.cpp
                   ${GALLERY_E2E_DIR}/embosser_state.cpp ${CMAKE_SOURCE_DIR}/tests/wine/check_log.cpp
                   ${CMAKE_SOURCE_DIR}/host/printer_tool/printer_folder.cpp)
    target_include_directories(gallery PRIVATE ${PLUGIN_INCLUDES} ${CMAKE_SOURCE_DIR}/host
                               ${GALLERY_E2E_DIR} ${CMAKE_SOURCE_DIR}/tests/wine)
    target_compile_definitions(gallery PRIVATE ${WINDOWS_DEFINITIONS})
    target_compile_options(gallery PRIVATE ${WARNINGS})
    target_link_options(gallery PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(gallery PRIVATE winspool comctl32 compstui user32 gdi32 advapi32)
    add_dependencies(gallery qvembui qvdrvui)
endif()
