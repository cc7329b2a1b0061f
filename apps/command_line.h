// The host program's command line: its modes and options, the usage text, and
// what a malformed line is told.
#pragma once

#include <string>
#include <vector>

#include "apps/run_options.h"

namespace host {

struct CommandLine {
    std::string mode = "demo";  // demo, tv-demo, tv, script, fm, fm-keys, fm-script
    std::string script;
    std::string settings;       // "" = a fresh temporary folder
    std::string screenFile;     // "" = a temporary file
    std::string graphics;       // "" = no display controller, the screen file
    std::string graphicsFault;  // a vendor-library fault with --graphics
    bool noPauses = false;      // scripts without real-time pauses
    bool video = true;          // false: interactive modes line by line
    bool help = false;
    RunOptions run;
};

// Fills `line`; false with `error` set ("unknown option --x") when the line is
// malformed. `graphicsNames` are the names --graphics accepts (all, when empty).
bool ParseCommandLine(int argc, char** argv, CommandLine* line, std::string* error,
                      const std::vector<std::string>& graphicsNames = {});

// Every mode and option, one line each; `graphicsNames` as "fb|intel865|...".
std::string UsageText(const std::string& program, const std::string& graphicsNames = "NAME");

}  // namespace host
