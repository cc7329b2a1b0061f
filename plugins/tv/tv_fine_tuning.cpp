// Fine tuning: +-250 steps on top of the current slot's stored offset, kept
// within +-2000, and storing the result when the mode ends.
#include <cstdlib>

#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_persistence.h"

namespace {

constexpr unsigned kMenuFineUp = 190;
constexpr unsigned kMenuFineDown = 191;

}  // namespace

int CurrentSlot(const TvController& tv) {
    if (tv.channelMode == kAllChannels) {
        return tv.currentChannel >= 0 && tv.currentChannel < kTvSlots ? tv.currentChannel : -1;
    }
    const int position = tv.currentChannel;
    if (position < 0 || position >= static_cast<int>(tv.favourites.size())) return -1;
    const int slot = tv.favourites[position];
    return slot >= 0 && slot < kTvSlots ? slot : -1;
}

bool FineTuneStep(TvController& tv, int step) {
    const int slot = CurrentSlot(tv);
    if (slot < 0) return false;
    if (std::abs(step + tv.fineTuneTotal + tv.frequencyOffsets[slot]) > kMaxOffset) return false;
    tv.fineTuneTotal += step;
    tv.EngineValue(kDvrFineTune, tv.fineTuneTotal);
    tv.Menu(step > 0 ? kMenuFineUp : kMenuFineDown, nullptr, nullptr, nullptr, true);
    return true;
}

void StoreFineTuning(TvController& tv) {
    const int slot = CurrentSlot(tv);
    if (slot >= 0) {
        tv.frequencyOffsets[slot] += tv.fineTuneTotal;
        WriteOffset(tv, slot);
    }
    tv.fineTuneTotal = 0;
}
