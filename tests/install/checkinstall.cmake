# Installs the build into a scratch prefix, under a umask that would hide
# every folder from other users, and checks that a desktop finds the program,
# its comment file, its desktop entry and its icon, and that other users can
# open every folder.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND sh -c "umask 077 && exec \"$0\" --install \"$1\" --prefix \"$2\""
                        "${CMAKE_COMMAND}" "${BUILD_DIR}" "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path bin/zel lib/zel/zel lib/zel/AboutComment.txt
             share/applications/io.github.zelticker.zel.desktop
             share/icons/hicolor/scalable/apps/zel.svg)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "the installed tree has no ${path}")
    endif()
endforeach()
file(READ "${PREFIX}/share/applications/io.github.zelticker.zel.desktop" entry)
if(NOT entry MATCHES "\nExec=zel\n" OR NOT entry MATCHES "\nIcon=zel\n")
    message(FATAL_ERROR "the desktop entry does not start zel with its icon")
endif()
execute_process(COMMAND find "${PREFIX}" -type d ! -perm 755 OUTPUT_VARIABLE closed)
if(NOT closed STREQUAL "")
    message(FATAL_ERROR "folders other users cannot open:\n${closed}")
endif()
