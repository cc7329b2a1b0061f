// What the TV controller does on behalf of menu messages and keys: channel
// selection and navigation, favourites, recall, scans, starting and leaving
// TV. Callers hold the controller's `serial` lock.
#pragma once

#include <string>

#include "plugins/tv/tv_controller.h"

// Menu and panel command numbers the controller sends.
enum TvMenuCommand : unsigned {
    kMenuMuteOn = 8,
    kMenuVolume = 32,
    kMenuKeyBase = 12,  // keys 28..31 go to the menu as 40..43
    kMenuEnter = 50,
    kMenuOpen = 65,
    kMenuClose = 66,
    kMenuPictureValue = 87,
    kMenuSettingApplied = 88,
    kMenuSettingValue = 89,
    kMenuMessage = 91,
    kMenuFavouriteLabel = 95,
    kMenuFavouriteLabels = 96,
    kMenuChannelAll = 159,
    kMenuChannelFavourite = 160,
    kMenuChannelRecalled = 161,
    kMenuScanProgress = 163,
    kMenuChannelNotice = 165,
    kMenuNoDisplay = 171,
    kMenuRefresh = 180,
    kMenuSleepMinutes = 184,
};

// ---- Showing ----
// Menu command (159, 160, 161, 163) with the channel number, then the panel.
void ShowChannel(TvController& tv, unsigned menuCommand, int number);
// The current channel again, in the current mode's menu command.
void ShowCurrentChannel(TvController& tv);
// menuOpen := 0 and menu 66.
void CloseMenu(TvController& tv);

// ---- Tuning ----
// Refreshes videoInput (engine 43); true when the tuner is the input.
bool TunerOnly(TvController& tv);
// Engine 31 with (slot, its offset); with offset 0 when withOffset is false.
void SelectSlot(TvController& tv, int slot, bool withOffset = true);
bool IsFavouritePosition(int position);

// ---- Navigation ----
void SwitchToFavourites(TvController& tv);
void SwitchToAllChannels(TvController& tv);
void Recall(TvController& tv);
void NextChannel(TvController& tv, int direction);
// Committed digits: tunes channel number (slot + 1) or favourite position.
void DirectEntry(TvController& tv, long number);
// Sets favourite position (0..11) to the current slot.
void AssignFavourite(TvController& tv, int position);

// ---- Scans ----
void StartChannelScan(TvController& tv);
void EndChannelScan(TvController& tv, int count);

// ---- Fine tuning and teletext ----
// Stores the offset and leaves fine tuning, showing the channel again.
void EndFineTuning(TvController& tv);

// ---- Session ----
void StartTv(TvController& tv);
void ExitTv(TvController& tv);
// Defaults of the setup menu (15/87).
void RestoreDefaults(TvController& tv);
// Patch check (command 29).
void CheckForPatch(TvController& tv);
