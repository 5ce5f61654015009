# Compiler warnings are a property of each target, not of the whole build, so
# that a target brought in from elsewhere keeps its own. Every target this
# project defines gets them: kestrel_set_warnings_on_all_targets() runs once
# the whole tree has been read, so a new library, program, test or tool needs
# nothing of its own to be warned about.

function(kestrel_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# The targets that compile sources, in this folder and every folder below it.
function(kestrel_compiled_targets dir result)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    kestrel_compiled_targets(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

function(kestrel_set_warnings_on_all_targets)
  kestrel_compiled_targets(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    kestrel_set_warnings(${target})
  endforeach()
endfunction()
