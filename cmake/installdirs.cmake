# Where the installed files go under the prefix. The program and its comment
# file live in a private folder of a fixed name: under /usr, GNUInstallDirs
# would put libraries in lib/<triplet>, and a package's layout must not
# depend on how the build was configured.
include(GNUInstallDirs)
set(ZEL_BIN_DIR ${CMAKE_INSTALL_BINDIR})
set(ZEL_PRIVATE_DIR lib/zel)
set(ZEL_APPLICATIONS_DIR ${CMAKE_INSTALL_DATADIR}/applications)
set(ZEL_ICONS_DIR ${CMAKE_INSTALL_DATADIR}/icons)
set(ZEL_METAINFO_DIR ${CMAKE_INSTALL_DATADIR}/metainfo)
set(ZEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zel)
set(ZEL_MAN_DIR ${CMAKE_INSTALL_MANDIR}/man1)

# install() gives files 0644 and programs 0755 itself, but makes the folders
# it needs with the builder's umask. So the folders come first, 0755: each
# missing one is made and set, and under DESTDIR (a package's staging tree)
# every one is set. CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS cannot do this:
# the folders are made with that mode less the umask.
set(zel_install_dirs ${ZEL_BIN_DIR} ${ZEL_PRIVATE_DIR} ${ZEL_APPLICATIONS_DIR} ${ZEL_ICONS_DIR}
                     ${ZEL_METAINFO_DIR} ${ZEL_DOC_DIR} ${ZEL_MAN_DIR})
install(CODE "set(zel_install_dirs \"${zel_install_dirs}\")")
install(CODE [[
    foreach(dir IN LISTS zel_install_dirs)
        set(path "$ENV{DESTDIR}")
        string(REPLACE "/" ";" parts "${CMAKE_INSTALL_PREFIX}/${dir}")
        foreach(part IN LISTS parts)
            if(part STREQUAL "")
                continue()
            endif()
            set(path "${path}/${part}")
            if(NOT IS_DIRECTORY "${path}")
                file(MAKE_DIRECTORY "${path}")
            elseif("$ENV{DESTDIR}" STREQUAL "")
                continue()
            endif()
            file(CHMOD "${path}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                 GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        endforeach()
    endforeach()
]])
