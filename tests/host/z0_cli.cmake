# End-to-end test of `laminar z0`, run as: cmake -DLAMINAR=<program>
#   -DSOURCE_DIR=<repository> -P z0_cli.cmake
cmake_policy(SET CMP0007 NEW)
include(${CMAKE_CURRENT_LIST_DIR}/run_laminar.cmake)
expect_definitions(LAMINAR SOURCE_DIR)

# Text: a header, then one tab-separated row per conductor layer in layer order.
run_laminar(0 z0 examples/8-layer.json)
string(REPLACE "\n" ";" lines "${out}")
list(FILTER lines EXCLUDE REGEX "^$")
list(LENGTH lines line_count)
list(GET lines 0 header)
if(NOT header STREQUAL "board\tindex\tname\tstructure\th1\th2\ter_eff\tz0\tzdiff" OR NOT line_count EQUAL 9)
  message(FATAL_ERROR "unexpected z0 table:\n${out}")
endif()
list(GET lines 3 row)
if(NOT row MATCHES "^1\t5\tL3_Sig1\tstripline\t0.0002\t0.0002\t4\\.[0-9]+\t[0-9.]+\t[0-9.]+$")
  message(FATAL_ERROR "unexpected row for L3_Sig1: ${row}")
endif()

# JSON: board 2's two conductor layers with exactly these keys, in this order, whatever the spacing.
run_laminar(0 z0 examples/rigid-flex.json --board 2 --json)
string(REGEX REPLACE "[ \n]" "" packed "${out}")
set(number "[-0-9.e+]+")
set(row "{\"board\":2,\"index\":[0-9]+,\"name\":\"[^\"]*\",\"structure\":\"[^\"]*\",\"h1\":${number},\"h2\":${number},\"er_eff\":${number},\"z0\":${number},\"zdiff\":${number}}")
if(NOT packed MATCHES "^\\[${row},${row}]$" OR NOT packed MATCHES "\"structure\":\"embeddedmicrostrip\"")
  message(FATAL_ERROR "unexpected rows, keys or order:\n${out}")
endif()

# Refused input: exit 2, the message on stderr, nothing on stdout.
foreach(args "z0;tests/host/data/malformed.json" "z0;examples/8-layer.json;--board;3"
             "z0;examples/8-layer.json;--board;x" "z0;--json")
  run_laminar(2 ${args})
  if(NOT out STREQUAL "" OR err STREQUAL "")
    message(FATAL_ERROR "laminar ${args}: expected a message and no output, got:\n${out}\n${err}")
  endif()
endforeach()
