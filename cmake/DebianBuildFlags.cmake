# Native Linux builds compile and link with the flags dpkg-buildflags gives
# with every hardening feature on (fortified string functions, stack
# protector, read-only relocations, immediate binding), the way Debian builds
# its packages, so that the package made from this tree and the tests run on
# it use the same executables. Debug builds keep their -O0, under which
# _FORTIFY_SOURCE does not work; the sanitizer and fuzzing builds bring their
# own instrumentation.
option(KESTREL_DPKG_BUILDFLAGS "Compile and link with dpkg-buildflags' hardening flags where it is installed" ON)
# Whether they were applied: the package test checks the executables for them.
set(KESTREL_HARDENED OFF)
if(NOT KESTREL_DPKG_BUILDFLAGS OR KESTREL_SANITIZE OR KESTREL_FUZZ OR CMAKE_CROSSCOMPILING
   OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  return()
endif()
find_program(KESTREL_DPKG_BUILDFLAGS_EXECUTABLE dpkg-buildflags)
if(NOT KESTREL_DPKG_BUILDFLAGS_EXECUTABLE)
  message(STATUS "dpkg-buildflags not found: building without Debian's hardening flags")
  return()
endif()

function(kestrel_dpkg_buildflags name result)
  # Without the file and debug prefix maps of the reproducible feature area:
  # they name the source folder, so that each checkout would compile
  # differently (and miss the compiler cache) for nothing that hardens.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
            ${KESTREL_DPKG_BUILDFLAGS_EXECUTABLE} --get ${name}
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(${result} "${flags}" PARENT_SCOPE)
endfunction()

kestrel_dpkg_buildflags(CPPFLAGS kestrel_cppflags)
kestrel_dpkg_buildflags(CXXFLAGS kestrel_cxxflags)
kestrel_dpkg_buildflags(LDFLAGS kestrel_ldflags)
# Before the build type's own flags, which therefore keep the last word on
# optimisation and debug information.
string(PREPEND CMAKE_CXX_FLAGS "${kestrel_cppflags} ${kestrel_cxxflags} ")
foreach(kind EXE SHARED MODULE)
  string(PREPEND CMAKE_${kind}_LINKER_FLAGS "${kestrel_ldflags} ")
endforeach()
message(STATUS "Hardening flags from dpkg-buildflags: ${kestrel_cppflags} ${kestrel_cxxflags} ${kestrel_ldflags}")
set(KESTREL_HARDENED ON)
