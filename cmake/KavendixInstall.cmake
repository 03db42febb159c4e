# Installation (cmake --install) and the Debian package (cpack -G DEB,
# tools/package.sh): the two programs, the shipped templates read-only under
# share/kavendix/Kombin, the help, the man pages, a desktop entry and an icon.
include(GNUInstallDirs)

install(TARGETS kavendix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET kavendix)
    install(TARGETS kavendix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/kavendix.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/kavendix.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${KAVENDIX_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/kavendix/translations)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Kombin/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kavendix/Kombin
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/project-file.md
              ${PROJECT_SOURCE_DIR}/docs/kombin.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kavendix)

# Man pages, compressed as Debian expects.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(_man_pages kavendix-cli)
if(TARGET kavendix)
    list(APPEND _man_pages kavendix)
endif()
foreach(page ${_man_pages})
    set(_gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
    add_custom_command(OUTPUT ${_gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 > ${_gz}
        DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 VERBATIM)
    list(APPEND _man_files ${_gz})
    install(FILES ${_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(kavendix_man_pages ALL DEPENDS ${_man_files})

# The package's maintainer: tools/package.sh passes it (from KAVENDIX_MAINTAINER,
# DEBFULLNAME and DEBEMAIL, or git's user); it signs the changelog too.
set(KAVENDIX_MAINTAINER "" CACHE STRING "The Debian package's maintainer: \"Name <address>\"")
set(KAVENDIX_PACKAGE_MAINTAINER "${KAVENDIX_MAINTAINER}")
if(NOT KAVENDIX_PACKAGE_MAINTAINER)
    set(KAVENDIX_PACKAGE_MAINTAINER "Kavendix developers <maintainers@kavendix.invalid>")
endif()
# Debian's copyright file and changelog (compressed, as a native package has it).
set(_changelog ${CMAKE_BINARY_DIR}/debian/changelog)
configure_file(${PROJECT_SOURCE_DIR}/debian/changelog.in ${_changelog} @ONLY)
add_custom_command(OUTPUT ${_changelog}.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${_changelog} > ${_changelog}.gz
    DEPENDS ${_changelog} VERBATIM)
add_custom_target(kavendix_changelog ALL DEPENDS ${_changelog}.gz)
install(FILES ${_changelog}.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kavendix
        RENAME changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kavendix)

set(CPACK_PACKAGE_NAME kavendix)
set(CPACK_PACKAGE_VENDOR "Kavendix")
set(CPACK_PACKAGE_CONTACT "${KAVENDIX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KAVENDIX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bet packages for the 15-match football pool")
set(CPACK_PACKAGE_DESCRIPTION "A desktop program and a command-line tool for players of a
15-match football pool: load the draw, mark the possible outcomes, form a
package of bets (brief systems, upset filter, random and automatic forming),
check its coverage and export it.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kavendix.invalid")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries come from dpkg-shlibdeps; Qt's platform plugins are
# loaded at run time, so that package is named by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET kavendix)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
endif()
include(CPack)
