# Cross-compiles the libraries and the command-line tool for 64-bit Windows
# with Debian's mingw-w64. The posix thread model provides std::thread, which
# the win32 model of this compiler lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTREL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The executables run on machines without the compiler's runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The target has neither Qt nor GoogleTest: only the libraries and the
# command-line tool are built unless asked otherwise.
set(KESTREL_BUILD_GUI OFF CACHE BOOL "Build the window program (needs Qt 6 Widgets)")
set(KESTREL_BUILD_TESTS OFF CACHE BOOL "Build the test suite")
