# Read by cpack once per generator. A Debian package lives in /usr, and the
# executables name files below the prefix they were built for, so the tree
# must have been configured for it.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "The Debian package installs into /usr, but this tree was configured for "
                      "${CPACK_PACKAGING_INSTALL_PREFIX}: configure it with -DCMAKE_INSTALL_PREFIX=/usr")
endif()
