# Desktop integration and the Debian package (cpack -G DEB).
#
# Where the project is published: the metainfo's home page, bug tracker and
# screenshot, the copyright file's Source and the package's Homepage field
# point there. Left empty, all of them are left out.
set(KESTREL_HOMEPAGE "" CACHE STRING "the address the project is published at (none when empty)")
set(KESTREL_BUGTRACKER "" CACHE STRING "where bugs are reported (<home page>/issues when empty)")
set(KESTREL_CONTACT "Kestrel maintainers <maintainers@users.noreply.c-seed-764d55c6.example>"
    CACHE STRING "the package maintainer's name and address")
set(kestrel_bugtracker "${KESTREL_BUGTRACKER}")
if(KESTREL_HOMEPAGE AND NOT kestrel_bugtracker)
  set(kestrel_bugtracker "${KESTREL_HOMEPAGE}/issues")
endif()

set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
set(generated ${CMAKE_BINARY_DIR}/desktop)
set(KESTREL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kestrel)
# The XDG autostart folder below the system configuration folder: /etc/xdg
# for the prefix /usr.
set(KESTREL_AUTOSTART_DIR ${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart)
set(KESTREL_AUTOSTART_ENTRY ${KESTREL_AUTOSTART_DIR}/${KESTREL_APP_ID}.desktop)

# CHANGELOG.md is where releases are written; the Debian changelog, the
# metainfo's releases and the man pages' date are made from it at build time.
find_program(KESTREL_GZIP gzip REQUIRED)
# Written only when a setting changes, so that the files are made again then.
set(release_settings "${KESTREL_CONTACT}\n${KESTREL_HOMEPAGE}\n${kestrel_bugtracker}\n${CMAKE_INSTALL_PREFIX}\n")
set(written_settings "")
if(EXISTS ${generated}/release-settings.txt)
  file(READ ${generated}/release-settings.txt written_settings)
endif()
if(NOT written_settings STREQUAL release_settings)
  file(WRITE ${generated}/release-settings.txt "${release_settings}")
endif()
set(release_files
  ${generated}/changelog.gz ${generated}/${KESTREL_APP_ID}.metainfo.xml
  ${generated}/kestrel.1.gz ${generated}/kestrelctl.1.gz ${generated}/kestrelctl.1)
add_custom_command(
  OUTPUT ${release_files}
  COMMAND ${CMAKE_COMMAND}
    -DCHANGELOG=${PROJECT_SOURCE_DIR}/CHANGELOG.md -DVERSION=${PROJECT_VERSION}
    "-DCONTACT=${KESTREL_CONTACT}" "-DHOMEPAGE=${KESTREL_HOMEPAGE}" "-DBUGTRACKER=${kestrel_bugtracker}"
    -DAPP_ID=${KESTREL_APP_ID} -DTEMPLATES=${desktop} -DOUTPUT=${generated} -DGZIP=${KESTREL_GZIP}
    -DSHARE_DIR=${CMAKE_INSTALL_FULL_DATADIR}/kestrel
    -DUDEV_RULE=${CMAKE_INSTALL_PREFIX}/${KESTREL_UDEV_RULES_DIR}/70-kestrel.rules
    -DAUTOSTART_ENTRY=${KESTREL_AUTOSTART_ENTRY}
    -P ${PROJECT_SOURCE_DIR}/cmake/ReleaseFiles.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/cmake/ReleaseFiles.cmake
          ${desktop}/kestrel.metainfo.xml ${desktop}/kestrel.1 ${desktop}/kestrelctl.1
          ${generated}/release-settings.txt
  COMMENT "Making the changelog, the metainfo and the man pages from CHANGELOG.md"
  VERBATIM)
add_custom_target(release_files ALL DEPENDS ${release_files})

# The Debian copyright file, its licence text taken from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${license}")
set(KESTREL_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n\n" "" license_text "${license}")
string(STRIP "${license_text}" license_text)
# One space before each line, and a lone dot for each empty one.
string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text "${license_text}")
set(KESTREL_LICENSE_TEXT " ${license_text}")
set(KESTREL_COPYRIGHT_SOURCE "")
if(KESTREL_HOMEPAGE)
  set(KESTREL_COPYRIGHT_SOURCE "Source: ${KESTREL_HOMEPAGE}\n")
endif()
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/copyright.in ${CMAKE_BINARY_DIR}/debian/copyright @ONLY)
# Every file below /etc is the administrator's to change, and dpkg keeps
# their changes on upgrade.
file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "${KESTREL_AUTOSTART_ENTRY}\n")

if(KESTREL_BUILD_GUI)
  install(FILES ${desktop}/kestrel.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications
          RENAME ${KESTREL_APP_ID}.desktop)
  install(FILES ${generated}/${KESTREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  # At login the program starts hidden in the notification area.
  install(FILES ${desktop}/kestrel-autostart.desktop DESTINATION ${KESTREL_AUTOSTART_DIR}
          RENAME ${KESTREL_APP_ID}.desktop)
  install(FILES ${generated}/kestrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${generated}/kestrelctl.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${desktop}/kestrelctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME kestrelctl)
install(FILES ${generated}/changelog.gz ${CMAKE_BINARY_DIR}/debian/copyright DESTINATION ${KESTREL_DOC_DIR})

set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "The Kestrel developers")
set(CPACK_PACKAGE_CONTACT "${KESTREL_CONTACT}")
if(KESTREL_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KESTREL_HOMEPAGE}")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure the buttons, DPI and lighting of the 04D9:A09E gaming mouse")
# Lines of at most 80 columns, as Debian's policy has them.
set(CPACK_PACKAGE_DESCRIPTION "Kestrel lives in the notification area and sets the button functions,\nreport rate, DPI stages and lighting of the USB gaming mouse 04D9:A09E.\nkestrelctl does the same from the command line.")
# The package holds what this tree installs, built for this prefix.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/CPackProjectConfig.cmake)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Latin texts need a Latin font; only the Chinese texts need the Chinese one.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${PROJECT_SOURCE_DIR}/resources/debian/postinst
  ${PROJECT_SOURCE_DIR}/resources/debian/postrm
  ${CMAKE_BINARY_DIR}/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
