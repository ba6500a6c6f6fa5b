# Shared helpers for registering tests, so that every test runs in the same
# sandbox: a fresh data folder of its own, the offscreen Qt platform for widget
# tests, and recorders in place of the restart request and the wallpaper service.

set(SUITE_TEST_DATA_ROOT "${CMAKE_BINARY_DIR}/testdata")
set(SUITE_SANDBOX "${CMAKE_SOURCE_DIR}/cmake/sandbox.sh")

function(_suite_test_environment name out)
  set(dir "${SUITE_TEST_DATA_ROOT}/${name}")
  set(${out}
    "SUITE_TEST_DATA=${dir}"
    "SUITE_BIN_DIR=${SUITE_BIN_DIR}"
    "SUITE_SCREENSHOT_DIR=${SUITE_SCREENSHOT_DIR}"
    "SUITE_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    PARENT_SCOPE)
endfunction()

# suite_add_test(<name> SOURCES a.cpp ... LIBS lib ... [QT_OFFSCREEN] [TIMEOUT s])
# Builds a GoogleTest program and registers it with CTest. Link suite_qt_test_main
# for tests that need a QApplication; the others get GoogleTest's own main.
function(suite_add_test name)
  cmake_parse_arguments(T "QT_OFFSCREEN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  if(NOT "suite_qt_test_main" IN_LIST T_LIBS)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND bash "${SUITE_SANDBOX}" $<TARGET_FILE:${name}>)
  _suite_test_environment(${name} env)
  if(T_QT_OFFSCREEN)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
endfunction()

# suite_add_script_test(<name> <script> [args...] [TIMEOUT s])
# Registers a shell script: smoke tests under Xvfb, comparisons with outside tools.
function(suite_add_script_test name script)
  cmake_parse_arguments(T "" "TIMEOUT" "" ${ARGN})
  add_test(NAME ${name} COMMAND bash "${SUITE_SANDBOX}" bash "${script}" ${T_UNPARSED_ARGUMENTS})
  _suite_test_environment(${name} env)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
endfunction()

# suite_add_fuzz(<name> SOURCES a.cpp ... LIBS lib ... [SEEDS dir] [SECONDS n])
# A libFuzzer target with address and undefined-behaviour sanitizers, run by CTest
# for a bounded time over its seed corpus. Only in builds with SUITE_BUILD_FUZZ.
function(suite_add_fuzz name)
  if(NOT SUITE_BUILD_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "SEEDS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 30)
  endif()
  add_executable(${name} ${F_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fuzz")
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus "${CMAKE_BINARY_DIR}/fuzz/${name}-corpus")
  set(cmd ${CMAKE_COMMAND} -E make_directory ${corpus})
  add_test(NAME ${name}-corpus COMMAND ${cmd})
  set(args -max_total_time=${F_SECONDS} -rss_limit_mb=2048 -timeout=10 ${corpus})
  if(F_SEEDS)
    list(APPEND args "${F_SEEDS}")
  endif()
  add_test(NAME ${name} COMMAND bash "${SUITE_SANDBOX}" $<TARGET_FILE:${name}> ${args})
  _suite_test_environment(${name} env)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600 DEPENDS ${name}-corpus)
endfunction()
