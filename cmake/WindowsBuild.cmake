# From the native tree: builds the Windows tree with the MinGW toolchain (after the art it
# embeds), and registers the tests that need Wine: the cross-built test programs (one
# ctest run of the Windows tree) and the end-to-end scripts that drive the real .scr.
include(ExternalProject)

set(BRACKMER_WINDOWS_BUILD_DIR ${CMAKE_BINARY_DIR}/windows)
set(BRACKMER_WINE_DIR ${CMAKE_BINARY_DIR}/wine CACHE PATH "Private Wine session (prefix, display) of the tests")
set(BRACKMER_DIST_DIR ${CMAKE_SOURCE_DIR}/dist CACHE PATH "Where the .scr lands")

ExternalProject_Add(windows_build
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${BRACKMER_WINDOWS_BUILD_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release
    -DBRACKMER_ART_DIR=${CMAKE_BINARY_DIR}/art
    -DBRACKMER_DIST_DIR=${BRACKMER_DIST_DIR}
    -DBRACKMER_WINE_DIR=${BRACKMER_WINE_DIR}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)
if(TARGET art)
  ExternalProject_Add_StepDependencies(windows_build configure art)
endif()

set(_session ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh)
add_test(NAME wine_session_start COMMAND ${_session} start ${BRACKMER_WINE_DIR})
add_test(NAME wine_session_stop COMMAND ${_session} stop ${BRACKMER_WINE_DIR})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

# Wine-run tests share one display and one wineserver: never in parallel.
function(brackmer_wine_test name)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_display
    ENVIRONMENT "BRACKMER_WINE_DIR=${BRACKMER_WINE_DIR};BRACKMER_SCR=${BRACKMER_DIST_DIR}/BrackmerSaver.scr;BRACKMER_WINDOWS_BUILD_DIR=${BRACKMER_WINDOWS_BUILD_DIR}"
    FAIL_REGULAR_EXPRESSION "wine: Unhandled|Unhandled exception:"
    TIMEOUT 600)
endfunction()

brackmer_wine_test(windows_unit_tests ${CMAKE_CTEST_COMMAND} --test-dir ${BRACKMER_WINDOWS_BUILD_DIR} --output-on-failure --no-tests=error)

# End to end: one test per row of the table in cases.sh. Rows named two-* run in a second
# session, an X.Org display of two monitors.
set(_two_monitors ${BRACKMER_WINE_DIR}-two-monitors)
add_test(NAME wine_two_monitors_start COMMAND ${_session} start ${_two_monitors} 1024x768+800x600)
add_test(NAME wine_two_monitors_stop COMMAND ${_session} stop ${_two_monitors})
set_tests_properties(wine_two_monitors_start PROPERTIES FIXTURES_SETUP wine_two_monitors TIMEOUT 300)
set_tests_properties(wine_two_monitors_stop PROPERTIES FIXTURES_CLEANUP wine_two_monitors TIMEOUT 60)
set(_cases ${CMAKE_SOURCE_DIR}/tests/e2e/cases.sh)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_cases})
file(READ ${_cases} _table)
string(REGEX MATCHALL "\n[a-z0-9-]+ +\\|" _rows "${_table}")
foreach(row ${_rows})
  string(REGEX REPLACE "[\n |]" "" _name "${row}")
  brackmer_wine_test(e2e_${_name} bash ${_cases} ${_name})
  if(_name MATCHES "^two-")
    set_tests_properties(e2e_${_name} PROPERTIES FIXTURES_REQUIRED wine_two_monitors
      ENVIRONMENT "BRACKMER_WINE_DIR=${_two_monitors};BRACKMER_SCR=${BRACKMER_DIST_DIR}/BrackmerSaver.scr;BRACKMER_WINDOWS_BUILD_DIR=${BRACKMER_WINDOWS_BUILD_DIR}")
  endif()
endforeach()

add_test(NAME package_scr_file COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/test_scr_file.sh ${BRACKMER_DIST_DIR}/BrackmerSaver.scr)
