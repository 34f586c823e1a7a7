# The Debian package: the shared installation (system.cmake) under /usr.
#   cd build && cpack -G DEB        (or scripts/package-deb.sh)
# The run-time dependencies come from the programs' libraries
# (dpkg-shlibdeps), so they follow what the build links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantrel Software")
set(CPACK_PACKAGE_CONTACT "Corvane developers <corvane@vantrelsoftware.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver with flag pictures drifting over the desktop")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
Thirty-two flag pictures of four sizes drift across a picture of the
desktop or a white background, with a logo in the corner. The saver runs
on its own (Corvane /S, settings with Corvane /C) or as a display program
of xscreensaver, whose settings dialog offers the background choice.
Each user keeps settings, run counter and captured desktop in a folder of
their own under ~/.local/share/corvane.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.vantrelsoftware.com")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open opens the maker's web site and the recommend request.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Only the shared installation goes into the package, as one package.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL system)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
include(CPack)
