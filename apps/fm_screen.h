// The FM screen drawn in the terminal from what the host's FM panel shows: frequency,
// preset number, clock, date, mute and a 17-level volume bar.
#pragma once

#include <string>

namespace host {

// The screen as text lines ending in newlines.
std::string FmScreenText();
// Prints "[label]" and the screen.
void PrintFmScreen(const std::string& label);

}  // namespace host
