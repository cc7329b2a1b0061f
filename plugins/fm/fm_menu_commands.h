// Numbers the FM controller exchanges with the setup menu and the host: the menu
// commands it sends, the menu's events and actions it handles, and the events it
// tells the host.
#pragma once

namespace sonidra {

// Commands sent to the setup menu.
enum FmMenuCommand : unsigned {
    kFmMenuKeyLeft = 40,  // the arrows and Enter while the menu is open
    kFmMenuKeyRight = 41,
    kFmMenuKeyUp = 42,
    kFmMenuKeyDown = 43,
    kFmMenuEnter = 50,
    kFmMenuOpen = 65,  // with the sensitivity: its page
    kFmMenuClose = 66,
    kFmMenuInstallCallback = 81,
    kFmMenuRedraw = 83,
    kFmMenuNoticeClose = 92,
    kFmMenuChannelNotice = 165,
    kFmMenuRefresh = 180,
    kFmMenuSleepMinutes = 184,
    kFmMenuFavouriteLines = 198,
    kFmMenuFavouriteLine = 199,
};

// Events of set 3, kCmdSetMenu (the seek events are in fm_sweep.h).
enum FmMenuEvent : int {
    kFmEventSensitivityPage = 31,
    kFmEventSleepNotice = 56,
    kFmEventMenuClosed = 60,
    kFmEventSensitivityChosen = 110,
    kFmEventListFavourites = 111,
    kFmEventStoreFavourite = 112,
    kFmEventRedraw = 113,
};

// Actions of set 15, kCmdSetSettings.
enum FmMenuAction : int {
    kFmActionSleepTimer = 64,
    kFmActionLeave = 72,
    kFmActionNone = 76,
    kFmActionRedraw = 83,
    kFmActionLeaveToo = 86,
    kFmActionLanguage = 87,
    kFmActionLeaveAndTell = 89,
};

// The host callback's first word for FM, and the events it carries.
constexpr int kFmHostFamily = 11;
enum FmHostEvent : int {
    kFmHostReady = 7,
    kFmHostControllerGone = 8,
    kFmHostStartFailed = 11,
    kFmHostEngineClosed = 13,
    kFmHostSleepTimer = 16,
    kFmHostMenuLeft = 22,
};

}  // namespace sonidra
