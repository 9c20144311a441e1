# The layers of the source tree, bottom first, each with the layers right
# below it. A layer's code may include its own folder and every layer it
# reaches downward through this table, nothing above; its library links the
# layers right below it. The layer test (check_layers.cmake) and the build
# both read this one table.
set(GLYPHORA_LAYER_TABLE
  "base:"
  "framework:base"
  "imaging:base"
  "skin/core:framework,imaging"
  "skin/paint:skin/core"
  "skin/controls:skin/paint"
  "skin/forms:skin/paint"
  "fontlist:skin/controls,skin/forms"
  "app:fontlist"
  # Programs outside the product: the build's host tools, the tests and the
  # benchmarks (which share the tests' support code).
  "tools:skin/core"
  "tests:app"
  "bench:tests")

# Library name of a layer folder: skin/core -> glyphora_skin_core.
function(glyphora_layer_target layer out)
  string(REPLACE "/" "_" name "${layer}")
  set(${out} glyphora_${name} PARENT_SCOPE)
endfunction()

# The layers right below `layer`.
function(glyphora_layer_below layer out)
  set(below "")
  foreach(entry ${GLYPHORA_LAYER_TABLE})
    string(FIND "${entry}" ":" colon)
    string(SUBSTRING "${entry}" 0 ${colon} name)
    if(name STREQUAL layer)
      math(EXPR start "${colon} + 1")
      string(SUBSTRING "${entry}" ${start} -1 rest)
      string(REPLACE "," ";" below "${rest}")
    endif()
  endforeach()
  set(${out} "${below}" PARENT_SCOPE)
endfunction()

# Every layer that `layer` reaches downward (not itself). Fails on a cycle.
function(glyphora_layer_reach layer out)
  set(reach "")
  glyphora_layer_below(${layer} todo)
  while(todo)
    list(POP_FRONT todo next)
    if(next STREQUAL layer)
      message(FATAL_ERROR "layer table: ${layer} reaches itself (a cycle)")
    endif()
    if(NOT next IN_LIST reach)
      list(APPEND reach ${next})
      glyphora_layer_below(${next} more)
      list(APPEND todo ${more})
    endif()
  endwhile()
  set(${out} "${reach}" PARENT_SCOPE)
endfunction()

# glyphora_layer_library(layer SOURCES ... WIN32_SOURCES ...)
# The layer's library: its host-portable sources in every build, its Win32
# sources in Windows builds only. Header-only layers get an interface library.
# Links are made by glyphora_link_layers once every layer exists.
function(glyphora_layer_library layer)
  cmake_parse_arguments(L "" "" "SOURCES;WIN32_SOURCES" ${ARGN})
  glyphora_layer_target(${layer} target)
  set(sources ${L_SOURCES})
  if(WIN32)
    list(APPEND sources ${L_WIN32_SOURCES})
  endif()
  if(sources)
    add_library(${target} STATIC ${sources})
    if(WIN32)
      # 64-bit Windows keeps the stack 16-byte aligned and GCC cannot align
      # it further there, so 32-byte AVX spills must not use aligned moves.
      target_compile_options(${target} PRIVATE -Wa,-muse-unaligned-vector-move)
    endif()
  else()
    add_library(${target} INTERFACE)
  endif()
  set_property(GLOBAL APPEND PROPERTY GLYPHORA_LAYER_LIBRARIES ${layer})
endfunction()

# Links every layer library to the libraries of the layers right below it;
# where a layer has no library in this build (the Win32-only layers in a host
# build), to the layers below that one.
function(glyphora_link_layers)
  get_property(layers GLOBAL PROPERTY GLYPHORA_LAYER_LIBRARIES)
  foreach(layer ${layers})
    glyphora_layer_target(${layer} target)
    glyphora_layer_below(${layer} todo)
    set(links "")
    set(seen "")
    while(todo)
      list(POP_FRONT todo next)
      if(next IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${next})
      if(next IN_LIST layers)
        glyphora_layer_target(${next} lib)
        list(APPEND links ${lib})
      else()
        glyphora_layer_below(${next} more)
        list(APPEND todo ${more})
      endif()
    endwhile()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      target_link_libraries(${target} INTERFACE ${links})
    elseif(links)
      target_link_libraries(${target} PUBLIC ${links})
    endif()
  endforeach()
endfunction()
