# add_win32_test(<name> <sources...>): a GoogleTest console program of the
# x86_64 build, run by CTest under wine64 through CMAKE_CROSSCOMPILING_EMULATOR.
function(add_win32_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest_main project_warnings)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
