# GoogleTest programs of the Windows builds, registered one CTest test per
# case, named <run>.<Suite>.<Case>, so that CTest counts, times out and
# skips cases rather than whole programs.
#
# The cases are read from the program's sources when CMake configures: the
# cross-built programs cannot run at build time (wine64 needs a bench
# session, and the i686 ones run only in the emulated PC), and a list taken
# from the sources is the same for both architectures. Editing a source
# re-runs the configure step, so the list follows the sources; <run>.cases
# (x86_64 only) checks it against what the program itself lists under Wine,
# so a case the reader misses fails the run instead of going unseen.
#
#   add_win32_test(<program> <sources...>)
#       the program, and its cases as the run <program>
#   add_win32_test_run(<run> PROGRAM <program> [FILTER <gtest filter>] [ENVIRONMENT <K=V>...])
#       the program's cases again as another run, those FILTER keeps, each
#       under ENVIRONMENT
#   set_win32_test_properties(<run> PROPERTIES <name> <value>...)
#       set_tests_properties on every case of a run

set(WIN32_TEST_CHECK_CASES "${CMAKE_CURRENT_LIST_DIR}/CheckTestCases.cmake")

# The cases TEST() and TEST_F() declare in the sources, as Suite.Case.
function(_win32_test_cases_of program out)
  get_target_property(sources ${program} SOURCES)
  get_target_property(source_dir ${program} SOURCE_DIR)
  set(cases)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.cpp$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${source_dir}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
    file(STRINGS "${source}" lines REGEX "^[ \t]*TEST(_F)?[ \t]*\\(")
    foreach(line IN LISTS lines)
      if(NOT line MATCHES "^[ \t]*TEST(_F)?[ \t]*\\([ \t]*([A-Za-z0-9_]+)[ \t]*,[ \t]*([A-Za-z0-9_]+)[ \t]*\\)")
        message(FATAL_ERROR "${source}: a test declaration this build cannot read (one line, "
                            "TEST or TEST_F(Suite, Case)): ${line}")
      endif()
      list(APPEND cases "${CMAKE_MATCH_2}.${CMAKE_MATCH_3}")
    endforeach()
  endforeach()
  if(NOT cases)
    message(FATAL_ERROR "${program}: no TEST or TEST_F found in its sources")
  endif()
  set(${out} "${cases}" PARENT_SCOPE)
endfunction()

# GoogleTest's filter: positive patterns, then after '-' negative ones,
# each list ':'-separated, '*' and '?' as wildcards.
function(_win32_test_filter_regex patterns out)
  set(regex)
  string(REPLACE ":" ";" patterns "${patterns}")
  foreach(pattern IN LISTS patterns)
    string(REGEX REPLACE "([.+^$()|\\[\\]])" "\\\\\\1" pattern "${pattern}")
    string(REPLACE "*" ".*" pattern "${pattern}")
    string(REPLACE "?" "." pattern "${pattern}")
    list(APPEND regex "^${pattern}$")
  endforeach()
  list(JOIN regex "|" regex)
  set(${out} "${regex}" PARENT_SCOPE)
endfunction()

function(_win32_test_filtered cases filter out)
  string(FIND "${filter}" "-" minus)
  if(minus EQUAL -1)
    set(positive "${filter}")
    set(negative "")
  else()
    string(SUBSTRING "${filter}" 0 ${minus} positive)
    math(EXPR after "${minus} + 1")
    string(SUBSTRING "${filter}" ${after} -1 negative)
  endif()
  if(positive STREQUAL "")
    set(positive "*")
  endif()
  _win32_test_filter_regex("${positive}" keep)
  _win32_test_filter_regex("${negative}" drop)
  set(kept)
  foreach(case IN LISTS cases)
    if(case MATCHES "${keep}" AND (drop STREQUAL "" OR NOT case MATCHES "${drop}"))
      list(APPEND kept "${case}")
    endif()
  endforeach()
  set(${out} "${kept}" PARENT_SCOPE)
endfunction()

function(add_win32_test_run run)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PROGRAM;FILTER" "ENVIRONMENT")
  _win32_test_cases_of(${arg_PROGRAM} cases)
  if(DEFINED arg_FILTER)
    _win32_test_filtered("${cases}" "${arg_FILTER}" cases)
  endif()
  if(NOT cases)
    message(FATAL_ERROR "${run}: the filter '${arg_FILTER}' keeps no case of ${arg_PROGRAM}")
  endif()
  set(names)
  foreach(case IN LISTS cases)
    add_test(NAME ${run}.${case} COMMAND ${arg_PROGRAM} --gtest_filter=${case})
    list(APPEND names ${run}.${case})
    # A skipped case exits 0: only its output tells. A filter that matches
    # nothing also exits 0, so a case renamed behind CMake's back fails.
    set_tests_properties(${run}.${case} PROPERTIES
      SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] 1 test"
      FAIL_REGULAR_EXPRESSION "\\[==========\\] 0 tests from 0 test suites ran")
    if(case MATCHES "\\.DISABLED_|^DISABLED_")
      set_tests_properties(${run}.${case} PROPERTIES DISABLED TRUE)
    endif()
    if(arg_ENVIRONMENT)
      set_tests_properties(${run}.${case} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY WIN32_TEST_RUN_${run} "${names}")

  # One look per run at the program's own list, where the program can run
  # at all here.
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    string(REPLACE ";" "," expected "${cases}")
    add_test(NAME ${run}.cases
      COMMAND ${CMAKE_COMMAND} "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
              "-DPROGRAM=$<TARGET_FILE:${arg_PROGRAM}>" "-DFILTER=${arg_FILTER}" "-DEXPECTED=${expected}"
              -P "${WIN32_TEST_CHECK_CASES}")
  endif()
endfunction()

function(add_win32_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest_main project_warnings)
  add_win32_test_run(${name} PROGRAM ${name})
endfunction()

function(set_win32_test_properties run)
  # PARSE_ARGV keeps a value that is a list (two resource locks) one value.
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PROPERTIES")
  get_property(names GLOBAL PROPERTY WIN32_TEST_RUN_${run})
  if(NOT names)
    message(FATAL_ERROR "set_win32_test_properties: no run named ${run}")
  endif()
  set_tests_properties(${names} PROPERTIES ${arg_PROPERTIES})
endfunction()
