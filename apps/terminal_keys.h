// Keys from the terminal (see terminal_guard.h for its modes) and from a
// script string; arrows become 28..31 and Enter 10.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace host {

// Next key from stdin within timeoutMs: the key byte, -1 when none came, -2 at
// end of input.
int ReadKey(int timeoutMs);

// A script: printable keys as themselves, "{up}", "{down}", "{right}",
// "{left}", "{enter}" for the control keys, and "{fav N}" (store the channel
// as favourite N), "{favourites}", "{finetune}" for setup-menu events, which
// come back as values above 255.
std::vector<int> ParseScript(const std::string& script);

// Walks a script: printable keys as themselves, and for each "{name}" the key
// `named` gives, dropped when it is negative. A "{" without a closing "}" is a
// key of its own.
std::vector<int> ParseKeyScript(const std::string& script,
                                const std::function<int(const std::string& name)>& named);

// Menu events of scripts.
constexpr int kScriptFavouriteBase = 1000;  // + position 0..11
constexpr int kScriptFavourites = 2000;
constexpr int kScriptFineTune = 2001;

}  // namespace host
