// Parsing the host program's options; one mode at most, options in any order.
#include "apps/command_line.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace host {
namespace {

constexpr int kLongestSleepSeconds = 24 * 3600;

// Flags that choose a mode, and the modes that take the next word as keys.
const std::map<std::string, std::string>& ModeFlags() {
    static const std::map<std::string, std::string> flags = {
        {"--tv-demo", "tv-demo"},     {"--fm", "fm"},           {"--tv", "tv"},
        {"--interactive", "tv"},      {"--fm-keys", "fm-keys"}, {"--script", "script"},
        {"--fm-script", "fm-script"},
    };
    return flags;
}

bool TakesKeys(const std::string& mode) {
    return mode == "script" || mode == "fm-script";
}

bool ParseSeconds(const std::string& text, int* seconds) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > kLongestSleepSeconds) return false;
    *seconds = static_cast<int>(value);
    return true;
}

bool Known(const std::vector<std::string>& names, const std::string& name) {
    return names.empty() || std::find(names.begin(), names.end(), name) != names.end();
}

// The checks that need the whole line.
bool CheckTogether(const CommandLine& line, std::string* error) {
    if (!line.graphicsFault.empty() && line.graphics.empty()) {
        *error = "--graphics-fault needs --graphics NAME";
        return false;
    }
    if (!line.graphics.empty() && !line.screenFile.empty()) {
        *error =
            "--screen-file and --graphics exclude each other (--graphics draws on the "
            "simulated controller's screen)";
        return false;
    }
    return true;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine* line, std::string* error,
                      const std::vector<std::string>& graphicsNames) {
    bool modeChosen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto mode = ModeFlags().find(arg);
        if (arg == "--help" || arg == "-h") {
            line->help = true;
        } else if (mode != ModeFlags().end()) {
            if (modeChosen) {
                *error = "only one mode at a time (" + arg + " after another mode)";
                return false;
            }
            modeChosen = true;
            line->mode = mode->second;
            if (TakesKeys(line->mode)) {
                if (!hasValue) {
                    *error = arg + " needs KEYS";
                    return false;
                }
                line->script = argv[++i];
            }
        } else if (arg == "--no-video") {
            line->video = false;
        } else if (arg == "--no-pauses") {
            line->noPauses = true;
        } else if (arg == "--settings" || arg == "--screen-file" || arg == "--sleep" ||
                   arg == "--graphics" || arg == "--graphics-fault") {
            if (!hasValue) {
                *error = arg + " needs a value";
                return false;
            }
            const std::string value = argv[++i];
            if (arg == "--settings") {
                line->settings = value;
            } else if (arg == "--screen-file") {
                line->screenFile = value;
            } else if (arg == "--graphics-fault") {
                line->graphicsFault = value;
            } else if (arg == "--graphics") {
                if (!Known(graphicsNames, value)) {
                    *error = "unknown graphics \"" + value + "\"";
                    return false;
                }
                line->graphics = value;
            } else if (!ParseSeconds(value, &line->run.sleepSeconds)) {
                *error = "--sleep needs whole seconds from 1 to 86400, not \"" + value + "\"";
                return false;
            }
        } else {
            *error = "unknown option " + arg;
            return false;
        }
    }
    return CheckTogether(*line, error);
}

std::string UsageText(const std::string& program, const std::string& graphicsNames) {
    return "usage: " + program +
           " [MODE] [OPTIONS]\n"
           "Runs the TV and FM plug-ins as a host media application does.\n"
           "Modes (without one: the TV demonstration, then the FM demonstration):\n"
           "  --tv-demo           the built-in TV demonstration\n"
           "  --fm                the built-in FM demonstration\n"
           "  --tv                interactive TV: the live picture in the terminal, keys act at "
           "once\n"
           "  --interactive       the same as --tv\n"
           "  --fm-keys           interactive FM: the FM screen in the terminal, keys act at "
           "once\n"
           "  --script KEYS       a TV key script, e.g. 'q((+x' or 'q{fav 1}{favourites}x'\n"
           "  --fm-script KEYS    an FM key script, e.g. 'q1015{enter}]{store 1}x'\n"
           "Options:\n"
           "  --no-video          interactive modes line by line, the status printed after each "
           "key\n"
           "  --sleep SECONDS     the host's sleep timer: the session closes by itself after "
           "SECONDS\n"
           "  --settings DIR      keep the host settings in DIR (default: a fresh temporary "
           "folder)\n"
           "  --screen-file PATH  the screen file live video is drawn into (default: a "
           "temporary file)\n"
           "  --no-pauses         scripts and demonstrations without real-time pauses\n"
           "  --graphics NAME     a machine with that display controller (" +
           graphicsNames +
           "), the picture taken from its simulated monitor\n"
           "  --graphics-fault WHAT  with --graphics: its vendor library fails (missing-library, "
           "missing-name:NAME, init, mode, surface, tvout, call:NAME)\n"
           "  --help, -h          this text\n";
}

}  // namespace host
