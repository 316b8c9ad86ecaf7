# End-to-end test of `laminar z0`, run as: cmake -DLAMINAR=<program>
#   -DSOURCE_DIR=<repository> -P z0_cli.cmake
cmake_policy(SET CMP0007 NEW)
foreach(required LAMINAR SOURCE_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "z0_cli.cmake needs -D${required}=...")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/run_laminar.cmake)

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

# JSON: exactly these keys, in this order; only the board asked for.
run_laminar(0 z0 examples/rigid-flex.json --board 2 --json)
string(JSON count LENGTH "${out}")
if(NOT count EQUAL 2)
  message(FATAL_ERROR "board 2 of the rigid-flex example has two conductor layers:\n${out}")
endif()
string(JSON key_count LENGTH "${out}" 0)
set(keys "")
math(EXPR last "${key_count} - 1")
foreach(i RANGE ${last})
  string(JSON key MEMBER "${out}" 0 ${i})
  list(APPEND keys "${key}")
endforeach()
list(SORT keys)
string(REGEX MATCH "^\\[[^}]*}" first "${out}")
if(NOT keys STREQUAL "board;er_eff;h1;h2;index;name;structure;z0;zdiff" OR NOT first MATCHES
   "\"board\".*\"index\".*\"name\".*\"structure\".*\"h1\".*\"h2\".*\"er_eff\".*\"z0\".*\"zdiff\"")
  message(FATAL_ERROR "unexpected keys or order: ${keys}\n${first}")
endif()
string(JSON board GET "${out}" 1 board)
string(JSON structure GET "${out}" 1 structure)
if(NOT board EQUAL 2 OR NOT structure STREQUAL "embedded microstrip")
  message(FATAL_ERROR "unexpected second row:\n${out}")
endif()

# Refused input: exit 2, the message on stderr, nothing on stdout.
foreach(args "z0;tests/host/data/malformed.json" "z0;examples/8-layer.json;--board;3"
             "z0;examples/8-layer.json;--board;x" "z0;--json")
  run_laminar(2 ${args})
  if(NOT out STREQUAL "" OR err STREQUAL "")
    message(FATAL_ERROR "laminar ${args}: expected a message and no output, got:\n${out}\n${err}")
  endif()
endforeach()
