# The 64-bit Windows test build runs every test program under Wine through run-under-wine.sh
# (its interface is described at its top). Included by tests/CMakeLists.txt before the
# test areas, so that every program made after it runs through the emulator.
include(${CMAKE_CURRENT_LIST_DIR}/googletest.cmake)

# Beside the DLLs they load when they start, where Windows looks first.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(QUORLIN_WINE_STATE_DIR ${CMAKE_BINARY_DIR}/wine-state)
set(QUORLIN_WINE_RUNNER ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORLIN_WINE_RUNNER} --state-dir ${QUORLIN_WINE_STATE_DIR})

# One prefix per ctest run, made before the first program and removed after the last.
math(EXPR QUORLIN_WINE_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
add_test(NAME wine.prefix.setup COMMAND bash ${QUORLIN_WINE_RUNNER}
  --state-dir ${QUORLIN_WINE_STATE_DIR} --setup --bits ${QUORLIN_WINE_BITS})
add_test(NAME wine.prefix.cleanup COMMAND bash ${QUORLIN_WINE_RUNNER}
  --state-dir ${QUORLIN_WINE_STATE_DIR} --cleanup)
# The 32-bit half of a prefix takes minutes where 32-bit code is emulated.
set_tests_properties(wine.prefix.setup PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 1200)
set_tests_properties(wine.prefix.cleanup PROPERTIES FIXTURES_CLEANUP wine_prefix TIMEOUT 60)

# quorlin_wine_add_suites(TARGET PREFIX prefix SOURCES file... [EXCLUDE suite...]
#                         [PROPERTIES name value...])
# One test per GoogleTest suite found in the sources, registered without running the
# program (discovering the tests would run it under Wine at build time). A suite's
# parameterised instantiations are part of its test.
function(quorlin_wine_add_suites target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX" "SOURCES;EXCLUDE;PROPERTIES")
  set(suites "")
  foreach(source IN LISTS arg_SOURCES)
    file(READ ${source} text)
    string(REGEX MATCHALL "(^|[^A-Za-z0-9_])(TEST|TEST_F|TEST_P|TYPED_TEST)\\([ \t\r\n]*[A-Za-z_][A-Za-z0-9_]*"
      found "${text}")
    foreach(match IN LISTS found)
      string(REGEX REPLACE ".*\\([ \t\r\n]*" "" suite "${match}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${arg_SOURCES})
  list(REMOVE_DUPLICATES suites)
  if(arg_EXCLUDE)
    list(REMOVE_ITEM suites ${arg_EXCLUDE})
  endif()
  foreach(suite IN LISTS suites)
    add_test(NAME ${arg_PREFIX}${suite} COMMAND ${target} "--gtest_filter=${suite}.*:*/${suite}.*")
    if(arg_PROPERTIES)
      set_tests_properties(${arg_PREFIX}${suite} PROPERTIES ${arg_PROPERTIES})
    endif()
  endforeach()
endfunction()

# Every test added from here on needs the prefix: add_test itself is wrapped, so that the
# test folders (those still to come included) need nothing of their own. Bracket arguments
# hand each argument on exactly, blanks, semicolons and empty ones included.
function(add_test)
  set(arguments "")
  math(EXPR last "${ARGC} - 1")
  foreach(i RANGE 0 ${last})
    string(APPEND arguments " [==[${ARGV${i}}]==]")
  endforeach()
  cmake_language(EVAL CODE "_add_test(${arguments})")
  if(ARGV0 STREQUAL "NAME" AND NOT ARGV1 MATCHES "^wine\\.prefix\\.")
    set_property(TEST ${ARGV1} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
  endif()
endfunction()
