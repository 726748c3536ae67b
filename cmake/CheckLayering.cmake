# Checks that every quoted include of the plug-in's sources stays within what
# its layer may use (cmake/CorvaneLayers.cmake, docs/architecture.md).
# Run as a test: cmake -DROOT=<source dir> -P CheckLayering.cmake
#
# Each rule: a folder, "|", then the include prefixes its files may use,
# separated by commas.  A file follows the first rule whose folder holds it.
# System and library headers (<...>) are not checked.
set(tool_floor "tools/framework/,QMDM/,geometry/,hostcall/,sdk/,resources/ResourceIds.h")
set(rules
  "geometry/host/|geometry/,hostcall/,sdk/"
  "geometry/|geometry/"
  "hostcall/|hostcall/,sdk/"
  "QMDM/|QMDM/,geometry/,hostcall/,sdk/"
  "tools/framework/|tools/framework/,QMDM/,geometry/,hostcall/,sdk/,resources/ResourceIds.h"
  "tools/circles/|tools/circles/,${tool_floor}"
  "tools/arcs/|tools/arcs/,${tool_floor}"
  "tools/lines/|tools/lines/,${tool_floor}"
  "tools/edit/|tools/edit/,${tool_floor}"
  "tools/catalog/|tools/,resources/ResourceIds.h,sdk/"
  "plugin/|plugin/,tools/,QMDM/,geometry/,hostcall/,sdk/,resources/ResourceIds.h")

file(GLOB_RECURSE sources RELATIVE ${ROOT}
  ${ROOT}/geometry/*.h ${ROOT}/geometry/*.cpp
  ${ROOT}/hostcall/*.h ${ROOT}/hostcall/*.cpp
  ${ROOT}/QMDM/*.h ${ROOT}/QMDM/*.cpp
  ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp
  ${ROOT}/plugin/*.h ${ROOT}/plugin/*.cpp)

set(violations "")
foreach(source IN LISTS sources)
  set(allowed "")
  foreach(rule IN LISTS rules)
    string(REGEX REPLACE "\\|.*" "" folder "${rule}")
    string(FIND "${source}" "${folder}" at)
    if(at EQUAL 0)
      string(REGEX REPLACE "^[^|]*\\|" "" allowed "${rule}")
      break()
    endif()
  endforeach()
  if(allowed STREQUAL "")
    string(APPEND violations "  ${source}: in no layer\n")
    continue()
  endif()
  string(REPLACE "," ";" allowed "${allowed}")
  file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    set(ok FALSE)
    foreach(prefix IN LISTS allowed)
      string(FIND "${header}" "${prefix}" at)
      if(at EQUAL 0)
        set(ok TRUE)
        break()
      endif()
    endforeach()
    if(NOT ok)
      string(APPEND violations "  ${source}: includes \"${header}\", outside its layer\n")
    endif()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes that break the plug-in's layering:\n${violations}")
endif()
list(LENGTH sources count)
message(STATUS "The includes of all ${count} plug-in sources stay within their layers")
