# ravlin_qtest(NAME SOURCES... LINK libs...)
# One Qt Test executable of the editor's windows, registered with CTest and
# run on the offscreen platform (no display needed). Tests find the shipped
# data and their own input files through RAVLIN_DATA_DIR and
# RAVLIN_TEST_DATA_DIR.
function(ravlin_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LINK} Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    RAVLIN_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
    RAVLIN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    RAVLIN_BIN_DIR="${RAVLIN_BIN_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
