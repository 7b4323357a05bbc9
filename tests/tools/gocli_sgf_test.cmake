# gocli replays a record without claiming a result it does not hold, and goes between ".go" and
# SGF: a record written as SGF, converted back and written again is the same text; a file that
# cannot be converted fails with its reason and status 1.
# Run as: cmake -DGOCLI=<gocli> -DWORK=<scratch folder> -P gocli_sgf_test.cmake

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run expected_status)
  execute_process(COMMAND "${GOCLI}" ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "gocli ${ARGN}: status ${status}, expected ${expected_status}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 demo "${WORK}/demo.go")
# A record holds no result: the replay says so and counts the position, naming no winner.
run(0 replay "${WORK}/demo.go")
if(NOT out MATCHES "不含对局结果" OR NOT out MATCHES "黑方目数：" OR out MATCHES "胜")
  message(FATAL_ERROR "the replay claims a result the record does not hold:\n${out}")
endif()
run(0 sgf "${WORK}/demo.go")
set(first "${out}")
if(NOT first MATCHES "^\\(;FF\\[4\\]CA\\[UTF-8\\].*PB\\[黑棋手\\]PW\\[白棋手\\].*;B\\[qp\\];W\\[dd\\]")
  message(FATAL_ERROR "not the demo game's SGF:\n${first}")
endif()
file(WRITE "${WORK}/demo.sgf" "${first}")
run(0 go "${WORK}/demo.sgf" "${WORK}/back.go")
run(0 sgf "${WORK}/back.go")
if(NOT out STREQUAL first)
  message(FATAL_ERROR "the record changed on its way through SGF:\n${first}\n${out}")
endif()

file(WRITE "${WORK}/small.sgf" "(;SZ[13];B[dd])")
run(1 go "${WORK}/small.sgf" "${WORK}/small.go")
if(NOT err MATCHES "不是19路的棋谱" OR EXISTS "${WORK}/small.go")
  message(FATAL_ERROR "a 13 x 13 file: ${err}")
endif()
run(1 go "${WORK}/demo.sgf" "${WORK}/no such folder/out.go")
if(NOT err MATCHES "写文件错误")
  message(FATAL_ERROR "an unwritable target: ${err}")
endif()
run(1 sgf "${WORK}/demo.sgf")
