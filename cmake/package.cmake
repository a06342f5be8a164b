# `cpack -G DEB` in the build folder makes build/zel_<version>_<arch>.deb from
# the install tree, placed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zel)
set(CPACK_PACKAGE_VENDOR "The Zel authors")
# The project, not a person, maintains the package. The address is a GitHub
# no-reply one under the project's name: it receives no mail.
set(ZEL_MAINTAINER "The Zel authors <zelticker@users.noreply.github.com>")
set(CPACK_PACKAGE_CONTACT "${ZEL_MAINTAINER}")
# Debian's synopsis is a phrase without an article.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "one-line text ticker for the desktop")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "A borderless strip, as wide as the screen and one text line high, scrolls"
    "one line of text from right to left like an electronic news board. The text"
    "comes from a local text file or a web address; mark-up tags are removed and"
    "line breaks become blanks. Japanese text in any common encoding is read"
    "correctly.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
# Library packages come from the program's own links; the platform plugins
# are loaded at run time, so no link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Moving the strip's pixels uses Qt's platform interface, which holds only
# for the Qt release it was built with.
if(ZEL_QT_PLATFORM_HEADERS)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-base-abi (= ${Qt6_VERSION})")
endif()
# The Gothic face the strip and the panels are drawn in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-ipafont-gothic)

include(CPack)
