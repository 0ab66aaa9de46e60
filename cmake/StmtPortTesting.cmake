# stmtport_test(NAME SOURCES... LIBS...): a GoogleTest program in build/tests, each case a CTest test.
include(GoogleTest)
function(stmtport_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    STMTPORT_BUILD_DIR="${CMAKE_BINARY_DIR}" STMTPORT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()
