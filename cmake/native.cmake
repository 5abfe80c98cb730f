# Native build: the portable core's unit tests and the source checks.
option(REVEILO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(REVEILO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

include(cmake/googletest.cmake)

# Natively, the library's own checks turn an index past a container's end
# into a stop the tests see, not a silent read.
target_compile_definitions(reveilo_core PUBLIC _GLIBCXX_ASSERTIONS)

file(GLOB unit_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
add_executable(reveilo_unit_tests ${unit_test_sources})
target_link_libraries(reveilo_unit_tests PRIVATE reveilo_core GTest::gtest_main)
reveilo_warnings(reveilo_unit_tests)
add_test(NAME unit_tests COMMAND reveilo_unit_tests)
# The task XML is validated with xmllint against the published task schema's types.
target_compile_definitions(reveilo_unit_tests PRIVATE REVEILO_TASK_XSD="${CMAKE_SOURCE_DIR}/tests/xml/task.xsd")

# The compiler itself must refuse a UTF-8 literal on its way to an A call.
add_test(NAME narrow_japanese_literal_refused
  COMMAND ${CMAKE_CXX_COMPILER} ${REVEILO_NARROW_CHARSET} -fsyntax-only -x c++
          ${CMAKE_SOURCE_DIR}/tests/lint/narrow_japanese_literal.cpp.txt)
set_tests_properties(narrow_japanese_literal_refused PROPERTIES PASS_REGULAR_EXPRESSION
                     "narrow_japanese_literal.cpp.txt:3:[0-9]+: error: converting to execution character set")

# The portable core and its tests name no Windows-only header; the check's own
# test shows it refusing one.
get_target_property(core_sources reveilo_core SOURCES)
list(TRANSFORM core_sources PREPEND ${CMAKE_SOURCE_DIR}/)
set(REVEILO_CHECK_PORTABLE ${CMAKE_SOURCE_DIR}/cmake/check-portable.cmake)
add_test(NAME portable_core_names_no_windows_header
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} "-DFILES=${core_sources};${unit_test_sources}"
          -P ${REVEILO_CHECK_PORTABLE})
add_test(NAME portable_check_refuses_a_win_header
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR}
          -DFILES=${CMAKE_SOURCE_DIR}/tests/lint/portable_names_win_header.cpp.txt -P ${REVEILO_CHECK_PORTABLE})
set_tests_properties(portable_check_refuses_a_win_header PROPERTIES PASS_REGULAR_EXPRESSION
                     "portable_names_win_header.cpp.txt[ \r\n]+includes[ \r\n]+platform/os_version_win.h")

# The record's scan on a tree of Windows 10's size (bench/run.sh runs it).
add_executable(scan_bench bench/scan_bench.cpp)
target_link_libraries(scan_bench PRIVATE reveilo_core)
