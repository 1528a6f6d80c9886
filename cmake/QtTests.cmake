# rx041_add_full_fault_sweep(<program> <class>)
# The full sweep of a flow fault table (every fault at every command kind of
# every flow): one entry that runs the class with RX041_FAULTS_FULL, only by
# `ctest -C faults-full -L faults-full`. The default run takes the sample.
function(rx041_add_full_fault_sweep program class)
  add_test(NAME ${class}_full COMMAND ${program} ${class} CONFIGURATIONS faults-full)
  set_tests_properties(${class}_full PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;RX041_FAULTS_FULL=1"
    LABELS faults-full TIMEOUT 3600)
endfunction()

set(RX041_QT_TEST_DISCOVERY ${CMAKE_CURRENT_LIST_DIR}/QtTestDiscovery.cmake)

# rx041_add_qt_test_program(<name> SOURCES <files...> LIBRARIES <targets...>
#                           [TIMEOUT <s>] [ENVIRONMENT <VAR=value...>] [LABELS <labels...>])
# One Qt test program for several test classes (each registered with
# RX041_QT_TEST), run on Qt's offscreen platform: after each link its test
# functions become CTest entries of their own, "Class.function", so that
# ctest -j spreads them.
function(rx041_add_qt_test_program name)
  cmake_parse_arguments(TEST "" "TIMEOUT" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS" ${ARGN})
  if(NOT TEST_TIMEOUT)
    set(TEST_TIMEOUT 120)
  endif()
  add_executable(${name} ${TEST_SOURCES})
  target_link_libraries(${name} PRIVATE rx041_qt_test_main Qt6::Test ${TEST_LIBRARIES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  rx041_precompile_qt_test(${name})
  set(listed ${CMAKE_CURRENT_BINARY_DIR}/${name}_tests.cmake)
  string(REPLACE ";" "|" environment "${TEST_ENVIRONMENT}")
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D PROGRAM=$<TARGET_FILE:${name}> -D OUTPUT=${listed} -D TIMEOUT=${TEST_TIMEOUT}
            "-D ENVIRONMENT=${environment}" "-D LABELS=${TEST_LABELS}" -P ${RX041_QT_TEST_DISCOVERY}
    BYPRODUCTS ${listed} VERBATIM)
  # A program not built yet is one failing entry rather than a missing file.
  set(include ${CMAKE_CURRENT_BINARY_DIR}/${name}_include.cmake)
  file(WRITE ${include} "if(EXISTS [=[${listed}]=])\n  include([=[${listed}]=])\nelse()\n"
                        "  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include})
endfunction()
