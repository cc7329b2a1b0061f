// The host program's status line: what the panel and menu of the host
// stand-in show right now.
#pragma once

#include <string>

namespace host {

// "channel 5 | volume 12 | mute off | sound stereo | menu closed"
std::string TvStatusLine();
// Prints "[label] <status line>".
void PrintStatus(const std::string& label);
// Prints "[label] text".
void PrintStatusText(const std::string& label, const std::string& text);
// Prints the host journal's last `lines` lines with its total count.
void PrintJournalTail(size_t lines);

}  // namespace host
