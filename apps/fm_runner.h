// The host program's FM modes: the built-in demonstration, a key script and
// interactive keys from the terminal, each with the FM screen drawn after every step.
// Each returns the program's exit code.
#pragma once

#include <string>

namespace host {

int RunFmDemonstration();
// Keys as themselves; "{up}", "{down}", "{left}", "{right}", "{enter}" for the control
// keys; "{store N}" stores the current station as preset N (1..10) and "{list}" lists
// the presets, as the setup menu would.
int RunFmScript(const std::string& script);
int RunFmInteractive();

}  // namespace host
