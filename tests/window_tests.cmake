# What the folders of tests that run the real window (win/, soak/, leak/)
# share: the stand-in browser, the script that gives a test a prefix and a
# display of its own, and the functions that make a window test and set up
# its run. Included once, from tests/CMakeLists.txt, before those folders,
# which see its variables as their parent's.

# The stand-in browser, under the names that Wine's winebrowser tries in turn
# (xdg-open, then firefox), in a directory that the tests put first on PATH;
# also as $BROWSER, for an xdg-open that would be found first all the same.
set(TESSIVAR_FAKE_BROWSER_DIR ${CMAKE_CURRENT_BINARY_DIR}/fake-bin)
file(REMOVE_RECURSE ${TESSIVAR_FAKE_BROWSER_DIR})
foreach(name xdg-open firefox)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/win/fake-browser ${TESSIVAR_FAKE_BROWSER_DIR}/${name}
                 COPYONLY USE_SOURCE_PERMISSIONS)
endforeach()

# Runs a test program in a copy of the prefix, on a display of its own
# (in-own-prefix --display), so that it can run beside the others.
set(TESSIVAR_IN_OWN_PREFIX ${CMAKE_CURRENT_LIST_DIR}/win/in-own-prefix)

# A test program that drives the window through the harness (win/).
function(tessivar_window_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES")
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE tessivar_win_harness GTest::gtest_main ${arg_LIBRARIES})
  tessivar_warnings(${name})
  add_dependencies(${name} Tessivar)
endfunction()

# Environment shared by the tests that run the program: where it is, and the
# stand-in browser with its own log per test. Tests on the shared display
# take turns with it; OWN_DISPLAY is for those started through
# in-own-prefix --display.
function(tessivar_window_test_properties test)
  cmake_parse_arguments(PARSE_ARGV 1 arg "OWN_DISPLAY" "" "")
  set(lock display)
  if(arg_OWN_DISPLAY)
    set(lock "")
  endif()
  set_tests_properties(${test} PROPERTIES
    ENVIRONMENT "TESSIVAR_EXE=$<TARGET_FILE:Tessivar>;TESSIVAR_BROWSER_LOG=${CMAKE_CURRENT_BINARY_DIR}/${test}.browser.log;BROWSER=${TESSIVAR_FAKE_BROWSER_DIR}/xdg-open"
    ENVIRONMENT_MODIFICATION "PATH=path_list_prepend:${TESSIVAR_FAKE_BROWSER_DIR};TESSIVAR_BROWSER_FAIL=unset:"
    RESOURCE_LOCK "${lock}"
    TIMEOUT 300
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
