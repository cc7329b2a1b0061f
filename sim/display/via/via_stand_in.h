// The stand-in libddmpeg.so: VIADriverProc of interfaces/vendor/via_ddmpeg.h
// (whose commands and records it implements) on the simulated display
// controller.
//
// Behaviour:
// - Command 2 needs a started driver (command 0) and no surfaces; it makes
//   two buffers after the visible screen. Command 1 hides the overlay if it
//   shows one of them, destroys them and stops the driver; command 3
//   destroys them (hiding the overlay likewise) and fails without surfaces.
// - Command 6 with the show flag needs surfaces; the overlay then shows the
//   buffer last chosen by command 7 (0 before any), keyed when flag 0x4 is
//   set. Command 7 switches a shown overlay at once.
// - Every error returns 1; unknown commands are errors.
//
// Journal lines: "VIADriverProc" followed by the command and the input words
// of its record: command 2, 3 and 4 width, height, kind, colour key, format;
// command 6 all twelve words; command 7 the index; 0 and 1 nothing. E.g.
// "VIADriverProc 0", "VIADriverProc 2 720 480 1 4294967295 844715353",
// "VIADriverProc 6 0 0 1023 767 0 0 720 480 2097158 4294967295 0 844715353",
// "VIADriverProc 7 1".
//
// Faults: by name for one command as "VIADriverProc:N", or "VIADriverProc"
// for all (the armed result is returned). By kind, answering 1: init
// command 0; surface command 2.
#pragma once
