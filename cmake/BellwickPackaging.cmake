# `cpack -G DEB` in a build folder makes bellwick_<version>_<arch>.deb from what `cmake --install`
# lays out. The shared libraries the programs link decide the dependencies (dpkg-shlibdeps); Qt's
# plugins are not linked, so the ones the program cannot start or sound without are named here.
set(CPACK_PACKAGE_NAME "bellwick")
set(CPACK_PACKAGE_VENDOR "Bellwick")
set(CPACK_PACKAGE_CONTACT "Bellwick maintainers <maintainers@users.noreply.c-seed-507a5ec6.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tray reminders for one user and small teams")
set(CPACK_PACKAGE_DESCRIPTION
    "Bellwick lives in the notification area and pops up reminders on top of your other windows, or\n"
    "opens programs and documents, when they fall due. Reminders repeat daily, weekly, monthly or\n"
    "yearly on chosen weekdays. Groups share an AES-encrypted list file on a file share, an FTP\n"
    "server or a web server, so that one person can remind the whole team.\n"
    "Also contains bwlist, a command-line tool that reads and writes the list files, and Launchel,\n"
    "which opens a file with parameters through the desktop.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin ships with libqt6gui6 and the sound back ends with libqt6multimedia6,
# which the linked libraries bring. The icons (program, tray, state marks) are SVG, drawn by the
# plugins of libqt6svg6, which nothing links. A sans-serif font keeps the windows readable on a
# minimal system. QtKeychain reaches the desktop's password store through libsecret, which it loads
# only when it runs; without it the group passwords stay in glist.dat. dpkg-shlibdeps adds what the
# programs link to these.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, libsecret-1-0")

include(CPack)
