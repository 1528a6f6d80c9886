# rx041_add_qt_test(<name> SOURCES <files...> LIBRARIES <targets...>)
# A Qt Test program registered with CTest, run on Qt's offscreen platform.
function(rx041_add_qt_test name)
  cmake_parse_arguments(TEST "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${TEST_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${TEST_LIBRARIES})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
