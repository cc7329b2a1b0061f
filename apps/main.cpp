// The host program: loads the plug-ins as a host media application does and
// drives them by keys. `mediahost --help` lists its modes and options.
// It runs in the folder that holds the skins (the build's bin/, or share/tvfm
// of an installed tree).
#include <unistd.h>

#include <cstdio>
#include <string>

#include "apps/command_line.h"
#include "apps/fm_runner.h"
#include "apps/graphics_option.h"
#include "apps/host_environment.h"
#include "apps/host_events.h"
#include "apps/live_preview.h"
#include "apps/tv_runner.h"

namespace {

constexpr int kUsageError = 2;

int RunMode(const host::CommandLine& line) {
    // Live views need a terminal to draw on; elsewhere the modes go line by line.
    const bool live = line.video && isatty(STDOUT_FILENO);
    if (line.mode == "tv")
        return live ? host::RunTvLive(line.run) : host::RunTvInteractive(line.run);
    if (line.mode == "fm-keys")
        return live ? host::RunFmLive(line.run) : host::RunFmInteractive(line.run);
    if (line.mode == "script") return host::RunTvScript(line.script, line.run);
    if (line.mode == "fm") return host::RunFmDemonstration(line.run);
    if (line.mode == "fm-script") return host::RunFmScript(line.script, line.run);
    if (line.mode == "tv-demo") return host::RunTvDemonstration(line.run);
    const int tv = host::RunTvDemonstration(line.run);
    const int fm = host::RunFmDemonstration(line.run);
    return tv != 0 ? tv : fm;
}

}  // namespace

int main(int argc, char** argv) {
    host::CommandLine line;
    std::string error;
    const std::string program = argc > 0 ? argv[0] : "mediahost";
    const std::string usage = host::UsageText(program, host::GraphicsNames());
    if (!host::ParseCommandLine(argc, argv, &line, &error, host::GraphicsNameList())) {
        std::fprintf(stderr, "mediahost: %s\n%s", error.c_str(), usage.c_str());
        return kUsageError;
    }
    if (line.help) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    if (!line.graphicsFault.empty() && !host::KnownGraphicsFault(line.graphicsFault)) {
        std::fprintf(stderr, "mediahost: unknown graphics fault \"%s\"\n%s",
                     line.graphicsFault.c_str(), usage.c_str());
        return kUsageError;
    }
    host::SetNoPauses(line.noPauses);
    host::ScreenFileChoice screenFile(line.screenFile);
    if (!screenFile.Ready()) return 1;
    if (!host::EnterSkinFolder()) return 1;
    host::SettingsFolder settings(line.settings);
    if (!settings.Ready()) return 1;
    livepreview::ScreenFile screen;
    screen.path = screenFile.Path();
    livepreview::UseVirtualScreen(screen);  // live TV goes to the screen file
    host::GraphicsMachine graphics;         // or, with --graphics, to the simulated monitor
    if (!line.graphics.empty() && !graphics.Apply(line.graphics, line.graphicsFault, &error)) {
        std::fprintf(stderr, "mediahost: graphics %s: %s\n", line.graphics.c_str(), error.c_str());
        return 1;
    }
    return RunMode(line);
}
