# The Windows programs, cross-built with mingw-w64 beside the native build
# whenever the cross compiler is installed: kestrelctl.exe always (the suite
# runs it under Wine), kestrel.exe too when a Qt built for mingw-w64 is at
# hand (tools/windows/build-qt.sh makes one). The cross build is incremental
# and re-checked on every build; the files it cannot make itself (config.bin,
# str.ini, the skins and the icon are drawn by host tools) come from this build.
find_program(KESTREL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
if(NOT KESTREL_MINGW_CXX OR CMAKE_CROSSCOMPILING)
  return()
endif()

# A Qt for mingw-w64: the one named, or else the one tools/windows/build-qt.sh
# left in the user's cache, looked for at every configure.
set(KESTREL_WINDOWS_QT "" CACHE PATH
    "Install prefix of a Qt 6 built for mingw-w64 (empty: the one tools/windows/build-qt.sh made, if any)")
set(kestrel_windows_qt "${KESTREL_WINDOWS_QT}")
set(qt_cache_home "$ENV{XDG_CACHE_HOME}")
if(NOT qt_cache_home)
  set(qt_cache_home "$ENV{HOME}/.cache")
endif()
set(qt_built_here "${qt_cache_home}/kestrel/qt-${Qt6_VERSION}-mingw64")
if(NOT kestrel_windows_qt AND Qt6_VERSION AND EXISTS "${qt_built_here}/.kestrel-qt-complete")
  set(kestrel_windows_qt "${qt_built_here}")
endif()
if(kestrel_windows_qt)
  message(STATUS "Windows programs: kestrel.exe and kestrelctl.exe, with the Qt in ${kestrel_windows_qt}")
else()
  message(STATUS "Windows programs: kestrelctl.exe only (no Qt for mingw-w64; tools/windows/build-qt.sh makes one)")
endif()

include(ExternalProject)
set(KESTREL_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
set(KESTREL_WINDOWS_CTL ${KESTREL_WINDOWS_DIR}/bin/kestrelctl.exe)
set(KESTREL_WINDOWS_GUI ${KESTREL_WINDOWS_DIR}/bin/kestrel.exe)
# The Wine tests' helper, built beside the window program.
set(KESTREL_WINDOWS_PROBE ${KESTREL_WINDOWS_DIR}/tests/wine/kestrel-wine-probe.exe)
set(kestrel_windows_args
  -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
  -DCMAKE_BUILD_TYPE=Release
  -DKESTREL_BUILD_TESTS=OFF
  -DKESTREL_BUILD_BENCH=OFF
  # Header-only, so the host's package serves the target too.
  -Dnlohmann_json_DIR=${nlohmann_json_DIR})
set(kestrel_windows_byproducts ${KESTREL_WINDOWS_CTL})
set(kestrel_windows_depends)
if(kestrel_windows_qt AND KESTREL_BUILD_GUI)
  list(APPEND kestrel_windows_args
    -DKESTREL_BUILD_GUI=ON
    -DKESTREL_WINDOWS_QT=${kestrel_windows_qt}
    # moc, rcc and uic of the host's Qt, which must be the same version.
    -DQT_HOST_PATH=${QT6_INSTALL_PREFIX}
    -DQT_HOST_PATH_CMAKE_DIR=${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBS}/cmake
    -DKESTREL_HOST_PROGRAM_DIR=${KESTREL_PROGRAM_DIR}
    -DKESTREL_HOST_DEFAULTS=$<TARGET_FILE:kestrel-defaults>
    # Everything in the package's top folder: the program keeps its files beside itself.
    -DCMAKE_INSTALL_BINDIR=.
    -DKESTREL_HOST_ICON=${KESTREL_WINDOWS_ICON})
  list(APPEND kestrel_windows_byproducts ${KESTREL_WINDOWS_GUI} ${KESTREL_WINDOWS_PROBE})
  list(APPEND kestrel_windows_depends kestrel-defaults default_files skins icons)
else()
  list(APPEND kestrel_windows_args -DKESTREL_BUILD_GUI=OFF)
endif()
if(CMAKE_CXX_COMPILER_LAUNCHER)
  list(APPEND kestrel_windows_args -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
ExternalProject_Add(kestrel_windows
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${KESTREL_WINDOWS_DIR}
  CMAKE_ARGS ${kestrel_windows_args}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${kestrel_windows_byproducts}
  DEPENDS ${kestrel_windows_depends}
)
# The portable zip and the installer, made by CPack in the cross build.
if(kestrel_windows_qt AND KESTREL_BUILD_GUI)
  add_custom_target(windows-packages
    COMMAND ${CMAKE_COMMAND} --build ${KESTREL_WINDOWS_DIR} --target package
    DEPENDS kestrel_windows
    COMMENT "Packing the Windows programs into a zip and an installer"
    USES_TERMINAL)
endif()
