# The Debian package: one binary package with the program and its desktop files;
# shared library dependencies come from dpkg-shlibdeps, the rest is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PLOTTER_PROGRAMM})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${PLOTTER_ENTWICKLER_EN} <${PLOTTER_KONTAKT}>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PLOTTER_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps cannot see what is loaded by name at run time: the fonts the
# drawing's and the window's fonts are mapped to, and the Russian texts of the Qt
# dialogs (the platform plugins come with libqt6gui6).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"function plotter for school mathematics
Draws up to four functions of X with the parameters P and Q and checks a
curve discussion: the first and second derivative as term texts, zeros,
extrema, inflection points, intersections, tangent, normal, secant, area
and integral, each also written as a line of the result list. P and the
points A and B can be stepped and animated. Drawings can be printed, copied
or saved as BMP, GIF, EMF, SVG and PDF, also from the command line without
a window. The user interface is in Russian.")
include(CPack)
