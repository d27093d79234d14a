# cmake -DSOURCE=<dir> -DDESTINATION=<dir> -P PlaceStore.cmake
# Puts the default message store beside a program, file by file, without
# touching a slot file that is already there: texts saved by the user in a
# build tree survive the next build.
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(f IN LISTS files)
  if(NOT EXISTS "${DESTINATION}/${f}")
    get_filename_component(dir "${DESTINATION}/${f}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SOURCE}/${f}" "${DESTINATION}/${f}")
  endif()
endforeach()
