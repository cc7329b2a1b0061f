// The host program's TV modes: the built-in demonstration, a key script,
// interactive keys line by line, and live TV in the terminal. Each returns the
// program's exit code.
#pragma once

#include <string>

#include "apps/run_options.h"

namespace host {

int RunTvDemonstration(const RunOptions& options);
// The keys of the script; then, while a sleep timer runs, the session stays
// on until it runs out.
int RunTvScript(const std::string& script, const RunOptions& options);
// Keys from the terminal, the status printed after each (today's line mode).
int RunTvInteractive(const RunOptions& options);
// The live picture redrawn in place with the status lines below it.
int RunTvLive(const RunOptions& options);

// The status-line label of a key or script event.
std::string TvKeyLabel(int key);

}  // namespace host
