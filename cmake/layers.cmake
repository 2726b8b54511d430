# reelctl_layer(TARGET FOLDER): the headers of FOLDER (a path below the
# source root, such as app or frontends/model) are included as "FOLDER/x.h"
# by TARGET and by whatever links TARGET, and by nothing else.
#
# The folder is linked into a directory of its own in the build tree, and only
# that directory is put on the include path, so each layer sees its own
# headers and those of the layers it links, never those of a layer above.
function(reelctl_layer target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
