# cmake --install: the three libraries (component `libraries`) and, as the
# component `standins`, the stand-ins, the host programs and the skins.
#   cmake --install BUILD --prefix DIR [--component libraries|standins]
# Libraries go to lib/, programs to bin/, the skins to share/tvfm/, where the
# host program looks for them when they are not beside it.
include(GNUInstallDirs)

# Installed libraries find each other beside themselves, programs in ../lib.
set_target_properties(mirova telvira sonidra ravelo tonvex solvane simdisplay PROPERTIES
  INSTALL_RPATH "$ORIGIN")
set_target_properties(mediahost live_preview PROPERTIES
  INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS mirova telvira sonidra
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libraries)
# The vendor stand-ins sit beside libsimdisplay, where it looks for them.
get_property(display_stand_ins GLOBAL PROPERTY DISPLAY_STAND_INS)
set_target_properties(${display_stand_ins} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ravelo tonvex solvane simdisplay ${display_stand_ins}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT standins)
install(TARGETS mediahost live_preview
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT standins)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tvfm COMPONENT standins)
