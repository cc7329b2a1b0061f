// The TV key handler: routes each key through the modes in order (not
// started, fine tuning, teletext, menu open, scanning, typing) before the key
// table sees it.
#include <cstdio>

#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_key_table.h"

namespace {

enum class Route { kStop, kContinue };

bool IsFineTuningKey(unsigned char k) {
    return k == 'x' || k == kKeyRight || k == kKeyLeft;
}

Route FineTuningFilter(TvController& tv, unsigned char k) {
    if (!tv.menuOpen) {
        EndFineTuning(tv);
    } else if (k == kKeyEnter) {
        tv.Menu(kMenuEnter);
        tv.menuOpen = false;
    }
    return Route::kContinue;
}

Route TeletextFilter(TvController& tv, unsigned char k) {
    if (k == 's') {
        std::printf("#### TELTEXT is finished by key s ####\n");
        std::fflush(stdout);
        tv.teletext = false;
    }
    return Route::kContinue;
}

Route MenuFilter(TvController& tv, unsigned char k) {
    if (k >= kKeyUp && k <= kKeyLeft) {
        tv.Menu(k + kMenuKeyBase);
    } else if (k == kKeyEnter) {
        tv.Menu(kMenuEnter);
    } else if (k == 'S' || k == kKeyMenuBack) {
        CloseMenu(tv);
    } else if (k == 'x') {
        CloseMenu(tv);
        return Route::kContinue;
    }
    return Route::kStop;
}

Route ModeFilter(TvController& tv, unsigned char k) {
    if (tv.fineTuning && !tv.scanning && !IsFineTuningKey(k)) return FineTuningFilter(tv, k);
    if (tv.teletext && !tv.scanning && k != 'x') return TeletextFilter(tv, k);
    if (tv.menuOpen && !tv.scanning) return MenuFilter(tv, k);
    return Route::kContinue;
}

void StopScan(TvController& tv) {
    tv.Engine(kDvrStopScan);
    tv.scanning = false;
}

void ShowTyping(TvController& tv, const std::string& key) {
    int count = 0;
    int number = static_cast<int>(LeadingNumber(key, &count));
    if (count == 0) return;
    const int typing = 1;
    tv.Menu(kMenuChannelAll, &number, &count, &typing, true);
    tv.Panel(kPanelChannel, number, 2);
}

}  // namespace

void TvController::HandleKey(const std::string& key, int, int value) {
    if (key.empty()) return;
    const unsigned char k = static_cast<unsigned char>(key[0]);
    if (!tvStarted && k != 'q' && k != 'x') return;
    if (ModeFilter(*this, k) == Route::kStop) return;
    if (value != 0 && scanning) {
        if (k != 's' && k != 'x') return;
        StopScan(*this);
        if (k == 's') return;
    }
    if (value == 0) {
        if (!scanning) ShowTyping(*this, key);
        return;
    }
    if (fineTuning && !IsFineTuningKey(k)) return;
    if (teletext && k != 'x') return;
    RunKeyTable(*this, key);
}
