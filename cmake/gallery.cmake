# gallery.exe: the main job's tour of the printer installed in a prefix (scripts/run-main.sh), a
# person of host/person/ at the real sheets.
file(GLOB GALLERY_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/gallery/*.cpp)
if(GALLERY_SOURCES AND TARGET qvperson AND TARGET qvdrvui)
    add_executable(gallery ${GALLERY_SOURCES})
    target_include_directories(gallery PRIVATE ${PLUGIN_INCLUDES})
    target_compile_options(gallery PRIVATE ${WARNINGS})
    target_link_options(gallery PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
    target_link_libraries(gallery PRIVATE qvperson)
    add_dependencies(gallery qvembui qvdrvui)
endif()
