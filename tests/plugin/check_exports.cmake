# Fails unless the module's defined dynamic symbols are exactly PIMain and
# PIResourceDirectory.  Run with -DNM=<nm> -DMODULE=<module file> for a shared
# object, or -DOBJDUMP=<objdump> -DMODULE=<module file> for a Windows DLL (its
# export table, and its imports: only system DLLs, none of the compiler's).
if(OBJDUMP)
  execute_process(
    COMMAND ${OBJDUMP} -p ${MODULE}
    OUTPUT_VARIABLE listing
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${MODULE}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${listing}")
  foreach(import IN LISTS imports)
    if(import MATCHES "(libgcc|libstdc|libwinpthread)")
      message(FATAL_ERROR "${MODULE} needs a compiler runtime DLL: ${import}")
    endif()
  endforeach()
  # The names follow "[Ordinal/Name Pointer] Table" as "[   0] Name" lines.
  string(REGEX REPLACE ".*\\[Ordinal/Name Pointer\\] Table" "" table "${listing}")
  string(REGEX MATCHALL "\n[\t ]+\\[ *[0-9]+\\] [^\n]+" entries "${table}")
  set(names "")
  foreach(entry IN LISTS entries)
    if(entry MATCHES "\\] ([^ \n]+)$")
      list(APPEND names "${CMAKE_MATCH_1}")
    endif()
  endforeach()
else()
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
endif()
list(SORT names)
if(NOT names STREQUAL "PIMain;PIResourceDirectory")
  message(FATAL_ERROR "${MODULE} exports [${names}], expected [PIMain;PIResourceDirectory]")
endif()
