execute_process(
  COMMAND ${GOHALL} -platform offscreen --screenshot ${OUTPUT} /nonexistent/missing.go
  RESULT_VARIABLE result
  ERROR_VARIABLE errors
  OUTPUT_QUIET
  TIMEOUT 60)
if(result EQUAL 0 OR result MATCHES "timeout")
  message(FATAL_ERROR "gohall answered '${result}' for a missing record")
endif()
string(FIND "${errors}" "读文件错误！" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no read error on the error stream: ${errors}")
endif()
