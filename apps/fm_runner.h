// The host program's FM modes: the built-in demonstration, a key script,
// interactive keys line by line, each with the FM screen drawn after every step,
// and the FM screen redrawn in place. Each returns the program's exit code.
#pragma once

#include <string>

#include "apps/run_options.h"

namespace host {

int RunFmDemonstration(const RunOptions& options);
// Keys as themselves; "{up}", "{down}", "{left}", "{right}", "{enter}" for the control
// keys; "{store N}" stores the current station as preset N (1..10) and "{list}" lists
// the presets, as the setup menu would. While a sleep timer runs after the keys, the
// session stays on until it runs out.
int RunFmScript(const std::string& script, const RunOptions& options);
int RunFmInteractive(const RunOptions& options);
int RunFmLive(const RunOptions& options);

// The terminal's arrows (the TV host's codes: up 28, down 29, right 30, left 31)
// as the FM controller's keys.
int FmArrow(int key);

}  // namespace host
