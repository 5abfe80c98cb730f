# libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer).
# Each runs as a test for REVEILO_FUZZ_SECONDS; a crash it finds is kept in
# the build folder and becomes a unit test.
set(REVEILO_FUZZ_SECONDS 30 CACHE STRING "Seconds each fuzz target runs")
foreach(target fuzz_command_line fuzz_password_reset fuzz_batch_line fuzz_wake_log)
  add_executable(${target} tests/fuzz/${target}.cpp)
  target_link_libraries(${target} PRIVATE reveilo_core)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fuzz)
  set(flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_compile_options(${target} PRIVATE ${flags})
  target_link_options(${target} PRIVATE ${flags})
  set(corpus ${CMAKE_BINARY_DIR}/corpus/${target})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${target}
           COMMAND ${target} -max_total_time=${REVEILO_FUZZ_SECONDS} -print_final_stats=1
                   -artifact_prefix=${CMAKE_BINARY_DIR}/crash-${target}- ${corpus})
  math(EXPR limit "${REVEILO_FUZZ_SECONDS} + 120")
  set_tests_properties(${target} PROPERTIES TIMEOUT ${limit})
endforeach()
