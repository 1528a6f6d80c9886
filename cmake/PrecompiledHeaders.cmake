# Precompiled headers for each kind of target: the heavy third-party headers
# (Qt widgets, QtTest, GoogleTest, CLI11 and nlohmann-json) are parsed once per
# kind, in a small target of their own, and every target of that kind reuses
# that header (REUSE_FROM) instead of parsing them again in each source file.
#
# A precompiled header is only taken where it was made with the same
# position-independence (-fPIC for libraries and anything linking Qt, -fPIE for
# the other programs) and where every macro it was made with is defined alike.
# So each kind has its own: a program that links Qt takes a Qt kind, never the
# GoogleTest or command-line one. -Winvalid-pch, which CMake adds, makes a
# mismatch an error under RX041_WERROR rather than a silent slow build.
#
# The headers are included in every source file of such a target: a source
# that forgets one of them still compiles here. -DRX041_PCH=OFF builds without.
option(RX041_PCH "Precompile the heavy third-party headers, once for each kind of target" ON)

set(RX041_PCH_QT_WIDGETS_HEADERS
    <QString> <QStringList> <QList> <QObject> <QWidget> <QApplication> <QDialog> <QLabel> <QPushButton>
    <QAbstractButton> <QLineEdit> <QComboBox> <QCheckBox> <QRadioButton> <QGroupBox> <QVBoxLayout>
    <QHBoxLayout> <QGridLayout>)
set(RX041_PCH_QT_TEST_HEADERS ${RX041_PCH_QT_WIDGETS_HEADERS} <QTest>)
set(RX041_PCH_GTEST_HEADERS <gtest/gtest.h>)
set(RX041_PCH_CLI_HEADERS <CLI/CLI.hpp> <nlohmann/json.hpp>)

# QtTest defines the build and source folder of each target (QT_TESTCASE_*)
# for QFINDTESTDATA, which no test here uses; undefined, one precompiled header
# serves the Qt test targets of every folder.
set(RX041_PCH_QT_TEST_OPTIONS -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)

# GCC before 13 forgets, behind a precompiled header, the #pragma GCC
# diagnostic of the headers in it: libstdc++'s char_traits.h silences the false
# positives of inlined string copies that way, and they come back as errors in
# plain string concatenations. These targets go without those warnings
# (-DRX041_PCH=OFF keeps them).
set(RX041_PCH_OPTIONS)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  set(RX041_PCH_OPTIONS -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
endif()

# _rx041_pch_holder(<name> PROGRAM|LIBRARY HEADERS <headers...> LIBRARIES <targets...> [OPTIONS <options...>])
# The target that makes one kind's precompiled header, from an empty source,
# compiled as that kind's targets are (their position-independence, the
# definitions of LIBRARIES). Built only for the targets that reuse it.
function(_rx041_pch_holder name kind)
  cmake_parse_arguments(PCH "" "" "HEADERS;LIBRARIES;OPTIONS" ${ARGN})
  set(source ${CMAKE_BINARY_DIR}/pch/${name}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Makes the precompiled header of ${name}.\n")
  add_library(${name} OBJECT EXCLUDE_FROM_ALL ${source})
  target_link_libraries(${name} PRIVATE ${PCH_LIBRARIES})
  target_compile_options(${name} PRIVATE ${RX041_PCH_OPTIONS} ${PCH_OPTIONS})
  if(kind STREQUAL "PROGRAM")
    # Objects of an object library are -fPIC; those of a program -fPIE.
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
    target_compile_options(${name} PRIVATE ${CMAKE_CXX_COMPILE_OPTIONS_PIE})
  endif()
  target_precompile_headers(${name} PRIVATE ${PCH_HEADERS})
endfunction()

# Test code is compiled for a quick build rather than for speed or a debugger:
# in the optimised configurations without optimisation and with line tables
# only (enough for a backtrace), which halves the compile time of a test
# source. The libraries under test keep their configuration. The holders of
# the test kinds are compiled alike, as a precompiled header must be.
set(RX041_TEST_CODE_OPTIONS "$<$<CONFIG:RelWithDebInfo,Release,MinSizeRel>:-O0>"
                            "$<$<CONFIG:RelWithDebInfo,Release,MinSizeRel>:-g1>")

if(RX041_PCH)
  _rx041_pch_holder(rx041_pch_gtest PROGRAM HEADERS ${RX041_PCH_GTEST_HEADERS} LIBRARIES GTest::gtest
                    OPTIONS ${RX041_TEST_CODE_OPTIONS})
  _rx041_pch_holder(rx041_pch_cli PROGRAM HEADERS ${RX041_PCH_CLI_HEADERS}
                    LIBRARIES CLI11::CLI11 nlohmann_json::nlohmann_json)
  if(RX041_BUILD_GUI)
    # Qt's targets make libraries and programs alike -fPIC.
    _rx041_pch_holder(rx041_pch_qt_widgets LIBRARY HEADERS ${RX041_PCH_QT_WIDGETS_HEADERS} LIBRARIES Qt6::Widgets)
    _rx041_pch_holder(rx041_pch_qt_test LIBRARY HEADERS ${RX041_PCH_QT_TEST_HEADERS}
                      LIBRARIES Qt6::Widgets Qt6::Test OPTIONS ${RX041_PCH_QT_TEST_OPTIONS} ${RX041_TEST_CODE_OPTIONS})
  endif()
endif()

# _rx041_pch_reuse(<target> <holder> [options...])
function(_rx041_pch_reuse target holder)
  if(RX041_PCH)
    target_compile_options(${target} PRIVATE ${RX041_PCH_OPTIONS} ${ARGN})
    target_precompile_headers(${target} REUSE_FROM ${holder})
  endif()
endfunction()

# rx041_precompile_qt_widgets(<target>): a library or program on Qt Widgets
# (not QtTest).
function(rx041_precompile_qt_widgets target)
  _rx041_pch_reuse(${target} rx041_pch_qt_widgets)
endfunction()

# rx041_precompile_qt_test(<target>): a Qt test program or a fixture library
# linking QtTest; compiled as test code.
function(rx041_precompile_qt_test target)
  target_compile_options(${target} PRIVATE ${RX041_TEST_CODE_OPTIONS})
  _rx041_pch_reuse(${target} rx041_pch_qt_test ${RX041_PCH_QT_TEST_OPTIONS})
endfunction()

# rx041_precompile_gtest(<target>): a GoogleTest program that does not link Qt;
# compiled as test code.
function(rx041_precompile_gtest target)
  target_compile_options(${target} PRIVATE ${RX041_TEST_CODE_OPTIONS})
  _rx041_pch_reuse(${target} rx041_pch_gtest)
endfunction()

# rx041_precompile_cli(<target>): a command-line program on CLI11 that does not
# link Qt.
function(rx041_precompile_cli target)
  _rx041_pch_reuse(${target} rx041_pch_cli)
endfunction()
