# The Debian package, made by CPack from the install rules: `cpack -G DEB` in
# the build folder writes zandor_VERSION-1_ARCH.deb. Its library dependencies
# come from dpkg-shlibdeps; what the programs load at run time without linking
# it (Qt's SVG plugins, Qt's catalogues) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zandor)
set(CPACK_PACKAGE_VENDOR "The Zandor developers")
set(CPACK_PACKAGE_CONTACT "${ZANDOR_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find files and folders on local disks")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The source package is not made with CPack.
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZANDOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZANDOR_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The MIME database the kinds of the type condition read; without it a short
# built-in list stands in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info")
if(ZANDOR_BUILD_GUI)
  # libqt6svg6 holds the plugins that draw the SVG icons (GIO, which opens
  # items with the desktop's programs, comes with the shared libraries). Qt's
  # own catalogues translate the standard dialogs and buttons.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "adwaita-icon-theme, shared-mime-info, qt6-translations-l10n")
  set(CPACK_PACKAGE_DESCRIPTION
"Zandor finds files and folders on the local disks by name or name pattern,
below a folder or on a whole disk, with optional conditions on size, date and
type. Its window lists the matches while the search runs; from the list an
item can be opened, renamed, moved to the Trash or examined.

zandor-find runs the same search in a terminal and writes its rows as
tab-separated text, JSON lines or NUL-separated paths.")
else()
  set(CPACK_PACKAGE_DESCRIPTION
"zandor-find finds files and folders on the local disks by name or name
pattern, below a folder, with optional conditions on size, date and type, and
writes its rows as tab-separated text, JSON lines or NUL-separated paths.

This build holds the terminal tool only, without the Zandor window.")
endif()

include(CPack)
