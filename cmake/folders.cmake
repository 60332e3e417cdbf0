# SPDX-License-Identifier: MIT
# What a target lets its dependents include. Sources name headers by their
# path from the top of the tree ("platform/keys/jis_keys.h"), and each
# target exports a folder that holds its own folder alone, under that name:
# a rule file cannot include platform/, nor a backend another backend,
# unless the build links the two.

# Makes `folder` (the calling folder, named by its path from the top, such
# as platform/keys) what `target` and its dependents may include from it.
function(titletype_exports target folder)
  set(root ${CMAKE_BINARY_DIR}/exports/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
