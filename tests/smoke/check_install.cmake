# cmake --install into a fresh prefix, component by component: the libraries
# alone, then the stand-ins, programs and skins; the installed host program then
# runs an FM session from the installed tree alone.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DLIBDIR=lib -DBINDIR=bin -DDATADIR=share
#         -DREADELF=... [-DEMULATOR=...] -P check_install.cmake
# EMULATOR: what runs the installed program when the build is for another CPU.
function(expect_files present)
  foreach(path IN LISTS ARGN)
    if(present AND NOT EXISTS "${PREFIX}/${path}")
      message(FATAL_ERROR "not installed: ${path}")
    elseif(NOT present AND EXISTS "${PREFIX}/${path}")
      message(FATAL_ERROR "installed with the wrong component: ${path}")
    endif()
  endforeach()
endfunction()

function(install_component component)
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                          --component ${component}
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install --component ${component} failed: ${result}")
  endif()
endfunction()

set(libraries ${LIBDIR}/libmirova.so ${LIBDIR}/libtelvira.so ${LIBDIR}/libsonidra.so)
set(standins ${LIBDIR}/libravelo.so ${LIBDIR}/libtonvex.so ${LIBDIR}/libsolvane.so
    ${LIBDIR}/libsimdisplay.so ${LIBDIR}/libI915G.so ${LIBDIR}/libradeonov.so ${LIBDIR}/libNVDLL.so
    ${BINDIR}/mediahost ${BINDIR}/live_preview
    ${DATADIR}/tvfm/SKIN00/XML/SETUPMENU/TV/TV_SETING_MENU.xml
    ${DATADIR}/tvfm/SKIN00_800x600/XML/SETUPMENU/FM/FM_SETING_MENU.xml)

file(REMOVE_RECURSE "${PREFIX}")
install_component(libraries)
expect_files(TRUE ${libraries})
expect_files(FALSE ${standins})
install_component(standins)
expect_files(TRUE ${libraries} ${standins})

# Installed files find each other in the tree, not in the build.
foreach(file ${BINDIR}/mediahost ${LIBDIR}/libtelvira.so)
  execute_process(COMMAND ${READELF} -d "${PREFIX}/${file}" OUTPUT_VARIABLE dynamic)
  if(NOT dynamic MATCHES "\\$ORIGIN" OR dynamic MATCHES "${BUILD_DIR}")
    message(FATAL_ERROR "${file} does not look for its libraries in the installed tree:\n${dynamic}")
  endif()
endforeach()

execute_process(COMMAND ${EMULATOR} "${PREFIX}/${BINDIR}/mediahost" --fm-script "q>x"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
                TIMEOUT 120)
if(NOT result EQUAL 0 OR NOT out MATCHES "host received \\(11, 13," OR NOT out MATCHES "FM RADIO")
  message(FATAL_ERROR "the installed mediahost failed (${result}):\n${out}\n${err}")
endif()
if(out MATCHES "missing")
  message(FATAL_ERROR "the installed mediahost did not find its skins:\n${out}")
endif()
# A hardware renderer finds its vendor stand-in in the installed tree.
execute_process(COMMAND ${EMULATOR} "${PREFIX}/${BINDIR}/mediahost" --graphics ati --no-pauses --script qx
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
                TIMEOUT 120)
if(NOT result EQUAL 0 OR NOT out MATCHES "Using ATI MX renderer")
  message(FATAL_ERROR "the installed mediahost found no ATI stand-in (${result}):\n${out}\n${err}")
endif()
message(STATUS "installed tree in ${PREFIX} works")
