// Showing and selecting channels, and the walks over all channels or the 12
// favourites.
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_persistence.h"

namespace {

constexpr int kShownMode = 3;

bool IsFound(const TvController& tv, int slot) {
    return slot >= 0 && slot < kTvSlots && tv.channelList[static_cast<size_t>(slot)] == '1';
}

int FavouriteSlot(const TvController& tv, int position) {
    if (!IsFavouritePosition(position) || position >= static_cast<int>(tv.favourites.size())) {
        return -1;
    }
    const int slot = tv.favourites[static_cast<size_t>(position)];
    return slot >= 0 && slot < kTvSlots ? slot : -1;
}

unsigned ModeMenu(const TvController& tv) {
    return tv.channelMode == kAllChannels ? kMenuChannelAll : kMenuChannelFavourite;
}

void NextInAll(TvController& tv, int direction) {
    const int count = tv.channelCount;
    if (count <= 0) return;
    const int start = tv.currentChannel;
    int slot = start;
    do {
        slot = ((slot + direction) % count + count) % count;
        if (slot == start) return;  // only the current slot: nothing to do
    } while (!IsFound(tv, slot));
    tv.previousChannel = tv.currentChannel;
    SelectSlot(tv, slot);
    tv.currentChannel = slot;
    ShowChannel(tv, kMenuChannelAll, slot + 1);
}

void NextInFavourites(TvController& tv, int direction) {
    if (!IsFavouritePosition(tv.currentChannel)) return;
    const int start = tv.currentChannel;
    const int step = direction > 0 ? 1 : kTvFavourites - 1;
    int position = (start + step) % kTvFavourites;
    while (position != start && FavouriteSlot(tv, position) < 0) {
        position = (position + step) % kTvFavourites;
    }
    const int slot = FavouriteSlot(tv, position);
    if (slot < 0) return;
    if (position != start) {
        tv.previousChannel = tv.currentChannel;
        SelectSlot(tv, slot);
        tv.currentChannel = position;
    }
    ShowChannel(tv, kMenuChannelFavourite, slot + 1);
}

}  // namespace

bool IsFavouritePosition(int position) {
    return position >= 0 && position < kTvFavourites;
}

void ShowChannel(TvController& tv, unsigned menuCommand, int number) {
    const int mode = kShownMode;
    tv.Menu(menuCommand, &number, nullptr, &mode, true);
    tv.Panel(kPanelChannel, number, 2);
}

void ShowCurrentChannel(TvController& tv) {
    const int slot = CurrentSlot(tv);
    ShowChannel(tv, ModeMenu(tv), (slot < 0 ? 0 : slot) + 1);
}

void CloseMenu(TvController& tv) {
    tv.menuOpen = false;
    tv.Menu(kMenuClose);
}

// The answer of command 43 is taken whatever it is: before TV starts the engine
// writes -1 there, and a failure that wrote nothing must not read as the tuner.
bool TunerOnly(TvController& tv) {
    int input = -1;
    if (tv.Engine(kDvrGetVideoSource, nullptr, 0, &input) != 1 && input == 0) input = -1;
    tv.videoInput = input;
    return tv.videoInput == 0;
}

void SelectSlot(TvController& tv, int slot, bool withOffset) {
    if (slot < 0 || slot >= kTvSlots) return;
    int index = slot;
    int offset = withOffset ? tv.frequencyOffsets[static_cast<size_t>(slot)] : 0;
    void* list[] = {&index, &offset};
    tv.Engine(kDvrSelectChannel, list, 2);
}

void SwitchToFavourites(TvController& tv) {
    if (tv.channelMode != kAllChannels) return;
    tv.channelMode = kFavouriteChannels;
    int position = 0;
    while (position < kTvFavourites && FavouriteSlot(tv, position) < 0) ++position;
    if (position == kTvFavourites) {
        tv.channelMode = kAllChannels;
        ShowChannel(tv, kMenuChannelFavourite, CurrentSlot(tv) + 1);
        return;
    }
    const int slot = FavouriteSlot(tv, position);
    tv.previousChannel = tv.currentChannel;
    SelectSlot(tv, slot);
    tv.currentChannel = position;
    ShowChannel(tv, kMenuChannelFavourite, slot + 1);
}

void SwitchToAllChannels(TvController& tv) {
    if (tv.channelMode != kFavouriteChannels) return;
    const int slot = CurrentSlot(tv);
    tv.channelMode = kAllChannels;
    // A position that holds no slot leaves the channel where it was.
    if (slot >= 0) tv.currentChannel = slot;
    if (tv.currentChannel < 0 || tv.currentChannel >= kTvSlots) tv.currentChannel = 0;
    ShowChannel(tv, kMenuChannelAll, tv.currentChannel + 1);
}

void Recall(TvController& tv) {
    const int target = tv.previousChannel;
    int slot = -1;
    if (tv.channelMode == kAllChannels) {
        slot = target >= 0 && target < kTvSlots ? target : -1;
    } else if (IsFavouritePosition(target)) {
        for (int i = 0; i < kTvFavourites && slot < 0; ++i) {
            slot = FavouriteSlot(tv, (target + i) % kTvFavourites);
        }
    }
    if (slot < 0) return;
    tv.previousChannel = tv.currentChannel;
    tv.currentChannel = target;
    SelectSlot(tv, slot);
    ShowChannel(tv, kMenuChannelRecalled, slot + 1);
}

void NextChannel(TvController& tv, int direction) {
    if (tv.channelMode == kAllChannels) {
        NextInAll(tv, direction);
    } else {
        NextInFavourites(tv, direction);
    }
}

void DirectEntry(TvController& tv, long number) {
    if (number < 1 || number > tv.channelCount) {
        ShowCurrentChannel(tv);
        return;
    }
    const int n = static_cast<int>(number);
    if (tv.channelMode == kAllChannels) {
        if (!IsFound(tv, n - 1)) return ShowCurrentChannel(tv);
        tv.previousChannel = tv.currentChannel;
        tv.currentChannel = n - 1;
        SelectSlot(tv, n - 1);
        ShowChannel(tv, kMenuChannelAll, n);
        return;
    }
    const int position = n % kTvFavourites == 0 ? kTvFavourites : n % kTvFavourites;
    const int slot = FavouriteSlot(tv, position - 1);
    if (!IsFound(tv, slot)) return ShowCurrentChannel(tv);
    tv.previousChannel = tv.currentChannel;
    tv.currentChannel = position - 1;
    SelectSlot(tv, slot);
    ShowChannel(tv, kMenuChannelFavourite, slot + 1);
}

void AssignFavourite(TvController& tv, int position) {
    const int slot = CurrentSlot(tv);
    if (!IsFavouritePosition(position) || slot < 0) return;
    if (tv.favourites.size() != static_cast<size_t>(kTvFavourites)) {
        tv.favourites.assign(kTvFavourites, -1);
        tv.favouriteLabels.clear();
        for (int p = 1; p <= kTvFavourites; ++p)
            tv.favouriteLabels.push_back(FavouriteLabel(p, -1));
    }
    const std::string label = FavouriteLabel(position + 1, slot);
    tv.favourites[static_cast<size_t>(position)] = slot;
    tv.Menu(kMenuFavouriteLabel, label.c_str());
    tv.favouriteLabels[static_cast<size_t>(position)] = label;
}
