// How the setup menu reads the four words of each menu command, for the journal and
// for the menu's own state.
#pragma once

#include <string>

namespace hostsim {

using MenuWords = const void* const[4];

// "<command> <a1> <a2> <a3> <a4>" with each word decoded by what the command carries.
// Words of unknown commands are never read: null shows 0, anything else ?.
std::string DescribeMenuCommand(unsigned command, MenuWords words);

// The int a word points to, or fallback for a null word.
int PointedInt(const void* word, int fallback);

}  // namespace hostsim
