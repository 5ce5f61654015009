# kestrelctl.exe, cross-built with mingw-w64 beside the native build whenever
# the cross compiler is installed, so that the suite can run it under Wine.
# The cross build is incremental and re-checked on every build.
find_program(KESTREL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
if(NOT KESTREL_MINGW_CXX OR CMAKE_CROSSCOMPILING)
  return()
endif()

include(ExternalProject)
set(KESTREL_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
set(KESTREL_WINDOWS_CTL ${KESTREL_WINDOWS_DIR}/bin/kestrelctl.exe)
set(kestrel_windows_args
  -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
  -DCMAKE_BUILD_TYPE=Release
  -DKESTREL_BUILD_GUI=OFF
  -DKESTREL_BUILD_TESTS=OFF
  -DKESTREL_BUILD_BENCH=OFF
  # Header-only, so the host's package serves the target too.
  -Dnlohmann_json_DIR=${nlohmann_json_DIR})
if(CMAKE_CXX_COMPILER_LAUNCHER)
  list(APPEND kestrel_windows_args -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
ExternalProject_Add(kestrelctl_windows
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${KESTREL_WINDOWS_DIR}
  CMAKE_ARGS ${kestrel_windows_args}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${KESTREL_WINDOWS_CTL}
)
