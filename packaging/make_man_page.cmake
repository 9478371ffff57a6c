# Makes one man page: the version goes into the scdoc source, scdoc makes roff.
# Called by packaging/CMakeLists.txt with IN, OUT, VERSION and SCDOC.
cmake_minimum_required(VERSION 3.25)  # today's policies, as the project has them
file(READ ${IN} text)
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${OUT}.scd "${text}")
execute_process(COMMAND ${SCDOC} INPUT_FILE ${OUT}.scd OUTPUT_FILE ${OUT}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "scdoc could not make ${OUT} from ${IN}: ${errors}")
endif()
