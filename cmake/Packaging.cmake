# `cpack -G DEB` in the build folder makes murmex_<version>_<arch>.deb with both
# programs and everything `cmake --install` puts beside them. scripts/package.sh
# configures a build for it with the prefix /usr.
set(CPACK_PACKAGE_NAME murmex)
set(CPACK_PACKAGE_VENDOR "The Murmex developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop client and server of the Murmex community service")
set(CPACK_PACKAGE_DESCRIPTION
    "Murmex keeps you in touch with friends on the Murmex service from a small\n"
    "main bar and a tray icon: presence, messages, text messages to phones, chat\n"
    "channels and a call counter. murmexd, the server, runs a service of your own\n"
    "(see murmexd.service).")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "The Murmex developers <murmex@murmex.github.io>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://murmex.github.io/")
set(CPACK_STRIP_FILES ON)
# The programs have their share folder and the unit its ExecStart compiled in
# for CMAKE_INSTALL_PREFIX; a package laid out under another prefix would ship
# a server unit naming a program that is not there.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt, SQLite, libsodium, libpq) as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Qt loads its platform plugin at run time, where dpkg-shlibdeps cannot see it:
# the X11 one comes with libqt6gui6, the Wayland one is a package of its own
# (without it a Wayland desktop runs the program through XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

set(CPACK_GENERATOR DEB)
include(CPack)
