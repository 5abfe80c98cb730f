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

add_executable(ansi_literals tests/lint/ansi_literals.cpp)
reveilo_warnings(ansi_literals)
file(GLOB_RECURSE program_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/main_window/*.cpp ${CMAKE_SOURCE_DIR}/main_window/*.h
  ${CMAKE_SOURCE_DIR}/wake_job/*.cpp ${CMAKE_SOURCE_DIR}/wake_job/*.h
  ${CMAKE_SOURCE_DIR}/settings/*.cpp ${CMAKE_SOURCE_DIR}/settings/*.h
  ${CMAKE_SOURCE_DIR}/power/*.cpp ${CMAKE_SOURCE_DIR}/power/*.h
  ${CMAKE_SOURCE_DIR}/platform/*.cpp ${CMAKE_SOURCE_DIR}/platform/*.h
  ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h
  ${CMAKE_SOURCE_DIR}/res/*.h)
add_test(NAME ansi_literals COMMAND ansi_literals ${program_sources})
# The check must itself catch a UTF-8 literal on its way to an A call.
add_test(NAME ansi_literals_catches_fault
  COMMAND ansi_literals ${CMAKE_SOURCE_DIR}/tests/lint/narrow_japanese_literal.cpp.txt)
set_tests_properties(ansi_literals_catches_fault PROPERTIES WILL_FAIL TRUE)

