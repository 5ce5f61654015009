# Cross-compiles the programs for 64-bit Windows with Debian's mingw-w64. The
# posix thread model provides std::thread, which the win32 model of this
# compiler lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTREL_MINGW_PREFIX}-windres)
set(CMAKE_STRIP ${KESTREL_MINGW_PREFIX}-strip CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_MINGW_PREFIX})
# A Qt built for this compiler (KESTREL_WINDOWS_QT) is searched like the
# compiler's own libraries.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KESTREL_WINDOWS_QT)
if(KESTREL_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KESTREL_WINDOWS_QT})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The target has no GoogleTest, and Qt only where KESTREL_WINDOWS_QT names
# one: only the libraries and the command-line tool are built unless asked
# otherwise.
set(KESTREL_BUILD_GUI OFF CACHE BOOL "Build the window program (needs Qt 6 Widgets)")
set(KESTREL_BUILD_TESTS OFF CACHE BOOL "Build the test suite")
