// The stand-in libs3g.so: the S3 overlay calls of
// interfaces/vendor/s3_overlay.h on the simulated display controller. It
// behaves as the Intel stand-ins (sim/display/intel/intel_stand_in.h) do for
// the calls they share (same surfaces, overlay, flips and 2D calls, with the
// names lacking "MC"), and keeps one property word instead of colour ids:
// - the word reads 0 until written, and back as written;
// - while its bit 15 is set, the overlay's brightness is level - 128 and its
//   contrast level / 16; while clear, both are neutral;
// - a word with bit 13 or 14 set is refused (0).
// There is no exit, mode or television call; the library is initialised as
// loaded.
//
// Journal lines as for the Intel stand-ins, e.g. "SetVideoProperty__FUi
// 2148045055", "FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi 0 3276900
// 480 720 2081 16" (the position is left + top x 65536), "LockSurface__FPUiN20
// 1572864".
//
// Faults: by name, any call. By kind, each answering 0: init
// InitVideoOverlay__Fv and InitLib__Fv; mode GetCurrentModeInfo__FPUiN20;
// surface CreateVideoMemorySurface__FUiUiUi.
#pragma once
