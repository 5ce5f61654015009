# Embeds the long-path-aware application manifest in a Windows executable.
# The file calls of the program also give long paths the extended-length
# prefix; the manifest lets the rest (the C runtime's among them) take such
# paths wherever the system has long paths enabled.
function(kestrel_windows_manifest target)
  if(NOT WIN32)
    return()
  endif()
  enable_language(RC)
  set(resources ${PROJECT_SOURCE_DIR}/resources/windows)
  target_sources(${target} PRIVATE ${resources}/long-path-aware.rc)
  set_property(SOURCE ${resources}/long-path-aware.rc APPEND PROPERTY OBJECT_DEPENDS
               ${resources}/long-path-aware.manifest)
  set_property(SOURCE ${resources}/long-path-aware.rc APPEND PROPERTY INCLUDE_DIRECTORIES ${resources})
endfunction()
