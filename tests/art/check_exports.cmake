# Fails unless the dynamic symbol table of LIBRARY defines exactly the symbols in EXPECTED.
# cmake -DNM=<nm> -DLIBRARY=<file> -DEXPECTED=<name;...> -P check_exports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}: ${errors}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(defined)
foreach(line IN LISTS lines)
  # "<address> <type> <name>[@version]"
  if(line MATCHES "^[0-9a-fA-F]+ [A-Za-z] ([^@ ]+)")
    list(APPEND defined ${CMAKE_MATCH_1})
  endif()
endforeach()
list(SORT defined)
set(wanted ${EXPECTED})
list(SORT wanted)
if(NOT defined STREQUAL wanted)
  message(FATAL_ERROR "${LIBRARY} exports [${defined}], expected exactly [${wanted}]")
endif()
