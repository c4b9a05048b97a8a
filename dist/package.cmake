# The Debian package: `cpack` in the build directory writes enshukaku_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME enshukaku)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The enshukaku developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "classroom aid for the inscribed angle theorem")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY enshukaku)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The enshukaku developers <enshukaku@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ENSHUKAKU_HOMEPAGE})
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "One window with a circle, its centre O and the points A, B and P on it, for
a lesson on the inscribed angle theorem. Pupils drag the points round the
circle and change the radius; check boxes build the figure up step by step:
the inscribed angle APB, the central angle AOB, the arc AB and both angle
sizes in degrees. Traces of P, a memo pen, straight lines, a grid and a
printout with the pupil's name complete the lesson. The interface is
Japanese.")
# The libraries the program links come from dpkg-shlibdeps; the Japanese faces the
# window is laid out for and Qt's own Japanese texts are asked for by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
