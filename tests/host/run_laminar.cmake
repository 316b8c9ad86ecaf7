# Helpers of the command-line tests of the example host; LAMINAR and
# SOURCE_DIR are the caller's.

# Fails unless the caller defined each named variable; a WORK_DIR among them is emptied.
function(expect_definitions)
  foreach(required IN LISTS ARGN)
    if(NOT DEFINED ${required})
      message(FATAL_ERROR "${CMAKE_SCRIPT_MODE_FILE} needs -D${required}=...")
    endif()
  endforeach()
  list(FIND ARGN WORK_DIR work)
  if(work GREATER -1)
    file(REMOVE_RECURSE "${WORK_DIR}")
    file(MAKE_DIRECTORY "${WORK_DIR}")
  endif()
endfunction()

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
