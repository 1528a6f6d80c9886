# Fuzzing with libFuzzer: RX041_FUZZ=ON in a build tree of its own, configured
# with clang (-DCMAKE_CXX_COMPILER=clang++). Everything is then built with
# AddressSanitizer, UndefinedBehaviorSanitizer and the fuzzer's coverage
# instrumentation; rx041_add_fuzz_target adds one fuzz program.
option(RX041_FUZZ "Build the libFuzzer targets (clang only)" OFF)
set(RX041_FUZZ_SECONDS 30 CACHE STRING "How long CTest runs each fuzz target, in seconds")

if(RX041_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "RX041_FUZZ=ON needs clang: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  if(NOT RX041_SANITIZE STREQUAL "")
    message(FATAL_ERROR "RX041_FUZZ=ON brings its own sanitizers; leave RX041_SANITIZE empty")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # Builds every fuzz program and nothing else.
  add_custom_target(fuzz_targets)
endif()

# rx041_add_fuzz_target(<name> SOURCES <files...> LIBRARIES <targets...> [INCLUDES <dirs...>])
# A fuzz program (only with RX041_FUZZ=ON). Its seed corpus is corpus/<name>/
# beside the sources; CTest (label "fuzz") runs it for RX041_FUZZ_SECONDS on
# the seeds and what earlier runs of this build tree found, and fails on any
# crash, time-out, leak or sanitizer report. Findings are written to the
# build tree as crash-*, leak-*, timeout-* files.
function(rx041_add_fuzz_target name)
  if(NOT RX041_FUZZ)
    return()
  endif()
  cmake_parse_arguments(FUZZ "" "" "SOURCES;LIBRARIES;INCLUDES" ${ARGN})
  add_executable(${name} ${FUZZ_SOURCES})
  target_link_libraries(${name} PRIVATE ${FUZZ_LIBRARIES})
  target_include_directories(${name} PRIVATE ${FUZZ_INCLUDES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_targets ${name})

  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  set(found ${CMAKE_CURRENT_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${found})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${RX041_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                   -print_final_stats=1 -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/ ${found} ${seeds})
  math(EXPR limit "${RX041_FUZZ_SECONDS} + 120")
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT ${limit}
                       ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()
