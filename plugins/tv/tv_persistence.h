// What the TV controller keeps across runs: the favourites file, the offsets
// file, the channel list and the settings keys, and the fine-tuning rule that
// feeds the offsets. Files are opened by bare name, in the working directory.
// Callers hold the controller's `serial` lock.
#pragma once

#include <array>
#include <istream>
#include <string>
#include <vector>

#include "plugins/tv/tv_controller.h"

// ---- Favourites ("FAVORITECHANNELLIST.dat": 12 lines "%d\n", -1 empty) ----
// Stored files are replaced whole (temporary file, flush, rename): the savers
// return 0, or the errno of the failure with the old file left as it was.

// Label of favourite position (1..12) holding slot, or -1 for an empty one.
std::string FavouriteLabel(int position, int slot);
// The 12 positions of a favourites file, read as whitespace-separated numbers
// (so "3 4 5" on one line gives three positions and blank lines give none); a
// word that is no slot 0..511 gives an empty position (-1), and positions the
// input does not reach are empty.
std::vector<int> ReadFavourites(std::istream& in);
// The file's text: "%d\n" for each of the 12 positions.
std::string FavouritesText(const std::vector<int>& favourites);
// Replaces the 12 positions and their labels with the file's (all empty when
// it is missing).
void LoadFavourites(TvController& tv);
int SaveFavourites(const TvController& tv);

// ---- Offsets ("ZAQFREQUENCYOFFSET.dat": 512 lines "%5d\n") ----

constexpr int kMaxOffset = 2000;
constexpr int kFineTuneStep = 250;

// The offsets of a file's text: values clamped to +-2000, unreadable lines and
// lines past the end read as 0. True when the text is intact: exactly 512
// six-byte lines of in-range values.
bool ReadOffsets(const std::string& text, std::array<int, kTvSlots>* offsets);
// The file's text: "%5d\n" for each of the 512 slots.
std::string OffsetsText(const std::array<int, kTvSlots>& offsets);
// Fills the offsets table from the file, creating it with zeros when missing,
// and rewrites a damaged file in the six-byte layout so later updates land on
// their line.
void LoadOffsets(TvController& tv);
// Stores one slot's line, the other lines as the file has them (the whole
// table when the file is not in the layout); 0 or the errno of the failure.
int WriteOffset(const TvController& tv, int slot);

// ---- Fine tuning ----

// The slot shown now: currentChannel, or in favourites mode the slot held by
// that position; -1 when there is none.
int CurrentSlot(const TvController& tv);
// One step of +-250 on the current slot; false when the total would pass
// +-2000 (the key is ignored).
bool FineTuneStep(TvController& tv, int step);
// Adds the running total to the current slot's offset and stores it; the
// total is cleared.
void StoreFineTuning(TvController& tv);

// ---- Channel list and settings ----

// Reads ZAQTVCHANNELLIST into the channel list; false when the key is missing.
bool LoadChannelList(TvController& tv);
// Stores the first count characters of the channel list.
void SaveChannelList(TvController& tv, int count);

// Applies the picture and tuner items the host lists (start of TV).
void ApplyItemsAtStart(TvController& tv);
// Applies the picture items of one group (2 or 4) and the tuner items of one
// group (5); a negative group applies none of that kind.
void ApplyPictureGroup(TvController& tv, int group);
void ApplyTunerGroup(TvController& tv, int group);
// Saves, in order: picture items, mute off, tuner items, channel, country,
// favourites.
void SaveAtExit(TvController& tv);
