# What a program shows about itself on the user's machine: its icon (title
# bar, task bar, Explorer), its version information (the file's
# Properties > Details page) and its application manifest (which Windows
# versions it knows, no elevation, the current look of its controls, no DPI
# awareness; program.manifest.in beside this file).
#
# add_program_resources(<target> ICON <file.ico> DESCRIPTION <text>
#                       [PRODUCT <text>] [COMPANY <text>] [COPYRIGHT <text>]
#                       [VERSION <a.b.c[.d]>])
#
# Texts are UTF-8. VERSION defaults to the project's, from the file VERSION
# at the top of the source tree; COMPANY is left out when not given.
set(_program_resources_dir "${CMAKE_CURRENT_LIST_DIR}")

# A resource script string: backslashes and quotes escaped.
macro(_rc_string out text)
  string(REPLACE "\\" "\\\\" ${out} "${text}")
  string(REPLACE "\"" "\"\"" ${out} "${${out}}")
endmacro()

function(add_program_resources target)
  cmake_parse_arguments(PR "" "ICON;DESCRIPTION;PRODUCT;COMPANY;COPYRIGHT;VERSION" "" ${ARGN})
  if(NOT PR_ICON OR NOT PR_DESCRIPTION)
    message(FATAL_ERROR "add_program_resources(${target}): ICON and DESCRIPTION are required")
  endif()
  get_filename_component(icon "${PR_ICON}" ABSOLUTE)
  if(NOT EXISTS "${icon}")
    message(FATAL_ERROR "add_program_resources(${target}): no icon at ${icon}")
  endif()
  if(NOT DEFINED PR_PRODUCT)
    set(PR_PRODUCT "表白演示")
  endif()
  if(NOT DEFINED PR_COPYRIGHT)
    set(PR_COPYRIGHT "© 表白演示的作者们")
  endif()
  if(NOT PR_VERSION)
    file(STRINGS "${_program_resources_dir}/../VERSION" PR_VERSION LIMIT_COUNT 1 REGEX "^[0-9]")
  endif()
  # Windows keeps four numbers; 1.0.0 reads as 1.0.0.0.
  if(NOT PR_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)(\\.([0-9]+))?$")
    message(FATAL_ERROR "add_program_resources(${target}): version '${PR_VERSION}' is not a.b.c or a.b.c.d")
  endif()
  set(build "${CMAKE_MATCH_5}")
  if(build STREQUAL "")
    set(build 0)
  endif()
  set(numbers "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},${build}")
  string(REPLACE "," "." dotted "${numbers}")

  _rc_string(description "${PR_DESCRIPTION}")
  _rc_string(product "${PR_PRODUCT}")
  _rc_string(copyright "${PR_COPYRIGHT}")
  set(company_line "")
  if(DEFINED PR_COMPANY)
    _rc_string(company "${PR_COMPANY}")
    set(company_line "      VALUE \"CompanyName\", \"${company}\"\n")
  endif()

  set(MANIFEST_NAME "${target}")
  set(MANIFEST_VERSION "${dotted}")
  set(manifest "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
  configure_file("${_program_resources_dir}/program.manifest.in" "${manifest}" @ONLY)

  # The strings are written as UTF-8 and windres stores them as UTF-16, which
  # is what the translation's code page 1200 says: the texts read right
  # whatever the user's ANSI code page.
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_program.rc")
  file(GENERATE OUTPUT "${rc}" CONTENT "\
#pragma code_page(65001)

// The window class loads icon 1 for the title bar and the task bar, and
// Explorer shows the first icon group. Language neutral, so it is found
// whatever the user's language.
LANGUAGE 0, 0
1 ICON \"${icon}\"

// The manifest Windows reads when it starts the program
// (CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST).
1 24 \"${manifest}\"

// Chinese (Simplified, PRC), Unicode strings.
LANGUAGE 4, 2
1 VERSIONINFO
FILEVERSION ${numbers}
PRODUCTVERSION ${numbers}
FILEFLAGSMASK 0x3F
FILEFLAGS 0
FILEOS 0x40004 // VOS_NT_WINDOWS32
FILETYPE 1 // VFT_APP
FILESUBTYPE 0
BEGIN
  BLOCK \"StringFileInfo\"
  BEGIN
    BLOCK \"080404B0\"
    BEGIN
${company_line}\
      VALUE \"FileDescription\", \"${description}\"
      VALUE \"FileVersion\", \"${dotted}\"
      VALUE \"InternalName\", \"$<TARGET_FILE_BASE_NAME:${target}>\"
      VALUE \"LegalCopyright\", \"${copyright}\"
      VALUE \"OriginalFilename\", \"$<TARGET_FILE_NAME:${target}>\"
      VALUE \"ProductName\", \"${product}\"
      VALUE \"ProductVersion\", \"${dotted}\"
    END
  END
  BLOCK \"VarFileInfo\"
  BEGIN
    VALUE \"Translation\", 0x0804, 1200
  END
END
")
  target_sources(${target} PRIVATE "${rc}")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${icon};${manifest}")
  # The link time in the PE header would make two builds of the same
  # sources differ; the version resource says which build this is.
  target_link_options(${target} PRIVATE LINKER:--no-insert-timestamp)
endfunction()
