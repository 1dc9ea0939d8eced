# The Debian package: `cpack -G DEB` in the build folder packs what
# `cmake --install` installs (the programs into /usr/bin, the data folders
# into /usr/share/ravlin, the desktop entry, icons, file type, AppStream file,
# manual pages, and the copyright, changelog and udev rule template in
# /usr/share/doc/ravlin) into ravlin_<version>_<arch>.deb. The maintainer and
# the web page are the distribution's (cmake/Distribution.cmake).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ravlin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Ravlin)
set(CPACK_PACKAGE_CONTACT "${RAVLIN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of key layouts for programmable point-of-sale keyboards")
set(CPACK_PACKAGE_DESCRIPTION
    "Ravlin builds the key layout of a programmable point-of-sale keyboard: its\n"
    "layers, the PS/2 code sequences every key sends, layer keys, melodies for\n"
    "the buzzer, key-cap pictures, the card reader and key lock settings. It\n"
    "checks the layout, prints it and writes it into the keyboard over PS/2 or\n"
    "USB.\n"
    "\n"
    "The package holds the editor RavlinApp, the command-line tool ravlin and\n"
    "the keyboard emulator ravlin-kbdsim.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(RAVLIN_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${RAVLIN_HOMEPAGE})
endif()
# The libraries the programs link come from dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Mail of error reports and the manual in the browser go through xdg-utils;
# Qt's own dialogs read Russian with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
# dpkg's triggers of shared-mime-info, desktop-file-utils and the icon theme
# update their caches; the package needs no scripts of its own.

include(CPack)
