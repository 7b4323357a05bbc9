# Runs gohall --help and --version with no display at all and expects each to exit 0, the help
# naming every option of the windows and of the server.
foreach(asked --help --version)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM ${GOHALL} ${asked}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    TIMEOUT 60)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gohall ${asked} answered '${result}' without a display: ${errors}")
  endif()
  set(help_${asked} "${output}")
endforeach()
if(NOT help_--version MATCHES "gohall [0-9]+\\.[0-9]+")
  message(FATAL_ERROR "no version in: ${help_--version}")
endif()
foreach(option --serve --port --bind --archive --cert --key --no-engines --join --name --ca --table --free --watch
               --referee --engines --games --record-dir --legacy --earlier-build --load --size --screen --screenshot
               --settings --mute --version)
  string(FIND "${help_--help}" "${option} " at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the help does not list ${option}: ${help_--help}")
  endif()
endforeach()
