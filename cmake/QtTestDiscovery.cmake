# Run after a Qt test program is linked (rx041_add_qt_test_program): asks it
# for its CTest entries (a name and the program's arguments a line, separated
# by tabs) and writes them for CTest.
# In: PROGRAM, OUTPUT, TIMEOUT, ENVIRONMENT (semicolons written as "|"), LABELS.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${PROGRAM}" --list OUTPUT_VARIABLE listed ERROR_VARIABLE problem RESULT_VARIABLE status
                TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --list failed (${status}): ${problem}")
endif()
string(REPLACE "|" ";" environment "QT_QPA_PLATFORM=offscreen|${ENVIRONMENT}")
# Brackets keep semicolons and spaces of names and arguments as they are.
string(REPLACE ";" "\\;" listed "${listed}")
string(REPLACE "\n" ";" lines "${listed}")
set(script "")
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(POP_FRONT fields name)
  set(arguments "")
  foreach(argument IN LISTS fields)
    string(APPEND arguments " [=[${argument}]=]")
  endforeach()
  string(APPEND script "add_test([=[${name}]=] [=[${PROGRAM}]=]${arguments})\n")
  string(APPEND script "set_tests_properties([=[${name}]=] PROPERTIES TIMEOUT ${TIMEOUT}"
                       " ENVIRONMENT [=[${environment}]=]")
  if(NOT LABELS STREQUAL "")
    string(APPEND script " LABELS [=[${LABELS}]=]")
  endif()
  string(APPEND script ")\n")
endforeach()
file(WRITE "${OUTPUT}" "${script}")
