// Starting an automatic channel scan and taking its result.
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_persistence.h"

void StartChannelScan(TvController& tv) {
    tv.scanning = true;
    tv.channelList.assign(kTvSlots, '0');
    int count = tv.channelCount;
    if (tv.Engine(kDvrGetChannelCount, nullptr, 0, &count) == 1) tv.channelCount = count;
    // Silent while the scan sweeps through noise.
    if (!tv.muted) tv.EngineValue(kDvrMute, 1);
    tv.Engine(kDvrStartScan);
}

void EndChannelScan(TvController& tv, int count) {
    if (count < 0) count = 0;
    if (count > kTvSlots) count = kTvSlots;
    for (int slot = count; slot < kTvSlots; ++slot) tv.channelList[static_cast<size_t>(slot)] = '0';
    SaveChannelList(tv, count);
    if (!tv.muted) tv.EngineValue(kDvrMute, 0);
    const size_t first = tv.channelList.find('1');
    const int slot = first == std::string::npos ? 0 : static_cast<int>(first);
    tv.currentChannel = slot;
    tv.previousChannel = slot;
    // The first station is tuned plainly, without its stored offset.
    SelectSlot(tv, slot, false);
    const int number = slot + 1;
    const int mode = 3;
    tv.Menu(kMenuChannelAll, &number, nullptr, &mode, true);
    tv.scanning = false;
    tv.Panel(kPanelChannel, number, 2);
}
