# vz_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest program; every test case in it is registered with CTest, so the
# closing summary counts test cases, not programs. Window tests run headless.
set(VZ_TEST_ENV
    "QT_QPA_PLATFORM=offscreen"
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "VZ_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/artifacts)

function(vz_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE VZ_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "${VZ_TEST_ENV}" TIMEOUT 600)
endfunction()
