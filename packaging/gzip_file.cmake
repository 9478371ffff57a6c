# gzip -9 -n IN into OUT: -n leaves out the name and time, so that the same
# sources give the same bytes. Called by packaging/CMakeLists.txt with IN, OUT, GZIP.
cmake_minimum_required(VERSION 3.25)  # today's policies, as the project has them
execute_process(COMMAND ${GZIP} -9 -n -c INPUT_FILE ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "gzip could not compress ${IN}")
endif()
