# What a Windows user downloads: a portable zip of the program folder and an
# installer for the current user (CPack NSIS with the template in
# resources/windows/nsis). `cmake --build build --target windows-packages` in
# the native build makes both.
# Expects from WindowsDeployment.cmake: deployed_files and host_skins.

set(CPACK_PACKAGE_NAME Kestrel)
set(CPACK_PACKAGE_VENDOR "Kestrel maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sets up the buttons, report rate, DPI stages and lighting of the mouse")
set(CPACK_PACKAGE_FILE_NAME Kestrel-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kestrel)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kestrel)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The values below hold NSIS script text, which must reach it as written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_GENERATOR ZIP)
find_program(KESTREL_MAKENSIS makensis)
if(KESTREL_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
  set(CPACK_NSIS_EXECUTABLE ${KESTREL_MAKENSIS})
else()
  message(STATUS "makensis not found: only the zip is packed (Debian's package nsis has it)")
endif()

list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/resources/windows/nsis)
set(CPACK_KESTREL_INSTANCE_MUTEX "QX8-216Mutex")
set(CPACK_KESTREL_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(CPACK_KESTREL_ICON ${KESTREL_HOST_ICON})

# The uninstaller removes what the installer put there, and nothing the user
# added: the files by name, each shipped skin's folder, never the settings.
set(program_files kestrel.exe kestrelctl.exe LICENSE.txt)
foreach(file IN LISTS deployed_files)
  file(RELATIVE_PATH relative ${KESTREL_PROGRAM_DIR} ${file})
  list(APPEND program_files ${relative})
endforeach()
set(delete_lines "")
set(folders "")
foreach(file IN LISTS program_files)
  string(REPLACE "/" "\\" windows_path "${file}")
  string(APPEND delete_lines "  Delete \"$INSTDIR\\${windows_path}\"\n")
  get_filename_component(folder "${file}" DIRECTORY)
  if(folder AND NOT folder IN_LIST folders)
    list(APPEND folders ${folder})
  endif()
endforeach()
foreach(folder IN LISTS folders)
  string(APPEND delete_lines "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(GLOB skin_folders LIST_DIRECTORIES true ${host_skins}/*)
foreach(skin IN LISTS skin_folders)
  if(IS_DIRECTORY ${skin})
    get_filename_component(name ${skin} NAME)
    string(APPEND delete_lines "  RMDir /r \"$INSTDIR\\Skins\\${name}\"\n")
  endif()
endforeach()
set(CPACK_KESTREL_DELETE_PROGRAM "${delete_lines}")

include(CPack)
