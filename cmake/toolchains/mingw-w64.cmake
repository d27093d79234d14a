# Cross build with Debian's MinGW-w64 (posix threads) for MINGW_TRIPLE, set by
# the toolchain file of each target before it includes this one.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${MINGW_TRIPLE}-windres)

# Libraries cross-built by scripts/build-deps live in DEPS_PREFIX.
if(NOT DEPS_PREFIX)
  set(DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../../build/deps/${MINGW_TRIPLE}")
endif()
get_filename_component(DEPS_PREFIX "${DEPS_PREFIX}" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} "${DEPS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
