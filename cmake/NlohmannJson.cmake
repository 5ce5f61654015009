# nlohmann-json, header-only, through its own CMake package:
# nlohmann_json::nlohmann_json.
#
# The cross build for Windows has no package of its own and uses the host's,
# whose folder the native build hands it as nlohmann_json_DIR. That package
# names the host's whole include folder, which a cross compiler must not
# search (the host's C library headers would shadow the target's), so the
# cross build gives the target a folder that holds the package's headers and
# nothing else.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(nlohmann_json 3 CONFIG REQUIRED)
  return()
endif()

find_package(nlohmann_json 3 CONFIG REQUIRED NO_CMAKE_FIND_ROOT_PATH)
get_target_property(kestrel_json_host_includes nlohmann_json::nlohmann_json INTERFACE_INCLUDE_DIRECTORIES)
list(GET kestrel_json_host_includes 0 kestrel_json_host_include)
if(NOT EXISTS ${kestrel_json_host_include}/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann_json's package names ${kestrel_json_host_include}, which has no nlohmann/json.hpp")
endif()
set(kestrel_json_include ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${kestrel_json_include})
file(CREATE_LINK ${kestrel_json_host_include}/nlohmann ${kestrel_json_include}/nlohmann SYMBOLIC)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${kestrel_json_include})
