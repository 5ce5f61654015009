# Desktop integration and the Debian package (cpack -G DEB).
# Where the project is published: the metainfo's home page and screenshot and
# the package's Homepage field point there.
set(KESTREL_HOMEPAGE "https://kestrel.example.org" CACHE STRING "the address the project is published at")
set(KESTREL_CONTACT "Kestrel maintainers <maintainers@users.noreply.c-seed-764d55c6.example>"
    CACHE STRING "the package maintainer's name and address")
set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
configure_file(${desktop}/kestrel.metainfo.xml ${CMAKE_BINARY_DIR}/desktop/org.kestrel.Kestrel.metainfo.xml @ONLY)
configure_file(${desktop}/kestrel.1 ${CMAKE_BINARY_DIR}/desktop/kestrel.1 @ONLY)
configure_file(${desktop}/kestrelctl.1 ${CMAKE_BINARY_DIR}/desktop/kestrelctl.1 @ONLY)

if(KESTREL_BUILD_GUI)
  install(FILES ${desktop}/kestrel.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_BINARY_DIR}/desktop/org.kestrel.Kestrel.metainfo.xml DESTINATION share/metainfo)
  # At login the program starts hidden in the notification area.
  install(FILES ${desktop}/kestrel-autostart.desktop DESTINATION /etc/xdg/autostart RENAME kestrel.desktop)
  install(FILES ${CMAKE_BINARY_DIR}/desktop/kestrel.1 DESTINATION share/man/man1)
endif()
install(FILES ${CMAKE_BINARY_DIR}/desktop/kestrelctl.1 DESTINATION share/man/man1)
install(FILES ${desktop}/kestrelctl.bash-completion DESTINATION share/bash-completion/completions RENAME kestrelctl)

set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "Kestrel")
set(CPACK_PACKAGE_CONTACT "${KESTREL_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KESTREL_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure the buttons, DPI and lighting of the 04D9:A09E gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION "Kestrel lives in the notification area and sets the button functions, report rate,\nDPI stages and lighting of the USB gaming mouse 04D9:A09E. kestrelctl does the same\nfrom the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The texts need a Latin and a Chinese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/resources/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
