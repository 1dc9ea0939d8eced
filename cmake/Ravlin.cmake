# Helpers shared by the project's CMake files.

# ravlin_core_library(NAME SOURCES... [LINK libs...])
# A static library of the core. The core never links QtWidgets: the document
# library must stay usable by the command-line tool and the emulator.
function(ravlin_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINK})
  foreach(lib IN LISTS ARG_LINK)
    if(lib MATCHES "Widgets|PrintSupport")
      message(FATAL_ERROR "${name} is part of the core and must not link ${lib}")
    endif()
  endforeach()
endfunction()

# The environment of every test: the programs a test starts speak Russian, the
# language of their texts, whatever the locale of the machine running it.
set(RAVLIN_TEST_LOCALE "LC_ALL=C.UTF-8" "LANGUAGE=")

# ravlin_register_test(NAME)
# Puts a test executable into build/tests, lets it include the shared test
# helpers ("support/..."), tells it where the shipped data
# (RAVLIN_DATA_DIR), its own input files (RAVLIN_TEST_DATA_DIR) and the built
# programs (RAVLIN_BIN_DIR) are, and registers it with CTest on the offscreen
# platform, so that no test needs a display.
function(ravlin_register_test name)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    RAVLIN_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
    RAVLIN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    RAVLIN_BIN_DIR="${RAVLIN_BIN_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  # A test that hangs (a dialog nobody answers) fails in minutes, not in
  # CTest's default of 25.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${RAVLIN_TEST_LOCALE}" TIMEOUT 240)
endfunction()

# ravlin_gtest(NAME [GUI] SOURCES... LINK libs...)
# One GoogleTest executable of the core. GUI tests run under a
# QGuiApplication (fonts, painting).
function(ravlin_gtest name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINK" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE ${ARG_LINK} ravlin_gui_test_main GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gtest_main)
  endif()
  ravlin_register_test(${name})
endfunction()

# ravlin_qtest(NAME SOURCES... LINK libs...)
# One Qt Test executable of the editor's windows, driven as real widgets.
function(ravlin_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LINK} Qt6::Test)
  ravlin_register_test(${name})
endfunction()
