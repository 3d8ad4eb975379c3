# The Debian package: corvella_<version>_<architecture>.deb, made by CPack
# from the install rules (scripts/package). Its runtime dependencies are
# computed by dpkg-shlibdeps from the libraries the program links.
set(CORVELLA_PACKAGE_MAINTAINER "Corvella developers <developers@corvella.app>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvella)
set(CPACK_PACKAGE_VENDOR "The Corvella developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-driven window placement for X11 desktops")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvella snaps the focused window to a half, a quarter, a cycling third,\n"
    "the centre or another monitor at the press of a shortcut, tiles every\n"
    "window of the front application into columns, rows or a grid of the\n"
    "user's own, and undoes and redoes any of it. It runs under any EWMH\n"
    "window manager, with an icon in the system tray, a settings window for\n"
    "the grid layouts, and a command line (corvella run, grid, list, status)\n"
    "that other programs and key bindings can call.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CORVELLA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The beep plays through the sound server with this; without it, the X bell.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcanberra-pulse")
# GNOME shows tray icons only with this extension.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")

include(CPack)
