# Builds the Debian package into a scratch folder and checks what a desktop
# needs of it: the files in their places, the dependencies, and that the
# desktop entry and the software-centre metainfo pass their validators.
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

run(cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT_DIR}")
file(GLOB deb "${OUT_DIR}/zel_${VERSION}_*.deb")
if(NOT deb)
    message(FATAL_ERROR "cpack wrote no zel_${VERSION}_<arch>.deb into ${OUT_DIR}")
endif()

run(dpkg-deb -c "${deb}")
set(contents "${out}")
foreach(path usr/lib/zel/zel usr/lib/zel/AboutComment.txt usr/share/applications/zel.desktop
             usr/share/icons/hicolor/scalable/apps/zel.svg
             usr/share/icons/hicolor/48x48/apps/zel.png
             usr/share/icons/hicolor/128x128/apps/zel.png
             usr/share/metainfo/[a-z.]+\\.metainfo\\.xml)
    expect("${contents}" " \\./${path}\n" "${path}")
endforeach()
expect("${contents}" " \\./usr/bin/zel -> \\.\\./lib/zel/zel\n" "link /usr/bin/zel to the program")

run(dpkg-deb -f "${deb}" Package Version Depends Recommends)
expect("${out}" "Package: zel\n" "name zel")
expect("${out}" "Version: ${VERSION}\n" "version ${VERSION}")
foreach(dependency libqt6widgets6 libqt6network6 libuchardet0 qt6-qpa-plugins)
    expect("${out}" "Depends:[^\n]* ${dependency}[ ,\n]" "dependency on ${dependency}")
endforeach()
expect("${out}" "Recommends: fonts-ipafont-gothic" "recommendation of the Gothic font")

set(root "${OUT_DIR}/root")
run(dpkg-deb -x "${deb}" "${root}")
run(desktop-file-validate "${root}/usr/share/applications/zel.desktop")
file(GLOB metainfo "${root}/usr/share/metainfo/*.metainfo.xml")
run(appstreamcli validate --no-net ${metainfo})
