// The host program's TV modes: the built-in demonstration, a key script and
// interactive keys from the terminal. Each returns the program's exit code.
#pragma once

#include <string>

namespace host {

int RunTvDemonstration();
int RunTvScript(const std::string& script);
int RunTvInteractive();

}  // namespace host
