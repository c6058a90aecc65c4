# The Debian package fluxeta_<version>_<arch>.deb, built by `cpack -G DEB` in the build
# directory from everything the install rules install, under /usr. Its licence,
# GPL-3.0-or-later, is stated in the installed copyright file.

install(FILES ${PROJECT_SOURCE_DIR}/docs/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fluxeta)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fluxeta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Fluxeta developers")
set(CPACK_PACKAGE_CONTACT "The Fluxeta developers <maintainers@fluxeta.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Fluxeta computes, for an end-fed slot coating die, how evenly the die spreads a
power-law liquid across its width and what entrance pressure it needs: fifteen
case values in, a table of 50 stations across the width, the entrance pressure
and a uniformity figure out.

The package holds the desktop program fluxeta, with its menu entry, and the
command-line program fluxeta-batch for scripted runs and parameter studies.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The programs and their files; the core's libraries and headers (Development) stay out.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link come from dpkg-shlibdeps; a component that
# needs more (an interpreter, a module it imports) appends Debian package names to
# the global property FLUXETA_DEBIAN_DEPENDS.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
get_property(FLUXETA_DEBIAN_DEPENDS GLOBAL PROPERTY FLUXETA_DEBIAN_DEPENDS)
list(JOIN FLUXETA_DEBIAN_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The window's font, a Tahoma-compatible face, is used when installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)

include(CPack)
