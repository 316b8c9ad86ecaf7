# End-to-end test of `laminar check`, run as: cmake -DLAMINAR=<program>
#   -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch directory> -P check_cli.cmake
include(${CMAKE_CURRENT_LIST_DIR}/run_laminar.cmake)
expect_definitions(LAMINAR SOURCE_DIR WORK_DIR)

# Every example checks without an error, one line per board, in file order.
file(GLOB examples RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/examples/*.json")
list(LENGTH examples example_count)
if(example_count LESS 4)
  message(FATAL_ERROR "expected at least 4 examples, found: ${examples}")
endif()
foreach(example IN LISTS examples)
  run_laminar(0 check "${example}")
  file(READ "${SOURCE_DIR}/${example}" document)
  string(JSON board_count LENGTH "${document}" boards)
  math(EXPR last "${board_count} - 1")
  set(expected "^")
  foreach(i RANGE ${last})
    string(JSON id GET "${document}" boards ${i} id)
    string(APPEND expected "${example}: board ${id} \"[^\"\n]*\": (OK|WARNING) - [^\n]+\n")
  endforeach()
  if(NOT out MATCHES "${expected}$")
    message(FATAL_ERROR "${example}: expected one line per board in file order, got:\n${out}")
  endif()
endforeach()
run_laminar(0 check examples/8-layer.json)
if(NOT out STREQUAL "examples/8-layer.json: board 1 \"Main\": OK - No errors in stackup.\n")
  message(FATAL_ERROR "the main example no longer checks clean:\n${out}")
endif()
run_laminar(0 check examples/2-layer.json)
expect_contains("${out}" ": WARNING - No plane layers defined." "2-layer output")

# A malformed file: exit 2, its name and the parser's position on stderr, nothing on stdout.
run_laminar(2 check tests/host/data/malformed.json)
expect_contains("${err}" "tests/host/data/malformed.json: not valid JSON (at byte " "stderr")
if(NOT out STREQUAL "")
  message(FATAL_ERROR "malformed file wrote to stdout:\n${out}")
endif()

# A missing file among good ones: the good ones are still checked, the worst exit wins.
run_laminar(2 check examples/8-layer.json "${WORK_DIR}/missing.json")
expect_contains("${err}" "${WORK_DIR}/missing.json: cannot open the file" "stderr")
expect_contains("${out}" "examples/8-layer.json: board 1 \"Main\": OK" "stdout")

# A well-formed file with a critical finding: exit 1, the message on one line.
run_laminar(1 check tests/host/data/critical.json)
expect_contains("${out}" "tests/host/data/critical.json: board 1 \"Fine\": OK - No errors in stackup.\n" "stdout")
expect_contains("${out}"
  "tests/host/data/critical.json: board 2 \"No dielectric\": CRITICAL - Dielectric layer is required between layers Top and Inner.\n"
  "stdout")

# KiCad boards: the same command reads them; a board without a stackup is
# checked with KiCad's default one, and stderr says so.
run_laminar(0 check tests/host/data/kicad/six-layer.kicad_pcb tests/host/data/kicad/no-stackup.kicad_pcb)
expect_contains("${out}" "tests/host/data/kicad/six-layer.kicad_pcb: board 1 \"six-layer.kicad_pcb\": OK - No errors in stackup.\n" "stdout")
expect_contains("${out}" "tests/host/data/kicad/no-stackup.kicad_pcb: board 1 \"no-stackup.kicad_pcb\": WARNING" "stdout")
expect_contains("${err}" "no-stackup.kicad_pcb: the board has no stackup; KiCad's default stackup for 4 copper layers is used" "stderr")

# The command line itself.
run_laminar(2)
expect_contains("${err}" "usage: laminar check FILE..." "usage")
run_laminar(2 --help)
run_laminar(2 check)
run_laminar(0 --version)
expect_contains("${out}" "laminar " "version")

# The editor form: bad usage and bad files are refused before any window opens;
# without a display the window cannot open, and the program says so.
run_laminar(2 examples/8-layer.json --tab 1)
expect_contains("${err}" "laminar: --tab and --split go with --screenshot" "stderr")
run_laminar(2 tests/host/data/malformed.json)
expect_contains("${err}" "tests/host/data/malformed.json: not valid JSON" "stderr")
set(LAMINAR_ENV ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
file(COPY_FILE "${SOURCE_DIR}/examples/8-layer.json" "${WORK_DIR}/edit.json")
run_laminar(1 "${WORK_DIR}/edit.json")
expect_contains("${err}" "laminar: the editor window could not be opened" "stderr")
file(READ "${SOURCE_DIR}/examples/8-layer.json" before)
file(READ "${WORK_DIR}/edit.json" after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a window that never opened changed the file")
endif()
unset(LAMINAR_ENV)
