# Host programs from tools/: the skin packer, which the build runs, and the
# skin artwork generator, which a developer runs by hand (target skinart).
# A host build makes them as targets of its own; a cross build makes them
# with the host's compiler and the same flags, as the project tools/ under
# host-tools/, whose targets the build drives.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(host_tools_dir ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(glyphora_host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${host_tools_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${host_tools_dir}/skinpack)
  set(GLYPHORA_SKINPACK ${host_tools_dir}/skinpack)
  set(GLYPHORA_SKINPACK_DEPENDS glyphora_host_tools ${host_tools_dir}/skinpack)
  add_custom_target(skinart
    COMMAND ${CMAKE_COMMAND} --build ${host_tools_dir} --target skinart
    DEPENDS glyphora_host_tools
    COMMENT "Building the skin artwork generator (host-tools/skinart)" VERBATIM)
else()
  add_subdirectory(tools)
  set(GLYPHORA_SKINPACK $<TARGET_FILE:skinpack>)
  set(GLYPHORA_SKINPACK_DEPENDS skinpack)
endif()

# glyphora_pack_skin(target output member...)
# Packs the member files, in the order given, into the skin package `output`;
# the custom target `target` makes it.
function(glyphora_pack_skin target output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GLYPHORA_SKINPACK} ${output} ${ARGN}
    DEPENDS ${GLYPHORA_SKINPACK_DEPENDS} ${ARGN}
    COMMENT "Packing ${output}" VERBATIM)
  add_custom_target(${target} DEPENDS ${output})
endfunction()
