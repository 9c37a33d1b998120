# Windows tests under Wine.
#
# The build makes one template prefix (build/wine/template) and a copy of it
# for unit tests (build/wine/unit); CTest keeps a wineserver alive for the unit
# prefix during the run (fixture "wine"). An end-to-end test gets a fresh copy
# of the template with a wineserver of its own, deleted when the test ends.
#
#   qs_add_windows_test(<target> [E2E] [DISPLAY] [TIMEOUT <seconds>] [LABELS <label>...])
#
# discovers the GoogleTest cases of <target> and adds each as a test with the
# time limit and labels. A window or message box left open fails that one test.
# DISPLAY (end-to-end tests only) runs each case on a virtual display (Xvfb),
# for tests that need real windows.

set(QS_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(QS_WINE_TEMPLATE ${QS_WINE_DIR}/template)
set(QS_WINE_UNIT ${QS_WINE_DIR}/unit)
set(QS_WINE_WORK ${QS_WINE_DIR}/work)
set(QS_SCRIPTS ${CMAKE_SOURCE_DIR}/scripts)
set(QS_MEDIUM_STAGE ${CMAKE_BINARY_DIR}/medium)

if(QS_WINE_TESTS)
  add_custom_command(
    OUTPUT ${QS_WINE_DIR}/prefix.stamp
    COMMAND ${QS_SCRIPTS}/wine-make-prefix.sh ${QS_WINE_TEMPLATE} ${QS_WINE_UNIT}
    COMMAND ${CMAKE_COMMAND} -E touch ${QS_WINE_DIR}/prefix.stamp
    DEPENDS ${QS_SCRIPTS}/wine-make-prefix.sh ${QS_SCRIPTS}/wine-env.sh
    COMMENT "Making the Wine prefixes for the tests"
    USES_TERMINAL)
  add_custom_target(wine_prefix DEPENDS ${QS_WINE_DIR}/prefix.stamp)

  add_test(NAME wineserver_start COMMAND ${QS_SCRIPTS}/wineserver-ctl.sh start ${QS_WINE_UNIT} ${QS_WINE_WORK})
  add_test(NAME wineserver_stop COMMAND ${QS_SCRIPTS}/wineserver-ctl.sh stop ${QS_WINE_UNIT} ${QS_WINE_WORK})
  set_tests_properties(wineserver_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120 LABELS wine)
  set_tests_properties(wineserver_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60 LABELS wine)
endif()

function(qs_add_windows_test target)
  cmake_parse_arguments(ARG "E2E;DISPLAY" "TIMEOUT" "LABELS" ${ARGN})
  if(NOT QS_WINE_TESTS)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  add_dependencies(${target} wine_prefix)
  if(ARG_E2E)
    add_dependencies(${target} stage_medium)
    set(emulator ${QS_SCRIPTS}/wine-e2e.sh ${QS_WINE_TEMPLATE} ${QS_WINE_UNIT} ${QS_WINE_WORK} ${QS_MEDIUM_STAGE}
                 ${ARG_TIMEOUT})
    if(ARG_DISPLAY)
      set(emulator env QS_XVFB=1 ${emulator})
      list(APPEND ARG_LABELS display)
    endif()
    list(APPEND ARG_LABELS e2e)
  else()
    set(emulator ${QS_SCRIPTS}/wine-run.sh ${QS_WINE_UNIT} ${ARG_TIMEOUT})
    list(APPEND ARG_LABELS unit)
  endif()
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${emulator}")
  # The wrapper enforces the limit and cleans up; CTest's own limit is the backstop.
  math(EXPR backstop "${ARG_TIMEOUT} + 60")
  # The discovered cases get their time limit, labels and fixture from a file
  # CTest reads after the list of cases (a list such as the labels does not
  # survive being passed through the discovery's own PROPERTIES).
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 TEST_LIST ${target}_CASES)
  set(properties ${CMAKE_CURRENT_BINARY_DIR}/${target}_properties.cmake)
  file(WRITE ${properties}
    "if(${target}_CASES)\n"
    "  set_tests_properties(\${${target}_CASES} PROPERTIES TIMEOUT ${backstop} LABELS \"${ARG_LABELS}\" FIXTURES_REQUIRED wine)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties})
endfunction()
