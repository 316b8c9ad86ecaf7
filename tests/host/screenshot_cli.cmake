# End-to-end test of `laminar FILE --screenshot`, run as: cmake -DLAMINAR=<program>
#   -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch directory> -P screenshot_cli.cmake
# CTest runs it with QT_QPA_PLATFORM=offscreen.
include(${CMAKE_CURRENT_LIST_DIR}/run_laminar.cmake)
expect_definitions(LAMINAR SOURCE_DIR WORK_DIR)

# Draws the window into `picture`; fails unless the program reports it, exits 0
# and leaves a PNG file behind.
function(expect_screenshot picture)
  run_laminar(0 examples/8-layer.json --screenshot "${picture}" ${ARGN})
  if(NOT out STREQUAL "laminar: wrote screenshot ${picture}\n")
    message(FATAL_ERROR "laminar --screenshot ${ARGN}: unexpected output:\n${out}")
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
run_laminar(2 examples/8-layer.json --screenshot "${WORK_DIR}/none.png" --tab 99)
if(EXISTS "${WORK_DIR}/none.png")
  message(FATAL_ERROR "--tab 99 left a picture")
endif()
