// The host program: loads the plug-ins as a host media application does and
// drives them by keys. Options:
//   (none)          the built-in demonstrations: TV with live video, then FM
//   --tv-demo       the built-in TV demonstration only
//   --tv            interactive TV from the keyboard
//   --script KEYS   a TV key script (see apps/terminal_keys.h)
//   --fm            the built-in FM demonstration
//   --fm-keys       interactive FM from the keyboard
//   --fm-script KEYS  an FM key script (see apps/fm_runner.h)
//   --settings DIR  keep the settings in DIR (default: a fresh temporary folder)
//   --graphics NAME a machine with that display controller, watched on the
//                   simulated monitor (apps/graphics_option.h)
//   --graphics-fault WHAT  make its vendor library fail (apps/graphics_option.h)
//   --no-pauses     scripts and demonstrations without real-time pauses (see host_events.h)
// It runs in the folder that holds it (the build's bin/, where the skins are).
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "apps/fm_runner.h"
#include "apps/graphics_option.h"
#include "apps/host_events.h"
#include "apps/live_preview.h"
#include "apps/tv_runner.h"

namespace {

struct Options {
    std::string mode = "demo";
    std::string script;
    std::string settings;
    std::string graphics;
    std::string graphicsFault;
    bool noPauses = false;
};

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--tv-demo") {
            options->mode = "tv-demo";
        } else if (arg == "--tv" || arg == "--interactive") {
            options->mode = "tv";
        } else if (arg == "--fm") {
            options->mode = "fm";
        } else if (arg == "--fm-keys") {
            options->mode = "fm-keys";
        } else if (arg == "--fm-script" && i + 1 < argc) {
            options->mode = "fm-script";
            options->script = argv[++i];
        } else if (arg == "--script" && i + 1 < argc) {
            options->mode = "script";
            options->script = argv[++i];
        } else if (arg == "--no-pauses") {
            options->noPauses = true;
        } else if (arg == "--settings" && i + 1 < argc) {
            options->settings = argv[++i];
        } else if (arg == "--graphics" && i + 1 < argc) {
            options->graphics = argv[++i];
        } else if (arg == "--graphics-fault" && i + 1 < argc) {
            options->graphicsFault = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

// The skins and stored files are found relative to the program's folder.
void EnterProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && chdir(self.parent_path().c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", self.parent_path().c_str());
    }
}

// A settings folder of its own, removed when the program ends.
class SettingsFolder {
  public:
    explicit SettingsFolder(const std::string& chosen) {
        if (chosen.empty()) {
            char pattern[] = "/tmp/mediahost.XXXXXX";
            if (mkdtemp(pattern)) temporary_ = pattern;
        }
        const std::string folder = chosen.empty() ? temporary_ : chosen;
        if (!folder.empty()) setenv("SOLVANE_SETTINGS_DIR", folder.c_str(), 1);
    }
    ~SettingsFolder() {
        std::error_code error;
        if (!temporary_.empty()) std::filesystem::remove_all(temporary_, error);
    }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

  private:
    std::string temporary_;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: %s [--tv-demo | --tv | --interactive | --script KEYS | --fm | "
                     "--fm-keys | --fm-script KEYS]"
                     " [--settings DIR] [--no-pauses] [--graphics %s [--graphics-fault WHAT]]\n",
                     argv[0], host::GraphicsNames().c_str());
        return 2;
    }
    host::SetNoPauses(options.noPauses);
    EnterProgramFolder();
    SettingsFolder settings(options.settings);
    livepreview::UseVirtualScreen(livepreview::ScreenFile{});  // live TV goes to a screen file
    host::GraphicsMachine graphics;  // or, with --graphics, to the simulated monitor
    std::string error;
    if (!options.graphics.empty() &&
        !graphics.Apply(options.graphics, options.graphicsFault, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    if (options.mode == "tv") return host::RunTvInteractive();
    if (options.mode == "script") return host::RunTvScript(options.script);
    if (options.mode == "fm") return host::RunFmDemonstration();
    if (options.mode == "fm-keys") return host::RunFmInteractive();
    if (options.mode == "fm-script") return host::RunFmScript(options.script);
    if (options.mode == "tv-demo") return host::RunTvDemonstration();
    const int tv = host::RunTvDemonstration();
    const int fm = host::RunFmDemonstration();
    return tv != 0 ? tv : fm;
}
