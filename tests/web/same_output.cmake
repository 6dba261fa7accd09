# Runs FIRST and SECOND, and fails unless both succeed and print the same;
# their outputs are left in OUT.FIRST and OUT.SECOND to be compared by eye.
foreach(which FIRST SECOND)
  execute_process(COMMAND ${${which}} OUTPUT_FILE ${OUT}.${which} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${${which}} failed: ${status}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}.FIRST ${OUT}.SECOND RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the outputs differ: diff ${OUT}.FIRST ${OUT}.SECOND")
endif()
