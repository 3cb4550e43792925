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

# The Wine tests run in sessions of their own (scripts/wine-session.sh: a display, a prefix and
# a wineserver each), the tests of one session one after another; the sessions run side by
# side, as the tests mostly wait on the display. BRACKMER_WINE_LANES one-monitor sessions
# share the end-to-end rows; rows named two-* run in one more, an X.Org display of two monitors.
set(BRACKMER_WINE_LANES 2 CACHE STRING "One-monitor Wine sessions the end-to-end rows are shared among")
set(_session ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh)
# brackmer_wine_session(FIXTURE DIR [SIZE]): the session's start and stop around its tests.
function(brackmer_wine_session fixture dir)
  add_test(NAME ${fixture}_start COMMAND ${_session} start ${dir} ${ARGN})
  add_test(NAME ${fixture}_stop COMMAND ${_session} stop ${dir})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture} RESOURCE_LOCK ${fixture} TIMEOUT 300)
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} RESOURCE_LOCK ${fixture} TIMEOUT 60)
endfunction()
# brackmer_wine_test(NAME FIXTURE DIR COMMAND...): a test in that session, alone on its display.
function(brackmer_wine_test name fixture dir)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED ${fixture}
    RESOURCE_LOCK ${fixture}
    ENVIRONMENT "BRACKMER_WINE_DIR=${dir};BRACKMER_SCR=${BRACKMER_DIST_DIR}/BrackmerSaver.scr;BRACKMER_WINDOWS_BUILD_DIR=${BRACKMER_WINDOWS_BUILD_DIR}"
    FAIL_REGULAR_EXPRESSION "wine: Unhandled|Unhandled exception:"
    TIMEOUT 600)
endfunction()

set(_lanes wine)
brackmer_wine_session(wine ${BRACKMER_WINE_DIR})
if(BRACKMER_WINE_LANES GREATER 1)
  foreach(_lane RANGE 2 ${BRACKMER_WINE_LANES})
    list(APPEND _lanes wine_${_lane})
    brackmer_wine_session(wine_${_lane} ${BRACKMER_WINE_DIR}-${_lane})
  endforeach()
endif()
set(_two_monitors ${BRACKMER_WINE_DIR}-two-monitors)
brackmer_wine_session(wine_two_monitors ${_two_monitors} 1024x768+800x600)

brackmer_wine_test(windows_unit_tests wine ${BRACKMER_WINE_DIR}
  ${CMAKE_CTEST_COMMAND} --test-dir ${BRACKMER_WINDOWS_BUILD_DIR} --output-on-failure --no-tests=error)

# End to end: one test per row of the table in cases.sh, each one-monitor row dealt to the
# session with the fewest so far. The unit tests above count as seven rows on the first
# session, about the time they take, so that it ends with the others.
set(_cases ${CMAKE_SOURCE_DIR}/tests/e2e/cases.sh)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_cases})
file(READ ${_cases} _table)
string(REGEX MATCHALL "\n[a-z0-9-]+ +\\|" _rows "${_table}")
foreach(_lane ${_lanes})
  set(_load_${_lane} 0)
endforeach()
set(_load_wine 7)
foreach(row ${_rows})
  string(REGEX REPLACE "[\n |]" "" _name "${row}")
  if(_name MATCHES "^two-")
    brackmer_wine_test(e2e_${_name} wine_two_monitors ${_two_monitors} bash ${_cases} ${_name})
  else()
    set(_lane wine)
    foreach(_other ${_lanes})
      if(_load_${_other} LESS _load_${_lane})
        set(_lane ${_other})
      endif()
    endforeach()
    math(EXPR _load_${_lane} "${_load_${_lane}} + 1")
    if(_lane STREQUAL "wine")
      set(_dir ${BRACKMER_WINE_DIR})
    else()
      string(REPLACE "wine_" "${BRACKMER_WINE_DIR}-" _dir ${_lane})
    endif()
    brackmer_wine_test(e2e_${_name} ${_lane} ${_dir} bash ${_cases} ${_name})
  endif()
endforeach()

add_test(NAME package_scr_file COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/test_scr_file.sh ${BRACKMER_DIST_DIR}/BrackmerSaver.scr)
