# quindel_sources(VAR DIR): the C++ sources of one folder (not its subfolders).
function(quindel_sources var dir)
  file(GLOB _s CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${var} ${_s} PARENT_SCOPE)
endfunction()

# quindel_test(NAME DIR LIBS...): one GoogleTest program for one test folder.
function(quindel_test name dir)
  quindel_sources(_s ${dir})
  if(NOT _s)
    return()
  endif()
  add_executable(${name} ${_s})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # A unit test runs in well under a second; the timeout turns a hang into a failure.
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QUINDEL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
                                  TIMEOUT 120)
endfunction()
