# Layer test: every quoted #include of a project header must point to the
# including file's own layer or to a layer below it (cmake/layers.cmake).
#
#   cmake -DROOT=<source tree> -P cmake/check_layers.cmake
#
# Each include is resolved as the compiler would: beside the including file,
# then from the tree's root, then from tests/ (the tests' and benchmarks'
# include folder). Fails on a cycle in the table, on an include that reaches
# up or sideways, and on a quoted include that names no file in the tree.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)
if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P check_layers.cmake")
endif()
get_filename_component(ROOT "${ROOT}" ABSOLUTE)

set(layers "")
foreach(entry ${GLYPHORA_LAYER_TABLE})
  string(REGEX REPLACE ":.*" "" name "${entry}")
  list(APPEND layers ${name})
endforeach()
# Longest folder first, so skin/core wins over a shorter prefix.
set(by_length "")
foreach(layer ${layers})
  string(LENGTH "${layer}" n)
  math(EXPR key "1000 - ${n}")
  list(APPEND by_length "${key}|${layer}")
endforeach()
list(SORT by_length)
list(TRANSFORM by_length REPLACE "^[0-9]+\\|" "")

# The layer a path (relative to ROOT) belongs to, or "" outside every layer.
function(layer_of path out)
  foreach(layer ${by_length})
    if(path STREQUAL layer OR path MATCHES "^${layer}/")
      set(${out} ${layer} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

foreach(layer ${layers})
  glyphora_layer_reach(${layer} reach)  # stops with an error on a cycle
  set(allowed_${layer} ${layer} ${reach})
endforeach()

set(problems "")
set(checked 0)
foreach(layer ${layers})
  file(GLOB_RECURSE files LIST_DIRECTORIES false
       ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.hpp ${ROOT}/${layer}/*.cpp ${ROOT}/${layer}/*.c)
  foreach(file ${files})
    file(RELATIVE_PATH rel ${ROOT} ${file})
    layer_of(${rel} own)
    if(NOT own STREQUAL layer)
      continue()  # belongs to a deeper layer folder, checked there
    endif()
    math(EXPR checked "${checked} + 1")
    get_filename_component(dir ${file} DIRECTORY)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
      set(target "")
      foreach(base ${dir} ${ROOT} ${ROOT}/tests)
        if(EXISTS ${base}/${inc} AND NOT IS_DIRECTORY ${base}/${inc})
          get_filename_component(target ${base}/${inc} ABSOLUTE)
          break()
        endif()
      endforeach()
      if(NOT target)
        list(APPEND problems "${rel}: \"${inc}\" names no file in the tree")
        continue()
      endif()
      file(RELATIVE_PATH target_rel ${ROOT} ${target})
      if(target_rel MATCHES "^\\.\\./")
        list(APPEND problems "${rel}: \"${inc}\" lies outside the tree")
        continue()
      endif()
      layer_of(${target_rel} to)
      if(to AND NOT to IN_LIST allowed_${layer})
        list(APPEND problems "${rel}: \"${inc}\" reaches from ${layer} up or across to ${to}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(LENGTH problems n)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${n} include(s) against the layer order:\n  ${text}")
endif()
message(STATUS "layers: ${checked} files, every include goes downward")
