# rx041_add_qt_test(<name> SOURCES <files...> LIBRARIES <targets...>)
# A Qt Test program registered with CTest, run on Qt's offscreen platform.
function(rx041_add_qt_test name)
  cmake_parse_arguments(TEST "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${TEST_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${TEST_LIBRARIES})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# rx041_add_flow_faults_test(<name> SOURCES <files...> LIBRARIES <targets...>)
# Operator flows under bench faults: the sample in every test run, and the full
# sweep as <name>_full, run only by `ctest -C faults-full -L faults-full`.
function(rx041_add_flow_faults_test name)
  cmake_parse_arguments(TEST "" "" "SOURCES;LIBRARIES" ${ARGN})
  rx041_add_qt_test(${name} SOURCES ${TEST_SOURCES} LIBRARIES rx041_test_flow_faults ${TEST_LIBRARIES})
  add_dependencies(${name} zq3902module chanlink)
  add_test(NAME ${name}_full COMMAND ${name} CONFIGURATIONS faults-full)
  set_tests_properties(${name}_full PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;RX041_FAULTS_FULL=1"
    LABELS faults-full TIMEOUT 3600)
endfunction()
