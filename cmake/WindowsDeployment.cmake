# What kestrel.exe needs beside itself, in the build tree (so that it runs
# from there under Wine) and in the packages: the Qt DLLs and plugins, the
# compiler's runtime DLLs, and the files the host build made (config.bin,
# str.ini, the skins). DLLs are stripped on the way.
if(NOT (WIN32 AND CMAKE_CROSSCOMPILING AND KESTREL_BUILD_GUI))
  return()
endif()
foreach(host_input KESTREL_HOST_PROGRAM_DIR KESTREL_HOST_DEFAULTS)
  if(NOT ${host_input})
    message(FATAL_ERROR "${host_input} is not set: the Windows window program is built from the native build")
  endif()
endforeach()

# The compiler's own runtime, which the Qt DLLs link against too.
set(runtime_files)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${dll}")
  endif()
  list(APPEND runtime_files "${dll_path}")
endforeach()

# Copies FILE stripped into the program folder's SUBFOLDER and installs it there.
set(deployed_files)
function(kestrel_deploy file subfolder)
  get_filename_component(name "${file}" NAME)
  set(target_path ${KESTREL_PROGRAM_DIR}/${subfolder}/${name})
  add_custom_command(
    OUTPUT ${target_path}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTREL_PROGRAM_DIR}/${subfolder}
    COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${target_path} ${file}
    DEPENDS ${file}
    VERBATIM)
  set(deployed_files ${deployed_files} ${target_path} PARENT_SCOPE)
  install(FILES ${target_path} DESTINATION ${subfolder})
endfunction()

foreach(module Core Gui Widgets Network)
  get_target_property(dll Qt6::${module} IMPORTED_LOCATION_RELEASE)
  kestrel_deploy("${dll}" .)
endforeach()
get_target_property(platform_plugin Qt6::QWindowsIntegrationPlugin IMPORTED_LOCATION_RELEASE)
kestrel_deploy("${platform_plugin}" platforms)
# Qt's own dialogs (the colour chooser, message boxes) in the system's look.
if(TARGET Qt6::QWindowsVistaStylePlugin)
  get_target_property(style_plugin Qt6::QWindowsVistaStylePlugin IMPORTED_LOCATION_RELEASE)
  kestrel_deploy("${style_plugin}" styles)
endif()
foreach(dll IN LISTS runtime_files)
  kestrel_deploy("${dll}" .)
endforeach()

# The shipped defaults, made afresh here by the host's generator: the copies
# in the program folder are the user's once the program has run from there.
set(defaults_dir ${CMAKE_BINARY_DIR}/defaults)
add_custom_command(
  OUTPUT ${defaults_dir}/config.bin
  COMMAND ${CMAKE_COMMAND} -E make_directory ${defaults_dir}
  COMMAND ${KESTREL_HOST_DEFAULTS} ${defaults_dir}/config.bin
  DEPENDS ${KESTREL_HOST_DEFAULTS}
  VERBATIM)
set(shipped_config ${defaults_dir}/config.bin)
set(shipped_strings ${PROJECT_SOURCE_DIR}/resources/str.ini)
set(host_skins ${KESTREL_HOST_PROGRAM_DIR}/Skins)
# Only made when missing or when the defaults change, so that what the
# program stored in the build tree is kept.
add_custom_command(
  OUTPUT ${KESTREL_PROGRAM_DIR}/config.bin
  COMMAND ${CMAKE_COMMAND} -E copy ${shipped_config} ${KESTREL_PROGRAM_DIR}/config.bin
  DEPENDS ${shipped_config}
  VERBATIM)
add_custom_command(
  OUTPUT ${KESTREL_PROGRAM_DIR}/str.ini
  COMMAND ${CMAKE_COMMAND} -E copy ${shipped_strings} ${KESTREL_PROGRAM_DIR}/str.ini
  DEPENDS ${shipped_strings}
  VERBATIM)
add_custom_command(
  OUTPUT ${KESTREL_PROGRAM_DIR}/Skins/Default/main.png
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${host_skins} ${KESTREL_PROGRAM_DIR}/Skins
  DEPENDS ${host_skins}/Default/main.png
  VERBATIM)
add_custom_target(windows_program_folder ALL
  DEPENDS ${deployed_files} ${KESTREL_PROGRAM_DIR}/config.bin ${KESTREL_PROGRAM_DIR}/str.ini
          ${KESTREL_PROGRAM_DIR}/Skins/Default/main.png)

install(FILES ${shipped_config} ${shipped_strings} DESTINATION .)
install(DIRECTORY ${host_skins} DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

include(cmake/WindowsPackaging.cmake)
