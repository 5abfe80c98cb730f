# Native build: the portable core's unit tests and the source checks.
option(REVEILO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(REVEILO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

include(cmake/googletest.cmake)

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
