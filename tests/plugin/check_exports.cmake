# Fails unless the module's defined dynamic symbols are exactly PIMain and
# PIResourceDirectory.  Run with -DNM=<nm> -DMODULE=<module file>.
execute_process(
  COMMAND ${NM} -D --defined-only ${MODULE}
  OUTPUT_VARIABLE listing
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${MODULE}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(names "")
foreach(line IN LISTS lines)
  # "<address> <type> <name>[@version]"
  if(line MATCHES "^[0-9a-fA-F]+ +[A-Za-z] +([^ @]+)")
    list(APPEND names "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(SORT names)
if(NOT names STREQUAL "PIMain;PIResourceDirectory")
  message(FATAL_ERROR "${MODULE} exports [${names}], expected [PIMain;PIResourceDirectory]")
endif()
