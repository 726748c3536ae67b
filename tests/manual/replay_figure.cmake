# Replays one of the manual's figure scripts in a fresh folder with a fresh
# preference file; fails with the host's message when the script does.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
string(REGEX REPLACE "\\.cvs$" ".svg" document ${SCRIPT})
execute_process(COMMAND ${HOST} --plugin ${PLUGIN} --prefs ${WORK}/preferences.ini --script ${SCRIPT} ${document}
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} failed with status ${status}:\n${messages}")
endif()
