# Regenerates the icon into the build tree and compares it with the committed one.
execute_process(COMMAND ${ICONGEN} ${OUTPUT} ${ART} RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
  message(FATAL_ERROR "icongen failed (${generated})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${EXPECTED} does not match its pixel-art sources: "
                      "run the regenerate_icon target and commit the icon")
endif()
