# Runs the artwork generator into OUTPUT_DIR and fails unless every file it writes equals the
# committed one in ART_DIR.
file(REMOVE_RECURSE "${OUTPUT_DIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the artwork generator failed: ${result}")
endif()
file(GLOB generated RELATIVE "${OUTPUT_DIR}" "${OUTPUT_DIR}/*")
list(LENGTH generated count)
if(NOT count EQUAL 13)
  message(FATAL_ERROR "expected 13 art files, the generator wrote: ${generated}")
endif()
foreach(name IN LISTS generated)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT_DIR}/${name}"
                          "${ART_DIR}/${name}" RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} differs from the committed file; run "
                        "vestrel_artwork_generator resources/art and review the pictures")
  endif()
endforeach()
