# export_only(TARGET FILE [VERSION NAME]): the shared library TARGET exports exactly
# the symbols FILE lists, through a version script made from it; NAME gives every
# exported symbol that symbol version (none by default).
#
# FILE has one entry a line, as `nm -D -C` prints names; `#` starts a comment.
#   ZMP_DIRECTPLAY                 a C name (globs allowed: sim_tuner_*)
#   CTVUICtrl::Notify(unsigned int, char*, unsigned int, int)   one C++ name
#   vtable for CTVUICtrl           one C++ special name
#   tonvex::Card::*                C++ names by glob (an entry without spaces or
#                                  parentheses; `*` in a signature is a pointer)
# The library and its list are recorded for the exported-symbol test
# (tests/smoke), so a new library needs only its own export_only call.
function(export_only target file)
  cmake_parse_arguments(E "" "VERSION" "" ${ARGN})
  get_filename_component(file "${file}" ABSOLUTE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
  file(STRINGS "${file}" lines)
  set(c_names "")
  set(cxx_names "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*$" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    if(line MATCHES "::| for |\\(")
      if(line MATCHES "[*?]" AND NOT line MATCHES "[ (]")
        string(APPEND cxx_names "      ${line};\n")
      else()
        string(APPEND cxx_names "      \"${line}\";\n")
      endif()
    else()
      string(APPEND c_names "    ${line};\n")
    endif()
  endforeach()
  set(script "/* Made from ${file} by export_only (cmake/export_list.cmake). */\n")
  string(APPEND script "${E_VERSION} {\n  global:\n${c_names}")
  if(NOT cxx_names STREQUAL "")
    string(APPEND script "    extern \"C++\" {\n${cxx_names}    };\n")
  endif()
  string(APPEND script "  local:\n    *;\n};\n")
  set(map "${CMAKE_CURRENT_BINARY_DIR}/${target}.map")
  file(CONFIGURE OUTPUT "${map}" CONTENT "${script}" @ONLY)
  target_link_options(${target} PRIVATE "LINKER:--version-script=${map}")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${map}")
  set_property(GLOBAL APPEND PROPERTY PROJECT_EXPORT_LISTS "${target}|${file}")
endfunction()
