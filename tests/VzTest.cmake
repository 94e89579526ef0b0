# vz_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest program; every test case in it is registered with CTest, so the
# closing summary counts test cases, not programs. Window tests run headless;
# pictures that tests render go to <build>/artifacts (VZ_ARTIFACTS), both set by
# the shared test entry in vz_test_main.cpp.
set(VZ_ARTIFACTS_DIR ${CMAKE_BINARY_DIR}/artifacts)
file(MAKE_DIRECTORY ${VZ_ARTIFACTS_DIR})

add_library(vz_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/vz_test_main.cpp)
target_link_libraries(vz_test_main PUBLIC GTest::gtest GTest::gmock)
target_include_directories(vz_test_main PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(vz_test_main PRIVATE VZ_ARTIFACTS_DIR="${VZ_ARTIFACTS_DIR}")

function(vz_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} vz_test_main)
  target_compile_definitions(${name} PRIVATE VZ_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  # A case of a table is named by its row: a row's printed value may hold
  # pointers, which would give the case another name in every build.
  gtest_discover_tests(${name}
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
endfunction()
