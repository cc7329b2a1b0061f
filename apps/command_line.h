// The host program's command line: its modes and options, the usage text, and
// what a malformed line is told.
#pragma once

#include <string>

#include "apps/run_options.h"

namespace host {

struct CommandLine {
    std::string mode = "demo";  // demo, tv-demo, tv, script, fm, fm-keys, fm-script
    std::string script;
    std::string settings;    // "" = a fresh temporary folder
    std::string screenFile;  // "" = a temporary file
    bool video = true;       // false: interactive modes line by line
    bool help = false;
    RunOptions run;
};

// Fills `line`; false with `error` set ("unknown option --x") when the line is
// malformed.
bool ParseCommandLine(int argc, char** argv, CommandLine* line, std::string* error);

// Every mode and option, one line each.
std::string UsageText(const std::string& program);

}  // namespace host
