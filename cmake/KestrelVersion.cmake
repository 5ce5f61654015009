# The version of project() in one generated header, kestrel/Version.h, for
# every program that prints it: Kestrel::Version.
set(KESTREL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${KESTREL_GENERATED_DIR}/kestrel/Version.h @ONLY)
add_library(kestrel_version INTERFACE)
add_library(Kestrel::Version ALIAS kestrel_version)
target_include_directories(kestrel_version INTERFACE ${KESTREL_GENERATED_DIR})
