# Run after a Qt Test executable is built: lists its test functions
# (EXE -functions) and writes OUT, a CTest file that adds one test a
# function, NAME.function, labelled LABELS (and slow for those in SLOW), so
# that ctest reports each on its own and runs them in parallel.
cmake_minimum_required(VERSION 3.25)
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${EXE}" -functions
  OUTPUT_VARIABLE listing RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${EXE} -functions failed (${status}): ${listing}")
endif()
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
set(content "")
foreach(slot IN LISTS functions)
  string(REPLACE "()" "" slot "${slot}")
  set(labels "${LABELS}")
  if(slot IN_LIST SLOW)
    list(APPEND labels slow)
  endif()
  list(REMOVE_ITEM labels "")
  string(APPEND content
    "add_test([=[${NAME}.${slot}]=] [=[${EXE}]=] [=[${slot}]=])\n"
    "set_tests_properties([=[${NAME}.${slot}]=] PROPERTIES "
    "ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 300 LABELS [=[${labels}]=])\n")
endforeach()
if(content STREQUAL "")
  message(FATAL_ERROR "${EXE} -functions listed no test function")
endif()
file(WRITE "${OUT}" "${content}")
