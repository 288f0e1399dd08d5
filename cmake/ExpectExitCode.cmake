# Runs a command and fails unless it ends with the expected exit code as Linux sees it (a Windows
# exit code arrives through Wine as its low 8 bits).
# cmake -DCOMMAND="program|arg|..." -DEXPECTED=<code> -P ExpectExitCode.cmake
string(REPLACE "|" ";" command "${COMMAND}")
execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(NOT result STREQUAL "${EXPECTED}")
    message(FATAL_ERROR "${command} ended with ${result}, expected ${EXPECTED}")
endif()
