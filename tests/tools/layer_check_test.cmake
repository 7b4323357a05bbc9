# The layering check on small trees of its own: a clean one passes, and each kind of arrow that
# runs back up fails with its file named.
set(root ${WORK}/layer_check_trees)
file(REMOVE_RECURSE ${root})

# Writes `files` (path=include;…) into a fresh tree and runs the check on it.
function(check_tree name expected_result expected_text)
  set(tree ${root}/${name})
  foreach(entry ${ARGN})
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 path)
    list(GET parts 1 target)
    file(APPEND ${tree}/${path} "#include ${target}\n")
  endforeach()
  execute_process(COMMAND ${LAYER_CHECK} ${tree} RESULT_VARIABLE result OUTPUT_VARIABLE output)
  if(NOT result EQUAL expected_result OR NOT output MATCHES "${expected_text}")
    message(FATAL_ERROR "${name}: expected ${expected_result} and '${expected_text}', got ${result}: ${output}")
  endif()
endfunction()

# The headers every tree has, so that its includes point at files that exist.
set(base "rules/board.h=<vector>" "record/file.h=\"rules/board.h\"" "hall/server/table.h=\"record/file.h\""
         "goview/view.h=\"sdk/kit/image.h\"" "sdk/kit/image.h=<QImage>")
check_tree(clean 0 "points down" ${base} "match/core.h=\"record/file.h\"" "tests/anything.cpp=\"hall/server/table.h\"")
check_tree(qt_in_core 1 "rules/board.h:2: Qt in the core" ${base} "rules/board.h=<QString>")
check_tree(core_up 1 "record/file.h:2: record/ may not include" ${base} "record/file.h=\"hall/server/table.h\"")
check_tree(plugin_in_hall 1 "the hall includes a plug-in" ${base} "hall/server/table.h=\"goview/view.h\"")
check_tree(hall_in_plugin 1 "a plug-in includes the hall" ${base} "goview/view.h=\"hall/server/table.h\"")
check_tree(cycle 1 "a cycle of folders" ${base} "hall/net/link.h=\"hall/server/table.h\"" "hall/server/table.h=\"hall/net/link.h\"")
