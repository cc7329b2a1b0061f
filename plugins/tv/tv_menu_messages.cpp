// MessageHandler command 3: reports from the setup menu and the engine.
#include <cstdio>

#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_message_tables.h"
#include "plugins/tv/tv_persistence.h"

namespace {

void ShowPictureValue(TvController& tv, int id) {
    int value = 0;
    tv.Engine(kDvrGetPicture, &id, 0, &value);
    value /= 2;
    tv.Menu(kMenuOpen, &value);
}

void StepPicture(TvController& tv, unsigned command, int id) {
    int value = 0;
    tv.Engine(command, &id, 0, &value);
    value /= 2;
    tv.Menu(kMenuPictureValue, &value);
}

void PictureValue(TvController& tv, int p2, void*) {
    ShowPictureValue(tv, p2);
}
void PictureUp(TvController& tv, int p2, void*) {
    StepPicture(tv, kDvrPictureUp, p2);
}
void PictureDown(TvController& tv, int p2, void*) {
    StepPicture(tv, kDvrPictureDown, p2);
}

void SettingApplied(TvController& tv, int p2, void*) {
    if (tv.menuOpen) tv.Menu(kMenuSettingApplied, &p2);
}

void FavouriteLabels(TvController& tv, int, void*) {
    tv.Menu(kMenuFavouriteLabels, &tv.favouriteLabels);
}

void Favourite(TvController& tv, int p2, void*) {
    AssignFavourite(tv, p2);
}

void SlotFound(TvController& tv, int p2, void*) {
    if (p2 >= 0 && p2 < kTvSlots) tv.channelList[static_cast<size_t>(p2)] = '1';
}

void Favourites(TvController& tv, int, void*) {
    SwitchToFavourites(tv);
    CloseMenu(tv);
}

void AllChannels(TvController& tv, int, void*) {
    SwitchToAllChannels(tv);
    CloseMenu(tv);
}

void RecallChannel(TvController& tv, int, void*) {
    Recall(tv);
}
void Close(TvController& tv, int, void*) {
    CloseMenu(tv);
}

void SleepNotice(TvController& tv, int, void*) {
    CloseMenu(tv);
    tv.Menu(kMenuSleepMinutes, nullptr, &tv.sleepMinutes, nullptr, true);
    int number = CurrentSlot(tv) + 1;
    tv.Menu(kMenuChannelNotice, nullptr, &number, nullptr, true);
}

void FineTuning(TvController& tv, int, void*) {
    tv.fineTuneTotal = 0;
    tv.fineTuning = true;
}

void Teletext(TvController& tv, int, void*) {
    std::printf("#### TELTEXT is Start Now ####\n");
    std::fflush(stdout);
    tv.teletext = true;
    CloseMenu(tv);
}

void Scan(TvController& tv, int, void*) {
    CloseMenu(tv);
    StartChannelScan(tv);
}

void MenuClosed(TvController& tv, int, void*) {
    tv.menuOpen = false;
}
void ScanFinished(TvController& tv, int p2, void*) {
    EndChannelScan(tv, p2);
}

constexpr TvSubEntry kMenuReports[] = {
    {31, PictureValue, false},
    {32, PictureUp, false},
    {33, PictureDown, false},
    {34, SettingApplied, false},
    {48, FavouriteLabels, false},
    {49, Favourite, true},
    {50, SlotFound, false},
    {51, Favourites, true},
    {52, AllChannels, true},
    {53, RecallChannel, true},
    {54, Close, true},
    {56, SleepNotice, true},
    {57, FineTuning, true},
    {58, Teletext, true},
    {59, Scan, true},
    {60, MenuClosed, false},
    {114, ScanFinished, false},
};

}  // namespace

void HandleMenuReport(TvController& tv, int p1, int p2, void* p3) {
    RunSubCommand(tv, kMenuReports, static_cast<int>(sizeof kMenuReports / sizeof kMenuReports[0]),
                  p1, p2, p3);
}
