# gallery.exe: the main job's tour of the printer installed in a prefix (scripts/run-main.sh). It
# reuses the end-to-end program's person and window helpers and the printer folder's actions.
include(${CMAKE_SOURCE_DIR}/cmake/e2e_helper_program.cmake)
file(GLOB GALLERY_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/gallery/*.cpp)
if(GALLERY_SOURCES AND TARGET qvdrvui AND EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/program/person.cpp)
    add_e2e_helper_program(gallery SOURCES ${GALLERY_SOURCES}
                           E2E person.cpp sheet_windows.cpp application_window.cpp
                               embosser_state.cpp)
endif()
