# The manual page, for `cmake --install` and the package, and `make package`: a Debian package of
# everything `cmake --install` puts on a desktop, made by CPack.

set(VARNEL_MAINTAINER "The Varnel developers <maintainers@varnel.app>"
    CACHE STRING "Maintainer named in the Debian package")

# Debian keeps manual pages and changelogs compressed, without a time stamp (-n) so that two
# builds give the same bytes.
find_program(VARNEL_GZIP gzip REQUIRED)
function(varnel_gzip source target)
    add_custom_command(OUTPUT ${target}
                       COMMAND ${VARNEL_GZIP} -9nc ${source} > ${target}
                       DEPENDS ${source} VERBATIM)
endfunction()

set(VARNEL_PACKAGING ${CMAKE_BINARY_DIR}/packaging)
configure_file(${VARNEL_RESOURCES}/varnel.1.in ${VARNEL_PACKAGING}/varnel.1 @ONLY)
configure_file(${VARNEL_RESOURCES}/debian/changelog.in ${VARNEL_PACKAGING}/changelog @ONLY)
varnel_gzip(${VARNEL_PACKAGING}/varnel.1 ${VARNEL_PACKAGING}/varnel.1.gz)
varnel_gzip(${VARNEL_PACKAGING}/changelog ${VARNEL_PACKAGING}/changelog.gz)
add_custom_target(varnel_packaging_files ALL
                  DEPENDS ${VARNEL_PACKAGING}/varnel.1.gz ${VARNEL_PACKAGING}/changelog.gz)

install(FILES ${VARNEL_PACKAGING}/varnel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${VARNEL_PACKAGING}/changelog.gz ${VARNEL_RESOURCES}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/varnel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VENDOR "The Varnel developers")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${VARNEL_RESOURCES}/debian/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The install rules see the real prefix (/usr), so that the menu entry names /usr/bin/varnel and
# no cache of the staging folder is built into the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME varnel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARNEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the window system plugin, and the SVG
# icon engine of the buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
# The mail hand-off of the Export dialog.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
