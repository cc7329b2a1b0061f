// The stand-ins libI865G.so and libI915G.so: the Intel overlay calls of
// interfaces/vendor/intel_overlay.h (whose argument choices they implement)
// on the simulated display controller (sim/display/sim_display.h). Both are
// built from intel_facade.cpp and behave alike; the journal tells them apart
// only by their "load" and "unload" lines.
//
// Behaviour:
// - Loaded, the library is initialised but its overlay is not: every overlay
//   call (update, flip) fails until MCInitVideoOverlay__Fv. MCExitLib__Fv
//   hides the overlay, releases every surface the library made and leaves it
//   uninitialised: then all calls but MCInitLib__Fv and
//   MCGetVesaModeNumber__FUiUiUi fail (0). Unloading releases its surfaces
//   (the overlay registers keep what they hold, as hardware does).
// - Surfaces come after the visible screen; a surface is known only to the
//   library that made it. Locking a locked surface, unlocking an unlocked one
//   and destroying a locked one fail.
// - MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi with enable and show 1 needs a
//   surface at surfaceOffset holding sourceWidth x sourceHeight; hiding is
//   always accepted. The overlay then shows that surface, packed 4:2:2, in
//   left, top, width x height, keyed by the colour key (keying is on from the
//   first MCSetVideoOverlayColorKey__FUi).
// - MCFlipOverlay__FUiUiUiUiUiUi shows the surface named first.
// - Colour controls map onto the overlay as brightness + value, contrast
//   value / 64, saturation value / 128, hue value x 180 / 128 degrees.
// - MCSetMode__FUi keeps the screen's bytes; MCTVOnOff__FUi (1) fails while
//   sim_display_set_tv_connector has set 0.
//
// Journal lines (after the exported name): the arguments in order, surfaces
// as their offset from the start of video memory, no out pointers. E.g.
// "MCCreateVideoMemorySurface__FUiUiUi 720 480 16",
// "MCLockSurface__FPUiN20 1572864",
// "MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720 1572864 480 720 1 1",
// "MCFlipOverlay__FUiUiUiUiUiUi 2265088 1572864 720 480 16 1",
// "MCGetVideoPropertyValue__FiPi 1", "MCSetVideoProperty__FUii 1 -128".
//
// Faults: by name, any call (the armed result is returned). By kind, each
// answering 0: init MCInitVideoOverlay__Fv and MCInitLib__Fv; mode
// MCGetCurrentModeInfo__FPUiN20 and MCSetMode__FUi; surface
// MCCreateVideoMemorySurface__FUiUiUi; tvout MCTVOnOff__FUi.
#pragma once
