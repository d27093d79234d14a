# Run by CTest: the cases a GoogleTest program lists (under its emulator)
# must be exactly those CMake registered for it from its sources.
#   cmake -DEMULATOR=<run> -DPROGRAM=<exe> -DFILTER=<gtest filter> -DEXPECTED=<A.a,B.b,...> -P CheckTestCases.cmake
set(filter_arg)
if(FILTER)
  set(filter_arg "--gtest_filter=${FILTER}")
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --gtest_list_tests ${filter_arg}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --gtest_list_tests failed (${status}):\n${listing}")
endif()

# "Suite." lines, then the suite's cases indented by two spaces.
string(REPLACE "\r" "" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(listed)
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z0-9_]+)\\.")
    set(suite "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^  ([A-Za-z0-9_]+)")
    list(APPEND listed "${suite}.${CMAKE_MATCH_1}")
  endif()
endforeach()

string(REPLACE "," ";" expected "${EXPECTED}")
list(SORT listed)
list(SORT expected)
if(NOT listed STREQUAL expected)
  set(missing ${listed})
  list(REMOVE_ITEM missing ${expected})
  set(extra ${expected})
  list(REMOVE_ITEM extra ${listed})
  message(FATAL_ERROR "the registered cases differ from what ${PROGRAM} lists:\n"
                      "  not registered: ${missing}\n  registered but not in the program: ${extra}")
endif()
list(LENGTH expected count)
message(STATUS "${PROGRAM}: the ${count} registered cases")
