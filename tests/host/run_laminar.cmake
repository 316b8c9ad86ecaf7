# Helpers of the command-line tests of the example host; LAMINAR and
# SOURCE_DIR are the caller's.

# Runs the program from the repository root (under LAMINAR_ENV, a command
# prefix, when set); fails unless it exits with `expected`.
function(run_laminar expected)
  execute_process(COMMAND ${LAMINAR_ENV} "${LAMINAR}" ${ARGN} WORKING_DIRECTORY "${SOURCE_DIR}"
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code STREQUAL "${expected}")
    message(FATAL_ERROR "laminar ${ARGN}: exit ${code}, expected ${expected}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_contains text part what)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what} lacks \"${part}\":\n${text}")
  endif()
endfunction()
