# Builds the Debian package into a scratch folder, under a umask that would
# hide every file from other users, and checks what a desktop and Debian need
# of it: the files in their places with their modes, the dependencies, the
# desktop entry and the software-centre metainfo against their validators,
# and lintian without errors or warnings. A build configured with the prefix
# /usr, as distributions configure it, must install the same paths.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${OUT_DIR}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${result}):\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "the package has no ${what}:\n${text}")
    endif()
endfunction()

run(sh -c "umask 077 && exec \"$0\" -G DEB --config \"$1\" -B \"$2\""
    cpack "${BUILD_DIR}/CPackConfig.cmake" "${OUT_DIR}")
file(GLOB deb "${OUT_DIR}/zel_${VERSION}_*.deb")
if(NOT deb)
    message(FATAL_ERROR "cpack wrote no zel_${VERSION}_<arch>.deb into ${OUT_DIR}")
endif()

run(dpkg-deb -c "${deb}")
set(contents "${out}")
foreach(path usr/lib/zel/zel usr/lib/zel/AboutComment.txt
             usr/share/applications/io.github.zelticker.zel.desktop
             usr/share/icons/hicolor/scalable/apps/zel.svg
             usr/share/icons/hicolor/48x48/apps/zel.png
             usr/share/icons/hicolor/128x128/apps/zel.png
             usr/share/metainfo/[a-z.]+\\.metainfo\\.xml
             usr/share/doc/zel/copyright usr/share/doc/zel/changelog.gz
             usr/share/man/man1/zel.1.gz)
    expect("${contents}" " \\./${path}\n" "${path}")
endforeach()
expect("${contents}" " \\./usr/bin/zel -> \\.\\./lib/zel/zel\n" "link /usr/bin/zel to the program")

# Folders and the program 0755, every other file 0644, all owned by root.
string(REPLACE "\n" ";" entries "${contents}")
set(package_paths)
foreach(entry IN LISTS entries)
    if(entry STREQUAL "")
        continue()
    endif()
    if(NOT entry MATCHES "^([-dl][-rwx]+) root/root +[0-9]+ [-0-9]+ [:0-9]+ \\./([^ ]*)")
        message(FATAL_ERROR "unexpected entry in the package: ${entry}")
    endif()
    set(mode "${CMAKE_MATCH_1}")
    string(REGEX REPLACE "/$" "" path "${CMAKE_MATCH_2}")
    list(APPEND package_paths "${path}")
    if(mode MATCHES "^d")
        set(wanted drwxr-xr-x)
    elseif(mode MATCHES "^l")
        set(wanted lrwxrwxrwx)
    elseif(path STREQUAL "usr/lib/zel/zel")
        set(wanted -rwxr-xr-x)
    else()
        set(wanted -rw-r--r--)
    endif()
    if(NOT mode STREQUAL wanted)
        message(FATAL_ERROR "${path} has mode ${mode} in the package, not ${wanted}")
    endif()
endforeach()

run(dpkg-deb -f "${deb}" Package Version Depends Recommends)
expect("${out}" "Package: zel\n" "name zel")
expect("${out}" "Version: ${VERSION}\n" "version ${VERSION}")
foreach(dependency libqt6widgets6 libqt6network6 libuchardet0 qt6-qpa-plugins)
    expect("${out}" "Depends:[^\n]* ${dependency}[ ,\n]" "dependency on ${dependency}")
endforeach()
expect("${out}" "Recommends: fonts-ipafont-gothic" "recommendation of the Gothic font")

set(root "${OUT_DIR}/root")
run(dpkg-deb -x "${deb}" "${root}")
run(desktop-file-validate "${root}/usr/share/applications/io.github.zelticker.zel.desktop")
file(GLOB metainfo "${root}/usr/share/metainfo/*.metainfo.xml")
run(appstreamcli validate --no-net ${metainfo})
run(gzip -dc "${root}/usr/share/doc/zel/changelog.gz")
expect("${out}" "^zel \\(${VERSION}\\) " "change log that begins with version ${VERSION}")

# The same project configured with the prefix /usr. The program is the one
# already built: what is checked is only where the install puts things.
set(usr_build "${OUT_DIR}/usr-build")
run("${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${usr_build}" -G "${GENERATOR}"
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_INSTALL_PREFIX=/usr
    -DBUILD_TESTING=OFF -DZEL_BUILD_BENCHMARKS=OFF)
file(COPY "${BUILD_DIR}/zel" DESTINATION "${usr_build}")
run("${CMAKE_COMMAND}" --build "${usr_build}" --target zel_package_docs)
set(stage "${OUT_DIR}/usr-stage")
run("${CMAKE_COMMAND}" -E env DESTDIR=${stage} "${CMAKE_COMMAND}" --install "${usr_build}")
file(GLOB_RECURSE usr_paths LIST_DIRECTORIES true RELATIVE "${stage}" "${stage}/*")
list(SORT usr_paths)
list(SORT package_paths)
if(NOT usr_paths STREQUAL package_paths)
    string(REPLACE ";" "\n" usr_paths "${usr_paths}")
    message(FATAL_ERROR "configured with the prefix /usr, the install differs from the "
                        "package:\n${usr_paths}\n\nthe package:\n${contents}")
endif()
file(STRINGS "${usr_build}/install_manifest.txt" manifest)
if(NOT "/usr/bin/zel" IN_LIST manifest)
    message(FATAL_ERROR "the install manifest lacks the link /usr/bin/zel:\n${manifest}")
endif()

# Last, so that a missing lintian never hides another finding.
find_program(LINTIAN lintian)
if(NOT LINTIAN)
    message("SKIPPED: lintian is not installed; tools/install-deps.sh installs it")
    return()
endif()
execute_process(COMMAND "${LINTIAN}" --fail-on error,warning "${deb}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian found errors or warnings (${result}):\n${out}${err}")
endif()
