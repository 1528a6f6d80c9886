# Run after a Qt test program is linked (rx041_add_qt_test_program): asks it
# for its test functions and writes one CTest entry per "Class function".
# In: PROGRAM, OUTPUT, TIMEOUT, ENVIRONMENT (semicolons written as "|"), LABELS.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${PROGRAM}" --list OUTPUT_VARIABLE listed ERROR_VARIABLE problem RESULT_VARIABLE status
                TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --list failed (${status}): ${problem}")
endif()
string(REPLACE "|" ";" environment "QT_QPA_PLATFORM=offscreen|${ENVIRONMENT}")
string(REPLACE "\n" ";" lines "${listed}")
set(script "")
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(REPLACE " " ";" words "${line}")
  list(GET words 0 class)
  list(GET words 1 function)
  string(APPEND script "add_test([=[${class}.${function}]=] [=[${PROGRAM}]=] ${class} ${function})\n")
  string(APPEND script "set_tests_properties([=[${class}.${function}]=] PROPERTIES TIMEOUT ${TIMEOUT}"
                       " ENVIRONMENT [=[${environment}]=]")
  if(NOT LABELS STREQUAL "")
    string(APPEND script " LABELS [=[${LABELS}]=]")
  endif()
  string(APPEND script ")\n")
endforeach()
file(WRITE "${OUTPUT}" "${script}")
