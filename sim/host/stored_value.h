// Reads an int from the settings store when the process has one loaded.
#pragma once

namespace hostsim {

// getRegInt(key, fallback) of the loaded settings store, else fallback. The host
// binds the store at run time so it does not depend on the player library.
int StoredIntOr(const char* key, int fallback);

}  // namespace hostsim
