# gzip -9 -n IN into OUT: -n leaves out the name and time, so that the same
# sources give the same bytes. Called by packaging/CMakeLists.txt with IN, OUT, GZIP.
execute_process(COMMAND ${GZIP} -9 -n -c INPUT_FILE ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "gzip could not compress ${IN}")
endif()
