# gallery.exe, the main job's tour of the printer installed in a prefix (scripts/run-main.sh), and
# bench.exe, which times the printing preferences against a bare sheet of the same dialog
# templates (scripts/bench.sh, not part of the tests): a person of host/person/ at the real sheets.
foreach(program gallery bench)
    file(GLOB PROGRAM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/${program}/*.cpp)
    if(PROGRAM_SOURCES AND TARGET qvperson AND TARGET qvdrvui)
        add_executable(${program} ${PROGRAM_SOURCES})
        target_include_directories(${program} PRIVATE ${PLUGIN_INCLUDES})
        target_compile_options(${program} PRIVATE ${WARNINGS})
        target_link_options(${program} PRIVATE ${WINDOWS_LINK_OPTIONS} -municode)
        target_link_libraries(${program} PRIVATE qvperson)
        # The benchmark's print server: the tests' seam that makes each spooler call wait.
        if(program STREQUAL "bench" AND TARGET wine_test_support)
            target_link_libraries(${program} PRIVATE wine_test_support)
        endif()
        add_dependencies(${program} qvembui qvdrvui)
    endif()
endforeach()
