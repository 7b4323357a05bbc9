# Runs gohall with ARGS (a ;-list, after `env` settings in ENVIRONMENT) and expects it to end on
# its own with a failure whose error stream says EXPECT, instead of waiting for a click.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env ${ENVIRONMENT} ${GOHALL} -platform offscreen ${ARGS}
  RESULT_VARIABLE result
  ERROR_VARIABLE errors
  OUTPUT_QUIET
  TIMEOUT 60)
if(result EQUAL 0 OR result MATCHES "timeout")
  message(FATAL_ERROR "gohall answered '${result}' for ${ARGS}")
endif()
string(FIND "${errors}" "${EXPECT}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "'${EXPECT}' is not on the error stream: ${errors}")
endif()
