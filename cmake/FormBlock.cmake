# Compiles a program's readable form source into its binary form block and
# embeds the block as the RCDATA resource "FORMBLOCK".
#
# formc is a native tool. A cross build takes it from FORMC_EXECUTABLE (the
# scripts pass the one of the native build) or builds it itself with the
# host's compiler from this same source tree.
if(CMAKE_CROSSCOMPILING)
  if(FORMC_EXECUTABLE)
    add_executable(formc IMPORTED GLOBAL)
    set_target_properties(formc PROPERTIES IMPORTED_LOCATION "${FORMC_EXECUTABLE}")
  else()
    include(ExternalProject)
    set(_host_dir "${CMAKE_BINARY_DIR}/host-formc")
    ExternalProject_Add(host_formc
      SOURCE_DIR "${PROJECT_SOURCE_DIR}"
      BINARY_DIR "${_host_dir}"
      CMAKE_ARGS -DFORMC_ONLY=ON -DCMAKE_BUILD_TYPE=Release
      BUILD_COMMAND ${CMAKE_COMMAND} --build . --target formc
      BUILD_BYPRODUCTS "${_host_dir}/tools/formc/formc"
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON)
    add_executable(formc IMPORTED GLOBAL)
    set_target_properties(formc PROPERTIES IMPORTED_LOCATION "${_host_dir}/tools/formc/formc")
    add_dependencies(formc host_formc)
  endif()
endif()

# add_form_block(<target> SOURCE <form.json> NAMESPACE <c++ namespace>)
# Gives <target> the embedded block and two generated headers:
# "<target>_routines.h" with the routine table in handler-reference order, and
# "form_ids.h" with the ids that the source names (in a folder of the
# target's own, so that shared sources such as the presenter's, built into
# the presenter and its benchmark alike, include it by one name).
function(add_form_block target)
  cmake_parse_arguments(FB "" "SOURCE;NAMESPACE" "" ${ARGN})
  get_filename_component(source "${FB_SOURCE}" ABSOLUTE)
  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/form")
  set(block "${out_dir}/${target}.formblock")
  set(header "${out_dir}/${target}_routines.h")
  set(ids_dir "${out_dir}/${target}")
  set(ids "${ids_dir}/form_ids.h")
  file(MAKE_DIRECTORY "${ids_dir}")
  set(rc "${out_dir}/${target}_form.rc")
  add_custom_command(
    OUTPUT "${block}" "${header}" "${ids}"
    COMMAND formc "${source}" --block "${block}" --routines "${header}" --ids "${ids}"
            --namespace "${FB_NAMESPACE}" --depfile "${block}.d"
    DEPENDS formc "${source}"
    DEPFILE "${block}.d"
    COMMENT "formc ${FB_SOURCE}"
    VERBATIM)
  file(WRITE "${rc}.in" "FORMBLOCK RCDATA \"@block@\"\n")
  configure_file("${rc}.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}" "${header}" "${ids}")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${block}")
  target_include_directories(${target} PRIVATE "${out_dir}" "${ids_dir}")
endfunction()

# add_form_program(<name> SOURCES ... FORM <form.json>): a GUI program with
# wide entry point whose form block is embedded from its form source, linked
# with the form host and the message store.
function(add_form_program name)
  cmake_parse_arguments(FP "" "FORM" "SOURCES" ${ARGN})
  add_executable(${name} WIN32 ${FP_SOURCES})
  # Both programs in one folder share one message store, as they do when
  # shipped.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
  target_link_libraries(${name} PRIVATE formhost_win32 store_win32 project_warnings)
  target_link_options(${name} PRIVATE -municode)
  add_form_block(${name} SOURCE "${FP_FORM}" NAMESPACE ${name})
  # The programs find their message store beside themselves.
  if(NOT TARGET place_message_store)
    add_custom_target(place_message_store
      COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/store/default
              -DDESTINATION=${CMAKE_BINARY_DIR}/bin -P ${PROJECT_SOURCE_DIR}/cmake/PlaceStore.cmake
      VERBATIM)
  endif()
  add_dependencies(${name} place_message_store)
endfunction()
