# End-to-end test of `laminar FILE --screenshot`, run as: cmake -DLAMINAR=<program>
#   -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch directory> -P screenshot_cli.cmake
# CTest runs it with QT_QPA_PLATFORM=offscreen.
foreach(required LAMINAR SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "screenshot_cli.cmake needs -D${required}=...")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# Draws the window into `picture`; fails unless the program reports it, exits 0
# and leaves a PNG file behind.
function(expect_screenshot picture)
  execute_process(COMMAND "${LAMINAR}" examples/8-layer.json --screenshot "${picture}" ${ARGN}
    WORKING_DIRECTORY "${SOURCE_DIR}" TIMEOUT 60
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code STREQUAL "0")
    message(FATAL_ERROR "laminar --screenshot ${ARGN}: exit ${code}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
  if(NOT out STREQUAL "laminar: wrote screenshot ${picture}\n")
    message(FATAL_ERROR "laminar --screenshot ${ARGN}: unexpected output:\n${out}")
  endif()
  if(NOT EXISTS "${picture}")
    message(FATAL_ERROR "no picture at ${picture}")
  endif()
  file(SIZE "${picture}" size)
  file(READ "${picture}" signature LIMIT 8 HEX)
  if(size LESS 1000 OR NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${picture} is not a PNG picture of a window (${size} bytes, starts ${signature})")
  endif()
endfunction()

file(READ "${SOURCE_DIR}/examples/8-layer.json" before)
expect_screenshot("${WORK_DIR}/8-layer.png")
expect_screenshot("${WORK_DIR}/8-layer-metal-stacked.png" --tab 2 --split horizontal)
expect_screenshot("${WORK_DIR}/8-layer-no-calculator.png" --tab 3 --no-calculator)
file(READ "${SOURCE_DIR}/examples/8-layer.json" after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "taking a screenshot changed examples/8-layer.json")
endif()

# A tab the window does not have: bad input, and no picture.
execute_process(COMMAND "${LAMINAR}" examples/8-layer.json --screenshot "${WORK_DIR}/none.png" --tab 99
  WORKING_DIRECTORY "${SOURCE_DIR}" TIMEOUT 60 RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL "2" OR EXISTS "${WORK_DIR}/none.png")
  message(FATAL_ERROR "--tab 99: exit ${code}, expected 2 and no picture\nstderr:\n${err}")
endif()
